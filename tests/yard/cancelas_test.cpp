#include "yard/cancelas.h"

#include "support/ambiente.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CancelasTest : public ::testing::Test {
protected:
    CancelasTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_entrada = e.cancela_saida = QStringLiteral("LPT1");
        e.ativar_cancela_ent = e.ativar_cancela_sai = true;
    }
    // "address=value@ms" for every write, in order.
    QStringList escritas() const { return escritas(amb); }
    static QStringList escritas(const Ambiente& a) {
        QStringList r;
        for (const EscritaPorta& w : a.plataforma.portaFalsa.escritas)
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
    amb.ctx.estado.tempo_cancela_ent = 3;
    amb.ctx.estado.tempo_baixa_cancelas = 10;
    cancelas.passoAutomatico(Lado::Entrada);   // returns at once: nothing blocks
    amb.plataforma.passaTempo(2999);
    EXPECT_TRUE(escritas().isEmpty());
    amb.plataforma.passaTempo(1);
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    // Armed once the raising pulse has ended.
    EXPECT_EQ(timerEntrada.isActive() ? timerEntrada.interval() : 0, 10000);
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
        bool automatica;
        int baixa;
        QStringList pulso;
        int intervalo;   // 0: no lowering timer
    } casos[] = {
        {"LPT2", Lado::Saida, true, 0, {"278=2@0", "278=0@1000"}, 0},
        {"LPT1", Lado::Saida, true, 40, {"378=2@0", "378=0@1000"}, 40000},
        {"COM1", Lado::Entrada, true, 99, {"278=1@0", "278=0@1000"}, 99000},   // beyond 16 bits
        {" ", Lado::Entrada, true, 10, {}, 0},
        {"LPT1", Lado::Saida, false, 10, {}, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.porta << c.automatica);
        Ambiente a;
        a.ctx.estado.cancela_entrada = a.ctx.estado.cancela_saida = c.porta;
        a.ctx.estado.ativar_cancela_ent = a.ctx.estado.ativar_cancela_sai = c.automatica;
        a.ctx.estado.tempo_baixa_cancelas = c.baixa;
        QTimer t;
        ControleCancelas cc(a.ctx, &t, &t);
        cc.passoAutomatico(c.lado);
        if (!cancelaConfigurada(c.porta)) {   // no port: nor a raise by hand nor the timer pulse
            cc.levanta(c.lado);
            t.start(5000);
            cc.baixa(c.lado);
        }
        a.plataforma.passaTempo(5000);
        EXPECT_EQ(escritas(a), c.pulso);
        EXPECT_EQ(t.isActive() ? t.interval() : 0, c.intervalo);
    }
}

TEST_F(CancelasTest, PulsosNaMesmaPortaNaoSeSobrepoem) {
    // Both gates on LPT1: a write sets every data line, so a pulse begun during another would
    // cut it short. They follow one another.
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(300);
    cancelas.passoAutomatico(Lado::Saida);
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(escritas(), (QStringList{"378=1@0", "378=0@1000", "378=2@1000", "378=0@2000",
                                       "378=1@2000", "378=0@3000"}));
}

TEST_F(CancelasTest, PortaQueRecusaAvisaUmaVezENaoArmaABaixa) {
    amb.ctx.estado.tempo_baixa_cancelas = 10;
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
