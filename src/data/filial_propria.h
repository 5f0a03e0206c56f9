#pragma once
// This installation's own branch number, the one its own rows carry.

#include <QString>

// An SQL scalar subquery: a lane's branch number, Null at the office (and at a lane whose number
// is not set). The rows a lane's register writes (stays, cancellations, openings and closings)
// carry it, and a row of this installation read without a branch stands for it.
inline const QString kFilialPropria = QStringLiteral(
    "(SELECT CASE WHEN geral.escritorio THEN NULL ELSE geral.filial END FROM geral "
    "ORDER BY geral.rowid LIMIT 1)");
