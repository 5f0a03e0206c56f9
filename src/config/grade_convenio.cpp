#include "config/grade_convenio.h"

#include <QTableWidget>

namespace {

QString celula(const QTableWidget* g, int linha, int coluna) {
    const QTableWidgetItem* i = g->item(linha, coluna);
    return i ? i->text() : QString();
}

void escreve(QTableWidget* g, int linha, const QString& tempo, const QString& valor) {
    g->setItem(linha, 0, new QTableWidgetItem(tempo));
    g->setItem(linha, 1, new QTableWidgetItem(valor));
}

bool emBranco(const QTableWidget* g, int linha) { return celula(g, linha, 0).isEmpty(); }

}  // namespace

QList<QPair<QString, QString>> passos_da_grade(const QTableWidget* g) {
    QList<QPair<QString, QString>> passos;
    for (int l = 0; l < g->rowCount() && !emBranco(g, l); ++l)
        passos.append({celula(g, l, 0), celula(g, l, 1)});
    return passos;
}

void preenche_grade_convenio(QTableWidget* g, const QList<QPair<QString, QString>>& passos) {
    g->clearContents();
    g->setRowCount(passos.isEmpty() ? 1 : int(passos.size()));
    for (int l = 0; l < passos.size(); ++l) escreve(g, l, passos[l].first, passos[l].second);
    g->setCurrentCell(-1, -1);
    g->clearSelection();
    g->scrollToTop();
}

void adiciona_linha_convenio(QTableWidget* g, const QString& tem, const QString& val_con) {
    if (g->rowCount() == 0) g->setRowCount(1);
    int linha = g->rowCount() - 1;
    if (emBranco(g, linha)) {
        while (linha > 0 && emBranco(g, linha)) --linha;
        if (!emBranco(g, linha)) ++linha;
    } else {
        g->setRowCount(g->rowCount() + 1);
        linha = g->rowCount() - 1;
    }
    escreve(g, linha, tem, val_con);
    g->setCurrentCell(linha, 0);
    g->scrollToItem(g->item(linha, 0), QAbstractItemView::PositionAtTop);
}

ResultadoAba remove_linha_convenio(QTableWidget* g) {
    const int atual = g->currentRow();
    if (atual < 0 || atual >= g->rowCount())
        return ResultadoAba::recusa(QStringLiteral("Selecione o tempo a remover da lista."));
    if (emBranco(g, atual))
        return ResultadoAba::recusa(QStringLiteral("Linha em branco. Não pode ser removida."));
    const int ultima = g->rowCount() - 1;
    for (int l = atual; l < ultima; ++l) escreve(g, l, celula(g, l + 1, 0), celula(g, l + 1, 1));
    escreve(g, ultima, QString(), QString());
    g->setCurrentCell(ultima, 0);
    g->scrollToTop();
    ResultadoAba r;
    r.feito = true;
    return r;
}
