#include "yard/saida.h"
#include "yard/tarifas/termos.h"

#include "support/pista_janela.h"

#include <array>
#include <functional>

namespace {

// The fields as the panel leaves them once it has computed the fee for this vehicle and kind.
CamposSaida calculado(CamposSaida c) {
    if (c.calculo) c.calculo->pedido = pedidoDaSaida(c);
    return c;
}

// Ticket, plate, entry and exit, total, amount paid, kind, shift, partner code.
CamposSaida campos(std::array<const char*, 11> t) {
    CamposSaida c;
    for (auto [campo, i] : {std::pair{&c.tic, 0}, {&c.pla, 1}, {&c.dat_ent, 2}, {&c.hor_ent, 3},
                            {&c.dat_sai, 4}, {&c.hor_sai, 5}, {&c.val_pag, 7},
                            {&c.modalidade, 8}, {&c.tur, 9}, {&c.cod_con, 10}})
        *campo = QString::fromUtf8(t[i]);
    c.calculo = TotalCalculado{*Dinheiro::ler(t[6]), {}, {}};
    return calculado(c);
}

// Money is stored in ten-thousandths: 125000 is 12,50.
class SaidaTest : public ::testing::Test {
protected:
    SaidaTest() {
        amb.ctx.estado.numero_caixa = 4;
        estaciona(amb, "ABC-1234", 57);
        estaciona(amb, "MEN-0001", {}, {}, 7, "2026-12-07", "07:00:00");
    }
    // A casual exit of ticket 57, paid in full.
    static CamposSaida avulso() {
        return campos({"57        ", "ABC-1234", "07/12/2026", "08:30:00", "07/12/2026",
                       "10:00:00", "12,50", "20,00", "R", "", ""});
    }
    // A fee computed under the terms in force, unless the case gives its own.
    ResultadoPista sai(CamposSaida c) {
        if (c.calculo && c.calculo->termos.isEmpty())
            c.calculo->termos = termosEmVigor(amb.db(), c.calculo->pedido);
        return registra_saida(amb.ctx, cancelas, c);
    }
    QStringList ultimoRegistro() {
        return amb.linha("SELECT ticket, placa, mensalista, convenio, tipo_estacionamento, caixa, "
                         "total, valor_liquido, data_entrada, hora_entrada, data_saida, hora_saida, "
                         "prisma, filial FROM registro_saida ORDER BY rowid DESC LIMIT 1");
    }
    Ambiente amb;
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
};

}  // namespace

TEST_F(SaidaTest, RegistraAEstadiaPorModalidadeEAbreACancela) {
    Estado& e = amb.ctx.estado;
    e.cancela_saida = QStringLiteral("LPT2");
    e.ativar_cancela_sai = true;
    EXPECT_FALSE(sai(avulso()).enfileirado);
    EXPECT_EQ(ultimoRegistro(), (QStringList{"57", "ABC-1234", "NULL", "NULL", "R", "4", "125000",
                                             "125000", "2026-12-07", "08:30:00", "2026-12-07",
                                             "10:00:00", "NULL", "NULL"}));
    e.ativar_cancela_sai = false;   // the gates that follow are not worked

    // Partner: its code stored; found by the ticket alone, the empty plate stored as NULL; an
    // amount equal to the total is accepted.
    estaciona(amb, "CON-0001", 58);
    ASSERT_TRUE(sai(campos({"58", "   -    ", "07/12/2026", "08:30:00", "07/12/2026", "10:00:00",
                            "1.234,56", "1.234,56", "C", "", "3"})).registrado);
    EXPECT_EQ(ultimoRegistro().mid(0, 8),
              (QStringList{"58", "NULL", "NULL", "3", "C", "4", "12345600", "12345600"}));

    // Subscriber, gate by hand: found by plate, his code kept, ticket "0000000000" stored as 0,
    // no partner; queued with the stay's entry date and time.
    e.ativar_cancela_sai_manual = true;
    const CamposSaida c = campos({"0000000000", "MEN-0001", "07/12/2026", "07:00:00",
                                  "07/12/2026", "10:00:00", "0,00", "0", "M", "", "3"});
    EXPECT_TRUE(sai(c).enfileirado);
    EXPECT_EQ(ultimoRegistro().mid(0, 5), (QStringList{"0", "MEN-0001", "7", "NULL", "M"}));
    EXPECT_EQ(amb.linha("SELECT placa, data_entrada, hora_entrada, count(*) FROM lista_saida"),
              (QStringList{"MEN-0001", "2026-12-07", "07:00:00", "1"}));
    EXPECT_EQ(amb.conta("veiculos_patio"), 0);
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(escritas(amb), (QStringList{"278=2@0", "278=0@1000"}));
}

TEST_F(SaidaTest, VerificacoesNaOrdemComMensagemEFoco) {
    using C = CamposSaida&;
    const Icone info = Icone::Informacao, excl = Icone::Exclamacao;
    const CampoPista vp = CampoPista::val_pag, nenhum = CampoPista::Nenhum;
    const struct { std::function<void(CamposSaida&)> muda; const char* mensagem; Icone icone;
                   CampoPista foco; } casos[] = {
        {[](C c) { c.calculo.reset(); c.tic = c.val_pag = ""; }, "Total com erro.", excl, vp},
        {[](C c) { c.modalidade = "M"; c.pla = "   -    "; c.tic = ""; },
         "Preencha a placa do mensalista.", info, CampoPista::pla},
        {[](C c) { c.modalidade = "T"; c.tic = "          "; }, "Escolha o turno.", info, CampoPista::tur},
        {[](C c) { c.tic = "          "; }, "Ticket não preenchido.", info, CampoPista::tic},
        {[](C c) { c.val_pag = "abc"; c.calculo->total = Dinheiro::reais(99); }, "Valor Pago inválido.",
         info, vp},
        {[](C c) { c.val_pag = "12,49"; }, "Valor Pago menor que Total.", excl, vp},
        {[](C c) { c.tic = "99"; c.pla = "ZZZ-9999"; }, "Veículo não encontrado.", excl, nenhum},
        {[](C c) { c.modalidade = "M"; c.pla = "ZZZ-9999"; }, "Veículo não encontrado.", excl, nenhum},
    };
    for (const auto& caso : casos) {
        CamposSaida c = avulso();
        caso.muda(c);
        const ResultadoPista r = sai(calculado(c));
        SCOPED_TRACE(&caso - casos);
        EXPECT_FALSE(r.registrado);
        EXPECT_EQ(r.mensagem.toStdString(), caso.mensagem);
        EXPECT_EQ(r.icone, caso.icone);
        EXPECT_EQ(r.foco, caso.foco);
    }
    EXPECT_EQ(amb.conta("veiculos_patio"), 2);
    EXPECT_EQ(amb.conta("registro_saida"), 0);
}

TEST_F(SaidaTest, FalhaAoGravarDeixaOVeiculoNoPatio) {
    Estado& e = amb.ctx.estado;
    e.cancela_saida = QStringLiteral("LPT1");
    e.ativar_cancela_sai = true;
    for (const char* tabela : {"registro_saida", "lista_saida"}) {
        SCOPED_TRACE(tabela);
        e.ativar_cancela_sai_manual = QLatin1String(tabela) == QLatin1String("lista_saida");
        falhaAoGravar(amb, tabela);
        const ResultadoPista r = sai(avulso());
        EXPECT_EQ(r.icone, Icone::Critico);
        EXPECT_TRUE(!r.registrado && r.mensagem.startsWith("Não foi possível registrar a saída do "
                                                           "veículo, que continua no pátio. Nada "
                                                           "foi gravado.\n"));
        EXPECT_EQ(amb.conta("veiculos_patio"), 2);
        EXPECT_EQ(amb.conta("registro_saida"), 0);
        amb.db().executa("DROP TRIGGER falha");
    }
    amb.plataforma.passaTempo(5000);
    EXPECT_TRUE(escritas(amb).isEmpty());
}

// The total stored is only ever the one computed for the vehicle, times and kind shown: a
// fee left from another vehicle, a vehicle found again later, another kind, shift or partner
// is refused before anything is read or written.
TEST_F(SaidaTest, TotalDeOutroVeiculoNaoSaiNemGrava) {
    using C = CamposSaida&;
    const std::function<void(C)> casos[] = {
        [](C c) { c.tic = "58        "; c.pla = "CON-0001"; },   // another vehicle typed in
        [](C c) { c.hor_ent = "09:00:00"; },
        [](C c) { c.hor_sai = "10:05:00"; },   // found again five minutes later
        [](C c) { c.modalidade = "D"; },
        [](C c) {   // another shift chosen since
            c.calculo->pedido.modalidade = c.modalidade = "T";
            c.calculo->pedido.tur = "08:00 - 12:00";
            c.tur = "12:00 - 18:00";
        },
        [](C c) {   // another partner
            c.calculo->pedido.modalidade = c.modalidade = "C";
            c.calculo->pedido.cod_con = "3";
            c.cod_con = "4";
        },
    };
    for (const auto& muda : casos) {
        SCOPED_TRACE(&muda - casos);
        CamposSaida c = avulso();
        muda(c);
        const ResultadoPista r = sai(c);
        EXPECT_FALSE(r.registrado);
        EXPECT_EQ(r.mensagem, kMsgTotalDeOutroVeiculo);
        EXPECT_EQ(r.foco, CampoPista::val_pag);
    }
    EXPECT_EQ(amb.conta("registro_saida"), 0);
    // The shift of another kind's fee is not looked at.
    CamposSaida c = avulso();
    c.tur = "12:00 - 18:00";
    EXPECT_TRUE(sai(c).registrado);
}

// A lane's stays carry its branch number, for its reports; at the office a casual stay carries
// none and a subscriber's stay its subscriber's branch.
TEST_F(SaidaTest, EstadiaLevaAFilialDaInstalacao) {
    amb.db().executa("INSERT INTO mensalistas (codigo, nome, filial, excluido) VALUES (7, 'Ana', 5, 0)");
    for (const auto& [geral, filiais] : {std::pair{"UPDATE geral SET escritorio = 0, filial = 3", "3 3"},
                                         {"UPDATE geral SET escritorio = 1, filial = NULL", "5 -"}}) {
        amb.db().executa(geral);
        estaciona(amb, "ABC-1234", 57);
        estaciona(amb, "MEN-0001", {}, {}, 7, "2026-12-07", "07:00:00");
        ASSERT_TRUE(sai(avulso()).registrado);
        ASSERT_TRUE(sai(campos({"0000000000", "MEN-0001", "07/12/2026", "07:00:00", "07/12/2026",
                                "10:00:00", "0,00", "0", "M", "", ""})).registrado);
        EXPECT_EQ(amb.linha("SELECT group_concat(coalesce(filial, '-'), ' ') FROM (SELECT filial FROM "
                            "registro_saida ORDER BY rowid DESC LIMIT 2)"),
                  QStringList{filiais}) << geral;
    }
}
