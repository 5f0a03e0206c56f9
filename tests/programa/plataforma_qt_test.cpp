#include "programa/plataforma_qt.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// A message or a question answered: the keyboard is back on the window it stood over, also where
// no window manager gives it back, so the key typed next reaches that window's field.
TEST(PlataformaQt, TecladoVoltaAJanelaDepoisDaCaixa) {
    PlataformaQt real;
    Plataforma& plataforma = real;
    const std::pair<const char*, std::function<void()>> caixas[] = {
        {"mensagem", [&] { plataforma.mensagem("Digite a placa."); }},
        {"pergunta", [&] { plataforma.pergunta("Confirma?"); }},
    };
    for (const auto& [nome, mostra] : caixas) {
        SCOPED_TRACE(nome);
        QLineEdit janela;
        janela.show();
        janela.activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QGuiApplication::focusWindow(), janela.windowHandle());
        QTimer::singleShot(0, [] {
            if (QWidget* caixa = QApplication::activeModalWidget())
                QTest::keyClick(caixa, Qt::Key_Escape);
        });
        mostra();
        QApplication::processEvents();
        EXPECT_EQ(QGuiApplication::focusWindow(), janela.windowHandle());
        QWidget* comTeclado = QApplication::focusWidget();
        ASSERT_NE(comTeclado, nullptr);
        QTest::keyClicks(comTeclado, "7");
        EXPECT_EQ(janela.text(), "7");
    }
}
