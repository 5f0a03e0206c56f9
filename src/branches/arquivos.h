#pragma once
// Files of the backups and the exchange between branch and office: names, existence, safe
// replacement and the checks a database file must pass before it is used.

#include "data/arquivo_copiado.h"
#include "data/esquema.h"
#include "data/gravacao_segura.h"

#include <QFileInfo>
#include <QString>

#include <vector>

class Banco;

// True when `caminho` names an existing ordinary file; a folder or a hidden file does not count.
bool existe_arquivo(const QString& caminho);

// `nome` inside `pasta`, whether or not the folder's path ends with "/".
QString naPasta(const QString& pasta, const QString& nome);

// Puts `novo` in the place of `destino` in one step: either the old file or the new one is
// there, never a part of either. Both must be in the same folder. Throws ErroBanco.
void substituiArquivo(const QString& novo, const QString& destino);

// Copies `origem` into the new private file `copia` (see copiaPrivada). Throws ErroBanco with
// the cause: the disk full, naming `nome` (the file the operator knows the copy as), `origem`
// changed while it was copied, or else `falha`. `copiado` as copiaPrivada's.
void copiaVerificada(const QString& origem, const QString& copia, const QString& nome,
                     const QString& falha, ArquivoCopiado* copiado = nullptr);

// A file the operator chose (a backup, a branch or subscriber file) taken as a private copy
// beside the database: checked and then read from those very bytes, never from its path again,
// so that a change to it meanwhile (a copy onto the medium still running) is never taken.
// The copy goes with this object.
class CopiaDeEntrada {
public:
    // The copy is made new at `copia`, or beside it when that name is taken (see
    // ArquivoTemporario). Throws ErroBanco as copiaVerificada, `falha` telling that it could not
    // be copied.
    CopiaDeEntrada(const QString& origem, const QString& copia, const QString& falha);
    CopiaDeEntrada(const CopiaDeEntrada&) = delete;
    CopiaDeEntrada& operator=(const CopiaDeEntrada&) = delete;
    const QString& caminho() const { return copia_.caminho(); }
    // Removes the file chosen, once used, if it is still the one copied (see ArquivoCopiado).
    ArquivoCopiado::Exclusao excluiOrigem() {
        return origem_.exclui(nomeOrigem_, QFileInfo(copia_.caminho()).absolutePath());
    }

private:
    ArquivoTemporario copia_;
    QString nomeOrigem_;
    ArquivoCopiado origem_;
};

// One table of a file that travels: the layout's fields named here, in this order, and the
// field of its index if it has one.
struct TabelaArquivo {
    const char* nome;
    std::vector<const char*> campos;
    const char* campoIndice = nullptr;
};
using LeiauteArquivo = std::vector<TabelaArquivo>;

// Creates `caminho` as a new file of ours holding the empty tables of `leiaute`, each field
// declared as in the main database. Leaves it closed, in the single-file journal mode.
void criaArquivoTroca(const QString& caminho, const LeiauteArquivo& leiaute);

// The comma-separated field names of a table of a file.
QString listaCampos(const TabelaArquivo& t);
