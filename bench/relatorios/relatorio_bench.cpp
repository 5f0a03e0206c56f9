// The revenue reports over 10,000, 100,000 and 1,000,000 exits: the time to the first page
// laid out and painted, the time to the whole document (page count known, ready to print or
// save as PDF) and the peak memory, against the bare query that reads the same rows on the same
// file. Each size runs in a process of its own, so its peak memory is its own.
//
//     quelmar_bench_relatorios [--pasta=/var/tmp] [--repeticoes=3]

#include "../comum.h"
#include "../sqlite_nu.h"

#include "data/banco.h"
#include "data/cria_banco.h"
#include "reports/catalogo.h"
#include "reports/construcao.h"
#include "reports/relatorio.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const QDate kInicio(2023, 1, 1);
constexpr int kDias = 1095;   // three years of exits
const QDate kFim = kInicio.addDays(kDias - 1);

// A database with `saidas` exits spread over three years, every kind of payment, and the
// monthly fees of 300 subscribers.
void criaBanco(const QString& caminho, int saidas) {
    Banco db;
    cria_banco(db, caminho, [](Banco& b) {
        b.executa("INSERT INTO geral (versao, data, hora, linha1, linha2, linha3, linha4, impressora, "
                  "cancela_entrada, cancela_saida, mostrar_lista, empresa) VALUES (123, '2026-12-07', "
                  "'10:00:00', '', '', '', '', ' ', ' ', ' ', 1, 'Estacionamento Central')");
    });
    Transacao t(db);
    Comando insere(db.nativo(),
                   "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, "
                   "placa, tipo_estacionamento, caixa, total, valor_liquido, filial) "
                   "VALUES (?1, ?2, ?1, ?3, ?4, ?5, ?6, ?7, ?8, ?8, ?9)");
    const char* tipos[] = {"R", "R", "R", "C", "M", "T", "D"};
    for (int i = 0; i < saidas; ++i) {
        const int dia = int(qint64(i) * kDias / saidas);
        char entrada[16], saida[16], placa[16];
        std::snprintf(entrada, sizeof entrada, "%02d:%02d:00", 6 + i % 12, i % 60);
        std::snprintf(saida, sizeof saida, "%02d:%02d:00", 7 + i % 12, (i * 7) % 60);
        std::snprintf(placa, sizeof placa, "%c%c%c-%04d", 'A' + i % 26, 'A' + i / 26 % 26, 'A' + i / 676 % 26,
                      i % 10000);
        insere.texto(1, kInicio.addDays(dia).toString("yyyy-MM-dd").toStdString())
            .texto(2, entrada).texto(3, saida).inteiro(4, i + 1).texto(5, placa).texto(6, tipos[i % 7])
            .inteiro(7, 1 + i / 500).inteiro(8, 50000 + (i % 9) * 10000).inteiro(9, 1 + i % 3)
            .roda();
    }
    for (int k = 1; k <= 300; ++k) {
        db.executa("INSERT INTO mensalistas (codigo, nome, filial, excluido) VALUES (?, ?, ?, 0)",
                   {k, QString("Mensalista %1").arg(k), 1 + k % 3});
        db.executa("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, "
                   "adicional, filial) VALUES (?, '2024-03-01', 1500000, 1, ?, '10:00:00', 0, 0, ?)",
                   {k, kInicio.addDays(k * 3).toString("yyyy-MM-dd"), 1 + k % 3});
    }
    t.confirma();
    db.fecha();
}

// The request the reports window sends for "Faturamento entre" or "Faturamento detalhado".
PedidoRelatorio pedido(Banco& db, bool detalhado) {
    PedidoRelatorio p;
    p.arquivo = QStringLiteral(QUELMAR_MODELOS) + (detalhado ? "/rel_fat_det.rpt" : "/rel_fat.rpt");
    pedidoFaturamento(p, db, detalhado, kInicio, kFim, "  ");
    return p;
}

struct Medida {
    double primeira = 0, inteira = 0;
    int paginas = 0;
    qint64 linhas = 0;
};

void pintaPrimeira(const DocumentoRelatorio& doc) {
    QImage imagem(794, 1123, QImage::Format_RGB32);   // A4 at 96 dpi, as the preview shows it
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    p.scale(96.0 / kUnidadesPorPolegada, 96.0 / kUnidadesPorPolegada);
    doc.pintaPagina(p, 0);
}

// The report as the program builds it (on a thread of its own, over its own connection, the
// window's thread free); the first page is counted once it is laid out and painted.
Medida constroi(Banco& db, const PedidoRelatorio& p) {
    QElapsedTimer t;
    t.start();
    Medida m;
    ConstrucaoRelatorio c(db, p);
    bool primeira = false;
    QEventLoop laco;
    QObject::connect(&c, &ConstrucaoRelatorio::progrediu, &laco, [&] {
        const auto doc = c.documento();
        if (!primeira && doc && doc->paginasProntas() > 0) {
            pintaPrimeira(*doc);
            m.primeira = t.nsecsElapsed() / 1e9;
            primeira = true;
        }
    });
    QObject::connect(&c, &ConstrucaoRelatorio::terminou, &laco, &QEventLoop::quit);
    c.inicia();
    laco.exec();
    if (!c.erro().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(c.erro()));
        std::exit(3);
    }
    const auto doc = c.documento();
    if (!primeira) {
        pintaPrimeira(*doc);
        m.primeira = t.nsecsElapsed() / 1e9;
    }
    m.inteira = t.nsecsElapsed() / 1e9;
    m.paginas = doc->paginas();
    m.linhas = doc->linhas();
    return m;
}

// The same queries, bare: prepared on the program's connection, every row stepped and every
// column read.
double nua(Banco& db, const QStringList& consultas) {
    QElapsedTimer t;
    t.start();
    const std::string ini = kInicio.toString("yyyy-MM-dd").toStdString(), fim = kFim.toString("yyyy-MM-dd").toStdString();
    for (const QString& sql : consultas) {
        Comando c(db.nativo(), sql.toUtf8().constData());
        for (int i = 1; i <= sqlite3_bind_parameter_count(c.st()); ++i) c.texto(i, i % 2 ? ini : fim);
        c.roda(sqlite3_column_count(c.st()));
    }
    return t.nsecsElapsed() / 1e9;
}

long picoMemoriaKb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// One size, one report, in this process: prints "primeira inteira nua paginas linhas memoria".
int filho(const QString& banco, bool detalhado, int repeticoes) {
    Banco db;
    db.abre(banco, Banco::kSenha);
    const PedidoRelatorio p = pedido(db, detalhado);
    const QStringList consultas = MontagemRelatorio(db, p).consultas();
    nua(db, consultas);   // the file in the system's cache for both
    std::vector<double> primeira, inteira, base;
    Medida m;
    for (int r = 0; r < repeticoes; ++r) {
        m = constroi(db, p);
        primeira.push_back(m.primeira);
        inteira.push_back(m.inteira);
        base.push_back(nua(db, consultas));
    }
    std::printf("%.4f %.4f %.4f %d %lld %ld\n", mediana(primeira), mediana(inteira), mediana(base), m.paginas,
                static_cast<long long>(m.linhas), picoMemoriaKb());
    return 0;
}

struct Resultado {
    double primeira = -1, inteira = -1, nua = -1;
    int paginas = 0;
    long long linhas = 0;
    long memoriaKb = -1;
};

Resultado rodaFilho(const QString& banco, bool detalhado, int repeticoes) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(),
            {"--filho", banco, detalhado ? "det" : "soma", QString::number(repeticoes)});
    p.waitForFinished(-1);
    Resultado r;
    const QList<QByteArray> v = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || v.size() != 6) return r;
    r.primeira = v[0].toDouble();
    r.inteira = v[1].toDouble();
    r.nua = v[2].toDouble();
    r.paginas = v[3].toInt();
    r.linhas = v[4].toLongLong();
    r.memoriaKb = v[5].toLong();
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == "--filho") return filho(args[2], args[3] == "det", args[4].toInt());

    const auto [pasta, repeticoes] = leArgumentosBench(args, 3);
    QTemporaryDir dir(pasta + "/quelmar-relatorios-XXXXXX");
    if (!dir.isValid()) {
        std::fprintf(stderr, "Não foi possível criar a pasta de trabalho em %s\n", qPrintable(pasta));
        return 2;
    }
    const int tamanhos[] = {10000, 100000, 1000000};
    std::map<std::pair<int, bool>, Resultado> r;
    for (int n : tamanhos) {
        const QString banco = dir.filePath(QString("saidas-%1.mdb").arg(n));
        std::fprintf(stderr, "Criando %d saídas...\n", n);
        criaBanco(banco, n);
        for (bool detalhado : {true, false}) {
            std::fprintf(stderr, "Medindo %s, %d saídas...\n", detalhado ? "o detalhado" : "o resumido", n);
            r[{n, detalhado}] = rodaFilho(banco, detalhado, repeticoes);
        }
        QFile::remove(banco);
    }

    std::printf("\nRevenue reports against the bare query that reads the same rows (the same SQL on the same\n"
                "file, every row stepped and every column read; the report reads on a thread and connection\n"
                "of its own, as the program does), exits spread over three years; one process per size and\n"
                "report, median of %d runs. First page: laid out and painted, as the preview shows\n"
                "it. Whole: every page laid out, page count known, ready to print or save as PDF. Memory:\n"
                "the process's peak resident size (VmHWM in /proc/self/status) after its runs.\n\n",
                repeticoes);
    std::printf("%-22s %9s %7s %11s %11s %11s %10s %10s\n", "report", "exits", "pages", "first page", "whole",
                "bare query", "whole/bare", "peak RSS");
    for (bool detalhado : {true, false})
        for (int n : tamanhos) {
            const Resultado& x = r[{n, detalhado}];
            std::printf("%-22s %9d %7d %9.3f s %9.3f s %9.3f s %9.2f× %7.0f MB\n",
                        detalhado ? "Faturamento detalhado" : "Faturamento entre", n, x.paginas, x.primeira,
                        x.inteira, x.nua, x.nua > 0 ? x.inteira / x.nua : 0.0, x.memoriaKb / 1024.0);
        }

    struct Meta {
        std::string descricao;
        double valor, limite;
        const char* unidade;
    };
    const auto det = [&r](int n) { return r[{n, true}]; };
    const auto soma = [&r](int n) { return r[{n, false}]; };
    const std::vector<Meta> metas = {
        {"detailed, 10,000 exits: first page", det(10000).primeira, 2, "s "},
        {"detailed, 100,000 exits: first page", det(100000).primeira, 2, "s "},
        {"detailed, 1,000,000 exits: first page", det(1000000).primeira, 2, "s "},
        {"detailed, 100,000 exits: whole / bare query", det(100000).inteira / det(100000).nua, 10, "× "},
        {"detailed, 10× exits (10k → 100k): time ratio", det(100000).inteira / det(10000).inteira, 12, "× "},
        {"detailed, 10× exits (100k → 1M): time ratio", det(1000000).inteira / det(100000).inteira, 12, "× "},
        {"detailed, 100,000 exits: peak memory", det(100000).memoriaKb / 1024.0, 300, "MB"},
        {"detailed, 1,000,000 exits: peak memory", det(1000000).memoriaKb / 1024.0, 300, "MB"},
        {"summed, 1,000,000 exits: whole / bare query", soma(1000000).inteira / soma(1000000).nua, 1.5, "× "},
        {"summed, 1,000,000 exits: peak memory", soma(1000000).memoriaKb / 1024.0, 300, "MB"},
    };
    std::printf("\nReport goals:\n");
    bool todas = true;
    for (const Meta& m : metas) {
        const bool ok = m.valor > 0 && m.valor <= m.limite;
        todas = todas && ok;
        std::printf("  %-50s %8.2f %s (at most %g %s)  %s\n", m.descricao.c_str(), m.valor, m.unidade, m.limite,
                    m.unidade, ok ? "met" : "NOT MET");
    }
    std::printf("%s\n", todas ? "Every report goal met." : "Some report goals not met.");
    return todas ? 0 : 1;
}
