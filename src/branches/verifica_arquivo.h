#pragma once
// The one check of a file that is to replace the live database (a backup) or feed it (a branch
// exchange file, a subscriber file). A file is taken only whole: ours, with our password, every
// table of its layout a plain table with every field of the declared type, its pages sound, and
// every value of the kind its field holds. Nothing is read from a table before its kind is
// known, so a view in place of a table is refused at once, however many rows it would give.

#include "branches/arquivos.h"
#include "data/banco.h"

class Andamento;

// What is wrong with a file, as the check or the use of it found: the file's fault, told to the
// operator as it is, not a failure of the disk or of the live database.
class RecusaArquivo : public ErroBanco {
public:
    using ErroBanco::ErroBanco;
};

// Opens `caminho` only to read it (nothing is written to it or beside it) into `arq` and checks
// it against `leiaute`. `nome` is the file as the operator knows it (empty: `caminho`);
// `completo` also checks the indexes against their tables, for a file that becomes the live
// database. Throws RecusaArquivo with what is wrong, in a sentence (ErroBanco when the file
// could not be read at all); `arq` is then closed.
void abreVerificado(Banco& arq, const QString& caminho, const LeiauteArquivo& leiaute,
                    const QString& nome = {}, Andamento* andamento = nullptr,
                    bool completo = false);
