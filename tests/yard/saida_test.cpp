#include "yard/saida.h"

#include "data/dinheiro.h"
#include "support/ambiente.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class SaidaTest : public ::testing::Test {
protected:
    SaidaTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_saida = QStringLiteral(" ");
        e.numero_caixa = 4;
        amb.db().executa("INSERT INTO veiculos_patio (placa, ticket, data_entrada, hora_entrada) "
                         "VALUES ('ABC-1234', 57, '2026-12-07', '08:30:00')");
        amb.db().executa("INSERT INTO veiculos_patio (placa, mensalista, data_entrada, "
                         "hora_entrada) VALUES ('MEN-0001', 7, '2026-12-07', '07:00:00')");
    }
    // A casual exit of ticket 57, paid in full.
    static CamposSaida avulso() {
        return {"57        ", "ABC-1234", "07/12/2026", "08:30:00", "07/12/2026", "10:00:00",
                "12,50", "20,00", "R", "", ""};
    }
    ResultadoPista sai(const CamposSaida& c) { return registra_saida(amb.ctx, cancelas, c); }
    int conta(const char* tabela) { return amb.conta(tabela); }
    QStringList ultimoRegistro() {
        return amb.linha("SELECT data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
                         "mensalista, convenio, tipo_estacionamento, caixa, total, valor_liquido, "
                         "prisma, filial FROM registro_saida ORDER BY rowid DESC LIMIT 1");
    }
    static QString bruto(qint64 reais, int centavos) {
        return QString::number(Dinheiro::reais(reais, centavos).valorBruto());
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
    EXPECT_FALSE(amb.db().existe("SELECT 1 FROM veiculos_patio WHERE placa = 'ABC-1234'"));
    EXPECT_EQ(ultimoRegistro(),
              (QStringList{"2026-12-07", "08:30:00", "2026-12-07", "10:00:00", "57", "ABC-1234",
                           "NULL", "NULL", "R", "4", bruto(12, 50), bruto(12, 50), "NULL", "NULL"}));
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x278);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 2);
    e.ativar_cancela_sai = false;

    // Partner: its code stored; found by the ticket alone, the empty plate stays empty; an
    // amount equal to the total is accepted; no kind chosen is "D".
    amb.db().executa("INSERT INTO veiculos_patio (placa, ticket) VALUES ('CON-0001', 58), ('DIA-0001', 59)");
    CamposSaida c = avulso();
    c.tic = "58";
    c.pla = "   -    ";
    c.modalidade = "C";
    c.cod_con = "3";
    c.tot = c.val_pag = "1.234,56";
    ASSERT_TRUE(sai(c).registrado);
    QStringList r = ultimoRegistro();
    EXPECT_EQ((QStringList{r[4], r[5], r[7], r[8], r[10], r[11]}),
              (QStringList{"58", "NULL", "3", "C", bruto(1234, 56), bruto(1234, 56)}));
    c = avulso();
    c.tic = "59";
    c.modalidade = "";
    ASSERT_TRUE(sai(c).registrado);
    EXPECT_EQ(ultimoRegistro()[8], "D");

    // Subscriber, gate by hand: found by plate, his code kept, ticket "0000000000" stored as 0,
    // no partner; queued with the stay's entry date and time.
    e.ativar_cancela_sai_manual = true;
    CamposSaida m = avulso();
    m.modalidade = "M";
    m.tic = "0000000000";
    m.pla = "MEN-0001";
    m.hor_ent = "07:00:00";
    m.tot = "0,00";
    m.val_pag = "0";
    m.cod_con = "3";
    EXPECT_TRUE(sai(m).enfileirado);
    r = ultimoRegistro();
    EXPECT_EQ((QStringList{r[4], r[6], r[7], r[8]}), (QStringList{"0", "7", "NULL", "M"}));
    EXPECT_EQ(amb.linha("SELECT placa, data_entrada, hora_entrada, count(*) FROM lista_saida"),
              (QStringList{"MEN-0001", "2026-12-07", "07:00:00", "1"}));
    EXPECT_EQ(conta("veiculos_patio"), 0);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
}

TEST_F(SaidaTest, VerificacoesNaOrdemComMensagemEFoco) {
    using C = CamposSaida&;
    const Icone info = Icone::Informacao, excl = Icone::Exclamacao;
    const CampoPista vp = CampoPista::val_pag, nenhum = CampoPista::Nenhum;
    const struct {
        const char* caso;
        std::function<void(CamposSaida&)> muda;
        const char* mensagem;
        Icone icone;
        CampoPista foco;
    } casos[] = {
        {"ERRO antes de tudo", [](C c) { c.tot = "ERRO"; c.tic = c.val_pag = ""; },
         "Total com erro.", excl, vp},
        {"total por calcular", [](C c) { c.tot = "Calculando..."; }, "Total com erro.", excl, vp},
        {"mensalista sem placa", [](C c) { c.modalidade = "M"; c.pla = "   -    "; c.tic = ""; },
         "Preencha a placa do mensalista.", info, CampoPista::pla},
        {"turno antes do ticket", [](C c) { c.modalidade = "T"; c.tic = "          "; },
         "Escolha o turno.", info, CampoPista::tur},
        {"sem ticket", [](C c) { c.tic = "          "; }, "Ticket não preenchido.", info,
         CampoPista::tic},
        {"valor pago vazio", [](C c) { c.val_pag = ""; }, "Valor Pago inválido.", info, vp},
        {"inválido antes da comparação", [](C c) { c.val_pag = "abc"; c.tot = "99,00"; },
         "Valor Pago inválido.", info, vp},
        {"um centavo a menos", [](C c) { c.val_pag = "12,49"; }, "Valor Pago menor que Total.",
         excl, vp},
        {"já retirado", [](C c) { c.tic = "99"; c.pla = "ZZZ-9999"; }, "Veículo não encontrado.",
         excl, nenhum},
        {"mensalista só pela placa", [](C c) { c.modalidade = "M"; c.pla = "ZZZ-9999"; },
         "Veículo não encontrado.", excl, nenhum},
    };
    for (const auto& caso : casos) {
        CamposSaida c = avulso();
        caso.muda(c);
        const ResultadoPista r = sai(c);
        EXPECT_FALSE(r.registrado) << caso.caso;
        EXPECT_EQ(r.mensagem.toStdString(), caso.mensagem) << caso.caso;
        EXPECT_EQ(r.icone, caso.icone) << caso.caso;
        EXPECT_EQ(r.foco, caso.foco) << caso.caso;
    }
    EXPECT_EQ(conta("veiculos_patio"), 2);
    EXPECT_EQ(conta("registro_saida"), 0);
}

TEST_F(SaidaTest, FalhaAoGravarDeixaOVeiculoNoPatio) {
    Estado& e = amb.ctx.estado;
    e.cancela_saida = QStringLiteral("LPT1");
    e.ativar_cancela_sai = true;
    for (const char* tabela : {"registro_saida", "lista_saida"}) {
        SCOPED_TRACE(tabela);
        e.ativar_cancela_sai_manual = QLatin1String(tabela) == QLatin1String("lista_saida");
        amb.db().executa(QStringLiteral("CREATE TRIGGER falha BEFORE INSERT ON %1 BEGIN "
                                        "SELECT RAISE(ABORT, 'disco cheio'); END").arg(tabela));
        const ResultadoPista r = sai(avulso());
        EXPECT_FALSE(r.registrado);
        EXPECT_EQ(r.icone, Icone::Critico);
        EXPECT_TRUE(r.mensagem.contains("O veículo continua no pátio"));
        EXPECT_EQ(conta("veiculos_patio"), 2);
        EXPECT_EQ(conta("registro_saida"), 0);
        amb.db().executa("DROP TRIGGER falha");
    }
    amb.plataforma.passaTempo(5000);
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());
}
