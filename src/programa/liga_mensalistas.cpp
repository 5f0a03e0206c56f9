#include "programa/liga_mensalistas.h"

#include "programa/janela_unica.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "yard/janela_principal.h"

void ligaMensalistas(Contexto& ctx, JanelaPrincipal& a) {
    a.abreJanelaBarra[1] = abreUmaVez<JanelaMensalistas>([&ctx, &a] {
        auto* j = new JanelaMensalistas(ctx, &a, &a);
        j->setWindowFlag(Qt::Window);
        return j;
    });
    a.abrePagamentoMensalista = [&ctx, &a] {
        JanelaPagamento janela(ctx, &a);
        janela.exec();
    };
}
