#include "config/carga_configuracao.h"
#include "config/numeracao_ticket.h"
#include "data/banco.h"
#include "support/ambiente.h"
#include "yard/cancelas.h"
#include "yard/entrada.h"
#include "yard/proximo_ticket.h"

#include <gtest/gtest.h>

namespace {

QString faixa(Ambiente& a) {
    const QStringList l = a.linha("SELECT count(*), min(ticket), max(ticket) FROM gera_ticket");
    return l.join(' ');
}

// Tickets 1 .. `ate` issued, in one go; near the end of the numbers, only the last of them.
void tickets(Ambiente& a, qint64 ate) {
    if (ate > 1000000) {
        a.db().executa("INSERT INTO gera_ticket (ticket) VALUES (?)", {ate});
        return;
    }
    Transacao t(a.db());
    a.db().executa("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
                   "INSERT INTO gera_ticket (ticket) SELECT x FROM n", {ate});
    t.confirma();
}

}  // namespace

TEST(NumeracaoTicket, AdianteAtrasERecusa) {
    struct Caso {
        qint64 emitidos;       // tickets 1 .. emitidos stored before
        QVariant estacionado;  // ticket of a parked vehicle (NULL: a subscriber's)
        QVariant saiu;         // ticket of a stay already out (NULL: none)
        QString pro;
        bool digitado;         // typed by the operator, not left as the box showed it
        QString mensagem;
        QString contagem;      // count, lowest, highest of the counter afterwards
        QString tic, proxima;
        bool daFilial = false;   // the stay out is a branch's, merged at the office
    };
    const QString ok = "Alteração realizada com sucesso.";
    const QString estacionado40 = "Há veículo(s) estacionado(s) com ticket maior que 40! Não é "
                                  "possível alterar o valor do próximo ticket!";
    const std::vector<Caso> casos{
        {0, {}, {}, "          ", true, "Digite o valor do próximo ticket.", "0 NULL NULL", "", ""},
        {0, {}, {}, "0         ", true, "O valor mínimo do ticket deve ser 1.", "0 NULL NULL", "", ""},
        {0, {}, {}, "1         ", true, ok, "0 NULL NULL", "    0", "    1"},
        // Forward: one row at one below the number, whatever the jump.
        {0, {}, {}, "10        ", true, ok, "1 9 9", "9", "10"},
        {42, {}, {}, "43        ", true, ok, "42 1 42", "42", "43"},
        {42, {}, {}, "40000     ", true, ok, "43 1 39999", "39999", "40000"},
        {42, {}, {}, "2147483647", true, ok, "43 1 2147483646", "2147483646", "2147483647"},
        // Beyond what a stay's ticket can hold: no entry could be stored after it.
        {42, {}, {}, "2147483648", true, "O valor máximo do ticket deve ser 2147483647.", "42 1 42", "", ""},
        {42, {}, {}, "9999999999", true, "O valor máximo do ticket deve ser 2147483647.", "42 1 42", "", ""},
        // Back: only below every ticket a stay holds, parked, out or cancelled.
        {42, 41, {}, "42        ", true, ok, "1 41 41", "41", "42"},
        {42, 40, {}, "40        ", true, estacionado40, "42 1 42", "", ""},
        {42, QVariant(), {}, "5         ", true, ok, "1 4 4", "4", "5"},
        {42, {}, 30, "31        ", true, ok, "1 30 30", "30", "31"},
        {42, {}, 30, "30        ", true, "Já foram emitidos tickets com número igual ou maior que 30! "
                                        "Não é possível alterar o valor do próximo ticket!", "42 1 42", "", ""},
        // A branch's ticket is of the branch's numbering, not of this installation's.
        {42, {}, 30, "30        ", true, ok, "1 29 29", "29", "30", true},
        {40000, 39000, {}, "32768     ", true, "Há veículo(s) estacionado(s) com ticket maior que 32768! "
                                             "Não é possível alterar o valor do próximo ticket!", "40000 1 40000", "", ""},
        // Near the end, going back starts a new round: tickets given in the old round do not
        // stand in the way, nor parked vehicles of its last stretch; one the new round will
        // reach does.
        {2147483600, 2147383648, 30, "1         ", true, ok, "0 NULL NULL", "    0", "    1"},
        {2147483647, 2147483647, 30, "1         ", true, ok, "0 NULL NULL", "    0", "    1"},
        {2147483600, 2147383647, {}, "1         ", true, "Há veículo(s) estacionado(s) com ticket maior que 1! "
                                                      "Não é possível alterar o valor do próximo ticket!",
         "1 2147483600 2147483600", "", ""},
        {2147383646, {}, 30, "1         ", true, "Já foram emitidos tickets com número igual ou maior que 1! "
                                               "Não é possível alterar o valor do próximo ticket!",
         "1 2147383646 2147383646", "", ""},
        // The box left as it showed a number the lanes have used since: nothing goes back.
        {42, {}, {}, "20        ", false, "Foram emitidos tickets desde que esta tela foi aberta: o "
                                          "próximo ticket já é 43. A numeração não foi alterada.",
         "42 1 42", "42", "43"},
        {42, {}, {}, "50        ", false, ok, "43 1 49", "49", "50"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.pro.toStdString());
        Ambiente a;
        if (c.emitidos) tickets(a, c.emitidos);
        if (c.emitidos) a.db().executa("INSERT INTO veiculos_patio (placa, ticket) VALUES ('AAA-1111', ?)", {c.estacionado});
        if (!c.saiu.isNull())
            a.db().executa("INSERT INTO registro_saida (placa, ticket, filial, recebido) VALUES ('BBB-2222', ?, ?, ?)",
                           {c.saiu, c.daFilial ? QVariant(1) : QVariant(), c.daFilial ? 1 : 0});
        const ResultadoNumeracao r = altera_numeracao(a.db(), c.pro, c.digitado);
        EXPECT_EQ(r.mensagem, c.mensagem);
        EXPECT_EQ(r.feito, c.tic != "");
        EXPECT_EQ(faixa(a), c.contagem);
        EXPECT_EQ((QStringList{r.tic.trimmed(), r.pro.trimmed()}), (QStringList{c.tic.trimmed(), c.proxima.trimmed()}));
        // The next entry takes the number the box shows.
        if (r.feito) {
            a.db().executa("INSERT INTO gera_ticket DEFAULT VALUES");
            EXPECT_EQ(a.linha("SELECT max(ticket) FROM gera_ticket"), QStringList{c.proxima.trimmed()});
        }
    }
}

// The next ticket the lanes and the box show for the counter's last, and the warning near and
// at the end of the numbers.
TEST(NumeracaoTicket, FimDosNumerosAvisadoAntesENoFim) {
    const QString recomeca = "em \"Configurações\", aba \"Geral\", digite o próximo ticket em "
                             "\"Próx. tic.\" e clique em \"Alterar\".";
    const QString restam = "%1: o último que pode ser emitido é o 2147483647. Recomece a numeração "
                           "antes que acabem: " + recomeca;
    const QString acabaram = "Os números de ticket acabaram: o último que pode ser emitido, 2147483647, "
                             "já foi usado, e nenhum avulso entra até que a numeração recomece. Para "
                             "recomeçá-la, " + recomeca;
    const struct { qint64 ultimo; const char* pro; QString aviso; } casos[] = {
        {0, "1", ""},
        {2147383646, "2147383647", ""},
        {2147383647, "2147383648", restam.arg("Restam 100000 números de ticket")},
        {2147483600, "2147483601", restam.arg("Restam 47 números de ticket")},
        {2147483646, "2147483647", restam.arg("Resta 1 número de ticket")},
        {2147483647, "", acabaram},
        {2147483650, "", acabaram},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ultimo);
        EXPECT_EQ(textoProximoTicket(c.ultimo).trimmed(), c.pro);
        EXPECT_EQ(proximo_ticket(c.ultimo).aviso, c.aviso);
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

// A counter whose auto-number stands ahead of its rows (moved, restored, rows gone): the box
// shows where it stands, and "Alterar" on the box as shown moves nothing back and tells of no
// ticket issued meanwhile.
TEST(NumeracaoTicket, CaixaMostraOContadorOndeEleEsta) {
    Ambiente a;
    tickets(a, 70000);
    a.db().executa("DELETE FROM gera_ticket WHERE ticket > 40000");
    EXPECT_EQ(ultimo_ticket(a.db()), 70000);
    const CargaConfiguracao c = leCargaConfiguracao(a.db());
    EXPECT_EQ((QStringList{c.tic.trimmed(), c.pro.trimmed()}), (QStringList{"70000", "70001"}));
    const ResultadoNumeracao r = altera_numeracao(a.db(), c.pro, false);
    EXPECT_EQ(r.mensagem, "Alteração realizada com sucesso.");
    EXPECT_EQ(r.pro.trimmed(), "70001");
}

// A counter that cannot be moved is left as it was, forward and back.
TEST(NumeracaoTicket, FalhaNoMeioDesfazTudo) {
    Ambiente a;
    tickets(a, 30);
    a.db().executa("CREATE TRIGGER falha BEFORE INSERT ON gera_ticket "
                   "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    for (const char* pro : {"20", "50"}) {
        ResultadoNumeracao r = altera_numeracao(a.db(), pro);
        EXPECT_FALSE(r.feito) << pro;
        EXPECT_EQ(r.icone, Icone::Critico) << pro;
        EXPECT_EQ(faixa(a), "30 1 30") << pro;
        EXPECT_EQ(a.linha("SELECT seq FROM sqlite_sequence WHERE name = 'gera_ticket'"), QStringList{"30"});
    }
}
