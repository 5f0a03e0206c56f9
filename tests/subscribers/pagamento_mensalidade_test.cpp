#include "subscribers/mensalistas_teste.h"
#include "subscribers/pagamento_mensalidade.h"

namespace {

const Dinheiro kCem = Dinheiro::reais(100);

class Pagamento : public MensalistasTeste {
protected:
    QString valor(int codigo, const char* mesTexto) {
        return calcula_mensalidade(db(), {codigo, 7}, *mesDoTexto(mesTexto), kCem).formata();
    }
    ResultadoPagamento paga(int codigo, const char* mesTexto, Dinheiro v = kCem) {
        PedidoPagamento p;
        p.codigo = codigo;
        p.mes = *mesDoTexto(mesTexto);
        p.valor = v;
        p.desconto = Dinheiro::reais(3);
        p.filial = 7;
        p.caixa = 12;
        p.data = QDate(2008, 5, 2);
        p.hora = QTime(9, 8, 7);
        return efetua_pagamento(db(), p);
    }
};

TEST_F(Pagamento, MesDoTexto) {
    EXPECT_EQ(mesDoTexto("03/08"), QDate(2008, 3, 1));
    EXPECT_EQ(mesDoTexto("12/29"), QDate(2029, 12, 1));
    EXPECT_EQ(mesDoTexto("01/30"), QDate(1930, 1, 1));
    for (const char* invalido : {"13/08", "00/08", "  /  ", "3 /08"})
        EXPECT_FALSE(mesDoTexto(invalido)) << invalido;
}

// The worked amounts with a fee of 100,00; each row a subscriber of its own.
TEST_F(Pagamento, ValorDoMes) {
    const struct {
        const char *inicio, *feriasIni, *feriasFim, *mes, *valor;
        bool temHistorico;   // a paid month before, so it is not a first payment
    } casos[] = {
        {"2008-03-16", nullptr, nullptr, "03/08", "51,61", false},
        {"2008-03-01", nullptr, nullptr, "03/08", "100,00", false},
        {"2008-02-29", nullptr, nullptr, "02/08", "3,45", false},
        {"2009-02-15", nullptr, nullptr, "02/09", "50,00", false},
        {"2008-03-16", nullptr, nullptr, "04/08", "100,00", false},
        {"2008-01-01", "2008-04-10", "2008-04-20", "04/08", "63,33", true},
        {"2008-01-01", "2008-03-25", "2008-04-05", "03/08", "77,42", true},
        {"2008-01-01", "2008-03-25", "2008-04-05", "04/08", "83,33", true},
        {"2008-01-01", "2008-03-05", "2008-04-10", "03/08", "12,90", true},
        {"2008-01-01", "2008-02-10", "2008-02-19", "02/08", "65,52", true},
        {"2008-01-01", "2008-02-10", "2008-02-19", "05/08", "100,00", true},
        // A vacation across a year: the days inside the month paid, months between included.
        {"2008-01-01", "2008-03-10", "2009-03-05", "03/08", "29,03", true},
        {"2008-01-01", "2008-03-10", "2009-03-05", "06/08", "0,00", true},
        {"2008-01-01", "2008-03-10", "2009-03-05", "03/09", "83,87", true},
        {"2008-01-01", "2008-03-10", nullptr, "03/08", "100,00", true},
    };
    int codigo = 0;
    for (const auto& c : casos) {
        ++codigo;
        mensalista(codigo, QStringLiteral("M%1").arg(codigo), c.inicio, false,
                   c.feriasIni ? QVariant(c.feriasIni) : QVariant(),
                   c.feriasFim ? QVariant(c.feriasFim) : QVariant());
        if (c.temHistorico) {
            mes(codigo, "2007-12-01", true);
            mes(codigo, "2007-11-01", true);
        }
        EXPECT_EQ(valor(codigo, c.mes), c.valor) << codigo;
    }
    // A month opened unpaid by an entry pays the full fee even in a vacation.
    mes(codigo - 1, "2008-03-01", false);
    EXPECT_EQ(valor(codigo - 1, "03/08"), "100,00");
}

TEST_F(Pagamento, PrimeiroPagamentoEMesAnterior) {
    mensalista(1, "Ana");
    const struct {
        const char* mes;
        const char* mensagem;   // nullptr: paid
    } casos[] = {
        {"02/08", "Mês/ano anterior à data de início do mensalista."},
        {"04/08", "Primeira mensalidade deve ser o mês em que o mensalista começou."},
        {"03/08", nullptr},
        {"03/08", "A mensalidade 03/08 já foi paga."},
        {"05/08", "Mensalidade do mês anterior não paga."},
        {"04/08", nullptr},
        {"05/08", nullptr},
    };
    for (const auto& c : casos) {
        const ResultadoPagamento r = paga(1, c.mes);
        EXPECT_EQ(r.pago, !c.mensagem) << c.mes;
        if (c.mensagem) {
            EXPECT_EQ(r.mensagem, QString::fromUtf8(c.mensagem));
            EXPECT_EQ(r.foco, FocoPagamento::mes);
        }
    }
    EXPECT_EQ(amb.linha("SELECT count(*), sum(pago), min(filial), min(data_pgto), min(hora_pgto) "
                        "FROM mensalidades WHERE codigo = 1"),
              (QStringList{"3", "3", "7", "2008-05-02", "09:08:07"}));
    EXPECT_EQ(amb.linha("SELECT mensalista, mes, valor, caixa, data, hora, desconto, adicional, "
                        "filial FROM pagamento_mensalidade ORDER BY mes DESC"),
              (QStringList{"1", "2008-05-01", "1000000", "12", "2008-05-02", "09:08:07", "30000",
                           "0", "NULL"}));
}

// A subscriber whose first month came after an entry opened a later month: the first month needs
// no month before it.
TEST_F(Pagamento, PrimeiroMesComHistoricoNaoPedeOMesAnterior) {
    mensalista(1, "Ana");
    mes(1, "2008-04-01", false);
    EXPECT_TRUE(paga(1, "03/08").pago);
    // The month opened by the entry is paid whatever the month before.
    mensalista(2, "Bia", "2008-01-01");
    mes(2, "2008-03-01", false);
    mes(2, "2008-01-01", false);
    EXPECT_TRUE(paga(2, "03/08").pago);
    EXPECT_EQ(amb.linha("SELECT count(*), sum(pago) FROM mensalidades WHERE codigo = 2"),
              (QStringList{"2", "1"}));
}

TEST_F(Pagamento, FalhaNoMeioNaoMarcaOMes) {
    mensalista(1, "Ana");
    mes(1, "2008-03-01", false);
    falhaAoGravar("pagamento_mensalidade");
    EXPECT_THROW(paga(1, "03/08"), ErroBanco);
    EXPECT_EQ(amb.linha("SELECT pago, valor FROM mensalidades"), (QStringList{"0", "NULL"}));
}

TEST_F(Pagamento, CargaDoMensalista) {
    mensalista(1, "Ana");
    mensalista(2, "Sem valor");
    db().executa("UPDATE mensalistas SET valor = NULL WHERE codigo = 2");
    mensalista(3, "Sem tipo");
    db().executa("UPDATE mensalistas SET tipo = 99 WHERE codigo = 3");
    const CargaPagamento c = carrega_mensalista_pagamento(db(), {1, 7});
    ASSERT_TRUE(c.mensalista);
    EXPECT_EQ(c.mensalista->tipo, "Mensal");
    EXPECT_EQ(c.mensalista->nomeFilial, "Centro");
    EXPECT_EQ(c.mensalista->valor, kCem);
    EXPECT_TRUE(carrega_mensalista_pagamento(db(), {2, 7}).recusa.contains("não tem valor"));
    EXPECT_EQ(carrega_mensalista_pagamento(db(), {3, 7}).recusa, "Mensalista não encontrado.");
}

TEST_F(Pagamento, DescontoEAdicionalSeCompensam) {
    const struct {
        const char *des, *adi, *desDepois, *adiDepois;
    } casos[] = {{"3,00", "10,00", "0,00", "7,00"},
                 {"5,00", "5,00", "0,00", "0,00"},
                 {"12,50", "2,00", "10,50", "0,00"}};
    for (const auto& c : casos) {
        const DescontoAdicional r = compensa_desconto_adicional(c.des, c.adi);
        EXPECT_EQ(r.des, c.desDepois);
        EXPECT_EQ(r.adi, c.adiDepois);
    }
}

// What the month costs with the discount and the additional; never below zero.
TEST_F(Pagamento, ValorAPagarComDescontoEAdicional) {
    const struct {
        const char *mes, *des, *adi;
        const char* valor;   // nullptr: refused
        const char* recusa;
        FocoPagamento foco;
    } casos[] = {
        {"100,00", "0,00", "0,00", "100,00", nullptr, FocoPagamento::Nenhum},
        {"36,67", "10,00", "0,00", "26,67", nullptr, FocoPagamento::Nenhum},
        {"36,67", "36,67", "0,00", "0,00", nullptr, FocoPagamento::Nenhum},
        {"36,67", "80,00", "50,00", "6,67", nullptr, FocoPagamento::Nenhum},
        {"36,67", "50,00", "0,00", nullptr,
         "O desconto (50,00) é maior que o valor da mensalidade (36,67). Corrija o desconto.",
         FocoPagamento::des},
        {"36,67", "80,00", "10,00", nullptr,
         "O desconto (80,00) é maior que o valor da mensalidade (46,67). Corrija o desconto.",
         FocoPagamento::des},
        {"100,00", "1,2,3", "0,00", nullptr, "Desconto inválido.", FocoPagamento::des},
        {"100,00", "0,00", "", nullptr, "Adicional inválido.", FocoPagamento::adi},
        {"100,00", "0,00", "123456789012345", nullptr,
         "Valor acima do máximo permitido (99.999.999,99).", FocoPagamento::adi},
        {"99.999.999,99", "0,00", "0,01", nullptr,
         "O valor a pagar ultrapassa o máximo permitido (99.999.999,99). Corrija o adicional.",
         FocoPagamento::adi},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.des) + " " + c.adi);
        const ValorAPagar r = valor_a_pagar(*Dinheiro::ler(c.mes), c.des, c.adi);
        EXPECT_EQ(r.valor ? r.valor->formata() : QString(), c.valor ? QString(c.valor) : QString());
        EXPECT_EQ(r.recusa, c.recusa ? QString::fromUtf8(c.recusa) : QString());
        EXPECT_EQ(r.foco, c.foco);
    }
    // The payment itself refuses an amount below zero, whatever led to it.
    mensalista(1, "Ana");
    const ResultadoPagamento r = paga(1, "03/08", Dinheiro::reais(0, 1) - Dinheiro::reais(1));
    EXPECT_FALSE(r.pago);
    EXPECT_EQ(r.mensagem, "O valor a pagar não pode ser negativo. Corrija o desconto.");
    // Nor above the largest amount kept, which a large fee and an additional can pass.
    const ResultadoPagamento acima =
        paga(1, "03/08", Dinheiro::maiorDigitado() + Dinheiro::reais(0, 1));
    EXPECT_FALSE(acima.pago);
    EXPECT_EQ(acima.mensagem, "O valor a pagar ultrapassa o máximo permitido (99.999.999,99). "
                              "Corrija o adicional.");
    EXPECT_EQ(amb.conta("pagamento_mensalidade") + amb.conta("mensalidades"), 0);
}

}  // namespace
