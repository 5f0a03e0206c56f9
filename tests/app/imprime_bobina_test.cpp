#include "app/imprime_bobina.h"
#include "support/ambiente.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

QString aviso(const QString& porta, const QString& quais, const QString& motivo) {
    return "Não saíram na impressora da porta " + porta + ": " + quais + ".\n\n" + motivo +
           "\n\nOs registros estão gravados; só as impressões não saíram.";
}

}  // namespace

// What did not print is told kind by kind, with how many, in one notice per port that counts
// every failure until the operator closes it. It is a notice, never a message box: a message
// box would take the keys typed for the next car.
TEST(ImprimeBobina, FalhasContadasPorTipoNumAvisoAteSerVisto) {
    Ambiente amb;
    PlataformaFalsa& p = amb.plataforma;
    SaidaImpressoraFalsa& impressora = p.impressoraFalsa;
    const auto imprime = [&](Impresso tipo, const char* bytes) { return imprime_bobina(amb.ctx, tipo, bytes); };

    amb.ctx.estado.impressora = QStringLiteral(" ");
    EXPECT_FALSE(imprime(Impresso::ComprovanteEntrada, "a\r\n"));   // no ticket printer: silently nothing
    amb.ctx.estado.impressora = QStringLiteral("LPT2");
    EXPECT_TRUE(imprime(Impresso::ComprovanteEntrada, "a\r\n"));
    ASSERT_EQ(impressora.impressoes.size(), 1u);
    EXPECT_EQ(impressora.impressoes[0].porta, "LPT2");
    EXPECT_EQ(impressora.impressoes[0].bytes, "a\r\n");

    // A stuck printer: three printouts wait, then fail together, in one notice.
    impressora.segura = true;
    imprime(Impresso::ComprovanteEntrada, "b\r\n");
    imprime(Impresso::ListaPatio, "c\r\n");
    imprime(Impresso::ComprovanteEntrada, "d\r\n");
    EXPECT_TRUE(p.avisos.empty());
    impressora.libera(QStringLiteral("Sem papel."));
    EXPECT_EQ(p.textosAvisos(),
              QStringList{aviso("LPT2", "2 comprovantes de entrada e 1 lista de pátio", "Sem papel.")});
    EXPECT_EQ(p.avisos[0].icone, Icone::Exclamacao);

    // More fail while it is shown: the same notice counts them, with the last reason.
    impressora.segura = false;
    impressora.falha = QStringLiteral("Desligada.");
    imprime(Impresso::ComprovanteSaida, "e\r\n");
    EXPECT_EQ(p.textosAvisos(),
              QStringList{aviso("LPT2", "2 comprovantes de entrada, 1 comprovante de saída e 1 lista de pátio",
                                "Desligada.")});

    // Once the operator has closed it, the next failure starts a notice of its own.
    p.fechaAvisos();
    imprime(Impresso::ComprovanteMensalidade, "f\r\n");
    EXPECT_EQ(p.textosAvisos(), QStringList{aviso("LPT2", "1 comprovante de mensalidade", "Desligada.")});

    // Another port's failures are told apart.
    amb.ctx.estado.impressora = QStringLiteral("COM1");
    imprime(Impresso::Autenticacao, "g\r\n");
    imprime(Impresso::FechamentoCaixa, "h\r\n");
    imprime(Impresso::Autenticacao, "i\r\n");
    EXPECT_EQ(p.textosAvisos(),
              (QStringList{aviso("LPT2", "1 comprovante de mensalidade", "Desligada."),
                           aviso("COM1", "2 autenticações de saída e 1 relatório de fechamento de caixa",
                                 "Desligada.")}));
    EXPECT_EQ(p.avisos.size(), 3u);
    EXPECT_TRUE(p.mensagens.empty());
    EXPECT_EQ(impressora.impressoes.size(), 1u);
}

// "Sair" ends at once when nothing waits for the printer. With printouts waiting, the operator
// reads how many, and which, would be lost at that moment, and chooses; staying, they print
// meanwhile and the next "Sair" ends at once.
TEST(ImprimeBobina, SairComImpressoesNaFila) {
    const auto pergunta = [](const QString& quais) {
        return "Ainda não saíram na impressora: " + quais +
               ".\n\nSair agora? Essas impressões serão perdidas.\nEscolha Não para continuar no "
               "programa enquanto a impressora as imprime.";
    };
    const QString todas = QStringLiteral("3 comprovantes de entrada e 1 comprovante de saída");
    const struct {
        const char* nome;
        bool naFila;
        std::optional<bool> resposta;
        std::size_t falhamEnquantoPergunta;   // of the four, in the order printed
        QString vista;                        // what the question reads when answered
        int encerramentos;
    } casos[] = {
        {"nada na fila", false, std::nullopt, 0, {}, 1},
        {"fica no programa", true, false, 0, todas, 0},
        {"sai sem elas", true, true, 0, todas, 1},
        {"conta as que ainda esperam", true, true, 2, QStringLiteral("2 comprovantes de entrada"), 1},
        {"nenhuma espera mais: fica", true, std::nullopt, 4, todas, 0},
    };
    for (const auto& c : casos) {
        Ambiente amb;
        PlataformaFalsa& p = amb.plataforma;
        amb.ctx.estado.impressora = QStringLiteral("LPT1");
        p.impressoraFalsa.segura = c.naFila;
        for (Impresso t : {Impresso::ComprovanteEntrada, Impresso::ComprovanteSaida,
                           Impresso::ComprovanteEntrada, Impresso::ComprovanteEntrada})
            imprime_bobina(amb.ctx, t, "x\r\n");
        if (c.resposta) p.responde({*c.resposta});
        p.aoPerguntar = [&] { p.impressoraFalsa.libera(QStringLiteral("Sem papel."), c.falhamEnquantoPergunta); };
        sai_do_programa(amb.ctx);
        EXPECT_EQ(p.perguntas, c.vista.isEmpty() ? QStringList{} : QStringList{pergunta(c.vista)}) << c.nome;
        EXPECT_EQ(p.encerramentos, c.encerramentos) << c.nome;
        if (c.encerramentos) continue;
        // They print while the program goes on: nothing is asked any more.
        p.impressoraFalsa.libera();
        sai_do_programa(amb.ctx);
        EXPECT_EQ(p.perguntas.size(), 1) << c.nome;
        EXPECT_EQ(p.encerramentos, 1) << c.nome;
        EXPECT_EQ(p.impressoraFalsa.impressoes.size(), 4u - c.falhamEnquantoPergunta) << c.nome;
    }
}
