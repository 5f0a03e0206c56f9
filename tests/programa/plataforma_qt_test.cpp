#include "programa/plataforma_qt.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// A message or a question answered: the keyboard is back on the window it stood over, also where
// no window manager gives it back, so the key typed next reaches that window's field.
TEST(PlataformaQt, TecladoVoltaAJanelaDepoisDaCaixa) {
    PlataformaQt real;
    Plataforma& p = real;
    for (const bool pergunta : {false, true}) {
        QLineEdit janela;
        janela.show();
        janela.activateWindow();
        QApplication::processEvents();
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        pergunta ? void(p.pergunta("Confirma?")) : p.mensagem("Digite a placa.");
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), &janela) << pergunta;
        QTest::keyClicks(&janela, "7");
        EXPECT_EQ(janela.text(), "7");
    }
}
