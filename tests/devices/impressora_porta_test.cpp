#include "devices/imprime_bobina.h"
#include "devices/impressora_porta.h"
#include "support/ambiente.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(ImpressoraPorta, PortaQueNaoRespondeNaoPrendeAJanela) {
    // A FIFO nobody reads stands for a printer that is off: a blocking open would wait forever.
    QTemporaryDir dev;
    ASSERT_EQ(::mkfifo(dev.filePath("lp0").toLocal8Bit().constData(), 0600), 0);
    ImpressoraPorta impressora(dev.path());
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_EQ(impressora.imprime("LPT1", "x"),
              QStringLiteral("Não foi possível abrir a impressora em LPT1 (%1): a impressora não responde "
                             "(desligada ou desconectada).").arg(dev.filePath("lp0")));
    EXPECT_LT(relogio.elapsed(), 2000);
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

    fake.falha = QStringLiteral("Sem papel.");
    EXPECT_FALSE(imprime_bobina(amb.ctx, "b\r\n", QStringLiteral("A entrada do veículo está registrada.")));
    ASSERT_EQ(amb.plataforma.mensagens.size(), 1u);
    EXPECT_EQ(amb.plataforma.mensagens[0].texto,
              "A impressão não saiu na impressora da porta LPT2.\n\nSem papel.\n\n"
              "A entrada do veículo está registrada.");
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Exclamacao);
}
