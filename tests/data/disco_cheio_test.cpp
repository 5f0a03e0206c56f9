#include "data/banco.h"
#include "support/banco_teste.h"
#include "support/disco_cheio.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `grava` while no file of the process may grow, and gives what the operator would read.
QString semCrescer(const std::function<void()>& grava) {
    const DiscoCheio disco(1);
    try {
        grava();
    } catch (const ErroBanco& e) {
        return e.mensagem();
    }
    return {};
}

}  // namespace

// A disk that lets no file grow is told as full, in the operator's words, on every way the
// program writes: a statement of Qt's, one of the engine's kept statements, and a transaction,
// whose commit is where a disk that fills meanwhile is found (and where Qt gives only the
// engine's English).
TEST(DiscoCheio, CausaEmPortuguesEmCadaCaminhoDeGravacao) {
    BancoTeste b;
    Banco& db = b.db();
    const QString falhaDisco = QStringLiteral("O disco onde está o arquivo %1 está cheio. Libere espaço "
                                              "e tente novamente.")
                                   .arg(b.caminho());
    const char* insere = "INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa) VALUES "
                         "(7, 'ABC-1234', '10:00:00', 1)";
    const std::pair<const char*, std::function<void()>> caminhos[] = {
        {"Qt", [&] { db.executa(QString::fromLatin1(insere)); }},
        {"direto", [&] { db.executaDireto(insere); }},
        {"transacao", [&] {
             Transacao t(db);
             db.executaDireto(insere);
             t.confirma();
         }},
    };
    for (const auto& [nome, grava] : caminhos) {
        // Every write lands in a log that starts empty, so that none fits.
        db.executa(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        EXPECT_EQ(semCrescer(grava).toStdString(), falhaDisco.toStdString()) << nome;
    }
    EXPECT_EQ(db.valor(QStringLiteral("SELECT count(*) FROM cancelamento_ticket")).toInt(), 0);
    db.executaDireto(insere);   // room again: the same write goes through
    EXPECT_EQ(db.valor(QStringLiteral("SELECT count(*) FROM cancelamento_ticket")).toInt(), 1);
}
