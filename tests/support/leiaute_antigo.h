#pragma once
// Builds the layout that a file of an older version had, from the list of what each later
// version added, so that the upgrade can be run on it.

#include "data/banco.h"

#include <QString>

// Creates the file at `caminho` with the layout of `versao` and a `geral` row holding that
// version; leaves `db` open on it.
void criaLeiauteAntigo(Banco& db, const QString& caminho, int versao);
