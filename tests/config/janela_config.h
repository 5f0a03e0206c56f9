#pragma once
// Shared set-up of the configuration window tests: the main window as the login leaves it and
// the configuration window opened over a fresh database.

#include "config/convenios_aba.h"
#include "config/diaria_aba.h"
#include "config/escritorio_aba.h"
#include "config/geral_aba.h"
#include "config/janela_configuracao.h"
#include "config/rotativo_aba.h"
#include "config/tipos_mensalistas_aba.h"
#include "config/turnos_aba.h"
#include "support/ambiente.h"
#include "widgets/campo_entrada.h"
#include "yard/cancelas.h"
#include "yard/entrada.h"
#include "support/janela_principal_teste.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The main window as the login leaves it and the configuration window over it, driven as the
// operator drives them.
struct SessaoConfiguracao {
    // Creates the window, which runs its load, and shows it.
    void abre() {
        con = std::make_unique<JanelaConfiguracao>(amb.ctx, principal, memoria);
        con->show();
        QApplication::setActiveWindow(con.get());
    }
    // Shows the tab that holds `w`, so that it can take the focus.
    void mostraAba(QWidget* w) {
        for (int i = 0; i < con->SSTab1->count(); ++i)
            if (con->SSTab1->widget(i)->isAncestorOf(w)) con->SSTab1->setCurrentIndex(i);
    }
    void clica(QPushButton* b) {
        amb.plataforma.mensagens.clear();
        mostraAba(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // A click on the entry `texto` of the list, as the operator picks it.
    void clicaItem(QListWidget* l, const QString& texto) {
        mostraAba(l);
        const auto achados = l->findItems(texto, Qt::MatchExactly);
        if (achados.isEmpty()) {
            ADD_FAILURE() << "not in the list: " << texto.toStdString();
            return;
        }
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(achados[0]).center());
    }
    // A click on the grid's row `linha`, counted from 1.
    void clicaLinha(QTableWidget* g, int linha) {
        mostraAba(g);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(linha - 1, 0)).center());
    }
    QString valor(const QString& sql) { return amb.db().valor(sql).toString(); }

    Ambiente amb;
    JanelaPrincipalTeste principal{amb.ctx};
    MemoriaConfiguracao memoria;
    std::unique_ptr<JanelaConfiguracao> con;
};

// One operator's session over a fresh database, on 07/12/2026 at 10:00 by both clocks.
struct SessaoOperador : SessaoConfiguracao {
    SessaoOperador() {
        amb.plataforma.defineAgora(QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0)));
        amb.ctx.estado.data_atual = QDate(2026, 12, 7);
        amb.ctx.estado.hora_atual = QTime(10, 0, 0);
    }
    void tecla(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = {}) {
        w->setFocus();
        QTest::keyClick(w, k, m);
    }
    QString mensagens() const { return amb.plataforma.textosMensagens().join(" | "); }
    // The ticket of a casual vehicle entering now, as the lane shows it.
    QString proximaEntrada() {
        ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
        static int placa = 1000;
        return registra_entrada(amb.ctx, cancelas, {QString("ABC-%1").arg(++placa), "   ", ""}).tic;
    }
};

class ConfigTest : public ::testing::Test, public SessaoConfiguracao {
protected:
    // The only message shown since the last click.
    QString mensagem() const {
        const QStringList m = amb.plataforma.textosMensagens();
        return m.size() == 1 ? m[0] : m.join(QStringLiteral(" | "));
    }
    QString foco() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // The grid's data rows, cells joined by "|".
    static QStringList linhas(const QTableWidget* g) {
        QStringList r;
        for (int i = 0; i < g->rowCount(); ++i) {
            QStringList c;
            for (int j = 0; j < g->columnCount(); ++j) c << (g->item(i, j) ? g->item(i, j)->text() : "");
            r << c.join(u'|');
        }
        return r;
    }
    // A combo box's or a list's items, in order.
    static QStringList itens(const QComboBox* c) {
        QStringList r;
        for (int i = 0; i < c->count(); ++i) r << c->itemText(i);
        return r;
    }
    static QStringList itens(const QListWidget* l) {
        QStringList r;
        for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
        return r;
    }
    // Enabled on its own, whatever its frame (the main window's frames wait for a cash register).
    static bool habilitada(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }
};
