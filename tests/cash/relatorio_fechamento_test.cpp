#include "cash/relatorio_fechamento.h"

#include "cash/caixa_teste.h"
#include "devices/bobina.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString b(int n) { return QString(n, u' '); }

// The bytes of a printout made of these lines and `avanco` feed lines.
QByteArray rolo(const QStringList& linhas, int avanco) {
    Bobina r;
    for (const QString& l : linhas) r.linha(l);
    r.avanco(avanco);
    return r.bytes();
}

class RelatorioFechamentoTest : public ::testing::Test {
protected:
    RelatorioFechamentoTest() {
        // An office that merged branch 1's register 7, closed before this one: its closing and
        // its cancelled ticket are the branch's, never printed here.
        caixaDaFilialRecebido(amb, 7);
        amb.db().executa("INSERT INTO fechamento_caixa (numero, usuario, data_ini, data_fim, hora_ini, "
                         "hora_fim, qtd_veiculos, valor_veiculos, valor_mensalidades, troco) VALUES "
                         "(7, 'maria', '2026-12-07', '2026-12-08', '07:45:12', '18:30:00', 12, ?, ?, ?)",
                         {Dinheiro::reais(1234, 50).paraBanco(), Dinheiro::reais(100).paraBanco(),
                          Dinheiro::reais(20).paraBanco()});
    }
    QByteArray imprime(int bobina, int avanco = 2) {
        return impressao_fechamento_caixa(amb.db(), {7, "joao", bobina, avanco, Dinheiro::reais(20)});
    }
    // Partners, a date change, a clock change and three cancelled tickets, one of them a
    // subscriber's and one of ten digits; and another register's log rows, which do not show.
    void movimento() {
        for (auto [nome, qtd, valor] : {std::tuple{"Shopping Centro", 3, 45}, {"Farmácia", 1, 4}})
            amb.db().executa("INSERT INTO fechamento_caixa_convenios (numero, convenio, qtd, valor) "
                             "VALUES (7, ?, ?, ?)", {nome, qtd, Dinheiro::reais(valor).paraBanco()});
        amb.db().executa("INSERT INTO mudanca_data VALUES ('2026-12-07', 7, '2026-12-08')");
        amb.db().executa("INSERT INTO mudanca_horario VALUES ('10:00:00', 7, '10:05:30')");
        amb.db().executa("INSERT INTO mudanca_horario VALUES ('11:00:00', 8, '11:05:30')");
        amb.db().executa("INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa) VALUES "
                         "(1234567890, 'XYZ-9876', '12:00:00', 7), (57, 'ABC-1234', '11:00:00', 7), "
                         "(NULL, 'MEN-0001', '09:15:00', 7), (58, 'OUT-0001', '09:00:00', 8)");
    }
    Ambiente amb;
};

}  // namespace

TEST_F(RelatorioFechamentoTest, CadaLarguraComTodasAsSecoes) {
    movimento();
    const QStringList comum_cabeca{"Caixa Numero: 7", "Usuario (abert. caixa) : maria",
                                   "Usuario (fecham. caixa): joao"};
    const QStringList logs{"Alteracoes na Data (1):", "07/12/2026 -> 08/12/2026", "\r",
                           "Alteracoes no Horario (1):", "10:00:00 -> 10:05:30", "\r"};
    const QStringList tickets{"0000000000     MEN-0001     09:15:00",
                              " 57" + b(7) + b(5) + "ABC-1234     11:00:00",
                              "1234567890     XYZ-9876     12:00:00"};

    const QStringList l36 = QStringList{b(8) + "FECHAMENTO DE CAIXA"} + comum_cabeca + QStringList{
        "Abertura       | Fechamento",
        "Data: 07/12/26 | 08/12/26",
        "Hora: 07:45:12 | 18:30:00",
        "Qtde Veic.(Rot,Turno,Diarista):  12",
        "Troco: 20,00",
        "Valor(Rot,Turno,Diarista): 1.234,50",
        "Valor Mensalidades: 100,00",
        "\r",
        "Convenio" + b(14) + "Qtde.  Total",
        QString(36, u'-'),
        "Shopping Centro" + b(8) + "3" + b(5) + "45,00",
        "Farmácia" + b(15) + "1" + b(5) + "4,00",
        b(25) + "-------",
        b(7) + "Total Convenio -> 49,00",
        "\r",
        b(10) + QString(22, u'='),
        b(10) + "Total Caixa -> 1.403,50",
        b(10) + QString(22, u'='),
        // The heading is longer than the roll: its column names go below.
        "\r"} + logs + QStringList{"Tickets Cancelados (3)", "<Ticket, Placa, Hora>:"} + tickets;

    const QStringList l40 = QStringList{b(11) + "FECHAMENTO DE CAIXA"} + comum_cabeca + QStringList{
        "Data Abert: 07/12/26  Data Fec: 08/12/26",
        "Hora Abert: 07:45:12  Hora Fec: 18:30:00",
        "Qtde Veiculos(Rot,Turno,Diarista) : 12",
        "Troco: 20,00",
        "Valor(Rotativo,Turno,Diarista): 1.234,50",
        "Valor Mensalidades: 100,00",
        "\r",
        "Convenio" + b(14) + "Qtde.  Total",
        QString(40, u'-'),
        "Shopping Centro" + b(8) + "3" + b(5) + "45,00",
        "Farmácia" + b(15) + "1" + b(5) + "4,00",
        b(29) + "-------",
        b(11) + "Total Convenio -> 49,00",
        "\r",
        b(14) + QString(22, u'='),
        b(14) + "Total Caixa -> 1.403,50",
        b(14) + QString(22, u'='),
        "\r"} + logs + QStringList{"Tickets Cancel. (3) <Tic, Placa, Hora>:"} + tickets;

    const QStringList l48 = QStringList{b(14) + "FECHAMENTO DE CAIXA"} + comum_cabeca + QStringList{
        "Data Abert.: 07/12/26   Data Fecham.: 08/12/26",
        "Hora Abert.: 07:45:12   Hora Fecham.: 18:30:00",
        "Qtde. Veiculos(Rotativo,Turno,Diarista) : 12",
        "Troco: 20,00",
        "Valor(Rotativo,Turno,Diarista): 1.234,50",
        "Valor Mensalidades: 100,00",
        "\r",
        "Convenio" + b(14) + "Qtde." + b(7) + "Total",
        QString(48, u'-'),
        "Shopping Centro" + b(8) + "3" + b(10) + "45,00",
        "Farmácia" + b(15) + "1" + b(10) + "4,00",
        b(34) + "-------",
        b(16) + "Total Convenio -> 49,00",
        "\r",
        b(19) + QString(22, u'='),
        b(19) + "Total Caixa -> 1.403,50",
        b(19) + QString(22, u'='),
        "\r"} + logs + QStringList{"Tickets Cancelados (3) <Ticket, Placa, Hora>:"} + tickets;

    EXPECT_EQ(imprime(36), rolo(l36, 2));
    EXPECT_EQ(imprime(40), rolo(l40, 2));
    EXPECT_EQ(imprime(48), rolo(l48, 2));
    EXPECT_EQ(imprime(0), rolo(l48, 2));   // any other width is the wide roll
    // The amounts line up under "Total", the period lines fill the 40 and wide rolls.
    EXPECT_EQ(l36[15].indexOf("45,00"), l36[13].indexOf("Total"));
    EXPECT_EQ(l48[15].indexOf("45,00"), l48[13].indexOf("Total"));
    EXPECT_EQ(l40[4].size(), 40);
    EXPECT_EQ(tickets[2].size(), 36);
}

TEST_F(RelatorioFechamentoTest, SemConveniosNemRegistrosEComValorVazio) {
    amb.db().executa("UPDATE fechamento_caixa SET valor_mensalidades = NULL, qtd_veiculos = 0");
    // The grand total is the casual takings and the float; no partner lines, no log sections.
    EXPECT_EQ(imprime(40, 0),
              rolo({b(11) + "FECHAMENTO DE CAIXA", "Caixa Numero: 7", "Usuario (abert. caixa) : maria",
                    "Usuario (fecham. caixa): joao", "Data Abert: 07/12/26  Data Fec: 08/12/26",
                    "Hora Abert: 07:45:12  Hora Fec: 18:30:00", "Qtde Veiculos(Rot,Turno,Diarista) : 0",
                    "Troco: 20,00", "Valor(Rotativo,Turno,Diarista): 1.234,50", "Valor Mensalidades: ",
                    "\r", "\r", b(14) + QString(22, u'='), b(14) + "Total Caixa -> 1.254,50",
                    b(14) + QString(22, u'='), "\r"},
                   0));
}

// With the largest amounts no line passes the roll's edge, and each total, moved left to fit,
// still stands wholly under its rule ("-------" over the partners' total, "=" over and under the
// register's), the rule following it; the rules of amounts that fit stay as laid out.
TEST_F(RelatorioFechamentoTest, TotaisAjustadosFicamSobAsReguas) {
    const Dinheiro maior = Dinheiro::maiorDigitado();
    amb.db().executa("UPDATE fechamento_caixa SET valor_veiculos = ?, valor_mensalidades = ?, troco = ?",
                     {maior.paraBanco(), maior.paraBanco(), maior.paraBanco()});
    for (const char* nome : {"Shopping Centro Nort", "Farmácia"})
        amb.db().executa("INSERT INTO fechamento_caixa_convenios (numero, convenio, qtd, valor) "
                         "VALUES (7, ?, 32767, ?)", {nome, maior.paraBanco()});
    const struct {
        int bobina;
        QString reguaConvenio, totalConvenio, reguaCaixa, totalCaixa;
    } casos[] = {
        {36, b(22) + QString(14, u'-'), b(4) + "Total Convenio -> 199.999.999,98", b(7) + QString(29, u'='),
         b(7) + "Total Caixa -> 399.999.999,96"},
        {40, b(26) + QString(14, u'-'), b(8) + "Total Convenio -> 199.999.999,98", b(11) + QString(29, u'='),
         b(11) + "Total Caixa -> 399.999.999,96"},
        {48, b(34) + "-------", b(16) + "Total Convenio -> 199.999.999,98", b(19) + QString(22, u'='),
         b(19) + "Total Caixa -> 399.999.999,96"},
    };
    for (const auto& c : casos) {
        const QByteArray bytes = impressao_fechamento_caixa(amb.db(), {7, "joao", c.bobina, 0, Dinheiro()});
        const QStringList linhas = QString::fromLatin1(bytes).split("\r\n");
        for (const QString& l : linhas) EXPECT_LE(l.size(), c.bobina) << c.bobina << ": " << l.toStdString();
        const qsizetype convenio = linhas.indexOf(QRegularExpression(" *Total Convenio.*"));
        const qsizetype caixa = linhas.indexOf(QRegularExpression(" *Total Caixa.*"));
        ASSERT_GT(convenio, 0);
        ASSERT_GT(caixa, 0);
        EXPECT_EQ(linhas.mid(convenio - 1, 2).join('|').toStdString(),
                  (QStringList{c.reguaConvenio, c.totalConvenio}).join('|').toStdString());
        EXPECT_EQ(linhas.mid(caixa - 1, 3).join('|').toStdString(),
                  (QStringList{c.reguaCaixa, c.totalCaixa, c.reguaCaixa}).join('|').toStdString());
    }
}
