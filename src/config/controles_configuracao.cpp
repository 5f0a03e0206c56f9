#include "config/controles_configuracao.h"

#include "widgets/campo_dinheiro.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QTableWidget>

CampoMascara* campoMascara(QWidget* pai, const char* nome, const QString& mascara, bool seleciona) {
    auto* c = cria<CampoMascara>(pai, nome, mascara, seleciona);
    c->setMaximumWidth(c->fontMetrics().horizontalAdvance(QString(c->comprimentoMascara() + 2, u'0')) + 12);
    return c;
}

CampoDinheiro* campoDinheiro(QWidget* pai, const char* nome, const QString& reserva) {
    auto* c = cria<CampoDinheiro>(pai, nome, reserva);
    c->setFixedWidth(larguraDeValor(c));
    return c;
}

QTableWidget* gradeConfiguracao(QWidget* pai, const char* nome, int colunas, int linhas) {
    auto* g = cria<QTableWidget>(pai, nome, linhas, colunas);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->setVisible(false);
    return g;
}

QHBoxLayout* linhaDe(std::initializer_list<QWidget*> ws, bool estica) {
    auto* l = new QHBoxLayout;
    for (QWidget* w : ws) l->addWidget(w);
    if (estica) l->addStretch();
    return l;
}

void rotulosECampos(QGridLayout* g, std::initializer_list<std::pair<QWidget*, QWidget*>> pares,
                    bool larguraPropria, int linha) {
    for (const auto& [rotulo, campo] : pares) {
        g->addWidget(rotulo, linha, 0);
        if (larguraPropria)
            g->addLayout(linhaDe({campo}), linha, 1);
        else
            g->addWidget(campo, linha, 1);
        ++linha;
    }
}

void selecionaItem(QComboBox* lista, const QString& texto) {
    const int i = lista->findText(texto);
    lista->setCurrentIndex(i >= 0 ? i : 0);
}

void preencheGrade(QTableWidget* g, const QList<QStringList>& linhas) {
    g->clearContents();
    g->setRowCount(linhas.isEmpty() ? 1 : int(linhas.size()));
    for (int i = 0; i < linhas.size(); ++i)
        for (int j = 0; j < linhas[i].size(); ++j)
            g->setItem(i, j, new QTableWidgetItem(linhas[i][j]));
    g->setCurrentCell(-1, -1);
    g->clearSelection();
}
