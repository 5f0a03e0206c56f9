#include "config/grade_configuracao.h"

#include <QItemSelectionModel>
#include <QTableWidget>

QString celula(const QTableWidget* grade, int linha, int coluna) {
    const QTableWidgetItem* item = grade->item(linha - 1, coluna);
    return item ? item->text() : QString();
}

void escreveCelula(QTableWidget* grade, int linha, int coluna, const QString& texto) {
    if (QTableWidgetItem* item = grade->item(linha - 1, coluna)) item->setText(texto);
    else grade->setItem(linha - 1, coluna, new QTableWidgetItem(texto));
}

int linhaAtual(const QTableWidget* grade) {
    const auto linhas = grade->selectionModel()->selectedRows();
    return linhas.isEmpty() ? 0 : linhas.first().row() + 1;
}

void tornaAtual(QTableWidget* grade, int linha) {
    if (linha < 1) {
        grade->clearSelection();
        grade->setCurrentCell(-1, -1);
    } else {
        grade->selectRow(linha - 1);
    }
}
