#pragma once
// A restored backup becomes a database this program fully works on: not the backup's file as it
// came, with whatever rules and indexes another program (or a damaged page of the layout) left
// in it, but a file made anew from the program's own layout, holding the backup's rows.

#include <QString>

// Creates `destino` (a name nothing holds) with the program's layout (tables, their rules,
// indexes) and copies into it every row of the checked copy `copia`, each with its rowid, and the
// next numbers of the auto-numbered fields. Leaves `destino` closed. A row that breaks the
// program's rules, or a numbering out of its field's range, throws RecusaArquivo; a failure of the
// disk throws ErroBanco. On any failure the file made at `destino` is left to the temporary file
// (ArquivoTemporario) the caller holds at that name, which removes it if it is still that file.
void reconstroi_banco(const QString& copia, const QString& destino);
