#pragma once
// Reading and writing the grids of the configuration window: data rows are numbered from 1 (the
// header is row 0), and the selected row is the current one (0 when none is selected).

#include <QString>

class QTableWidget;

QString celula(const QTableWidget* grade, int linha, int coluna);   // linha from 1
void escreveCelula(QTableWidget* grade, int linha, int coluna, const QString& texto);
int linhaAtual(const QTableWidget* grade);
// Makes `linha` current and selected; 0 selects nothing.
void tornaAtual(QTableWidget* grade, int linha);
