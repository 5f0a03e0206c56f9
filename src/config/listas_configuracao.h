#pragma once
// The rows that fill the lists and grids of the configuration window, read from their tables.

#include "data/banco.h"

#include <QList>
#include <QStringList>

#include <utility>

// The subscriber types in name order: each one's name and code.
QList<std::pair<QString, qint64>> tiposMensalistas(Banco& db);
// Names of the partner agreements, in name order.
QStringList nomesConvenios(Banco& db);
// One row per shift in start order: start "HH:MM", end "HH:MM", price "#,##0.00".
QList<QStringList> linhasTurnos(Banco& db);
// One row per time-table step in the order of `ordem`: time "HH:MM", price "#,##0.00".
QList<QStringList> linhasRotativo(Banco& db);
