#include "devices/diario_fiscal.h"
#include "support/disco_cheio.h"
#include "support/fifo_atendido.h"
#include "yard/comprovantes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <sys/stat.h>

TEST(DiarioFiscal, UmaLinhaPorChamadaComDataEHora) {
    QTemporaryDir pasta;
    QDateTime agora(QDate(2026, 12, 6), QTime(16, 2, 10));
    DiarioFiscal fiscal([&] { return pasta.path(); }, [&] { return agora; });
    EXPECT_EQ(fiscal.vendeItem("123", "ABC-1234  E: 06/12/26 14:35\r\n          S: 06/12/26 16:02", "FF", "I",
                               "1", 2, "1.234,50", "%", "0000"),
              1);
    EXPECT_EQ(fiscal.fechaCupomResumido("DINHEIRO", "Volte \"sempre\""), 1);
    agora = agora.addSecs(3600);
    EXPECT_EQ(fiscal.leituraX(), 1);
    EXPECT_EQ(fiscal.reducaoZ("06/12/2026", "17:02:10"), 1);

    QFile f(QDir(pasta.path()).filePath("impressora_fiscal.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).split('\n'),
              (QStringList{
                  R"(2026-12-06 16:02:10 VendeItem("123", "ABC-1234  E: 06/12/26 14:35\n          S: 06/12/26 16:02", "FF", "I", "1", "2", "1.234,50", "%", "0000"))",
                  R"(2026-12-06 16:02:10 FechaCupomResumido("DINHEIRO", "Volte \"sempre\""))",
                  "2026-12-06 17:02:10 LeituraX()",
                  R"(2026-12-06 17:02:10 ReducaoZ("06/12/2026", "17:02:10"))", ""}));
}

TEST(DiarioFiscal, DiarioQueNaoSeGravaDevolveZero) {
    QTemporaryDir pasta;
    const QString semPasta = QDir(pasta.path()).filePath("nao/existe");
    DiarioFiscal fiscal([&] { return semPasta; }, [] { return QDateTime(QDate(2026, 12, 6), QTime(9, 0)); });
    EXPECT_EQ(fiscal.vendeItem("1", "x", "FF", "I", "1", 2, "5,00", "%", "0000"), 0);
    EXPECT_EQ(fiscal.fechaCupomResumido("DINHEIRO", ""), 0);
    EXPECT_EQ(fiscal.leituraX(), 0);
}

namespace {

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(sem arquivo)");
}

DadosComprovante saida(const QString& ticket, const QString& placa) {
    DadosComprovante d;
    d.tic = ticket;
    d.pla = placa;
    d.dat_ent = d.dat_sai = "07/12/2026";
    d.hor_ent = "09:00:00";
    d.hor_sai = "10:30:00";
    d.tot = "12,00";
    return d;
}

}  // namespace

// A call whose line cannot be written whole is refused and leaves nothing: no piece of its line
// now, and no line later under another call. The coupon stops at a refused item, so the next
// coupon's item and close are the only lines after the last good one, in the order made.
TEST(DiarioFiscal, ChamadaRecusadaNaoDeixaLinhaNemAgoraNemDepois) {
    QTemporaryDir pasta;
    DiarioFiscal fiscal([&] { return pasta.path(); },
                        [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); });
    ASSERT_EQ(fiscal.leituraX(), 1);
    const QByteArray antes = conteudo(fiscal.caminho());
    qint16 retorno = 0;
    QString aberto;
    const auto numero = [](int r) { return QString::number(r); };
    const struct {
        const char* nome;
        std::function<QString()> chama;
        QString falha;
    } casos[] = {
        {"item", [&] { return numero(fiscal.vendeItem("1", "x", "FF", "I", "1", 2, "5,00", "%", "0000")); },
         "0"},
        {"fechamento", [&] { return numero(fiscal.fechaCupomResumido("DINHEIRO", "Volte sempre")); }, "0"},
        {"redução Z", [&] { return numero(fiscal.reducaoZ("", "")); }, "0"},
        {"cupom de uma saída",
         [&] { return cupom_fiscal_saida(fiscal, "FF", "Volte sempre", saida("7", "AAA-0001"), retorno, aberto).texto; },
         "A impressora fiscal recusou o item do cupom (retorno 0): o cupom fiscal não foi emitido."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        {
            const DiscoCheio disco(rlim_t(antes.size() + 20));
            EXPECT_EQ(c.chama(), c.falha);
        }
        EXPECT_EQ(conteudo(fiscal.caminho()), antes);
    }
    EXPECT_EQ(cupom_fiscal_saida(fiscal, "FF", "Volte sempre", saida("8", "BBB-0002"), retorno, aberto).texto, "");
    EXPECT_EQ(
        QString::fromUtf8(conteudo(fiscal.caminho())).split('\n'),
        (QStringList{"2026-12-07 10:30:00 LeituraX()",
                     R"(2026-12-07 10:30:00 VendeItem("8", "BBB-0002  E: 07/12/26 09:00\n          S: )"
                     R"(07/12/26 10:30", "FF", "I", "1", "2", "12,00", "%", "0000"))",
                     R"(2026-12-07 10:30:00 FechaCupomResumido("DINHEIRO", "Volte sempre"))", ""}));
}

// A journal of an earlier version readable by all is closed to others at the next call (a new
// one is made owner-only: see the file modes' test).
TEST(DiarioFiscal, SoODonoLeODiario) {
    QTemporaryDir pasta;
    DiarioFiscal fiscal([&] { return pasta.path(); },
                        [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0)); });
    ASSERT_EQ(fiscal.leituraX(), 1);
    ASSERT_EQ(::chmod(QFile::encodeName(fiscal.caminho()).constData(), 0664), 0);
    struct stat s {};
    ASSERT_EQ(fiscal.leituraX(), 1);
    ASSERT_EQ(::stat(QFile::encodeName(fiscal.caminho()).constData(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0600u);
}

namespace {

// The journal, with its disk filling up right before each close while `cheio`: the item goes
// in, the close finds no room.
class EncheAntesDoFechamento : public ImpressoraFiscal {
public:
    explicit EncheAntesDoFechamento(DiarioFiscal& d) : diario_(d) {}
    int vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                  const QString& tipoQuantidade, const QString& quantidade, int casasDecimais,
                  const QString& valor, const QString& tipoDesconto, const QString& desconto) override {
        return diario_.vendeItem(codigo, descricao, aliquota, tipoQuantidade, quantidade, casasDecimais,
                                 valor, tipoDesconto, desconto);
    }
    int fechaCupomResumido(const QString& forma, const QString& mensagem) override {
        if (!cheio) return diario_.fechaCupomResumido(forma, mensagem);
        const DiscoCheio disco(rlim_t(conteudo(diario_.caminho()).size() + 20));
        return diario_.fechaCupomResumido(forma, mensagem);
    }
    int leituraX() override { return diario_.leituraX(); }
    int reducaoZ(const QString& data, const QString& hora) override { return diario_.reducaoZ(data, hora); }
    bool cheio = false;

private:
    DiarioFiscal& diario_;
};

}  // namespace

// Two exits on a full disk, then one with room again: the first exit's close is refused and its
// coupon stays open; the second cannot close it and sells nothing into it; the third closes it
// on its own before its own item. Each close in the journal ends the item of one stay.
TEST(DiarioFiscal, DiscoCheioEmDuasSaidasUmFechamentoPorSaida) {
    QTemporaryDir pasta;
    DiarioFiscal diario([&] { return pasta.path(); },
                        [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); });
    EncheAntesDoFechamento fiscal(diario);
    const struct {
        DadosComprovante saida;
        bool cheio;
        QString texto;
        QString aberto;
    } saidas[] = {
        {saida("7", "AAA-0001"), true,
         "A impressora fiscal não fechou o cupom (retorno 0). Ele será fechado antes do próximo cupom.", "7"},
        {saida("8", "BBB-0002"), true,
         "O cupom fiscal da saída anterior (ticket 7) continua aberto: a impressora fiscal não o fechou "
         "(retorno 0).\nO cupom desta saída não foi emitido, para que um cupom não junte duas saídas.",
         "7"},
        {saida("9", "CCC-0003"), false,
         "O cupom fiscal da saída anterior (ticket 7), que tinha ficado aberto, foi fechado agora.", ""},
    };
    QString aberto;
    qint16 retorno = 0;
    for (const auto& s : saidas) {
        fiscal.cheio = s.cheio;
        EXPECT_EQ(cupom_fiscal_saida(fiscal, "FF", "Volte sempre", s.saida, retorno, aberto).texto, s.texto)
            << s.saida.tic.toStdString();
        EXPECT_EQ(aberto, s.aberto) << s.saida.tic.toStdString();
        // What a restart reads back from the journal agrees with what the lane keeps.
        const DiarioFiscal reaberto([&] { return pasta.path(); }, [] { return QDateTime(); });
        EXPECT_EQ(reaberto.cupomAberto(), s.aberto) << s.saida.tic.toStdString();
    }
    const QStringList chamadas = QString::fromUtf8(conteudo(diario.caminho())).split('\n', Qt::SkipEmptyParts);
    QStringList nomes;
    for (const QString& l : chamadas) nomes << l.section(u' ', 2, 2).section(u'(', 0, 0) + l.section(u'"', 1, 1);
    EXPECT_EQ(nomes, (QStringList{"VendeItem7", "FechaCupomResumidoDINHEIRO", "VendeItem9",
                                  "FechaCupomResumidoDINHEIRO"}));
}

// A link, a second name of another file or a FIFO at the journal's name gets no line, no change
// of mode and no wait, and is not read for an open coupon: each call is refused, and the exit is
// told why.
TEST(DiarioFiscal, NomeOcupadoNaoRecebeLinhaNemEspera) {
    for (const Ocupante o : {Ocupante::Link, Ocupante::OutroNome, Ocupante::Fifo}) {
        SCOPED_TRACE(int(o));
        QTemporaryDir pasta, fora;
        DiarioFiscal fiscal([&] { return pasta.path(); },
                            [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); });
        // A user's file that reads as a journal with a coupon open.
        const QString doUsuario = fora.filePath("notas.txt");
        const QByteArray antes = "2026-12-07 10:00:00 VendeItem(\"7\", \"AAA-0001\")\n";
        {
            QFile f(doUsuario);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(antes) > 0);
        }
        ASSERT_EQ(::chmod(QFile::encodeName(doUsuario).constData(), 0644), 0);
        std::optional<FifoAtendido> fifo;
        const QString ocupado = ocupa(fiscal.caminho(), o, doUsuario, fifo, true);
        ASSERT_FALSE(ocupado.isEmpty());
        const QString motivo = "Diário da impressora fiscal: " + ocupado +
                               " Nenhuma chamada à impressora fiscal é feita enquanto ele estiver lá: "
                               "remova-o ou mova-o para outro lugar.";
        // A FIFO read is the start's (its other end writes there).
        if (!fifo) {
            EXPECT_EQ(fiscal.cupomAberto(), "");
            EXPECT_EQ(fiscal.motivoFalha(), motivo);
        }
        qint16 retorno = 0;
        QString aberto;
        EXPECT_EQ(cupom_fiscal_saida(fiscal, "FF", "Volte sempre", saida("7", "AAA-0001"), retorno, aberto).texto,
                  "A impressora fiscal recusou o item do cupom (retorno 0): o cupom fiscal não foi emitido.\n" +
                      motivo);
        EXPECT_EQ(fiscal.leituraX(), 0);
        EXPECT_EQ(conteudo(doUsuario), antes);
        struct stat s {};
        ASSERT_EQ(::stat(QFile::encodeName(doUsuario).constData(), &s), 0);
        EXPECT_EQ(s.st_mode & 0777, 0644u);
        fifo.reset();
        EXPECT_EQ(QDir(pasta.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"impressora_fiscal.txt"});
    }
}
