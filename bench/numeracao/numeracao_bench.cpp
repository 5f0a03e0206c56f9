// "Próx. tic." and "Alterar": the counter moved forward to the highest number it accepts, back
// below it, and back on a counter that an older program filled with a row for every number,
// each from a fresh copy of the file, on a real disk with the program's journal and sync.
// Prints the median time and what the file grew by; the goal is well under a second and next
// to nothing written, whatever the jump.

#include "../comum.h"
#include "../sqlite_nu.h"

#include "config/numeracao_ticket.h"
#include "data/banco.h"
#include "data/cria_banco.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

constexpr double kMetaSegundos = 0.25;
constexpr qint64 kMetaBytes = 64 * 1024;
constexpr int kLinhasAntigas = 2000000;   // a counter moved row by row, as older versions did

std::string s(const QString& q) { return q.toStdString(); }

// The file and what the engine keeps beside it, as a copy of the database would take them.
qint64 tamanho(const QString& caminho) {
    qint64 t = 0;
    for (const char* lado : {"", "-wal", "-journal"}) t += QFileInfo(caminho + lado).size();
    return t;
}

// A database with tickets 1 .. `tickets` issued (one row each, as the lanes leave them) and
// 1,000 stays out, tickets 1 .. 1,000.
void criaBanco(const QString& caminho, int tickets) {
    {
        Banco db;
        cria_banco(db, caminho, [](Banco& b) {
            b.executa(QStringLiteral("INSERT INTO geral (versao, data, impressora, cancela_entrada, "
                                     "cancela_saida) VALUES (123, '2026-12-07', ' ', ' ', ' ')"));
        });
    }
    sqlite3* db = abreNu(s(caminho), "WAL", "OFF");
    execNu(db, "BEGIN");
    Comando t(db, "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
                  "INSERT INTO gera_ticket (ticket) SELECT x FROM n");
    t.inteiro(1, tickets).roda();
    Comando e(db, "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 1000) "
                  "INSERT INTO registro_saida (ticket, placa) SELECT x, 'ABC-1234' FROM n");
    e.roda();
    execNu(db, "COMMIT");
    execNu(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    sqlite3_close(db);
}

struct Linha {
    const char* nome;
    const QString* modelo;
    const char* pro;
    std::vector<double> segundos;
    qint64 antes = 0, depois = 0;
    QString mensagem;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto [pastaBase, repeticoes] = leArgumentosBench(app.arguments(), 7);
    QTemporaryDir dir(pastaBase + "/quelmar-numeracao-XXXXXX");
    if (!dir.isValid()) return 2;
    std::fprintf(stderr, "Pasta: %s\nPreparando os contadores...", qPrintable(dir.path()));
    const QString novo = dir.filePath("novo.mdb"), antigo = dir.filePath("antigo.mdb");
    criaBanco(novo, 1000);
    criaBanco(antigo, kLinhasAntigas);
    std::fprintf(stderr, " pronto; medindo");

    Linha linhas[] = {
        {"forward, 1,000 -> 2147483647", &novo, "2147483647", {}, 0, 0, {}},
        {"back below the stays refused, 1,000 -> 500", &novo, "500", {}, 0, 0, {}},
        {"back on a counter filled row by row, 2,000,000 -> 1001", &antigo, "1001", {}, 0, 0, {}},
        {"forward on that counter, 2,000,000 -> 2147483647", &antigo, "2147483647", {}, 0, 0, {}},
    };
    const QString trabalho = dir.filePath("dados.mdb");
    for (int r = 0; r < repeticoes; ++r) {
        for (Linha& l : linhas) {
            copia(*l.modelo, trabalho);
            l.antes = tamanho(trabalho);
            {
                Banco b;
                b.abre(trabalho, Banco::kSenha);
                ResultadoNumeracao res;
                const auto t0 = Relogio::now();
                res = altera_numeracao(b, QString::fromLatin1(l.pro));
                l.segundos.push_back(std::chrono::duration<double>(Relogio::now() - t0).count());
                l.mensagem = res.mensagem;
                l.depois = tamanho(trabalho);
            }
        }
        std::fputc('.', stderr);
    }
    std::fputc('\n', stderr);

    std::printf("\n\"Próx. tic.\" and \"Alterar\" (altera_numeracao), WAL journal, synchronous FULL, "
                "files on disk under %s,\n%d repetitions, each from a fresh copy; goal: under "
                "%.2f s and under %lld KiB written.\n\n",
                qPrintable(pastaBase), repeticoes, kMetaSegundos, kMetaBytes / 1024);
    std::printf("%-56s %10s %14s %14s  %s\n", "operation", "median", "file before", "growth", "goal");
    bool todas = true;
    for (const Linha& l : linhas) {
        const double t = mediana(l.segundos);
        const qint64 cresceu = l.depois - l.antes;
        const bool ok = t < kMetaSegundos && cresceu < kMetaBytes;
        todas = todas && ok;
        std::printf("%-56s %8.4f s %12lld B %12lld B  %s\n", l.nome, t, l.antes, cresceu,
                    ok ? "met" : "NOT met");
        std::printf("%-56s %s\n", "", qPrintable(l.mensagem));
    }
    std::printf("%s\n", todas ? "Every goal met." : "Some goals not met.");
    return todas ? 0 : 1;
}
