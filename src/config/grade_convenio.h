#pragma once
// The time-value table `grid_con` of the partner editor. The grid's rows are the steps (its
// header holds "Tempo" and "Valor"); the filled rows stand together from the first one, blank
// rows can only trail after them, and there is always at least one row. The current row is the
// selection; none means no step is selected.

#include "config/resultado_aba.h"

#include <QList>
#include <QPair>
#include <QString>

class QTableWidget;

// The rows from the first up to the first blank one.
QList<QPair<QString, QString>> passos_da_grade(const QTableWidget* g);
// The steps in their order, or one blank row when there is none; no row selected.
void preenche_grade_convenio(QTableWidget* g, const QList<QPair<QString, QString>>& passos);
// Appends a step right after the last filled row, reusing a trailing blank row when there is
// one; the row written becomes the current one.
void adiciona_linha_convenio(QTableWidget* g, const QString& tem, const QString& val_con);
// "Remover": the selected step goes, the rows below move up and a blank row stays at the end.
ResultadoAba remove_linha_convenio(QTableWidget* g);
