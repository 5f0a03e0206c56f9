#pragma once
// The one check of a file that is to replace the live database (a backup) or feed it (a branch
// exchange file, a subscriber file). A file is taken only whole: ours, with our password, every
// table of its layout a plain table with every field of the declared type, its pages sound, and
// every value of the kind its field holds. Nothing is read from a table before its kind is
// known, so a view in place of a table is refused at once, however many rows it would give.

#include "branches/arquivos.h"

class Andamento;

// Opens `caminho` only to read it (nothing is written to it or beside it) into `arq` and checks
// it against `leiaute`. `nome` is the file as the operator knows it (empty: `caminho`);
// `completo` also checks the indexes against their tables, for a file that becomes the live
// database. Throws ErroBanco with what is wrong, in a sentence; `arq` is then closed.
void abreVerificado(Banco& arq, const QString& caminho, const LeiauteArquivo& leiaute,
                    const QString& nome = {}, Andamento* andamento = nullptr,
                    bool completo = false);
