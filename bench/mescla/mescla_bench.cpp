// The office's merge of a branch exchange file and the branch's import of a subscriber file,
// checks included, against a bare bulk insert of the same rows (sqlite3 C API, one prepared
// statement, one transaction, the same journal and sync settings) into the same database.
// Each repetition starts both sides from a fresh copy of the same files; the order of the two
// alternates. Prints the medians, the ratios and whether the goal (at most 2×) is met.

#include "../comum.h"
#include "../sqlite_nu.h"

#include "branches/arquivo_mensalistas.h"
#include "branches/troca_filial.h"
#include "data/banco.h"
#include "data/cria_banco.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

constexpr int kSaidasEscritorio = 1000000;
constexpr int kLinhasArquivo = 100000;
constexpr double kMeta = 2.0;

template <typename F>
double mede(F&& f) {
    const auto t0 = Relogio::now();
    f();
    return std::chrono::duration<double>(Relogio::now() - t0).count();
}

// Times one operation of the program; its refusal, if any, is told.
template <typename F>
double medeOperacao(F&& operacao) {
    decltype(operacao()) res;
    const double t = mede([&] { res = operacao(); });
    if (!res.ok) std::fprintf(stderr, "\n%s\n", qPrintable(res.mensagem));
    return t;
}

std::string s(const QString& q) { return q.toStdString(); }

// A new database of the program with its settings row.
void criaBanco(const QString& caminho, bool escritorio, int filial) {
    Banco db;
    cria_banco(db, caminho, [&](Banco& b) {
        b.executa(QStringLiteral("INSERT INTO geral (versao, data, impressora, cancela_entrada, "
                                 "cancela_saida, escritorio, filial) VALUES (123, '2026-12-07', "
                                 "' ', ' ', ' ', ?, ?)"),
                  {escritorio ? 1 : 0, filial});
    });
}

std::string doisDigitos(int n) {
    char b[4];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

// `quantas` stays of a branch, tickets from `primeiro`.
void insereSaidas(sqlite3* db, int quantas, int primeiro, int filial) {
    execNu(db, "BEGIN");
    Comando c(db, "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, "
                  "ticket, placa, tipo_estacionamento, caixa, total, valor_liquido, filial) "
                  "VALUES (?, ?, ?, '23:00:00', ?, ?, 'R', ?, ?, ?, ?)");
    for (int i = 0; i < quantas; ++i) {
        const std::string d = "2025-" + doisDigitos(1 + (i / 3000) % 12) + "-" + doisDigitos(1 + i % 28);
        const std::string h = doisDigitos(i % 23) + ":" + doisDigitos(i % 60) + ":00";
        c.texto(1, d).texto(2, h).texto(3, d).inteiro(4, primeiro + i)
            .texto(5, "ABC-" + std::to_string(1000 + i % 9000)).inteiro(6, 1 + i / 500)
            .inteiro(7, 50000 + i % 7 * 10000).inteiro(8, 50000 + i % 7 * 10000).inteiro(9, filial)
            .roda();
    }
    execNu(db, "COMMIT");
}

// The bare side: every row of `tabelas` of `arquivo`, read and inserted into the same tables of
// `destino` by one prepared statement each, in one transaction.
double insercaoNua(const QString& destino, const QString& arquivo,
                   const std::vector<std::pair<std::string, std::string>>& tabelas) {
    sqlite3* db = abreNu(s(destino), "WAL", "FULL");
    sqlite3* arq = nullptr;
    sqlite3_open_v2(s(arquivo).c_str(), &arq, SQLITE_OPEN_READONLY, nullptr);
    const double t = mede([&] {
        execNu(db, "BEGIN");
        for (const auto& [tabela, campos] : tabelas) {
            std::string marcas;
            for (char ch : campos) if (ch == ',') marcas += "?,";
            marcas += "?";
            Comando le(arq, ("SELECT " + campos + " FROM " + tabela).c_str());
            Comando insere(db, ("INSERT INTO " + tabela + " (" + campos + ") VALUES (" + marcas + ")").c_str());
            const int n = sqlite3_column_count(le.st());
            while (sqlite3_step(le.st()) == SQLITE_ROW) {
                for (int i = 0; i < n; ++i)
                    sqlite3_bind_value(insere.st(), i + 1, sqlite3_column_value(le.st(), i));
                insere.roda();
            }
        }
        execNu(db, "COMMIT");
    });
    sqlite3_close(arq);
    sqlite3_close(db);
    return t;
}

struct Linha {
    std::string nome;
    std::vector<double> programa, nu;
};

void imprime(const std::vector<Linha>& linhas, int repeticoes) {
    std::printf("\nOffice merge and subscriber-file import (checks included) against a bare bulk "
                "insert of the same rows\n(sqlite3 C API, one prepared statement, one transaction), "
                "WAL journal, synchronous FULL,\n%d repetitions, each from fresh copies; goal: "
                "within %.0f× the bare insert.\n\n",
                repeticoes, kMeta);
    std::printf("%-58s %10s %10s %8s %s\n", "operation", "program", "bare", "ratio", "goal");
    for (const Linha& l : linhas) {
        const double a = mediana(l.programa), b = mediana(l.nu);
        std::printf("%-58s %8.3f s %8.3f s %7.2f× %s\n", l.nome.c_str(), a, b, a / b,
                    a / b <= kMeta ? "met" : "NOT met");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto [pastaBase, repeticoes] = leArgumentosBench(app.arguments(), 5);
    QTemporaryDir dir(pastaBase + "/quelmar-mescla-XXXXXX");
    if (!dir.isValid()) return 2;
    const auto caminho = [&](const char* n) { return dir.filePath(QString::fromLatin1(n)); };

    // The office: a million stays of branch 1, and the merge's indexes made by an earlier merge.
    std::fprintf(stderr, "Pasta: %s\nPreparando o escritório e os arquivos...", qPrintable(dir.path()));
    const QString escritorio = caminho("escritorio.mdb");
    criaBanco(escritorio, true, 0);
    {
        sqlite3* db = abreNu(s(escritorio), "WAL", "OFF");
        insereSaidas(db, kSaidasEscritorio, 1, 1);
        sqlite3_close(db);
    }
    const QString filial = caminho("filial.mdb"), troca = caminho("troca.mdb");
    criaBanco(filial, false, 2);
    {
        sqlite3* db = abreNu(s(filial), "WAL", "OFF");
        insereSaidas(db, kLinhasArquivo, 1, 2);
        sqlite3_close(db);
        Banco b;
        b.abre(filial, Banco::kSenha);
        if (!exporta_filial(b, troca).ok) return 3;
    }
    double primeira = 0;
    {
        // The first merge ever makes the office's merge indexes; every later one finds them.
        const QString arq = caminho("primeira.mdb");
        copia(troca, arq);
        Banco b;
        b.abre(escritorio, Banco::kSenha);
        primeira = mede([&] { mescla_filial(b, arq); });
        b.executa(QStringLiteral("DELETE FROM registro_saida WHERE filial = 2"));
        b.executa(QStringLiteral("VACUUM"));
    }

    // The subscriber file: 20,000 subscribers of branch 1 with a vehicle and three monthly
    // fees each (100,000 rows), taken by a branch that has none yet.
    const QString escritorioMens = caminho("escritorio_mensalistas.mdb");
    const QString pastaArquivo = caminho("disquete");
    QDir().mkpath(pastaArquivo);
    criaBanco(escritorioMens, true, 0);
    {
        sqlite3* db = abreNu(s(escritorioMens), "WAL", "OFF");
        execNu(db, "BEGIN");
        execNu(db, "INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (1, 'Mensal', 1500000, 10)");
        Comando m(db, "INSERT INTO mensalistas (codigo, data_inicio, tipo, nome, num_max_veic, "
                      "dia_vencto, filial) VALUES (?, '2026-01-01', 1, ?, 1, 10, 1)");
        Comando v(db, "INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) "
                      "VALUES (?, 'Gol', '2010', ?, 1)");
        Comando f(db, "INSERT INTO mensalidades (codigo, mes, pago, valor, filial) VALUES (?, ?, 1, 1500000, 1)");
        for (int k = 1; k <= 20000; ++k) {
            m.inteiro(1, k).texto(2, "Mensalista " + std::to_string(k)).roda();
            v.inteiro(1, k).texto(2, "M-" + std::to_string(k)).roda();
            for (int mes = 10; mes <= 12; ++mes)
                f.inteiro(1, k).texto(2, "2026-" + doisDigitos(mes) + "-01").roda();
        }
        execNu(db, "COMMIT");
        sqlite3_close(db);
        Banco b;
        b.abre(escritorioMens, Banco::kSenha);
        if (!gera_arquivo_mensalistas(b, 1, pastaArquivo, 1ull << 40).ok) return 3;
    }
    const QString arquivoMens = caminho("mensalistas_modelo.mdb");
    QFile::rename(pastaArquivo + "/mensalistas.mdb", arquivoMens);
    const QString filialMens = caminho("filial_mensalistas.mdb");
    criaBanco(filialMens, false, 1);
    std::fprintf(stderr, " pronto; medindo");

    Linha mescla{"merge, 100,000 new stays into 1,000,000 (office)", {}, {}};
    Linha remescla{"merge of the same file again (every row already there)", {}, {}};
    Linha importa{"subscriber-file import, 100,000 rows (branch)", {}, {}};
    const std::vector<std::pair<std::string, std::string>> saidas = {
        {"registro_saida", "data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
                           "mensalista, convenio, tipo_estacionamento, caixa, total, valor_liquido, "
                           "prisma, filial"}};
    const std::vector<std::pair<std::string, std::string>> mensalistas = {
        {"mensalistas", "codigo, data_inicio, tipo, nome, endereco, bairro, cidade, cep, tel_res, "
                        "tel_com, tel_cel, fax, rg, cpf, num_max_veic, dia_vencto, "
                        "data_ini_ferias, data_fim_ferias, excluido, filial"},
        {"veiculos_mensalistas", "codigo, veiculo, ano, placa, filial"},
        {"tipos_mensalistas", "codigo, tipo, valor, dia_vencto"},
        {"mensalidades", "codigo, mes, pago, data_pgto, hora_pgto, valor, filial"}};

    const QString trabalho = caminho("trabalho.mdb"), arquivo = caminho("backup_filial.mdb");
    const QString mensTrabalho = pastaArquivo + "/mensalistas.mdb";
    for (int r = 0; r < repeticoes; ++r) {
        const auto programaMescla = [&] {
            copia(escritorio, trabalho);
            copia(troca, arquivo);
            Banco b;
            b.abre(trabalho, Banco::kSenha);
            mescla.programa.push_back(medeOperacao([&] { return mescla_filial(b, arquivo); }));
            copia(troca, arquivo);
            remescla.programa.push_back(medeOperacao([&] { return mescla_filial(b, arquivo); }));
        };
        const auto nuMescla = [&] {
            copia(escritorio, trabalho);
            const double t = insercaoNua(trabalho, troca, saidas);
            mescla.nu.push_back(t);
            remescla.nu.push_back(t);
        };
        const auto programaImporta = [&] {
            copia(filialMens, trabalho);
            copia(arquivoMens, mensTrabalho);
            Banco b;
            b.abre(trabalho, Banco::kSenha);
            importa.programa.push_back(medeOperacao(
                [&] { return recebe_arquivo_mensalistas(b, pastaArquivo, false, 1); }));
        };
        const auto nuImporta = [&] {
            copia(filialMens, trabalho);
            importa.nu.push_back(insercaoNua(trabalho, arquivoMens, mensalistas));
        };
        if (r % 2) {
            nuMescla(); programaMescla(); nuImporta(); programaImporta();
        } else {
            programaMescla(); nuMescla(); programaImporta(); nuImporta();
        }
        std::fputc('.', stderr);
    }
    std::fputc('\n', stderr);
    imprime({mescla, remescla, importa}, repeticoes);
    std::printf("\nThe office's very first merge also makes its three merge indexes over the "
                "1,000,000 stays:\n%.3f s once (not counted above).\n", primeira);
    return 0;
}
