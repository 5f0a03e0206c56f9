// The keyboard in every window the program opens: Enter on a focused button presses it, Enter in
// a dialog's field presses none but in a dialog of one field, where it acts as its "OK"; Tab
// follows the controls in reading order and enters a group of options on the chosen one.

#include "access/janela_acesso.h"
#include "branches/janela_backup.h"
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
#include "support/janela_principal_teste.h"
#include "widgets/cria.h"
#include "yard/can.h"
#include "yard/cancelas.h"
#include "yard/lista_cancela.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Every window the program opens, over a fresh database with a branch and the roll of 40
// columns chosen.
struct Janelas {
    Janelas() {
        amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
        amb.db().executa("UPDATE geral SET bobina = 40");
    }
    struct Janela {
        const char* nome;
        std::function<std::unique_ptr<QWidget>()> abre;
        int botoes;
        // Keys typed on the control `inicio`; then where Tab goes from the control that has
        // the focus, round to it (in a window of tabs, through the page shown).
        const char* inicio = nullptr;
        std::vector<Qt::Key> teclas = {};
        QStringList tab = {};
        // A field, and the button that Enter typed in it presses, if any.
        QStringList enter = {};
    };
    std::vector<Janela> todas();

    Ambiente amb;
    JanelaPrincipalTeste principal{amb.ctx};
    MemoriaConfiguracao memoria;
    JanelaMensalistas registro{amb.ctx, &principal};
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
};

std::vector<Janelas::Janela> Janelas::todas() {
    Contexto& c = amb.ctx;
    const auto baixo = std::vector<Qt::Key>(5, Qt::Key_Down);
    return {
        {"a", [&] { return std::make_unique<JanelaPrincipalTeste>(c); }, 11},
        {"con", [&] { return std::make_unique<JanelaConfiguracao>(c, principal, memoria); }, 23,
         "qt_tabwidget_tabbar", {},
         {"qt_tabwidget_tabbar", "cnp", "Check2", "Check7", "Check11", "Check8", "Check14",
          "Check15", "lin1", "lin2", "lin3", "lin4", "pen", "ult", "Option6", "ava", "imp_fis",
          "ali", "Check12", "Check13", "hor_red", "impr", "can_ent", "can_sai", "Check3", "tem_ent",
          "Check5", "Check4", "tem_sai", "Check6", "Check9", "Check10", "bai", "pro", "Command22",
          "Command20", "Command21"}},
        // The register keeps an order of its own: "Novo" first, the fee history near the end.
        {"men", [&] { return std::make_unique<JanelaMensalistas>(c, &principal); }, 10, "Command1", {},
         {"Command1", "dat", "nom", "ende", "bai", "cep", "cid", "ani", "tel_res", "tel_com",
          "tel_cel", "fax", "rg", "Combo1", "cpf", "tip", "dia", "tol", "valor", "fil", "vei", "ano",
          "pla", "Command6", "Command7", "num", "Check1", "Check2", "Check3", "Check4", "Check5",
          "Check6", "Check7", "Check8", "hor_ini", "hor_fim", "dat_ini", "dat_fim", "Command2",
          "Command3", "Command4", "Command5", "Command10", "Command8", "grid1", "grid2", "Command9"}},
        {"cons_men", [&] { return std::make_unique<ConsultaMensalistas>(c); }, 4},
        {"pag_men", [&] { return std::make_unique<JanelaPagamento>(c); }, 3},
        {"abe_cai", [&] { return std::make_unique<AberturaCaixa>(c, principal); }, 2, {}, {}, {}, {"tro", "Command1"}},
        {"fec_cai", [&] { return std::make_unique<FechamentoCaixa>(c, principal); }, 2},
        {"val_cai", [&] { return std::make_unique<ValorCaixa>(c); }, 1},
        {"can", [&] { return std::make_unique<Cancelamento>(c, principal); }, 2},
        {"lis_ent", [&] { return std::make_unique<ListaCancela>(c, principal, cancelas, Lado::Entrada); }, 1},
        {"tro_cod", [&] { return std::make_unique<TrocaCodigoDialogo>(c, registro); }, 1, {}, {}, {}, {"nov", "Command1"}},
        {"acesso", [&] { return std::make_unique<JanelaAcesso>(c, principal); }, 2},
        {"ger", [&] { return std::make_unique<JanelaFiliais>(c); }, 10},
        // "Faturamento entre:" chosen with the arrows; Enter in a date asks for the report.
        {"rel", [&] { return std::make_unique<JanelaRelatorios>(c); }, 3, "Option1", baixo,
         {"Option5", "dat_ini", "dat_fim", "fil", "Command1", "Command2", "Check1", "Check2"},
         {"dat_fim", "Command1"}},
        {"bac", [&] { return std::make_unique<JanelaBackup>(c); }, 4, "Drive1", {},
         {"Drive1", "Dir1", "Command1", "Command4", "Command3"}},
        // A dialog of two fields: Enter in one presses no button.
        {"dois campos", [] {
             auto d = std::make_unique<QDialog>();
             auto* l = new QVBoxLayout(d.get());
             for (const char* nome : {"campo", "outro"}) l->addWidget(cria<QLineEdit>(d.get(), nome));
             l->addWidget(criaBotao(d.get(), "ok", "OK"));
             return d;
         }, 1, {}, {}, {}, {"campo"}},
    };
}

// The window of `c` shown and active; its buttons count their presses instead of doing their
// work, which is not what is tested here.
struct Aberta {
    explicit Aberta(const Janelas::Janela& c) : janela(c.abre()) {
        janela->show();
        QApplication::setActiveWindow(janela.get());
        for (QPushButton* b : janela->findChildren<QPushButton*>()) {
            QObject::disconnect(b, &QPushButton::clicked, nullptr, nullptr);
            QObject::connect(b, &QPushButton::clicked, [this, b] { pressionados << b->objectName(); });
        }
    }
    std::unique_ptr<QWidget> janela;
    QStringList pressionados;
};

// Shows the tab page that holds `w`, in a window of tabs (a page's parent is the tabs' stack).
void mostraPagina(QWidget* w) {
    for (QWidget* p = w; p->parentWidget(); p = p->parentWidget())
        if (auto* abas = qobject_cast<QTabWidget*>(p->parentWidget()->parentWidget()))
            abas->setCurrentWidget(p);
}

QString focado() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("nada");
}

// A stop of the Tab chain that is not one of `grupo`'s options.
bool paradaFora(QWidget* w, const QWidget* janela, const QButtonGroup* grupo) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return w->window() == janela && w->isVisible() && w->isEnabled() &&
           (w->focusPolicy() & Qt::TabFocus) && !(b && grupo->buttons().contains(b));
}

// Return and Enter on each button, focused: it is pressed twice.
TEST(TecladoNasJanelas, EnterNoBotaoFocadoPressionaEmCadaJanela) {
    Janelas j;
    for (const auto& c : j.todas()) {
        SCOPED_TRACE(c.nome);
        Aberta a(c);
        const auto botoes = a.janela->findChildren<QPushButton*>();
        EXPECT_EQ(botoes.size(), c.botoes);
        for (QPushButton* b : botoes) {
            for (QWidget* w = b; w; w = w->parentWidget()) w->setEnabled(true);
            b->setFocus();
            a.pressionados.clear();
            QTest::keyClick(b, Qt::Key_Return);
            QTest::keyClick(b, Qt::Key_Enter);
            EXPECT_EQ(a.pressionados, QStringList(2, b->objectName()));
        }
    }
}

// Typed in the field after each button had the focus once (an automatic default button would
// then press).
TEST(TecladoNasJanelas, EnterNoCampoPressionaSeuBotao) {
    Janelas j;
    for (const auto& c : j.todas()) {
        if (c.enter.isEmpty()) continue;
        SCOPED_TRACE(c.nome);
        Aberta a(c);
        auto* campo = a.janela->findChild<QLineEdit*>(c.enter[0]);
        for (QPushButton* b : a.janela->findChildren<QPushButton*>()) b->setFocus();
        campo->setEnabled(true);
        campo->setFocus();
        QTest::keyClicks(campo, "7");
        QTest::keyClick(campo, Qt::Key_Return);
        EXPECT_EQ(a.pressionados, c.enter.mid(1));
    }
}

TEST(TecladoNasJanelas, TabSegueALeituraEmCadaJanela) {
    Janelas j;
    for (const auto& c : j.todas()) {
        if (c.tab.isEmpty()) continue;
        SCOPED_TRACE(c.nome);
        Aberta a(c);
        a.janela->findChild<QWidget*>(c.inicio)->setFocus();
        for (Qt::Key k : c.teclas) QTest::keyClick(QApplication::focusWidget(), k);
        QStringList visitados{focado()};
        for (qsizetype i = 0; i < c.tab.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visitados << focado();
        }
        EXPECT_EQ(visitados.join(' ').toStdString(), (c.tab + c.tab.mid(0, 1)).join(' ').toStdString());
    }
}

// Each group of options, its last option chosen by the program: Tab from the stop before the
// group, and Shift+Tab from the stop after it, land on that option.
TEST(TecladoNasJanelas, TabEntraNoGrupoPelaOpcaoEscolhida) {
    Janelas j;
    for (const auto& c : j.todas()) {
        Aberta a(c);
        for (QButtonGroup* grupo : a.janela->findChildren<QButtonGroup*>()) {
            QAbstractButton* escolhida = grupo->buttons().constLast();
            SCOPED_TRACE(std::string(c.nome) + " " + escolhida->objectName().toStdString());
            mostraPagina(escolhida);
            for (QWidget* w = escolhida; w; w = w->parentWidget()) w->setEnabled(true);
            escolhida->setChecked(true);
            for (const bool antes : {true, false}) {
                QWidget* w = escolhida;
                do w = antes ? w->previousInFocusChain() : w->nextInFocusChain();
                while (!paradaFora(w, a.janela.get(), grupo));
                w->setFocus();
                QTest::keyClick(w, antes ? Qt::Key_Tab : Qt::Key_Backtab,
                                antes ? Qt::NoModifier : Qt::ShiftModifier);
                EXPECT_EQ(focado(), escolhida->objectName());
            }
        }
    }
}

}  // namespace
