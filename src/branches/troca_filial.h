#pragma once
// The branch exchange file: written at a branch with seven of its tables, merged at the office
// row by row by each table's key and branch.

#include "branches/backup.h"

#include <functional>

class Andamento;

inline const QString kNomeArquivoTroca = QStringLiteral("backup_filial.mdb");

// Writes the exchange file at `arquivo` (under a temporary name, renamed once complete). Rows
// without a branch number travel with this branch's number; the main database is not changed.
ResultadoBackup exporta_filial(Banco& db, const QString& arquivo);

// Merges the exchange file at `arquivo` into `db` in one transaction: each row of the branch
// the file came from overwrites the office row with the same key and branch, or is added; rows
// of other branches in it are left out, and subscribers the branch renumbered keep their rows
// under the new code. The file is checked whole first and only read; it is deleted after the
// commit. A file of a branch missing from the branch register is merged only once `confirma`
// (a Yes/No question to the operator; none: the merge goes on) answers yes. A file that cannot
// be merged whole, or a merge the operator declines or cancels through `andamento`, changes
// nothing and the file stays where it is.
ResultadoBackup mescla_filial(Banco& db, const QString& arquivo, Andamento* andamento = nullptr,
                              const std::function<bool(const QString&)>& confirma = {});
