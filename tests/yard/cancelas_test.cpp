#include "yard/cancelas.h"

#include "support/ambiente.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CancelasTest : public ::testing::Test {
protected:
    CancelasTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_entrada = QStringLiteral(" ");
        e.cancela_saida = QStringLiteral(" ");
    }
    // "address=value@ms" for every write, in order.
    QStringList escritas() const {
        QStringList r;
        for (const EscritaPorta& w : amb.plataforma.portaFalsa.escritas)
            r << QStringLiteral("%1=%2@%3").arg(w.endereco, 0, 16).arg(w.valor).arg(w.instanteMs);
        return r;
    }

    Ambiente amb;
    QTimer timerEntrada;
    QTimer timerSaida;
    ControleCancelas cancelas{amb.ctx, &timerEntrada, &timerSaida};
};

}  // namespace

TEST(Cancela, EnderecoValorEMilissegundos) {
    EXPECT_EQ(enderecoCancela("LPT1"), 0x378);
    EXPECT_EQ(enderecoCancela("LPT2"), 0x278);
    EXPECT_EQ(enderecoCancela("COM1"), 0x278);
    EXPECT_EQ(valorCancela(Lado::Entrada), 1);
    EXPECT_EQ(valorCancela(Lado::Saida), 2);
    EXPECT_FALSE(cancelaConfigurada(" "));
    EXPECT_FALSE(cancelaConfigurada(""));
    EXPECT_TRUE(cancelaConfigurada("LPT1"));
    EXPECT_EQ(msDeSegundos(40), 40000);
    EXPECT_EQ(msDeSegundos(99), 99000);   // beyond 16 bits
    EXPECT_EQ(msDeSegundos(0), 0);
}

TEST_F(CancelasTest, EntradaAutomaticaComEsperaPulsoEBaixa) {
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = QStringLiteral("LPT1");
    e.ativar_cancela_ent = true;
    e.tempo_cancela_ent = 3;
    e.tempo_baixa_cancelas = 10;

    cancelas.passoAutomatico(Lado::Entrada);
    // Nothing blocks: the call returns at once and the pulse waits for its time.
    EXPECT_TRUE(escritas().isEmpty());
    amb.plataforma.passaTempo(2999);
    EXPECT_TRUE(escritas().isEmpty());
    amb.plataforma.passaTempo(1);
    EXPECT_EQ(escritas(), QStringList{"378=1@3000"});
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@3000", "378=0@4000"}));
    // Armed once the raising pulse has ended.
    EXPECT_TRUE(timerEntrada.isActive());
    EXPECT_EQ(timerEntrada.interval(), 10000);
    EXPECT_FALSE(timerSaida.isActive());

    // The timer's event: one lowering pulse, and the timer disarmed.
    amb.plataforma.passaTempo(10000);
    cancelas.baixa(Lado::Entrada);
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@3000", "378=0@4000", "378=1@14000", "378=0@15000"}));
    EXPECT_EQ(amb.plataforma.esperasPendentes(), 0);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

TEST_F(CancelasTest, SaidaSemEsperaNoutraPortaESemBaixa) {
    Estado& e = amb.ctx.estado;
    e.cancela_saida = QStringLiteral("LPT2");
    e.ativar_cancela_sai = true;
    e.tempo_baixa_cancelas = 0;
    cancelas.passoAutomatico(Lado::Saida);
    EXPECT_EQ(escritas(), QStringList{"278=2@0"});
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(), (QStringList{"278=2@0", "278=0@1000"}));
    EXPECT_FALSE(timerSaida.isActive());
}

TEST_F(CancelasTest, SemPortaOuSemAutomaticoNadaAcontece) {
    Estado& e = amb.ctx.estado;
    e.ativar_cancela_ent = true;
    e.tempo_baixa_cancelas = 10;
    cancelas.passoAutomatico(Lado::Entrada);   // port " "
    e.cancela_saida = QStringLiteral("LPT1");
    cancelas.passoAutomatico(Lado::Saida);     // automatic switch off
    cancelas.levanta(Lado::Entrada);           // raise by hand, no port
    timerEntrada.start(5000);
    cancelas.baixa(Lado::Entrada);             // a timer firing for a gate without a port
    amb.plataforma.passaTempo(20000);
    EXPECT_TRUE(escritas().isEmpty());
    EXPECT_FALSE(timerEntrada.isActive());
    EXPECT_FALSE(timerSaida.isActive());
}

TEST_F(CancelasTest, PulsosNaMesmaPortaNaoSeSobrepoem) {
    // Both gates on LPT1: a write to the data register sets every line at once, so a second
    // pulse begun during the first would cut it short. They follow one another instead.
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = QStringLiteral("LPT1");
    e.cancela_saida = QStringLiteral("LPT1");
    e.ativar_cancela_ent = true;
    e.ativar_cancela_sai = true;
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(300);
    cancelas.passoAutomatico(Lado::Saida);
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@0", "378=0@1000", "378=2@1000", "378=0@2000",
                                       "378=1@2000", "378=0@3000"}));
}

TEST_F(CancelasTest, SubidaManualArmaBaixaDe99Segundos) {
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = QStringLiteral("COM1");
    e.tempo_baixa_cancelas = 99;
    cancelas.levanta(Lado::Entrada);
    EXPECT_EQ(escritas(), QStringList{"278=1@0"});
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    EXPECT_TRUE(timerEntrada.isActive());
    EXPECT_EQ(timerEntrada.interval(), 99000);
}

TEST_F(CancelasTest, PortaQueRecusaAvisaUmaVezENaoArmaABaixa) {
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = QStringLiteral("LPT1");
    e.ativar_cancela_ent = true;
    e.tempo_cancela_ent = 2;
    e.tempo_baixa_cancelas = 10;
    amb.plataforma.portaFalsa.recusa = true;

    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    ASSERT_EQ(amb.plataforma.mensagens.size(), 1u);
    EXPECT_EQ(amb.plataforma.mensagens[0].texto,
              "Não foi possível acionar a cancela de entrada: a porta LPT1 não respondeu. "
              "Verifique a ligação da cancela.");
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Exclamacao);
    EXPECT_FALSE(timerEntrada.isActive());
    EXPECT_EQ(amb.plataforma.esperasPendentes(), 0);

    // The port back: the next pulse goes out normally, nothing stuck in the queue.
    amb.plataforma.portaFalsa.recusa = false;
    cancelas.levanta(Lado::Entrada);
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@5000", "378=0@6000"}));
    EXPECT_TRUE(timerEntrada.isActive());
}

TEST(CancelaVida, ControleDesfeitoNaoDeixaPulsoPelaMetade) {
    Ambiente amb;
    amb.ctx.estado.cancela_entrada = QStringLiteral("LPT1");
    amb.ctx.estado.ativar_cancela_ent = true;
    amb.ctx.estado.tempo_baixa_cancelas = 10;
    auto timer = std::make_unique<QTimer>();
    {
        ControleCancelas c(amb.ctx, timer.get(), nullptr);
        c.levanta(Lado::Entrada);
        amb.ctx.estado.tempo_cancela_ent = 2;
        c.passoAutomatico(Lado::Entrada);
        timer.reset();   // the window, and its timer, gone first
    }
    amb.plataforma.passaTempo(5000);
    // The pulse begun ends with its 0; the delayed raise of a controller gone is dropped.
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 2u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[1].valor, 0);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[1].instanteMs, 1000);
}
