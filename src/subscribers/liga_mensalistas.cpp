#include "subscribers/liga_mensalistas.h"

#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "yard/janela_principal.h"

#include <QPointer>

#include <memory>

void ligaMensalistas(Contexto& ctx, JanelaPrincipal& a) {
    auto aberta = std::make_shared<QPointer<JanelaMensalistas>>();
    a.abreJanelaBarra[1] = [&ctx, &a, aberta] {
        if (!*aberta) {
            auto* j = new JanelaMensalistas(ctx, &a, &a);
            j->setWindowFlag(Qt::Window);
            j->setAttribute(Qt::WA_DeleteOnClose);
            *aberta = j;
        }
        (*aberta)->show();
        (*aberta)->raise();
        (*aberta)->activateWindow();
    };
    a.abrePagamentoMensalista = [&ctx, &a] {
        JanelaPagamento janela(ctx, &a);
        janela.exec();
    };
}
