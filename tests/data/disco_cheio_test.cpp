#include "data/banco.h"
#include "support/banco_teste.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

// Runs `grava` while no file of the process may grow, and gives what the operator would read.
QString semCrescer(const std::function<void()>& grava) {
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    // Past the limit the write fails instead of the signal ending the process.
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &limite);
    QString visto;
    try {
        grava();
    } catch (const ErroBanco& e) {
        visto = e.mensagem();
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    return visto;
}

// The same with the database at the largest size it may take: the engine finds it full.
QString cheio(Banco& db, const std::function<void()>& grava) {
    db.executa(QStringLiteral("PRAGMA max_page_count = %1").arg(db.valor("PRAGMA page_count").toInt()));
    QString visto;
    try {
        grava();
    } catch (const ErroBanco& e) {
        visto = e.mensagem();
    }
    db.executa(QStringLiteral("PRAGMA max_page_count = 1073741823"));
    return visto;
}

}  // namespace

// A disk with no room is told in the operator's words on every way the program writes: a
// statement of Qt's, one of the engine's kept statements, and a transaction, whose commit is
// where a disk that fills meanwhile is found (and where Qt gives only the engine's English).
TEST(DiscoCheio, CausaEmPortuguesEmCadaCaminhoDeGravacao) {
    BancoTeste b;
    Banco& db = b.db();
    const QString semEspaco =
        QStringLiteral("O disco onde está o arquivo %1 está cheio. Libere espaço e tente novamente.")
            .arg(b.caminho());
    const QString falhaDisco = QStringLiteral("Houve um erro de leitura ou gravação no disco do arquivo "
                                              "%1. Verifique o disco e tente novamente.")
                                   .arg(b.caminho());
    // Enough rows that one more needs a new page of the file.
    for (int i = 0; i < 300; ++i)
        db.executaDireto("INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa) VALUES (?, 'ABC-1234', '10:00:00', 1)", {i});
    const char* insere = "INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa) SELECT ticket + 1000, "
                         "placa, hora, caixa FROM cancelamento_ticket";
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
        EXPECT_EQ(cheio(db, grava).toStdString(), semEspaco.toStdString()) << nome;
        // Every write lands in a log that starts empty, so that none fits.
        db.executa(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        EXPECT_EQ(semCrescer(grava).toStdString(), falhaDisco.toStdString()) << nome;
    }
    EXPECT_EQ(db.valor(QStringLiteral("SELECT count(*) FROM cancelamento_ticket")).toInt(), 300);
    db.executaDireto(insere);   // room again: the same write goes through
    EXPECT_EQ(db.valor(QStringLiteral("SELECT count(*) FROM cancelamento_ticket")).toInt(), 600);
}
