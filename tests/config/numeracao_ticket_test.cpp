#include "config/numeracao_ticket.h"
#include "data/banco.h"
#include "support/ambiente.h"
#include "yard/cancelas.h"
#include "yard/entrada.h"

#include <gtest/gtest.h>

namespace {

QString faixa(Ambiente& a) {
    const QStringList l = a.linha("SELECT count(*), min(ticket), max(ticket) FROM gera_ticket");
    return l.join(' ');
}

// Tickets 1 .. `ate` issued, in one go.
void tickets(Ambiente& a, int ate) {
    Transacao t(a.db());
    a.db().executa("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
                   "INSERT INTO gera_ticket (ticket) SELECT x FROM n", {ate});
    t.confirma();
}

}  // namespace

TEST(NumeracaoTicket, AdianteAtrasERecusa) {
    struct Caso {
        int emitidos;          // tickets 1 .. emitidos stored before
        QVariant estacionado;  // ticket of a parked vehicle (NULL: a subscriber's)
        QString pro;
        QString mensagem;
        QString contagem;      // count, lowest, highest of the counter afterwards
        QString tic, proxima;
    };
    const QString ok = "Alteração realizada com sucesso.";
    const std::vector<Caso> casos{
        {0, {}, "     ", "Digite o valor do próximo ticket.", "0 NULL NULL", "", ""},
        {0, {}, "0    ", "O valor mínimo do ticket deve ser 1.", "0 NULL NULL", "", ""},
        {0, {}, "1    ", ok, "0 NULL NULL", "    0", "    1"},
        {0, {}, "10   ", ok, "9 1 9", "9    ", "10   "},
        {42, {}, "43   ", ok, "42 1 42", "42   ", "43   "},
        {42, 41, "42   ", ok, "41 1 41", "41   ", "42   "},
        {42, 40, "40   ", "Há veículo(s) estacionado(s) com ticket maior que 40! Não é possível "
                          "alterar o valor do próximo ticket!", "42 1 42", "", ""},
        {42, QVariant(), "5    ", ok, "4 1 4", "4    ", "5    "},
        // Wide numbers: nothing wraps at 32767.
        {42, {}, "40000", ok, "39999 1 39999", "39999", "40000"},
        {40000, 39000, "32768", "Há veículo(s) estacionado(s) com ticket maior que 32768! Não é "
                                "possível alterar o valor do próximo ticket!", "40000 1 40000", "", ""},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        if (c.emitidos) tickets(a, c.emitidos);
        if (c.emitidos) a.db().executa("INSERT INTO veiculos_patio (placa, ticket) VALUES ('AAA-1111', ?)", {c.estacionado});
        const ResultadoNumeracao r = altera_numeracao(a.db(), c.pro);
        EXPECT_EQ(r.mensagem, c.mensagem) << c.pro.toStdString();
        EXPECT_EQ(r.feito, c.mensagem == ok) << c.pro.toStdString();
        EXPECT_EQ(faixa(a), c.contagem) << c.pro.toStdString();
        EXPECT_EQ((QStringList{r.tic.trimmed(), r.pro.trimmed()}), (QStringList{c.tic.trimmed(), c.proxima.trimmed()})) << c.pro.toStdString();
    }
}

// Must show: the next ticket set to 50000 is the ticket of the next entry, forward and back.
TEST(NumeracaoTicket, ProximaEntradaRecebeONumero) {
    Ambiente a;
    ControleCancelas cancelas{a.ctx, nullptr, nullptr};
    tickets(a, 70000);
    a.db().executa("DELETE FROM gera_ticket WHERE ticket > 40000");   // the auto-number stays at 70000
    ASSERT_TRUE(altera_numeracao(a.db(), "50000").feito);
    EXPECT_EQ(registra_entrada(a.ctx, cancelas, {"ABC-1234", "   ", ""}).tic, "50000     ");

    // Back below a parked ticket is refused; forward goes on from the highest stored.
    EXPECT_FALSE(altera_numeracao(a.db(), "33000").feito);
    ASSERT_TRUE(altera_numeracao(a.db(), "60000").feito);
    EXPECT_EQ(registra_entrada(a.ctx, cancelas, {"XYZ-9876", "   ", ""}).tic, "60000     ");
}

// A counter that cannot be rebuilt is left as it was.
TEST(NumeracaoTicket, FalhaNoMeioDesfazTudo) {
    Ambiente a;
    tickets(a, 30);
    a.db().executa("CREATE TRIGGER falha BEFORE INSERT ON gera_ticket WHEN NEW.ticket = 7 "
                   "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    ResultadoNumeracao r = altera_numeracao(a.db(), "20");
    EXPECT_FALSE(r.feito);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_EQ(faixa(a), "30 1 30");
    EXPECT_EQ(a.linha("SELECT seq FROM sqlite_sequence WHERE name = 'gera_ticket'"), QStringList{"30"});
    a.db().executa("DROP TRIGGER falha");
    a.db().executa("CREATE TRIGGER falha BEFORE INSERT ON gera_ticket WHEN NEW.ticket = 40 "
                   "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    EXPECT_FALSE(altera_numeracao(a.db(), "50").feito);
    EXPECT_EQ(faixa(a), "30 1 30");
}
