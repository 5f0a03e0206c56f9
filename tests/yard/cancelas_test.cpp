#include "yard/cancelas.h"

#include "support/ambiente.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CancelasTest : public ::testing::Test {
protected:
    CancelasTest() {
        amb.ctx.estado.cancela_entrada = QStringLiteral(" ");
        amb.ctx.estado.cancela_saida = QStringLiteral(" ");
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

TEST_F(CancelasTest, EntradaAutomaticaEsperaPulsaEBaixaUmaVez) {
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = QStringLiteral("LPT1");
    e.ativar_cancela_ent = true;
    e.tempo_cancela_ent = 3;
    e.tempo_baixa_cancelas = 10;

    cancelas.passoAutomatico(Lado::Entrada);   // returns at once: nothing blocks
    amb.plataforma.passaTempo(2999);
    EXPECT_TRUE(escritas().isEmpty());
    amb.plataforma.passaTempo(1);
    EXPECT_EQ(escritas(), QStringList{"378=1@3000"});
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    // Armed once the raising pulse has ended.
    EXPECT_TRUE(timerEntrada.isActive());
    EXPECT_EQ(timerEntrada.interval(), 10000);
    EXPECT_FALSE(timerSaida.isActive());

    amb.plataforma.passaTempo(10000);
    cancelas.baixa(Lado::Entrada);
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@3000", "378=0@4000", "378=1@14000", "378=0@15000"}));
    EXPECT_EQ(amb.plataforma.esperasPendentes(), 0);
}

TEST_F(CancelasTest, PortaValorETempoDeBaixa) {
    const struct {
        const char* porta;
        Lado lado;
        int baixa;
        const char* pulso;
        int intervalo;   // 0: no lowering timer
    } casos[] = {
        {"LPT2", Lado::Saida, 0, "278=2", 0},
        {"LPT1", Lado::Saida, 40, "378=2", 40000},
        {"COM1", Lado::Entrada, 99, "278=1", 99000},   // beyond 16 bits
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.porta);
        Ambiente a;
        a.ctx.estado.cancela_entrada = a.ctx.estado.cancela_saida = c.porta;
        a.ctx.estado.ativar_cancela_ent = a.ctx.estado.ativar_cancela_sai = true;
        a.ctx.estado.tempo_baixa_cancelas = c.baixa;
        QTimer t;
        ControleCancelas cc(a.ctx, &t, &t);
        cc.passoAutomatico(c.lado);
        a.plataforma.passaTempo(1000);
        ASSERT_EQ(a.plataforma.portaFalsa.escritas.size(), 2u);
        const EscritaPorta& w = a.plataforma.portaFalsa.escritas[0];
        EXPECT_EQ(QStringLiteral("%1=%2").arg(w.endereco, 0, 16).arg(w.valor), c.pulso);
        EXPECT_EQ(a.plataforma.portaFalsa.escritas[1].valor, 0);
        EXPECT_EQ(t.isActive() ? t.interval() : 0, c.intervalo);
    }
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
    cancelas.baixa(Lado::Entrada);             // the timer fires for a gate without a port
    amb.plataforma.passaTempo(20000);
    EXPECT_TRUE(escritas().isEmpty());
    EXPECT_FALSE(timerEntrada.isActive());
    EXPECT_FALSE(timerSaida.isActive());
}

TEST_F(CancelasTest, PulsosNaMesmaPortaNaoSeSobrepoem) {
    // Both gates on LPT1: a write sets every data line, so a pulse begun during another would
    // cut it short. They follow one another.
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = e.cancela_saida = QStringLiteral("LPT1");
    e.ativar_cancela_ent = e.ativar_cancela_sai = true;
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(300);
    cancelas.passoAutomatico(Lado::Saida);
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@0", "378=0@1000", "378=2@1000", "378=0@2000",
                                       "378=1@2000", "378=0@3000"}));
}

TEST_F(CancelasTest, PortaQueRecusaAvisaUmaVezENaoArmaABaixa) {
    Estado& e = amb.ctx.estado;
    e.cancela_entrada = QStringLiteral("LPT1");
    e.ativar_cancela_ent = true;
    e.tempo_baixa_cancelas = 10;
    amb.plataforma.portaFalsa.recusa = true;
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Não foi possível acionar a cancela de entrada: a porta LPT1 não "
                          "respondeu. Verifique a ligação da cancela."});
    EXPECT_FALSE(timerEntrada.isActive());

    // The port back: the next pulse goes out, nothing stuck in the queue.
    amb.plataforma.portaFalsa.recusa = false;
    cancelas.levanta(Lado::Entrada);
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@5000", "378=0@6000"}));
    EXPECT_TRUE(timerEntrada.isActive());
}

TEST(CancelaVida, ControleDesfeitoTerminaOPulsoEDescartaAEspera) {
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
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 2u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[1].valor, 0);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[1].instanteMs, 1000);
}
