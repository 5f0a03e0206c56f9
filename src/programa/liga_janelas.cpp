#include "programa/liga_janelas.h"

#include "access/janela_usuarios.h"
#include "config/janela_configuracao.h"
#include "programa/janela_unica.h"
#include "reports/janela_relatorios.h"
#include "yard/janela_principal.h"

#include <QScreen>

void liga_janela_usuarios(Contexto& ctx, JanelaPrincipal& a) {
    a.abreJanelaBarra[0] = abreUmaVez<JanelaUsuarios>(ctx, a);
}

void liga_janela_configuracao(Contexto& ctx, JanelaPrincipal& a) {
    auto memoria = std::make_shared<MemoriaConfiguracao>();
    a.abreJanelaBarra[2] = abreUmaVez<JanelaConfiguracao>([&ctx, &a, memoria] {
        auto* j = new JanelaConfiguracao(ctx, a, *memoria, &a);
        j->adjustSize();
        if (QScreen* tela = j->screen()) j->move(tela->availableGeometry().center() - j->rect().center());
        return j;
    });
}

void liga_janela_relatorios(Contexto& ctx, JanelaPrincipal& a) {
    a.abreJanelaBarra[4] = abreUmaVez<JanelaRelatorios>(ctx, a);
}
