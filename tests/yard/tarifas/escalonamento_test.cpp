#include "yard/tarifas/escalonamento.h"

#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 H = 3600;
constexpr qint64 M = 60;

const QList<Degrau> kDegraus = {{H, rs("5,00")}, {H, rs("3,00")}, {2 * H, rs("4,00")}};

}  // namespace

TEST(Escalonamento, SemDegrausOuPeriodoZero) {
    // Without steps the whole time goes to the extension rule.
    EXPECT_EQ(cobraDegraus(90 * M, {}, Excedente::porPeriodo(30 * M, rs("1,50"))), rs("4,50"));
    EXPECT_EQ(cobraDegraus(0, {}, Excedente::porPeriodo(30 * M, rs("1,50"))), Dinheiro{});
    // A period of no length is no rule: the time after the steps is not charged, and it ends.
    const Excedente zero = Excedente::porPeriodo(0, rs("2,00"));
    EXPECT_EQ(zero.tipo, Excedente::Tipo::Nenhum);
    EXPECT_EQ(cobraDegraus(10 * H, kDegraus, zero), rs("12,00"));
    // Steps of no length are all charged, and the stepping still ends.
    EXPECT_EQ(cobraDegraus(H, {{0, rs("1,00")}, {0, rs("1,00")}}, Excedente::nenhum()),
              rs("2,00"));
}

TEST(Escalonamento, DegrausEmCicloComoOPassoAPasso) {
    // The rounds charged at once give what taking every step one by one gives.
    const auto passoAPasso = [](qint64 duracao, const QList<Degrau>& d) {
        Dinheiro total;
        qint64 resto = duracao;
        for (qsizetype i = 0;; i = (i + 1) % d.size()) {
            resto -= d[i].tempo;
            total += d[i].valor;
            if (resto < 0) return total;
        }
    };
    const QList<Degrau> comZero = {{30 * M, rs("1,00")}, {0, rs("0,50")}, {H, rs("2,00")}};
    for (qint64 duracao = -1; duracao <= 30 * H; duracao += 7 * M + 13) {
        EXPECT_EQ(*cobraDegrausEmCiclo(duracao, kDegraus), passoAPasso(duracao, kDegraus))
            << duracao;
        EXPECT_EQ(*cobraDegrausEmCiclo(duracao, comZero), passoAPasso(duracao, comZero))
            << duracao;
    }
    for (qint64 n = 1; n <= 10; ++n) {
        EXPECT_EQ(*cobraDegrausEmCiclo(n * 4 * H, kDegraus), passoAPasso(n * 4 * H, kDegraus));
        EXPECT_EQ(*cobraDegrausEmCiclo(n * 4 * H - 1, kDegraus),
                  passoAPasso(n * 4 * H - 1, kDegraus));
    }
    // A year of one-minute steps ends at once.
    EXPECT_EQ(*cobraDegrausEmCiclo(365 * 24 * H, {{M, rs("0,01")}}), rs("5.256,01"));
}

TEST(Escalonamento, CicloSemDuracaoNaoTermina) {
    EXPECT_FALSE(cobraDegrausEmCiclo(H, {{0, rs("1,00")}, {0, rs("2,00")}}).has_value());
    EXPECT_FALSE(cobraDegrausEmCiclo(H, {}).has_value());
}
