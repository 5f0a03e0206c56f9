#include "programa/liga_caixa.h"

#include "cash/fec_cai.h"
#include "cash/val_cai.h"
#include "yard/can.h"
#include "yard/janela_principal.h"

void ligaCaixa(Contexto& ctx, JanelaPrincipal& janela) {
    Contexto* c = &ctx;
    JanelaPrincipal* j = &janela;
    janela.abreFechamentoCaixa = [c, j] {
        FechamentoCaixa dialogo(*c, *j, j);
        dialogo.exec();
    };
    janela.abreValorCaixa = [c, j] {
        ValorCaixa dialogo(*c, j);
        dialogo.exec();
    };
    janela.abreCancelamento = [c, j] {
        // A cancellation is logged under the open register; with none, say so at once rather
        // than after the operator has typed the vehicle.
        if (c->estado.numero_caixa == 0) {
            c->plataforma.mensagem(
                QStringLiteral("Não há caixa aberto. Abra o caixa para cancelar um ticket."));
            return;
        }
        Cancelamento dialogo(*c, *j, j);
        dialogo.exec();
    };
}
