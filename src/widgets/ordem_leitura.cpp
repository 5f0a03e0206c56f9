#include "widgets/ordem_leitura.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QMainWindow>
#include <QRect>
#include <QStackedLayout>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// A piece of a layout (a control, a frame, a layout inside it) and where it stands in it: its
// cells in a grid, its place along a row or a column, else where it is on the screen.
struct Peca {
    QRect lugar;
    QLayoutItem* item = nullptr;
    QWidget* controle = nullptr;
};
using Pecas = std::vector<Peca>;

int inicio(const QRect& r, bool vertical) { return vertical ? r.y() : r.x(); }
int fim(const QRect& r, bool vertical) { return vertical ? r.y() + r.height() : r.x() + r.width(); }

// Splits `pecas` at the first line (across when `vertical`, else down) that crosses none of
// them: `antes` above it or at its left, `depois` the rest.
bool divide(Pecas pecas, bool vertical, Pecas& antes, Pecas& depois) {
    std::stable_sort(pecas.begin(), pecas.end(), [vertical](const Peca& a, const Peca& b) {
        return inicio(a.lugar, vertical) < inicio(b.lugar, vertical);
    });
    int alcance = fim(pecas.front().lugar, vertical);
    for (size_t i = 1; i < pecas.size(); ++i) {
        if (inicio(pecas[i].lugar, vertical) >= alcance) {
            antes.assign(pecas.begin(), pecas.begin() + qsizetype(i));
            depois.assign(pecas.begin() + qsizetype(i), pecas.end());
            return true;
        }
        alcance = std::max(alcance, fim(pecas[i].lugar, vertical));
    }
    return false;
}

// Lines first, each read from the left; a piece standing over several lines splits them into
// columns, read from the left, each from its top.
Pecas emLeitura(const Pecas& pecas) {
    if (pecas.size() <= 1) return pecas;
    Pecas antes, depois;
    if (divide(pecas, true, antes, depois) || divide(pecas, false, antes, depois)) {
        Pecas r = emLeitura(antes);
        const Pecas resto = emLeitura(depois);
        r.insert(r.end(), resto.begin(), resto.end());
        return r;
    }
    // Pieces that overlap every way (none of this program's windows has them): by their corner.
    Pecas r = pecas;
    std::stable_sort(r.begin(), r.end(), [](const Peca& a, const Peca& b) {
        return std::pair(a.lugar.y(), a.lugar.x()) < std::pair(b.lugar.y(), b.lugar.x());
    });
    return r;
}

QRect lugarNoLayout(QLayout* layout, int i) {
    if (auto* grade = qobject_cast<QGridLayout*>(layout)) {
        int linha, coluna, linhas, colunas;
        grade->getItemPosition(i, &linha, &coluna, &linhas, &colunas);
        return QRect(coluna, linha, colunas, linhas);
    }
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        int linha;
        QFormLayout::ItemRole papel;
        form->getItemPosition(i, &linha, &papel);
        if (papel == QFormLayout::SpanningRole) return QRect(0, linha, 2, 1);
        return QRect(papel == QFormLayout::FieldRole ? 1 : 0, linha, 1, 1);
    }
    if (auto* caixa = qobject_cast<QBoxLayout*>(layout)) {
        switch (caixa->direction()) {
        case QBoxLayout::LeftToRight: return QRect(i, 0, 1, 1);
        case QBoxLayout::RightToLeft: return QRect(caixa->count() - 1 - i, 0, 1, 1);
        case QBoxLayout::TopToBottom: return QRect(0, i, 1, 1);
        case QBoxLayout::BottomToTop: return QRect(0, caixa->count() - 1 - i, 1, 1);
        }
    }
    if (qobject_cast<QStackedLayout*>(layout)) return QRect(0, i, 1, 1);
    return layout->itemAt(i)->geometry();
}

bool tomaFoco(const QWidget* w) { return w->focusPolicy() != Qt::NoFocus; }

void juntaLayout(const QWidget* janela, QLayout* layout, QList<QWidget*>& saida);

// `w` and the controls it holds, in reading order.
void junta(const QWidget* janela, QWidget* w, QList<QWidget*>& saida) {
    if (w != janela && w->isWindow()) return;
    if (auto* abas = qobject_cast<QTabWidget*>(w)) {
        // Its tabs, then the page shown: Tab reaches only the controls of that page.
        saida << abas;
        for (int i = 0; i < abas->count(); ++i) junta(janela, abas->widget(i), saida);
        return;
    }
    if (auto* principal = qobject_cast<QMainWindow*>(w)) {
        // Its toolbar and status bar take no focus.
        if (principal->centralWidget()) junta(janela, principal->centralWidget(), saida);
        return;
    }
    if (w->layout()) {
        if (tomaFoco(w)) saida << w;   // a frame that is a control too (a ticked frame)
        juntaLayout(janela, w->layout(), saida);
        return;
    }
    if (tomaFoco(w)) {
        saida << w;   // a control: what it holds (a list's rows, a box's field) is its own
        return;
    }
    // A frame without a layout: its controls where they stand.
    Pecas pecas;
    for (QObject* filho : w->children())
        if (auto* c = qobject_cast<QWidget*>(filho)) pecas.push_back({c->geometry(), nullptr, c});
    for (const Peca& p : emLeitura(pecas)) junta(janela, p.controle, saida);
}

void juntaLayout(const QWidget* janela, QLayout* layout, QList<QWidget*>& saida) {
    Pecas pecas;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() || item->layout()) pecas.push_back({lugarNoLayout(layout, i), item});
    }
    for (const Peca& p : emLeitura(pecas)) {
        if (QWidget* w = p.item->widget()) junta(janela, w, saida);
        else juntaLayout(janela, p.item->layout(), saida);
    }
}

}  // namespace

QList<QWidget*> ordemDeLeitura(const QWidget* janela) {
    QList<QWidget*> ordem;
    junta(janela, const_cast<QWidget*>(janela), ordem);
    ordem.removeAll(const_cast<QWidget*>(janela));
    return ordem;
}
