// Enter on a focused button presses it, in every window; Enter in a dialog's field presses none.

#include "access/janela_acesso.h"
#include "branches/janela_filiais.h"
#include "cash/abe_cai.h"
#include "cash/fec_cai.h"
#include "cash/val_cai.h"
#include "config/janela_configuracao.h"
#include "reports/janela_relatorios.h"
#include "subscribers/consulta_mensalistas.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "subscribers/troca_codigo_dialogo.h"
#include "support/ambiente.h"
#include "widgets/cria.h"
#include "yard/can.h"
#include "yard/cancelas.h"
#include "support/janela_principal_teste.h"
#include "yard/lista_cancela.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TEST(BotoesEnter, EnterNoBotaoFocadoPressionaEmCadaJanela) {
    Ambiente amb;
    amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
    JanelaPrincipalTeste principal{amb.ctx};
    MemoriaConfiguracao memoria;
    JanelaMensalistas registro{amb.ctx, &principal};
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
    const struct {
        const char* janela;
        std::function<std::unique_ptr<QWidget>()> abre;
        int botoes;
    } casos[] = {
        {"con", [&] { return std::make_unique<JanelaConfiguracao>(amb.ctx, principal, memoria); }, 23},
        {"men", [&] { return std::make_unique<JanelaMensalistas>(amb.ctx, &principal); }, 10},
        {"cons_men", [&] { return std::make_unique<ConsultaMensalistas>(amb.ctx); }, 4},
        {"pag_men", [&] { return std::make_unique<JanelaPagamento>(amb.ctx); }, 3},
        {"abe_cai", [&] { return std::make_unique<AberturaCaixa>(amb.ctx, principal); }, 2},
        {"fec_cai", [&] { return std::make_unique<FechamentoCaixa>(amb.ctx, principal); }, 2},
        {"val_cai", [&] { return std::make_unique<ValorCaixa>(amb.ctx); }, 1},
        {"can", [&] { return std::make_unique<Cancelamento>(amb.ctx, principal); }, 2},
        {"lis_ent", [&] { return std::make_unique<ListaCancela>(amb.ctx, principal, cancelas, Lado::Entrada); }, 1},
        {"tro_cod", [&] { return std::make_unique<TrocaCodigoDialogo>(amb.ctx, registro); }, 1},
        {"acesso", [&] { return std::make_unique<JanelaAcesso>(amb.ctx, principal); }, 2},
        {"ger", [&] { return std::make_unique<JanelaFiliais>(amb.ctx); }, 10},
        {"rel", [&] { return std::make_unique<JanelaRelatorios>(amb.ctx); }, 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.janela);
        std::unique_ptr<QWidget> janela = c.abre();
        janela->show();
        QStringList semEnter;
        const auto botoes = janela->findChildren<QPushButton*>();
        EXPECT_EQ(botoes.size(), c.botoes);
        for (QPushButton* b : botoes) {
            // Only the press is counted: the button's own work is not what is tested here.
            QObject::disconnect(b, &QPushButton::clicked, nullptr, nullptr);
            QSignalSpy pressionado(b, &QPushButton::clicked);
            for (QWidget* w = b; w; w = w->parentWidget()) w->setEnabled(true);
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Return);
            if (pressionado.count() != 1) semEnter << b->objectName();
        }
        EXPECT_TRUE(semEnter.isEmpty()) << semEnter.join(' ').toStdString();
    }
}

TEST(BotoesEnter, EnterNumCampoDeDialogoNaoPressionaBotao) {
    QDialog dialogo;
    auto* campo = new QLineEdit(&dialogo);
    QPushButton* ok = criaBotao(&dialogo, "ok", "OK");
    auto* l = new QVBoxLayout(&dialogo);
    l->addWidget(campo);
    l->addWidget(ok);
    dialogo.show();
    QSignalSpy pressionado(ok, &QPushButton::clicked);
    ok->setFocus();
    campo->setFocus();   // a button focused once becomes no default
    QTest::keyClick(campo, Qt::Key_Return);
    EXPECT_EQ(pressionado.count(), 0);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Enter);
    EXPECT_EQ(pressionado.count(), 1);
}

}  // namespace
