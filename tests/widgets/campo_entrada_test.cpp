#include "../config/janela_config.h"

#include "widgets/regra_mascara.h"
#include "widgets/regras_campos.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QToolTip>

#include <functional>

namespace {

class CamposTest : public ConfigTest {
protected:
    CamposTest() {
        abre();
        // Fields that start disabled until their option is chosen.
        for (const char* n : {"Frame1", "val_fix", "apo_var", "apo_tem", "hor_ini", "hor_fim", "cob"})
            con->findChild<QWidget*>(n)->setEnabled(true);
    }
    QLineEdit* campo(const char* nome) { return con->findChild<QLineEdit*>(nome); }
    // Gives the focus to `c` from another field of its tab.
    void foca(QLineEdit* c) {
        mostraAba(c);
        c->clearFocus();
        c->setFocus(Qt::TabFocusReason);
    }
};

// Every masked field of the window, with what it selects on getting the focus, and what "12"
// typed after a click past its blanks gives.
TEST_F(CamposTest, CampoMascaradoSelecionaAMascaraInteira) {
    const struct {
        const char* nome;
        const char* vazio;
        int selecao;   // 0: makes no selection of its own
        const char* depoisDoClique;
    } casos[] = {
        {"tem_rot", "  :  ", 5, "12:  "},     {"apo_cad", "  :  ", 5, "12:  "},
        {"hor_ini_tur", "  :  ", 5, "12:  "}, {"hor_fim_tur", "  :  ", 5, "12:  "},
        {"tem_dia", "  ", 2, "12"},           {"tem", "  :  ", 5, "12:  "},
        {"apo_tem", "  :  ", 5, "12:  "},     {"hor_ini", "  :  ", 5, "12:  "},
        {"hor_fim", "  :  ", 5, "12:  "},     {"hora_inicio", "  :  :  ", 8, "12:  :  "},
        {"hora_fim", "  :  :  ", 8, "12:  :  "}, {"cnp", "  .   .   /    -  ", 18, "12.   .   /    -  "},
        {"tem_ent", " ", 1, "1"},             {"tem_sai", " ", 1, "1"},
        {"ava", "  ", 2, "12"},               {"pro", "          ", 10, "12        "},
        {"fil", "  ", 2, "12"},               {"hor_red", "  :  ", 0, "12:  "},
        {"bai", "  ", 0, "12"},               {"dia", "  ", 0, "12"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        auto* f = qobject_cast<CampoMascara*>(campo(c.nome));
        ASSERT_NE(f, nullptr);
        f->setEnabled(true);
        f->limpa();
        EXPECT_EQ(f->texto(), c.vazio);
        EXPECT_EQ(f->comprimentoMascara(), int(strlen(c.vazio)));
        f->setCursorPosition(1);
        foca(f);
        ASSERT_TRUE(f->hasFocus());
        if (c.selecao) {
            EXPECT_EQ(f->selectionStart(), 0);
            EXPECT_EQ(f->selectedText().size(), c.selecao);
        } else {
            EXPECT_FALSE(f->hasSelectedText());
        }
        // A click past the blanks of the focused field leaves the cursor at its end: what is
        // typed goes in where the field's text ends, here its start.
        QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(f->width() - 4, f->height() / 2));
        ASSERT_FALSE(f->hasSelectedText());
        QTest::keyClicks(f, "12");
        EXPECT_EQ(f->texto(), c.depoisDoClique);
    }
    // Typing over the selection replaces the whole value; only digits enter.
    QLineEdit* t = campo("tem_rot");
    t->setText("12:34");
    foca(t);
    QTest::keyClicks(t, "0a8-30");
    EXPECT_EQ(t->displayText(), "08:30");
}

// Every money field: keys, selection and what is left on leaving.
TEST_F(CamposTest, CampoDinheiroFiltraEFormata) {
    const struct {
        const char* nome;
        const char* reserva;
    } campos[] = {{"val_rot", ""}, {"apo_cob", ""}, {"val_tur", ""}, {"val_dia", ""},
                  {"valor", "0,00"}, {"val_fix", ""}, {"val_con", ""}, {"apo_fix", ""},
                  {"apo_var", ""}, {"cob", ""}};
    const struct {
        const char* digitado;   // typed key by key
        const char* visto;      // what the field holds while focused
        const char* aoSair;     // nullptr: the field's fallback
    } teclas[] = {
        {"7.5", "7,5", "7,50"},
        {"12345", "12345", "12.345,00"},
        {"a-1 b2", "12", "12,00"},
        {"", "", nullptr},
        // No amount: kept as typed for the button to refuse, never turned into 0,00.
        {"1,2,3", "1,2,3", "1,2,3"},
        {"12.345", "12,345", "12,345"},
        {"123456789012345", "123456789012345", "123456789012345"},
    };
    for (const auto& f : campos) {
        QLineEdit* c = campo(f.nome);
        ASSERT_NE(qobject_cast<CampoDinheiro*>(c), nullptr) << f.nome;
        for (const auto& t : teclas) {
            SCOPED_TRACE(std::string(f.nome) + " <- " + t.digitado);
            c->setText("99,99");
            foca(c);
            EXPECT_EQ(c->selectedText(), "99,99");
            QTest::keyClick(c, Qt::Key_Delete);
            QTest::keyClicks(c, t.digitado);
            QTest::keyClick(c, Qt::Key_Return);
            EXPECT_EQ(c->text(), t.visto);
            c->clearFocus();
            EXPECT_EQ(c->text(), t.aoSair ? t.aoSair : f.reserva);
        }
    }
    // Text that is not an amount stays, and the button refuses it with the focus on the field.
    QLineEdit* v = campo("valor");
    foca(v);
    v->setText("dez reais");
    v->clearFocus();
    EXPECT_EQ(v->text(), "dez reais");
    // The selection is the field's own text, whatever the length of its neighbour's.
    campo("apo_fix")->setText("1.234.567,00");
    QLineEdit* apoVar = campo("apo_var");
    apoVar->setText("5,00");
    foca(apoVar);
    EXPECT_EQ(apoVar->selectedText(), "5,00");
}

// A plate: letters or digits, in upper case, around the hyphen; selected whole on focus.
TEST(CampoMascara, PlacaEmMaiusculas) {
    QWidget janela;
    auto* placa = new CampoMascara(">aaa-aaaa", true, &janela);
    janela.show();
    QApplication::setActiveWindow(&janela);
    EXPECT_EQ(placa->texto(), "   -    ");
    EXPECT_EQ(placa->comprimentoMascara(), 8);
    placa->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(placa, "abc1d23");
    EXPECT_EQ(placa->texto(), "ABC-1D23");
    placa->clearFocus();
    placa->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(placa->selectedText(), "ABC-1D23");

    // Only what the ticket printer prints and the operator types again at the exit: letters
    // A to Z and digits. Another alphabet's letters never get in, typed (each key dropped) or
    // pasted (the text refused whole, the field keeping what it had).
    const auto digita = [placa](const QString& t) {
        for (QChar c : t) {
            QKeyEvent tecla(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(placa, &tecla);
        }
    };
    const auto cola = [placa](const QString& t) {
        QApplication::clipboard()->setText(t);
        QTest::keyClick(placa, Qt::Key_V, Qt::ControlModifier);
    };
    // Every other road by which a text arrives whole: dropped, the context menu's "Colar", an
    // input method's text.
    const auto solta = [placa](const QString& t) {
        QMimeData dados;
        dados.setText(t);
        QDragEnterEvent entra(QPoint(2, 2), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(placa, &entra);
        QDropEvent d(QPointF(2, 2), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(placa, &d);
    };
    const auto menu = [placa](const QString& t) {
        QApplication::clipboard()->setText(t);
        QTimer::singleShot(0, [] {
            QWidget* m = QApplication::activePopupWidget();
            if (!m) return;
            for (QAction* a : m->actions())
                if (a->text().section(u'\t', 0, 0) == QCoreApplication::translate("QLineEdit", "&Paste"))
                    a->trigger();
            m->close();
        });
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), placa->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(placa, &e);
    };
    const auto metodo = [placa](const QString& t) {
        QInputMethodEvent e;
        e.setCommitString(t);
        QCoreApplication::sendEvent(placa, &e);
    };
    const struct { std::function<void(const QString&)> poe; const char *texto, *fica; } casos[] = {
        {digita, "ΩЖ日1234", "123-4   "}, {cola, "ΩЖ日1234", "   -    "},
        {cola, "ĞŞİ-1234", "   -    "},  {digita, "ĞŞİ-1234", "123-4   "},
        {cola, "abc1234", "ABC-1234"},   {cola, "١٢٣-4567", "   -    "},
        // A blank, a sign, a tab, a dot or an emoji among a plate's characters, or one
        // character too many: the text is refused whole, never cut.
        {cola, "AB C1234", "   -    "},  {cola, "AB!C1234", "   -    "},
        {cola, "AB\tC1234", "   -    "}, {cola, "AB.C1234", "   -    "},
        {cola, "AB😀C1234", "   -    "}, {cola, "ABC12345", "   -    "},
        {solta, "AB C1234", "   -    "}, {menu, "AB!C1234", "   -    "},
        {metodo, "AB C1234", "   -    "},
        {solta, "abc1234", "ABC-1234"},  {menu, "ABC1D23", "ABC-1D23"},
        {metodo, "ab1", "AB1-    "},
    };
    for (const auto& c : casos) {
        placa->clear();
        placa->setCursorPosition(0);
        c.poe(QString::fromUtf8(c.texto));
        EXPECT_EQ(placa->texto(), c.fica) << c.texto;
    }
    // A plate already there stays as it was, and the operator is told why.
    placa->setText("KLM0001");
    placa->selectAll();
    QToolTip::hideText();
    cola("AB C1234");
    EXPECT_EQ(placa->texto(), "KLM-0001");
    EXPECT_EQ(QToolTip::text(), kMsgColadoNaoCabe);
}

// Where a whole text would land in a mask: every character in a place that takes it.
TEST(CampoMascara, ColadoEntraInteiroOuNada) {
    const struct { const char *mascara; int posicao; const char *colado; bool entra; } casos[] = {
        {">nnn-nnnn; ", 0, "abc1234", true},   {">nnn-nnnn; ", 4, "1234", true},
        {">nnn-nnnn; ", 5, "1234", false},     {">nnn-nnnn; ", 8, "A", false},
        {"00:00; ", 0, "1230", true},          {"00:00; ", 0, "12:30", false},
        {"00:00; ", 0, "12345", false},        {"00:00; ", 0, "12A3", false},
        {"99/99/9999; ", 3, "122026", true},
    };
    for (const auto& c : casos)
        EXPECT_EQ(coladoEntraInteiro(c.mascara, c.posicao, QString::fromUtf8(c.colado)), c.entra)
            << c.mascara << " @" << c.posicao << " " << c.colado;
}

TEST(TextoDinheiroAoSair, FormataOuCaiNaReserva) {
    EXPECT_EQ(textoDinheiroAoSair("1234,5", ""), "1.234,50");
    EXPECT_EQ(textoDinheiroAoSair("1.234,5", ""), "1.234,50");
    EXPECT_EQ(textoDinheiroAoSair("3", ""), "3,00");
    EXPECT_EQ(textoDinheiroAoSair("", "0,00"), "0,00");
    EXPECT_EQ(textoDinheiroAoSair("  ", "0,00"), "0,00");
    EXPECT_EQ(textoDinheiroAoSair("12.34", "0,00"), "12.34");
}

}  // namespace
