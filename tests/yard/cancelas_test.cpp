#include "yard/cancelas.h"

#include "support/pista_janela.h"

namespace {

class CancelasTest : public ::testing::Test {
protected:
    CancelasTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_entrada = e.cancela_saida = QStringLiteral("LPT1");
        e.ativar_cancela_ent = e.ativar_cancela_sai = true;
        e.tempo_baixa_cancelas = 10;
    }
    Ambiente amb;
    QTimer timerEntrada, timerSaida;
    ControleCancelas cancelas{amb.ctx, &timerEntrada, &timerSaida};
};

}  // namespace

TEST_F(CancelasTest, EntradaAutomaticaEsperaPulsaEBaixaUmaVez) {
    amb.ctx.estado.tempo_cancela_ent = 3;
    amb.ctx.estado.tempo_baixa_cancelas = 99;   // beyond 16 bits in milliseconds
    cancelas.passoAutomatico(Lado::Entrada);   // returns at once: nothing blocks
    amb.plataforma.passaTempo(3000);
    EXPECT_FALSE(timerEntrada.isActive());   // armed once the raising pulse has ended
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(intervalo(timerEntrada), 99000);
    EXPECT_FALSE(timerSaida.isActive());

    amb.plataforma.passaTempo(10000);
    cancelas.baixa(Lado::Entrada);
    EXPECT_FALSE(timerEntrada.isActive());
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(amb), (QStringList{"378=1@3000", "378=0@4000", "378=1@14000", "378=0@15000"}));
    EXPECT_EQ(amb.plataforma.esperasPendentes(), 0);
}

TEST_F(CancelasTest, PulsosNaMesmaPortaNaoSeSobrepoem) {
    // Both gates on LPT1: a write sets every data line, so a pulse begun during another would
    // cut it short. They follow one another.
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(300);
    cancelas.passoAutomatico(Lado::Saida);
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(escritas(amb), (QStringList{"378=1@0", "378=0@1000", "378=2@1000", "378=0@2000",
                                          "378=1@2000", "378=0@3000"}));
}

TEST_F(CancelasTest, PortaQueRecusaAvisaUmaVezENaoArmaABaixa) {
    amb.plataforma.portaFalsa.recusa = true;
    cancelas.passoAutomatico(Lado::Entrada);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(amb.plataforma.textosAvisos(),
              QStringList{"Não foi possível acionar a cancela de entrada: a porta LPT1 não "
                          "respondeu. Verifique a ligação da cancela."});
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_FALSE(timerEntrada.isActive());
    // The port back: the next pulse goes out, nothing stuck in the queue.
    amb.plataforma.portaFalsa.recusa = false;
    cancelas.levanta(Lado::Entrada);
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(amb), (QStringList{"378=1@5000", "378=0@6000"}));
    EXPECT_TRUE(timerEntrada.isActive());
}

// Every failure of a gate is told, each gate on its own, in a notice that never takes the
// keyboard: the automatic raise, the raise by hand and the lowering alike. The notice counts them
// until the operator closes it; the next failure then opens a new one.
TEST_F(CancelasTest, CadaFalhaDeCadaCancelaContadaAteOAvisoSerFechado) {
    const auto aviso = [](const QString& cancela, const QString& vezes, const QString& porta) {
        return "Não foi possível acionar a cancela de " + cancela + vezes + ": a porta " + porta +
               " não respondeu. Verifique a ligação da cancela.";
    };
    amb.ctx.estado.cancela_saida = QStringLiteral("LPT2");
    amb.plataforma.portaFalsa.recusa = true;
    for (int i = 0; i < 2; ++i) {
        cancelas.passoAutomatico(Lado::Entrada);
        cancelas.levanta(Lado::Entrada);
        cancelas.baixa(Lado::Entrada);
        cancelas.passoAutomatico(Lado::Saida);
        amb.plataforma.passaTempo(1000);
    }
    EXPECT_EQ(amb.plataforma.textosAvisos(),
              (QStringList{aviso("entrada", " 6 vezes", "LPT1"), aviso("saída", " 2 vezes", "LPT2")}));
    EXPECT_EQ(amb.plataforma.avisos.size(), 2u);

    amb.plataforma.fechaAvisos();
    cancelas.levanta(Lado::Saida);
    EXPECT_EQ(amb.plataforma.textosAvisos(), QStringList{aviso("saída", "", "LPT2")});
    // A pulse that gets through does not silence the next failure.
    amb.plataforma.portaFalsa.recusa = false;
    cancelas.levanta(Lado::Entrada);
    amb.plataforma.passaTempo(1000);
    amb.plataforma.portaFalsa.recusa = true;
    cancelas.levanta(Lado::Saida);
    EXPECT_EQ(amb.plataforma.textosAvisos(), QStringList{aviso("saída", " 2 vezes", "LPT2")});
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

// The gate went up with the first write: when the write that ends the pulse fails, the
// operator is told and the lowering timer is still armed.
TEST_F(CancelasTest, SubiuMasOFimDoPulsoFalhouAindaArmaABaixa) {
    amb.plataforma.portaFalsa.recusaZero = true;
    cancelas.levanta(Lado::Entrada);
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(amb), QStringList{"378=1@0"});
    EXPECT_EQ(amb.plataforma.textosAvisos().size(), 1);
    EXPECT_EQ(intervalo(timerEntrada), 10000);
}
