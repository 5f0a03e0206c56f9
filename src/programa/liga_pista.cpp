#include "programa/liga_pista.h"

#include "cash/abe_cai.h"
#include "programa/janela_unica.h"
#include "programa/liga_caixa.h"
#include "programa/liga_mensalistas.h"
#include "yard/janela_lista_patio.h"
#include "yard/janela_principal.h"
#include "yard/lista_cancela.h"
#include "yard/pista.h"

void ligaPista(Contexto& ctx, JanelaPrincipal& janela) {
    // The lanes live as long as the window they serve.
    Pista* pista = new Pista(ctx, &janela);
    JanelaPrincipal* j = &janela;
    Contexto* c = &ctx;

    janela.registraEntrada = [pista](const CamposEntrada& campos, bool imprime) {
        return pista->entrada(campos, imprime);
    };
    janela.registraSaida = [pista](const CamposSaida& campos, bool imprime) {
        return pista->saida(campos, imprime);
    };
    janela.abreAberturaCaixa = [c, j] {
        AberturaCaixa dialogo(*c, *j, j);
        dialogo.exec();
    };
    janela.abreListaEntrada = [c, j, pista] {
        ListaCancela dialogo(*c, *j, pista->cancelas(), Lado::Entrada, j);
        dialogo.exec();
    };
    janela.abreListaSaida = [c, j, pista] {
        ListaCancela dialogo(*c, *j, pista->cancelas(), Lado::Saida, j);
        dialogo.exec();
    };
    ligaCaixa(ctx, janela);

    // "Lista de Pátio" opens beside the main window; pressed again while it is open, it comes
    // forward as it is. "Fechar" destroys it, so the next opening lists the yard afresh.
    janela.abreJanelaBarra[3] =
        abreUmaVez<JanelaListaPatio>([c, j] { return new JanelaListaPatio(*c, j); });
    ligaMensalistas(ctx, janela);
}
