#pragma once
// Columns of a list wide enough for what they show: the one rule of every window's grid.

#include <QList>
#include <QStringList>

class QTableView;

// Widens each column of `grade` so that its heading, the texts of the rows it holds and
// `amostras[c]` (texts standing for the widest the column may come to hold) show whole, as the
// view lays them out, and the grid at least as wide as its columns side by side. A column is
// never narrowed.
void alargaColunas(QTableView& grade, const QList<QStringList>& amostras = {});
