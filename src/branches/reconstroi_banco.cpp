#include "branches/reconstroi_banco.h"

#include "branches/copia_tabelas.h"
#include "branches/verifica_arquivo.h"
#include "data/banco.h"
#include "data/cria_banco.h"
#include "data/esquema.h"
#include "data/gravacao_segura.h"

#include <sqlite3.h>

namespace {

// Runs one statement of the copy. What the backup's rows or pages caused is its refusal;
// anything else (the disk, the memory) is the failure of the operation.
void executaCopia(Banco& db, const QString& sql, const QString& tabela) {
    const int r = sqlite3_exec(db.nativo(), sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    switch (r & 0xff) {
    case SQLITE_OK: return;
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_ERROR:
        throw RecusaArquivo(
            QStringLiteral("A tabela %1 tem registros fora das regras deste sistema.").arg(tabela));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: throw RecusaArquivo(QStringLiteral("O arquivo está danificado."));
    default: db.falhaNativa();
    }
}

// The next number of an auto-numbered field goes on from the backup's, which may be past the
// highest row (rows deleted, the ticket counter moved forward); a number that no row of the
// field could hold would refuse every later entry.
void copiaNumeracao(Banco& db, const char* tabela) {
    if (!db.existe(QStringLiteral(
            "SELECT 1 FROM arquivo.sqlite_schema WHERE type = 'table' AND name = 'sqlite_sequence'")))
        return;
    const auto linha = db.primeiraLinha(
        "SELECT max(seq), min(typeof(seq) = 'integer' AND seq BETWEEN 0 AND 2147483647) "
        "FROM arquivo.sqlite_sequence WHERE name = ?",
        {QLatin1String(tabela)});
    if (!linha || linha->at(1).isNull()) return;
    if (linha->at(1).toInt() != 1)
        throw RecusaArquivo(QStringLiteral("A numeração automática da tabela %1 não é um número "
                                           "que o campo possa guardar.")
                                .arg(QLatin1String(tabela)));
    const QVariant seq = linha->at(0);
    db.executa(QStringLiteral("UPDATE main.sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"),
               {seq, QLatin1String(tabela)});
    db.executa(QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) SELECT ?, ? "
                              "WHERE NOT EXISTS (SELECT 1 FROM main.sqlite_sequence WHERE name = ?)"),
               {QLatin1String(tabela), seq, QLatin1String(tabela)});
}

}  // namespace

void reconstroi_banco(const QString& copia, const QString& destino) {
    Banco novo;
    cria_banco(novo, destino);
    try {
        avisaMudanca(destino);
        comArquivoAnexado(novo, copia, [&] {
            for (const Tabela& t : esquema()) {
                QStringList campos;
                bool numerada = false;   // its auto-numbered field is the rowid itself
                for (const Campo& c : t.campos) {
                    campos << QLatin1String(c.nome);
                    numerada = numerada || c.autoIncremento;
                }
                const QString lista = (numerada ? QString() : QStringLiteral("rowid, ")) +
                                      campos.join(QStringLiteral(", "));
                executaCopia(novo,
                             QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM arquivo.%1 "
                                            "ORDER BY rowid")
                                 .arg(QLatin1String(t.nome), lista),
                             QLatin1String(t.nome));
                if (numerada) copiaNumeracao(novo, t.nome);
            }
        });
        // The rows went into the log: the file itself holds them only once the log is folded
        // in, and a disk that fills there must stop the restore, not leave an empty file.
        avisaMudanca(destino);
        novo.consolida();
        novo.fecha();
    } catch (...) {
        // The file made goes with the caller's ArquivoTemporario, only if it is still that one.
        novo.fecha();
        throw;
    }
}
