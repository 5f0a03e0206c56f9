// The lanes' operations against bare SQLite doing the same rows' work on the same file, at three
// yard sizes with a million stays, repetitions interleaved; prints the table of medians, ranges
// and ratios, and whether each goal is met.

#include "cenario.h"
#include "comum.h"

#include "yard/busca_saida.h"
#include "yard/entrada.h"
#include "yard/saida.h"
#include "yard/tarifas/termos.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

namespace {

using Relogio = std::chrono::steady_clock;

double segundos(Relogio::time_point a, Relogio::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Times one call.
template <typename F>
double mede(F&& f) {
    const auto t0 = Relogio::now();
    f();
    return segundos(t0, Relogio::now());
}

QString qtexto(const std::string& s) { return QString::fromStdString(s); }


// Each benchmark runs the program's operation and its counterpart side by side in every
// iteration, alternating which goes first, so both meet the same disk and the same load; the
// repetitions of all benchmarks are interleaved. Every call of a benchmark is one repetition.
struct Repeticao {
    std::vector<double> a, b;   // microseconds per operation: the program's, its counterpart's
};
std::map<std::string, std::vector<Repeticao>> g_reps;

template <typename A, typename B>
void medeLadoALado(benchmark::State& st, const std::string& nome, A&& programa, B&& base) {
    Repeticao& r = g_reps[nome].emplace_back();
    bool primeiroPrograma = true;
    for (auto _ : st) {
        double ta = 0, tb = 0;
        if (primeiroPrograma) {
            ta = programa();
            tb = base();
        } else {
            tb = base();
            ta = programa();
        }
        primeiroPrograma = !primeiroPrograma;
        if (ta < 0 || tb < 0) return st.SkipWithError("operação recusada");
        r.a.push_back(ta * 1e6);
        r.b.push_back(tb * 1e6);
        st.SetIterationTime(ta + tb);
    }
}

// --- Entry and exit -------------------------------------------------------------------------

double entradaPrograma(Cenario* c) {
    const QString placa = qtexto(c->novaPlaca());
    ResultadoPista r;
    const double t = mede([&] {
        r = registra_entrada(c->ctx, c->cancelas, {placa, QStringLiteral("   "), QString()});
    });
    if (!r.registrado) return -1;
    c->ctx.estado.db.executa("DELETE FROM veiculos_patio WHERE rowid = ?", {r.linhaPatio});
    return t;
}

double entradaNu(Cenario* c) {
    const std::string placa = c->novaPlaca();
    const double t = mede([&] {
        c->inicia->roda();
        c->placaNoPatio->texto(1, placa).roda(1);
        c->placaMensalista->texto(1, placa).roda(1);
        c->novoTicket->roda();
        c->novoVeiculo->texto(1, placa).texto(2, "2026-12-07").texto(3, "10:00:00")
            .inteiro(4, sqlite3_last_insert_rowid(c->nu)).roda();
        c->confirma->roda();
    });
    c->apagaVeiculo->inteiro(1, sqlite3_last_insert_rowid(c->nu)).roda();
    return t;
}

CamposSaida camposSaida(Banco& db, const QString& ticket, const QString& placa) {
    CamposSaida s;
    s.tic = ticket;
    s.pla = placa;
    s.dat_ent = s.dat_sai = QStringLiteral("07/12/2026");
    s.hor_ent = QStringLiteral("08:00:00");
    s.hor_sai = QStringLiteral("10:00:00");
    s.val_pag = QStringLiteral("10,00");
    s.modalidade = QStringLiteral("R");
    // The fee as the panel would have computed it for this vehicle, kind and times.
    const PedidoTarifa p = pedidoDaSaida(s);
    s.calculo = TotalCalculado{Dinheiro::reais(10), p, termosEmVigor(db, p)};
    return s;
}

double saidaPrograma(Cenario* c) {
    Banco& db = c->ctx.estado.db;
    const QString placa = qtexto(c->novaPlaca());
    const qint64 ticket =
        db.executa("INSERT INTO gera_ticket DEFAULT VALUES").lastInsertId().toLongLong();
    db.executa("INSERT INTO veiculos_patio (placa, ticket, data_entrada, hora_entrada) "
               "VALUES (?, ?, '2026-12-07', '08:00:00')", {placa, ticket});
    const CamposSaida campos = camposSaida(db, QString::number(ticket), placa);
    ResultadoPista r;
    const double t = mede([&] { r = registra_saida(c->ctx, c->cancelas, campos); });
    return r.registrado ? t : -1;
}

double saidaNu(Cenario* c) {
    const std::string placa = c->novaPlaca();
    c->novoTicket->roda();
    const long long ticket = sqlite3_last_insert_rowid(c->nu);
    c->novoVeiculo->texto(1, placa).texto(2, "2026-12-07").texto(3, "08:00:00")
        .inteiro(4, ticket).roda();
    return mede([&] {
        Comando& a = *c->achaSaida;
        a.inteiro(1, ticket).texto(2, placa);
        long long linha = 0;
        if (sqlite3_step(a.st()) == SQLITE_ROW) {
            linha = sqlite3_column_int64(a.st(), 0);
            (void)sqlite3_column_type(a.st(), 1);
        }
        sqlite3_reset(a.st());
        c->inicia->roda();
        c->apagaVeiculo->inteiro(1, linha).roda();
        c->novaEstadia->texto(1, "2026-12-07").texto(2, "08:00:00").texto(3, "2026-12-07")
            .texto(4, "10:00:00").inteiro(5, ticket).texto(6, placa).inteiro(7, 1)
            .inteiro(8, 100000).inteiro(9, 100000).roda();
        c->confirma->roda();
    });
}

// --- Finding a parked vehicle ---------------------------------------------------------------

enum class Chave { Placa, Ticket, Prisma };

// A vehicle of the yard that has the key (a tag; a ticket, which subscribers lack).
int veiculoCom(Cenario* c, Chave k) {
    for (;;) {
        const int i = c->sorteia();
        if (k == Chave::Prisma && !c->prismaBase(i)) continue;
        if (k == Chave::Ticket && c->placaBase(i).rfind("MEN-", 0) == 0) continue;
        return i;
    }
}

// The vehicle of one round of medeLadoALado, the same for both sides: whichever side runs first
// draws it, so that each side meets a vehicle not yet looked up as often as the other (the sides
// take turns at running first). Drawn by one side only, the other would always find it warm.
class VeiculoDaRodada {
public:
    VeiculoDaRodada(Cenario* c, Chave k) : c_(c), k_(k) {}
    int operator()() {
        if (vezes_++ % 2 == 0) i_ = veiculoCom(c_, k_);
        return i_;
    }

private:
    Cenario* c_;
    Chave k_;
    int i_ = 0;
    long vezes_ = 0;
};

void medeBusca(benchmark::State& st, const std::string& nome, Cenario* c, Chave k) {
    Banco& db = c->ctx.estado.db;
    VeiculoDaRodada veiculo(c, k);
    medeLadoALado(st, nome,
        [&] {
            const int i = veiculo();
            const QString placa = qtexto(c->placaBase(i));
            const QString texto = k == Chave::Placa    ? placa
                                  : k == Chave::Ticket ? QString::number(i + 1)
                                                       : QString::number(c->prismaBase(i));
            const CampoBusca campo = k == Chave::Placa    ? CampoBusca::Placa
                                     : k == Chave::Ticket ? CampoBusca::Ticket
                                                          : CampoBusca::Prisma;
            const Estado& e = c->ctx.estado;
            std::optional<VeiculoEncontrado> r;
            const double t =
                mede([&] { r = busca_saida(db, campo, texto, e.data_atual, e.hora_atual); });
            return r ? t : -1;
        },
        [&] {
            const int i = veiculo();
            const std::string& placa = c->placaBase(i);
            int achados = 0;
            const double t = mede([&] {
                switch (k) {
                case Chave::Placa: achados = c->porPlaca->texto(1, placa).roda(5); break;
                case Chave::Ticket: achados = c->porTicket->inteiro(1, i + 1).roda(5); break;
                case Chave::Prisma: achados = c->porPrisma->inteiro(1, c->prismaBase(i)).roda(5); break;
                }
            });
            return achados ? t : -1;
        });
}

// The find by plate as the lane runs it: in exit mode the plate field loses the focus and the
// panel shows the vehicle found, its fields filled. Each car starts from a panel cleared by Esc
// with its plate typed and painted, untimed; the bare lookup is timed from the same point, so
// both meet the same caches.
void buscaNaPista(benchmark::State& st, const std::string& nome, Cenario* c) {
    JanelaPrincipalTeste& j = *c->janela;
    j.Option2->setChecked(true);
    VeiculoDaRodada veiculo(c, Chave::Ticket);   // a casual car: no kind is chosen for it
    // The field is found by its name before the clock starts: the search through the window's
    // controls is the benchmark's, not the lane's.
    QLineEdit* const pla = j.pla;
    auto digita = [&](int i) {
        j.trata_tecla(Qt::Key_Escape);
        pla->setText(qtexto(c->placaBase(i)));
        QCoreApplication::processEvents();
    };
    medeLadoALado(st, nome,
        [&] {
            const int i = veiculo();
            digita(i);
            QFocusEvent saiu(QEvent::FocusOut, Qt::TabFocusReason);
            const double t = mede([&] { QCoreApplication::sendEvent(pla, &saiu); });
            const bool achou = j.tic->displayText().trimmed() == QString::number(i + 1) &&
                               !j.hor_ent->text().isEmpty();
            return achou ? t : -1;
        },
        [&] {
            const int i = veiculo();
            digita(i);
            const std::string& placa = c->placaBase(i);
            int achados = 0;
            const double t = mede([&] { achados = c->porPlaca->texto(1, placa).roda(5); });
            return achados ? t : -1;
        });
    j.trata_tecla(Qt::Key_Escape);
    j.Option1->setChecked(true);
}

// --- The yard list --------------------------------------------------------------------------

void lista(benchmark::State& st, const std::string& nome, Cenario* c) {
    medeLadoALado(st, nome,
        [&] {
            const double t = mede([&] { c->janela->atualiza_lista_patio(); });
            QCoreApplication::processEvents();
            return t;
        },
        [&] { return mede([&] { c->lista->roda(5); }); });
}

// The lane buttons with the yard list shown and hidden: an entry then an exit of one vehicle,
// one of the two timed. Painting is left to the event loop, untimed, as Qt defers it.
double botoes(Cenario* c, bool comLista, bool medeEntrada) {
    JanelaPrincipalTeste& j = *c->janela;
    if (j.Frame3->isVisible() != comLista) {
        j.Frame3->setVisible(comLista);
        QCoreApplication::processEvents();
    }
    const QString placa = qtexto(c->novaPlaca());
    j.Option1->setChecked(true);
    j.pla->setText(placa);
    const double entrada = mede([&] { j.Command5->click(); });
    QCoreApplication::processEvents();
    const Estado& e = c->ctx.estado;
    const auto achado = busca_saida(c->ctx.estado.db, CampoBusca::Placa, placa, e.data_atual,
                                    e.hora_atual);
    if (!achado) return -1;
    // The operator's road: exit mode, the plate, "Rotativo" computes the fee and the amount.
    j.Option2->setChecked(true);
    j.pla->setText(placa);
    j.pla_LostFocus();
    j.Option3->click();
    if (j.tot->text() == QLatin1String("ERRO") || j.val_pag->text().isEmpty()) return -1;
    const double saida = mede([&] { j.Command3->click(); });
    QCoreApplication::processEvents();
    if (busca_saida(c->ctx.estado.db, CampoBusca::Placa, placa, e.data_atual, e.hora_atual))
        return -1;
    return medeEntrada ? entrada : saida;
}

void botao(benchmark::State& st, const std::string& nome, Cenario* c, bool entrada) {
    // Bare writes in between came from another connection: the list reads them once here.
    c->janela->atualiza_lista_patio();
    medeLadoALado(st, nome, [&] { return botoes(c, true, entrada); }, [&] { return botoes(c, false, entrada); });
    c->janela->Frame3->setVisible(true);
}

// --- Collecting and printing ----------------------------------------------------------------

// What the table shows of one pair: medians over every operation, and the ratio of the two
// medians in each repetition, its median and its range.
struct Resumo {
    double a = 0, b = 0, razao = 0, razaoMin = 0, razaoMax = 0;
    size_t repeticoes = 0;
};

Resumo resume(const std::string& nome) {
    Resumo r;
    std::vector<double> todosA, todosB, razoes;
    for (const Repeticao& rep : g_reps[nome]) {
        if (rep.a.empty()) continue;
        todosA.insert(todosA.end(), rep.a.begin(), rep.a.end());
        todosB.insert(todosB.end(), rep.b.begin(), rep.b.end());
        razoes.push_back(mediana(rep.a) / mediana(rep.b));
    }
    if (razoes.empty()) return r;
    r.a = mediana(todosA);
    r.b = mediana(todosB);
    r.razao = mediana(razoes);
    r.razaoMin = *std::min_element(razoes.begin(), razoes.end());
    r.razaoMax = *std::max_element(razoes.begin(), razoes.end());
    r.repeticoes = razoes.size();
    return r;
}

std::vector<std::string> g_erros;

class Coletor : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration) continue;
            if (r.error_occurred) g_erros.push_back(r.run_name.function_name + ": " + r.error_message);
            std::fputc('.', stderr);
        }
    }
    void Finalize() override { std::fputc('\n', stderr); }
};

// `s` padded with blanks to `largura` characters (not bytes: "µ" and "×" take two).
std::string ajusta(const std::string& s, size_t largura) {
    size_t n = 0;
    for (unsigned char ch : s) n += (ch & 0xC0) != 0x80;
    return n >= largura ? s : s + std::string(largura - n, ' ');
}

std::string tempo(double us) {
    char b[32];
    if (us >= 1000) std::snprintf(b, sizeof b, "%.2f ms", us / 1000);
    else std::snprintf(b, sizeof b, "%.1f µs", us);
    return b;
}

struct Meta {
    std::string descricao;
    double razao, limite;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    std::vector<char*> args(argv, argv + argc);
    std::string pastaBase = "/var/tmp";
    std::vector<std::string> extras{"--benchmark_repetitions=12",
                                    "--benchmark_enable_random_interleaving=true"};
    for (auto it = args.begin() + 1; it != args.end();) {
        const std::string a = *it;
        if (a.rfind("--pasta=", 0) == 0) {
            pastaBase = a.substr(8);
            it = args.erase(it);
        } else {
            if (a.rfind("--benchmark_repetitions", 0) == 0) extras[0].clear();
            ++it;
        }
    }
    for (std::string& e : extras)
        if (!e.empty()) args.push_back(e.data());
    int n = int(args.size());
    QApplication app(n, args.data());
    benchmark::Initialize(&n, args.data());

    QTemporaryDir dir(QString::fromStdString(pastaBase) + "/quelmar-bench-XXXXXX");
    if (!dir.isValid()) {
        std::fprintf(stderr, "Não foi possível criar a pasta de trabalho em %s\n", pastaBase.c_str());
        return 2;
    }
    std::fprintf(stderr, "Pasta: %s\nCriando 1.000.000 de estadias...", qPrintable(dir.path()));
    const auto t0 = Relogio::now();
    const QString modelo = dir.filePath("modelo.mdb");
    criaModelo(modelo);
    std::fprintf(stderr, " %.1f s\n", segundos(t0, Relogio::now()));

    const int tamanhos[] = {100, 2000, 20000};
    std::map<std::string, std::unique_ptr<Cenario>> cenarios;
    for (int t : tamanhos)
        cenarios["WAL/FULL/" + std::to_string(t)] = std::make_unique<Cenario>(
            dir.filePath(QString("wal-%1").arg(t)), modelo, t, "WAL", "FULL");
    for (const char* s : {"FULL", "EXTRA"})
        cenarios[std::string("DELETE/") + s + "/2000"] = std::make_unique<Cenario>(
            dir.filePath(QString("delete-%1").arg(s)), modelo, 2000, "DELETE", s);
    // No sync at all: not safe, shown only to expose the work besides the disk's.
    cenarios["WAL/OFF/2000"] =
        std::make_unique<Cenario>(dir.filePath("wal-off"), modelo, 2000, "WAL", "OFF");
    QFile::remove(modelo);
    std::fprintf(stderr, "Cenários prontos em %.1f s; medindo", segundos(t0, Relogio::now()));

    auto registra = [](const std::string& nome, int iteracoes, auto&& f) {
        benchmark::RegisterBenchmark(nome.c_str(), [nome, f](benchmark::State& st) { f(st, nome); })
            ->UseManualTime()
            ->Iterations(iteracoes)
            ->Unit(benchmark::kMicrosecond);
    };
    for (auto& [chave, c] : cenarios) {
        Cenario* p = c.get();
        const std::string s = chave + "/";
        registra(s + "entrada", 16, [p](benchmark::State& st, const std::string& n) {
            medeLadoALado(st, n, [p] { return entradaPrograma(p); }, [p] { return entradaNu(p); });
        });
        registra(s + "saida", 16, [p](benchmark::State& st, const std::string& n) {
            medeLadoALado(st, n, [p] { return saidaPrograma(p); }, [p] { return saidaNu(p); });
        });
        if (p->diario != "WAL" || p->sincronia != "FULL") continue;
        const std::pair<const char*, Chave> chaves[] = {
            {"placa", Chave::Placa}, {"ticket", Chave::Ticket}, {"prisma", Chave::Prisma}};
        for (auto [nome, k] : chaves)
            registra(s + "busca-" + nome, 200,
                     [p, k](benchmark::State& st, const std::string& n) { medeBusca(st, n, p, k); });
        registra(s + "busca-placa-pista", 200,
                 [p](benchmark::State& st, const std::string& n) { buscaNaPista(st, n, p); });
        registra(s + "lista", p->patio >= 20000 ? 3 : p->patio >= 2000 ? 10 : 40,
                 [p](benchmark::State& st, const std::string& n) { lista(st, n, p); });
        registra(s + "botao-entrada", 10, [p](benchmark::State& st, const std::string& n) { botao(st, n, p, true); });
        registra(s + "botao-saida", 10, [p](benchmark::State& st, const std::string& n) { botao(st, n, p, false); });
    }

    Coletor coletor;
    benchmark::RunSpecifiedBenchmarks(&coletor);
    benchmark::Shutdown();

    // The table.
    std::vector<Meta> metas;
    const auto celula = [](const Resumo& r) {
        char b[64];
        std::snprintf(b, sizeof b, "%.2f× [%.2f–%.2f] %s / %s", r.razao, r.razaoMin, r.razaoMax,
                      tempo(r.a).c_str(), tempo(r.b).c_str());
        return std::string(b);
    };
    size_t repeticoes = 0;
    for (auto& [nome, reps] : g_reps) repeticoes = std::max(repeticoes, reps.size());
    std::printf("\nProgram against bare SQLite (sqlite3 C API, statements prepared once), same file "
                "and settings:\nWAL journal, synchronous FULL, 1,000,000 stays in registro_saida, "
                "files on disk under %s.\n%zu interleaved repetitions; in each, the two sides "
                "alternate operation by operation.\nCell: median of the per-repetition ratios "
                "[their range]  median program / median bare.\n\n",
                qPrintable(QFileInfo(dir.path()).path()), repeticoes);
    std::printf("%-36s", "operation");
    for (int t : tamanhos) std::printf(" | %s", ajusta("yard " + std::to_string(t), 40).c_str());
    std::printf("\n");
    const struct {
        const char* titulo;
        const char* nome;
        double limite;
        int de;   // the goal holds from this yard size
        int ate;  // up to this one
    } linhas[] = {
        {"entry (registra_entrada) / bare", "entrada", 1.3, 100, 20000},
        {"exit (registra_saida) / bare", "saida", 1.3, 100, 20000},
        {"find by plate / bare indexed", "busca-placa", 3, 100, 20000},
        {"find by ticket / bare indexed", "busca-ticket", 3, 100, 20000},
        {"find by tag / bare indexed", "busca-prisma", 3, 100, 20000},
        {"find by plate at the lane / bare", "busca-placa-pista", 2.5, 20000, 20000},
        {"yard-list refresh / bare query", "lista", 5, 2000, 20000},
        {"entry button, list shown / hidden", "botao-entrada", 2, 2000, 2000},
        {"exit button, list shown / hidden", "botao-saida", 1.2, 2000, 20000},
    };
    for (const auto& l : linhas) {
        std::printf("%-36s", l.titulo);
        for (int t : tamanhos) {
            const Resumo r = resume("WAL/FULL/" + std::to_string(t) + "/" + l.nome);
            std::printf(" | %s", ajusta(celula(r), 40).c_str());
            if (t >= l.de && t <= l.ate)
                metas.push_back({std::string(l.titulo) + ", yard " + std::to_string(t), r.razao,
                                 l.limite});
        }
        std::printf("\n");
    }

    std::printf("\nJournal and sync, yard 2,000 (program / bare medians, ratio):\n");
    std::printf("%-9s | %-34s | %-34s | %-34s | %-34s\n", "operation", "WAL + FULL (now)",
                "DELETE + FULL (before)", "DELETE + EXTRA", "WAL + OFF (unsafe: no sync)");
    for (const char* op : {"entrada", "saida"}) {
        std::printf("%-9s", op[0] == 'e' ? "entry" : "exit");
        for (const char* modo :
             {"WAL/FULL/2000/", "DELETE/FULL/2000/", "DELETE/EXTRA/2000/", "WAL/OFF/2000/"}) {
            const Resumo r = resume(std::string(modo) + op);
            char razao[16];
            std::snprintf(razao, sizeof razao, "%.2f×", r.razao);
            std::printf(" | %s",
                        ajusta(tempo(r.a) + " / " + tempo(r.b) + "  (" + razao + ")", 34).c_str());
        }
        std::printf("\n");
    }

    std::printf("\nGoals:\n");
    bool todas = g_erros.empty();
    for (const Meta& m : metas) {
        const bool ok = m.razao > 0 && m.razao <= m.limite;
        todas = todas && ok;
        std::printf("  %-48s %5.2f×  (at most %.1f×)  %s\n", m.descricao.c_str(), m.razao,
                    m.limite, ok ? "met" : "NOT MET");
    }
    for (const std::string& e : g_erros) std::printf("  error: %s\n", e.c_str());
    std::printf("%s\n", todas ? "Every goal met." : "Some goals not met.");
    cenarios.clear();
    return todas ? 0 : 1;
}
