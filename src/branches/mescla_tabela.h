#pragma once
// Merging the rows of a checked file (open for reading) into the main database, row by row
// through the engine's own statements, inside the caller's transaction. Keys are SQL conditions
// on the main table where ?N stands for the file row's N-th field (counting from 1) and the
// numbers after the last field for the extra values given.

#include "branches/arquivos.h"

#include <QVariantList>

#include <memory>

class Andamento;
class Banco;

struct Mescla {
    Mescla(const TabelaArquivo& t, const QString& k = {}) : tabela(t), chave(k) {}

    const TabelaArquivo& tabela;
    // Finds the main row that the file row overwrites (the first one, by rowid); empty: every
    // file row is added.
    QString chave;
    // The main row found is left as it is when this holds (its fields, ?N the file row's).
    QString conserva;
    // Run on the main database before a file row is added, with the same values as the key.
    QString antesDeIncluir;
    // Values for the numbers after the last field.
    QVariantList extras;
    // A Boolean field of the main table, not in the file, that every row the merge writes (added
    // or overwritten) takes as True: the rows received (empty: none).
    QString marca;
    // The fields as read from the file, when they are not read as they are ("coalesce(filial,
    // ?1)"), and the condition on the file's rows that are merged (empty: every row), with the
    // values of both.
    QString selecao;
    QString filtro;
    QVariantList valoresSelecao;
};

// For `Mescla::conserva` on `mensalidades` (its third field `pago` in every file): a month paid
// here stays as it is against a file row that has it unpaid (a file made before the payment, or
// a site not yet told of it), and against one paid by another payment while this one's is held
// here: the payment taken here stands, and its month row still tells whose it was.
QString mesPagoAqui();

// Merges one table. Throws ErroBanco; "A operação foi cancelada." when the operator stopped it.
void mesclaTabela(Banco& db, Banco& arq, const Mescla& m, Andamento* andamento);

// Runs `sql` on the main database once for each row of `consulta` (with its own values) on
// the file, the row's columns bound to ?1, ?2... and `extras` after them.
void executaPorLinha(Banco& db, Banco& arq, const QString& consulta,
                     const QVariantList& valoresConsulta, const QString& sql,
                     const QVariantList& extras = {});

// The rows of the tables of `leiaute` in the file that meet `filtro` (with `valores`; empty:
// every row): the whole of a merge's work.
qint64 linhasDoArquivo(Banco& arq, const LeiauteArquivo& leiaute, const QString& filtro = {},
                       const QVariantList& valores = {});

// What the operator reads when a file was refused or its merge failed: nothing changed.
QString textoFalhaRecebimento(const QString& arquivo, const QString& causa);

// Takes the received file `arquivo` as a private copy beside the database `db` and opens the
// copy into `arq`, checked against `leiaute` and named as `arquivo` (see abreVerificado): what
// is merged is what was checked. Keep the copy while `arq` reads it. Throws ErroBanco.
std::unique_ptr<CopiaDeEntrada> abreRecebido(Banco& db, Banco& arq, const QString& arquivo,
                                             const LeiauteArquivo& leiaute, Andamento* andamento);

// Removes the received file `arquivo`, once merged, only if it is still the file copied: empty
// then. Otherwise the file stays and this tells the operator why: another file took its name
// during the merge (never read, so nothing of it was taken), or it could not be removed.
QString excluiRecebido(CopiaDeEntrada& copia, const QString& arquivo);
