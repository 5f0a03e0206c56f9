#include "widgets/campo_dinheiro.h"
#include "widgets/campo_entrada.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QTimer>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

TEST(CampoDinheiro, FormataAoSairOuLimpa) {
    QLineEdit campo;
    const struct { const char *digitado, *mostrado; } casos[] = {
        {"1234,5", "1.234,50"}, {"0", "0,00"}, {"12,345", ""}, {"0,001", ""}, {"abc", ""}, {"", ""},
    };
    for (const auto& c : casos) {
        campo.setText(c.digitado);
        const auto valor = formataCampoDinheiro(&campo);
        EXPECT_EQ(campo.text(), c.mostrado) << c.digitado;
        EXPECT_EQ(valor.has_value(), *c.mostrado != '\0') << c.digitado;
    }
}

// Pasted or dropped text meets the rule typed text meets: a sign or a letter never gets in.
TEST(CampoDinheiro, ColadoSegueARegraDoDigitado) {
    QLineEdit campo;
    aplicaRegraDinheiro(&campo);
    const struct { const char *antes, *colado, *depois; } casos[] = {
        {"", "-25,00", ""},       {"7,00", "-25,00", "7,00"}, {"", "12,50", "12,50"},
        {"", "1.234,56", "1.234,56"}, {"", "25 reais", ""},  {"1", "0", "10"},
    };
    for (const auto& c : casos) {
        campo.setText(c.antes);
        campo.end(false);
        campo.insert(c.colado);   // what paste() and a drop do with the text
        EXPECT_EQ(campo.text(), c.depois) << c.colado;
    }
}

// An amount copied from elsewhere goes in as the amount it is; anything else is refused whole.
TEST(CampoDinheiro, TextoColadoLidoComoOValor) {
    const struct { const char *colado, *entra; } casos[] = {
        {"120.50", "120,50"},     {"12.5", "12,5"},         {"1,234.56", "1234,56"},
        {" 120.50\n", "120,50"},  {"R$ 7,00", "7,00"},      {"1.234,56", "1.234,56"},
        {"1.234", "1.234"},       {"0,5", "0,5"},           {"-25,00", nullptr},
        {"25 reais", nullptr},    {"1.2.3", nullptr},       {"12.34.56", nullptr},
        {"", nullptr},            {"1,2.3,4", nullptr},     {"12,345", nullptr},
        {"0.001", nullptr},       {"0,001", nullptr},
    };
    for (const auto& c : casos) {
        const auto t = textoDinheiroColado(QString::fromUtf8(c.colado));
        EXPECT_EQ(t.value_or("nada"), c.entra ? QString(c.entra) : QString("nada")) << c.colado;
    }
}

// Shortcuts and the clipboard in a money field work as in any field; pasted amounts are read.
TEST(CampoDinheiro, AtalhosEAreaDeTransferencia) {
    using Acao = std::function<void(QLineEdit*)>;
    auto teclas = [](const char* t) { return Acao([t](QLineEdit* c) { QTest::keyClicks(c, t); }); };
    auto atalho = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        return Acao([k, m](QLineEdit* c) { QTest::keyClick(c, k, m); });
    };
    auto copia = [](const char* t) {
        return Acao([t](QLineEdit*) { QApplication::clipboard()->setText(QString::fromUtf8(t)); });
    };
    // "Colar" of the field's context menu, chosen while the menu is open.
    auto menuColar = Acao([](QLineEdit* c) {
        QTimer::singleShot(0, [] {
            QWidget* menu = QApplication::activePopupWidget();
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (a->text().section(u'\t', 0, 0) == QCoreApplication::translate("QLineEdit", "&Paste"))
                    a->trigger();
            menu->close();
        });
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), c->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(c, &e);
    });
    const struct {
        const char* nome;
        std::vector<Acao> acoes;
        const char* texto;          // the field's text afterwards
        const char* areaDepois;     // the clipboard afterwards; nullptr: not looked at
        bool avisado;               // the refusal shown beside the field
    } casos[] = {
        {"Ctrl+A e digita", {teclas("12"), atalho(Qt::Key_A), teclas("30")}, "30", nullptr, false},
        {"Ctrl+C copia", {teclas("12,5"), atalho(Qt::Key_A), atalho(Qt::Key_C)}, "12,5", "12,5", false},
        {"Ctrl+X recorta", {teclas("7"), atalho(Qt::Key_A), atalho(Qt::Key_X)}, "", "7", false},
        {"Ctrl+V de um valor com ponto", {copia("120.50"), atalho(Qt::Key_V)}, "120,50", nullptr, false},
        {"Shift+Insert", {copia("1,234.56"), atalho(Qt::Key_Insert, Qt::ShiftModifier)}, "1234,56", nullptr, false},
        {"Ctrl+V sobre a seleção", {teclas("9"), atalho(Qt::Key_A), copia("3,00"), atalho(Qt::Key_V)}, "3,00", nullptr, false},
        {"Ctrl+V de um texto", {teclas("5"), copia("dez reais"), atalho(Qt::Key_V)}, "5", nullptr, true},
        {"Ctrl+V negativo", {copia("-3,00"), atalho(Qt::Key_V)}, "", nullptr, true},
        {"Ctrl+V de três casas", {copia("0,001"), atalho(Qt::Key_V)}, "", nullptr, true},
        {"Colar do menu", {copia("120.50"), menuColar}, "120,50", nullptr, false},
        {"Colar do menu um texto", {copia("abc"), menuColar}, "", nullptr, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        CampoDinheiro campo;
        campo.show();
        QApplication::setActiveWindow(&campo);
        campo.setFocus();
        QToolTip::showText(QPoint(0, 0), QStringLiteral("-"), &campo);
        for (const Acao& a : c.acoes) a(&campo);
        EXPECT_EQ(campo.text(), c.texto);
        if (c.areaDepois) {
            EXPECT_EQ(QApplication::clipboard()->text(), c.areaDepois);
        }
        EXPECT_EQ(QToolTip::text() == kMsgColadoNaoEValor, c.avisado);
    }
}
