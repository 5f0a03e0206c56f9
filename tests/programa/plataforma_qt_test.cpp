#include "programa/plataforma_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QWindow>
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

// A question that guards a loss: Enter, typed by habit, answers No, as Esc does; No holds the
// keyboard, so the Enter that reaches the button answers No too. It shows what its text reads.
TEST(PlataformaQt, PerguntaAtualizadaEnterDizNao) {
    PlataformaQt real;
    Plataforma& p = real;
    QLineEdit janela;
    janela.show();
    QApplication::processEvents();
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Escape}) {
        QString vista;
        bool naoComTeclado = false;
        QTimer::singleShot(0, [&] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            vista = caixa->text();
            naoComTeclado = caixa->focusWidget() == caixa->button(QMessageBox::No);
            QTest::keyClick(caixa, tecla);
        });
        EXPECT_FALSE(p.perguntaAtualizada([] { return QStringLiteral("Sair agora?"); })) << tecla;
        EXPECT_EQ(vista, "Sair agora?");
        EXPECT_TRUE(naoComTeclado) << tecla;
    }
}

// Keys typed right after the Enter that closes a box, sent to the box by the display, reach the
// window it stood over; after the start's date notice, the login window that opens next.
TEST(PlataformaQt, TeclasDigitadasLogoAposACaixaNaoSePerdem) {
    PlataformaQt real;
    Plataforma& p = real;
    QPointer<QWindow> caixa;
    const auto fechaComEnter = [&caixa] {
        QTimer::singleShot(0, [&caixa] {
            QWidget* aberta = QApplication::activeModalWidget();
            caixa = aberta->windowHandle();
            QTest::keyClick(aberta, Qt::Key_Return);
        });
    };
    const auto digitaNaCaixa = [&caixa](const char* teclas) {
        for (const char* t = teclas; *t; ++t) QTest::keyClick(caixa.data(), *t);
        QApplication::processEvents();
    };
    {
        QLineEdit janela;
        janela.show();
        fechaComEnter();
        p.mensagem("Preencha o tempo corretamente.");
        ASSERT_TRUE(caixa);
        digitaNaCaixa("1,5");
        EXPECT_EQ(janela.text(), "1,5");
    }
    fechaComEnter();
    p.mensagem("Verifique a data e hora do sistema.");
    QLineEdit login;
    login.show();
    QApplication::processEvents();
    ASSERT_TRUE(caixa);
    digitaNaCaixa("ana");
    EXPECT_EQ(login.text(), "ana");
}
