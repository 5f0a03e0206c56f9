#pragma once
// The branch exchange file: written at a branch with seven of its tables, merged at the office
// row by row by each table's key and branch.

#include "branches/backup.h"

class Andamento;

inline const QString kNomeArquivoTroca = QStringLiteral("backup_filial.mdb");

// Writes the exchange file at `arquivo` (under a temporary name, renamed once complete). Rows
// without a branch number travel with this branch's number; the main database is not changed.
ResultadoBackup exporta_filial(Banco& db, const QString& arquivo);

// Merges the exchange file at `arquivo` into `db` in one transaction: each row overwrites the
// office row with the same key and branch, or is added. The file is checked whole first and
// only read; it is deleted after the commit. A file that cannot be merged whole, or a merge
// the operator cancels through `andamento`, changes nothing and the file stays where it is.
ResultadoBackup mescla_filial(Banco& db, const QString& arquivo, Andamento* andamento = nullptr);
