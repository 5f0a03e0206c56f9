#include "yard/saida.h"

#include "data/dinheiro.h"
#include "support/ambiente.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

#include <functional>

namespace {

class SaidaTest : public ::testing::Test {
protected:
    SaidaTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_entrada = QStringLiteral(" ");
        e.cancela_saida = QStringLiteral(" ");
        e.numero_caixa = 4;
        amb.db().executa("INSERT INTO veiculos_patio (placa, ticket, data_entrada, hora_entrada) "
                         "VALUES ('ABC-1234', 57, '2026-12-07', '08:30:00')");
        amb.db().executa("INSERT INTO veiculos_patio (placa, mensalista, data_entrada, "
                         "hora_entrada) VALUES ('MEN-0001', 7, '2026-12-07', '07:00:00')");
    }
    // A casual exit of ticket 57, paid in full.
    CamposSaida avulso() {
        CamposSaida c;
        c.tic = QStringLiteral("57        ");
        c.pla = QStringLiteral("ABC-1234");
        c.dat_ent = QStringLiteral("07/12/2026");
        c.hor_ent = QStringLiteral("08:30:00");
        c.dat_sai = QStringLiteral("07/12/2026");
        c.hor_sai = QStringLiteral("10:00:00");
        c.tot = QStringLiteral("12,50");
        c.val_pag = QStringLiteral("20,00");
        c.modalidade = QStringLiteral("R");
        return c;
    }
    ResultadoPista sai(const CamposSaida& c) { return registra_saida(amb.ctx, cancelas, c); }
    int conta(const char* tabela) {
        return amb.db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabela)).toInt();
    }
    QSqlQuery ultimoRegistro() {
        QSqlQuery q = amb.db().executa(
            "SELECT data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, mensalista, "
            "convenio, tipo_estacionamento, caixa, total, valor_liquido, prisma, filial "
            "FROM registro_saida ORDER BY rowid DESC LIMIT 1");
        q.next();
        return q;
    }

    Ambiente amb;
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
};

}  // namespace

TEST_F(SaidaTest, AvulsoSaiDoPatioEFicaRegistradoNoCaixaAberto) {
    const ResultadoPista r = sai(avulso());
    ASSERT_TRUE(r.registrado) << r.mensagem.toStdString();
    EXPECT_FALSE(amb.db().existe("SELECT 1 FROM veiculos_patio WHERE placa = 'ABC-1234'"));
    EXPECT_EQ(conta("veiculos_patio"), 1);
    QSqlQuery q = ultimoRegistro();
    EXPECT_EQ(q.value(0).toString(), "2026-12-07");
    EXPECT_EQ(q.value(1).toString(), "08:30:00");
    EXPECT_EQ(q.value(2).toString(), "2026-12-07");
    EXPECT_EQ(q.value(3).toString(), "10:00:00");
    EXPECT_EQ(q.value(4).toLongLong(), 57);
    EXPECT_EQ(q.value(5).toString(), "ABC-1234");
    EXPECT_TRUE(q.value(6).isNull());
    EXPECT_TRUE(q.value(7).isNull());
    EXPECT_EQ(q.value(8).toString(), "R");
    EXPECT_EQ(q.value(9).toInt(), 4);
    EXPECT_EQ(q.value(10).toLongLong(), Dinheiro::reais(12, 50).valorBruto());
    EXPECT_EQ(q.value(11).toLongLong(), Dinheiro::reais(12, 50).valorBruto());
    EXPECT_TRUE(q.value(12).isNull());
    EXPECT_TRUE(q.value(13).isNull());
    EXPECT_FALSE(r.enfileirado);
}

TEST_F(SaidaTest, ModalidadeConvenioEMensalista) {
    CamposSaida c = avulso();
    c.modalidade = QStringLiteral("C");
    c.cod_con = QStringLiteral("3");
    c.tot = QStringLiteral("1.234,56");
    c.val_pag = QStringLiteral("1.234,56");   // equal to the total: accepted
    c.pla = QStringLiteral("   -    ");       // found by the ticket alone
    ASSERT_TRUE(sai(c).registrado);
    QSqlQuery q = ultimoRegistro();
    EXPECT_EQ(q.value(7).toInt(), 3);
    EXPECT_EQ(q.value(8).toString(), "C");
    EXPECT_TRUE(q.value(5).isNull());
    EXPECT_EQ(q.value(10).toLongLong(), Dinheiro::reais(1234, 56).valorBruto());

    CamposSaida m = avulso();
    m.modalidade = QStringLiteral("M");
    m.tic = QStringLiteral("0000000000");
    m.pla = QStringLiteral("MEN-0001");
    m.tot = QStringLiteral("0,00");
    m.val_pag = QStringLiteral("0");
    m.cod_con = QStringLiteral("3");   // left in the list, not the chosen kind
    ASSERT_TRUE(sai(m).registrado);
    QSqlQuery q2 = ultimoRegistro();
    EXPECT_EQ(q2.value(4).toLongLong(), 0);
    EXPECT_EQ(q2.value(6).toInt(), 7);
    EXPECT_TRUE(q2.value(7).isNull());
    EXPECT_EQ(q2.value(8).toString(), "M");
    EXPECT_EQ(conta("veiculos_patio"), 0);
}

TEST_F(SaidaTest, VerificacoesNaOrdemComMensagemEFoco) {
    const struct {
        const char* caso;
        std::function<void(CamposSaida&)> muda;
        const char* mensagem;
        Icone icone;
        CampoPista foco;
    } casos[] = {
        {"total ERRO antes de tudo",
         [](CamposSaida& c) { c.tot = "ERRO"; c.tic = ""; c.val_pag = ""; },
         "Total com erro.", Icone::Exclamacao, CampoPista::val_pag},
        {"total ainda por calcular", [](CamposSaida& c) { c.tot = ""; },
         "Total com erro.", Icone::Exclamacao, CampoPista::val_pag},
        {"mensalista sem placa",
         [](CamposSaida& c) { c.modalidade = "M"; c.pla = "   -    "; c.tic = ""; },
         "Preencha a placa do mensalista.", Icone::Informacao, CampoPista::pla},
        {"turno sem turno antes do ticket",
         [](CamposSaida& c) { c.modalidade = "T"; c.tur = ""; c.tic = "          "; },
         "Escolha o turno.", Icone::Informacao, CampoPista::tur},
        {"sem ticket", [](CamposSaida& c) { c.tic = "          "; },
         "Ticket não preenchido.", Icone::Informacao, CampoPista::tic},
        {"valor pago vazio", [](CamposSaida& c) { c.val_pag = ""; },
         "Valor Pago inválido.", Icone::Informacao, CampoPista::val_pag},
        {"valor pago inválido antes da comparação",
         [](CamposSaida& c) { c.val_pag = "abc"; c.tot = "99,00"; },
         "Valor Pago inválido.", Icone::Informacao, CampoPista::val_pag},
        {"um centavo a menos", [](CamposSaida& c) { c.val_pag = "12,49"; },
         "Valor Pago menor que Total.", Icone::Exclamacao, CampoPista::val_pag},
        {"veículo já retirado",
         [](CamposSaida& c) { c.tic = "99        "; c.pla = "ZZZ-9999"; },
         "Veículo não encontrado.", Icone::Exclamacao, CampoPista::Nenhum},
        {"mensalista procurado só pela placa",
         [](CamposSaida& c) { c.modalidade = "M"; c.pla = "ZZZ-9999"; },
         "Veículo não encontrado.", Icone::Exclamacao, CampoPista::Nenhum},
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

TEST_F(SaidaTest, FalhaAoRegistrarDeixaOVeiculoNoPatio) {
    amb.ctx.estado.cancela_saida = QStringLiteral("LPT1");
    amb.ctx.estado.ativar_cancela_sai = true;
    amb.db().executa("CREATE TRIGGER falha BEFORE INSERT ON registro_saida "
                     "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    const ResultadoPista r = sai(avulso());
    EXPECT_FALSE(r.registrado);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_TRUE(r.mensagem.contains("O veículo continua no pátio"));
    EXPECT_TRUE(amb.db().existe("SELECT 1 FROM veiculos_patio WHERE placa = 'ABC-1234'"));
    EXPECT_EQ(conta("registro_saida"), 0);
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());

    // The queue row fails instead: the stay's row goes back with the yard row's removal.
    amb.db().executa("DROP TRIGGER falha");
    amb.db().executa("CREATE TRIGGER falha BEFORE INSERT ON lista_saida "
                     "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    amb.ctx.estado.ativar_cancela_sai_manual = true;
    EXPECT_FALSE(sai(avulso()).registrado);
    EXPECT_EQ(conta("veiculos_patio"), 2);
    EXPECT_EQ(conta("registro_saida"), 0);
}

TEST_F(SaidaTest, CancelaDeSaidaAutomaticaOuNaFila) {
    Estado& e = amb.ctx.estado;
    e.cancela_saida = QStringLiteral("LPT2");
    e.ativar_cancela_sai = true;
    ASSERT_TRUE(sai(avulso()).registrado);
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x278);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 2);
    EXPECT_EQ(conta("lista_saida"), 0);

    e.ativar_cancela_sai = false;
    e.ativar_cancela_sai_manual = true;
    CamposSaida m = avulso();
    m.modalidade = QStringLiteral("M");
    m.pla = QStringLiteral("MEN-0001");
    m.dat_ent = QStringLiteral("07/12/2026");
    m.hor_ent = QStringLiteral("07:00:00");
    const ResultadoPista r = sai(m);
    ASSERT_TRUE(r.registrado);
    EXPECT_TRUE(r.enfileirado);
    QSqlQuery q = amb.db().executa("SELECT placa, data_entrada, hora_entrada FROM lista_saida");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "MEN-0001");
    EXPECT_EQ(q.value(1).toString(), "2026-12-07");
    EXPECT_EQ(q.value(2).toString(), "07:00:00");
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
}
