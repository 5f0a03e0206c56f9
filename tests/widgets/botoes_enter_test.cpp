// Enter on a focused button presses it, in every window; Enter in a dialog's field presses none.

#include "cash/abe_cai.h"
#include "config/janela_configuracao.h"
#include "subscribers/consulta_mensalistas.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "support/ambiente.h"
#include "widgets/cria.h"
#include "yard/janela_principal.h"

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
    JanelaPrincipal principal{amb.ctx};
    MemoriaConfiguracao memoria;
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
