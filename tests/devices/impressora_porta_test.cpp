#include "devices/fila_impressao.h"
#include "devices/impressora_porta.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace {

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<não abriu>");
}

void cria(const QString& caminho) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(ImpressoraPorta, PortasEDispositivos) {
    const ImpressoraPorta real;
    const std::pair<const char*, const char*> casos[] = {
        {"LPT1", "/dev/lp0"}, {"LPT2", "/dev/lp1"}, {"COM1", "/dev/ttyS0"},
        {" lpt1: ", "/dev/lp0"}, {"COM2", ""}, {" ", ""}};
    for (const auto& [porta, dispositivo] : casos)
        EXPECT_EQ(real.dispositivo(porta), QString::fromLatin1(dispositivo)) << porta;
}

TEST(ImpressoraPorta, EscreveOsBytesComoDadosNoArquivoDoDispositivo) {
    QTemporaryDir dev;
    ImpressoraPorta impressora(dev.path());
    EXPECT_FALSE(impressora.presente("LPT1"));
    cria(dev.filePath("lp0"));
    EXPECT_TRUE(impressora.presente("LPT1"));
    EXPECT_FALSE(impressora.presente("LPT2"));

    const QByteArray um("SA\xCD" "DA\r\n\r\r\n", 9), dois("x\r\n");
    EXPECT_EQ(impressora.imprime("LPT1", um), QString());
    EXPECT_EQ(impressora.imprime("LPT1:", dois), QString());
    // Each printout follows the last one on the roll, byte for byte.
    EXPECT_EQ(conteudo(dev.filePath("lp0")), um + dois);
}

TEST(ImpressoraPorta, PortaQueFalhaDizPorqueENomeiaAPorta) {
    QTemporaryDir dev;
    ImpressoraPorta impressora(dev.path());
    // No device at all, a device that cannot be written, a port the program does not know.
    const QString ausente = impressora.imprime("LPT2", "x");
    EXPECT_EQ(ausente, QStringLiteral("Não foi possível abrir a impressora em LPT2 (%1): o dispositivo não existe.")
                           .arg(dev.filePath("lp1")));
    ASSERT_TRUE(QDir(dev.path()).mkdir("ttyS0"));
    EXPECT_TRUE(impressora.imprime("COM1", "x").contains("COM1"));
    EXPECT_TRUE(impressora.imprime("LPT9", "x").contains("LPT9"));
}

TEST(ImpressoraPorta, PortaQueNaoRespondeFalhaNoPrazoOuQuandoDesiste) {
    // A FIFO nobody reads stands for a printer that is off: a blocking open would wait forever.
    QTemporaryDir dev;
    ASSERT_EQ(::mkfifo(dev.filePath("lp0").toLocal8Bit().constData(), 0600), 0);
    ImpressoraPorta impressora(dev.path());
    const QString naoResponde =
        QStringLiteral("Não foi possível abrir a impressora em LPT1 (%1): a impressora não responde "
                       "(desligada ou desconectada).").arg(dev.filePath("lp0"));
    EXPECT_EQ(impressora.imprime("LPT1", "x", 0), naoResponde);   // no time left: one try
    const std::atomic<bool> desiste{true};
    EXPECT_EQ(impressora.imprime("LPT1", "x", 3600 * 1000, &desiste), naoResponde);
}

namespace {

// A printer that holds each printout until the test lets it go, and answers what it is told.
struct EscritorPreso {
    std::mutex m;
    std::condition_variable cv;
    bool solto = false;
    QString resposta;
    QStringList escritas;   // "port:bytes", in the order written
    QString escreve(const QString& porta, const QByteArray& bytes) {
        std::unique_lock g(m);
        escritas << porta + ':' + QString::fromLatin1(bytes);
        cv.wait(g, [this] { return solto; });
        return std::exchange(resposta, QString());   // only the printout held fails
    }
    void solta(const QString& r) {
        {
            std::lock_guard g(m);
            solto = true;
            resposta = r;
        }
        cv.notify_all();
    }
};

}  // namespace

TEST(FilaImpressao, NaoEsperaAImpressoraEUmaFalhaLevaAsQueAguardamAPorta) {
    EscritorPreso preso;
    FilaImpressao fila([&](const QString& p, const QByteArray& b, const std::atomic<bool>&) {
        return preso.escreve(p, b);
    });
    QStringList feitos;
    auto anota = [&](const char* nome) {
        return [&feitos, nome](const QString& falha) { feitos << QString::fromLatin1(nome) + '=' + falha; };
    };
    // The printer holds the first printout: handing out the others does not wait for it.
    fila.envia("LPT1", "um", anota("um"));
    fila.envia("LPT1", "dois", anota("dois"));
    fila.envia("COM1", "tres", anota("tres"));
    fila.envia("LPT1", "quatro", anota("quatro"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(feitos.isEmpty());

    // The first fails: the two waiting for LPT1 fail with it without a try; COM1 still prints.
    preso.solta(QStringLiteral("Sem papel."));
    fila.conclui();
    EXPECT_TRUE(feitos.isEmpty());   // told on the window thread, by its event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(feitos, (QStringList{"um=Sem papel.", "dois=Sem papel.", "quatro=Sem papel.", "tres="}));
    EXPECT_EQ(preso.escritas, (QStringList{"LPT1:um", "COM1:tres"}));
}

namespace {

// The reading end of the FIFO that stands for the printer, with a buffer of one page: a longer
// printout goes out only as the reader takes it.
class Leitor {
public:
    explicit Leitor(const QString& fifo)
        : fd_(::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        ::fcntl(fd_, F_SETPIPE_SZ, 4096);
    }
    ~Leitor() { fecha(); }
    Leitor(const Leitor&) = delete;
    Leitor& operator=(const Leitor&) = delete;
    void fecha() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    // Takes up to `n` bytes once some are there; false when the writer is done and nothing is left.
    bool le(qsizetype n, const std::atomic<bool>& escritorAcabou) {
        for (;;) {
            QByteArray pedaco(n, '\0');
            const ssize_t r = ::read(fd_, pedaco.data(), size_t(n));
            if (r > 0) {
                lido += pedaco.left(r);
                return true;
            }
            if ((r == 0 && escritorAcabou) || (r < 0 && errno != EAGAIN)) return false;
            pollfd p{fd_, POLLIN, 0};
            ::poll(&p, 1, 10);
        }
    }
    QByteArray lido;

private:
    int fd_;
};

}  // namespace

// A printer may take its bytes as slowly as it likes: the time it is given runs from the last
// byte it took, not from the start of the printout. One that stops taking them, or whose line
// goes dead in the middle (the other end of the port closed), fails with its reason, and the
// program goes on.
TEST(ImpressoraPorta, PrazoContaDoUltimoByteRecebido) {
    QByteArray impressao;
    for (int i = 0; i < 2000; ++i) impressao += QStringLiteral("Vaga %1 ABC-1234\r\n").arg(i, 4).toLatin1();
    const struct {
        const char* nome;
        std::function<void(Leitor&, const std::atomic<bool>&)> le;
        int prazoMs;
        QString falha;
        bool inteira;
    } casos[] = {
        {"lê aos poucos", [](Leitor& l, const std::atomic<bool>& fim) { while (l.le(256, fim)) {} },
         2500, "", true},
        {"para de ler", [](Leitor&, const std::atomic<bool>&) {}, 1000,
         "parou no meio da impressão: a impressora parou de receber os dados.", false},
        {"some no meio",
         [](Leitor& l, const std::atomic<bool>& fim) {
             while (l.lido.size() < 1000 && l.le(256, fim)) {}
             l.fecha();
         },
         2500,
         "parou no meio da impressão: a ligação com a impressora caiu (desligada ou desconectada "
         "durante a impressão).",
         false},
    };
    for (const auto& c : casos) {
        QTemporaryDir dev;
        const QString fifo = dev.filePath("lp0");
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // Each look at the clock is a second later: the printout, in many pieces, takes many
        // seconds, and so do the pauses of the reader.
        std::atomic<qint64> agora{0};
        ImpressoraPorta impressora(dev.path(), [&agora] { return agora += 1000; });
        Leitor leitor(fifo);
        std::atomic<bool> acabou{false};
        QString falha;
        std::thread escritor([&] {
            falha = impressora.imprime("LPT1", impressao, c.prazoMs);
            acabou = true;
        });
        c.le(leitor, acabou);
        escritor.join();
        EXPECT_EQ(falha, c.falha.isEmpty() ? QString()
                                           : QStringLiteral("A impressora em LPT1 (%1) %2").arg(fifo, c.falha))
            << c.nome;
        while (leitor.le(4096, acabou)) {}
        EXPECT_EQ(leitor.lido == impressao, c.inteira) << c.nome;
        EXPECT_TRUE(impressao.startsWith(leitor.lido)) << c.nome;
    }
}
