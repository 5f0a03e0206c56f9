#include "branches/janela_andamento.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The operator's "Cancelar" reaches the running operation at its next look.
TEST(JanelaAndamento, CancelarParaAOperacao) {
    JanelaAndamento janela(nullptr, QStringLiteral("Recebendo backup de filial..."));
    Andamento& a = janela.andamento();
    a.defineTotal(10);
    a.avanca(5);
    EXPECT_TRUE(a.continua());
    EXPECT_EQ(janela.findChild<QProgressBar*>("barra")->value(), 500);
    QTest::mouseClick(janela.findChild<QPushButton*>("cancelar"), Qt::LeftButton);
    EXPECT_FALSE(a.continua());
    EXPECT_TRUE(a.cancelado());
}

}  // namespace
