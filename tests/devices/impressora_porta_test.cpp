#include "devices/imprime_bobina.h"
#include "devices/fila_impressao.h"
#include "devices/impressora_porta.h"
#include "support/ambiente.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <condition_variable>
#include <mutex>
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

TEST(ImprimeBobina, EnviaAPortaConfiguradaOuAvisaUmaVez) {
    Ambiente amb;
    auto& fake = amb.plataforma.impressoraFalsa;
    amb.ctx.estado.impressora = QStringLiteral(" ");
    EXPECT_FALSE(imprime_bobina(amb.ctx, "a\r\n"));   // no ticket printer: nothing, silently
    EXPECT_TRUE(fake.impressoes.empty() && amb.plataforma.mensagens.empty());

    amb.ctx.estado.impressora = QStringLiteral("LPT2");
    EXPECT_TRUE(imprime_bobina(amb.ctx, "a\r\n"));
    ASSERT_EQ(fake.impressoes.size(), 1u);
    EXPECT_EQ(fake.impressoes[0].porta, "LPT2");
    EXPECT_EQ(fake.impressoes[0].bytes, "a\r\n");
    EXPECT_TRUE(amb.plataforma.mensagens.empty());

    const QString aviso = QStringLiteral("A entrada do veículo está registrada.");
    const QString texto = "A impressão não saiu na impressora da porta LPT2.\n\nSem papel.\n\n" + aviso;
    fake.falha = QStringLiteral("Sem papel.");
    EXPECT_TRUE(imprime_bobina(amb.ctx, "b\r\n", aviso));
    ASSERT_EQ(amb.plataforma.textosMensagens(), QStringList{texto});
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Exclamacao);

    // Two printouts waiting for a stuck printer fail together: told once. One handed after the
    // operator saw it is told again.
    fake.falha.clear();
    fake.segura = true;
    imprime_bobina(amb.ctx, "c\r\n", aviso);
    imprime_bobina(amb.ctx, "d\r\n", aviso);
    EXPECT_EQ(amb.plataforma.mensagens.size(), 1u);
    fake.libera(QStringLiteral("Sem papel."));
    EXPECT_EQ(amb.plataforma.textosMensagens(), (QStringList{texto, texto}));
    imprime_bobina(amb.ctx, "e\r\n", aviso);
    fake.libera(QStringLiteral("Sem papel."));
    EXPECT_EQ(amb.plataforma.mensagens.size(), 3u);
    imprime_bobina(amb.ctx, "f\r\n", aviso);
    fake.libera();
    EXPECT_EQ(amb.plataforma.mensagens.size(), 3u);
    ASSERT_EQ(fake.impressoes.size(), 2u);
    EXPECT_EQ(fake.impressoes[1].bytes, "f\r\n");
}
