#include "data/dinheiro.h"

#include <functional>
#include <limits>

#include <gtest/gtest.h>

TEST(Dinheiro, LeituraDeValoresDigitados) {
    const struct {
        const char* texto;
        std::optional<qint64> bruto;
    } casos[] = {
        {"12,50", 125000},     {"12,5", 125000},      {"7", 70000},
        {"1.234,56", 12345600}, {"0,01", 100},        {",5", 5000},
        {"1,23456", std::nullopt}, {"-3,00", -30000},  {"  4,00 ", 40000},
        {"12,345", std::nullopt}, {"0,001", std::nullopt}, {"0.001", std::nullopt},
        {"12,340", std::nullopt}, {"0.500,00", std::nullopt}, {"100.000,00", 1000000000},
        {"", std::nullopt},    {"abc", std::nullopt}, {"1,2,3", std::nullopt},
        {"12.34", std::nullopt}, {"1.2345,00", std::nullopt}, {",", std::nullopt},
    };
    for (const auto& c : casos) {
        const auto lido = Dinheiro::ler(QString::fromUtf8(c.texto));
        ASSERT_EQ(lido.has_value(), c.bruto.has_value()) << c.texto;
        if (lido) {
            EXPECT_EQ(lido->valorBruto(), *c.bruto) << c.texto;
        }
    }
}

TEST(Dinheiro, FormatoComVirgulaEMilhares) {
    const struct {
        qint64 bruto;
        const char* texto;
    } casos[] = {
        {0, "0,00"},           {125000, "12,50"},        {12345600, "1.234,56"},
        {12345678900, "1.234.567,89"}, {50, "0,01"},     {49, "0,00"},
        {-30000, "-3,00"},     {-49, "0,00"},            {10000000, "1.000,00"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Dinheiro::bruto(c.bruto).formata().toStdString(), c.texto) << c.bruto;
}

TEST(Dinheiro, AritmeticaExata) {
    // 0,10 added ten times is exactly 1,00: no floating-point drift.
    Dinheiro soma;
    for (int i = 0; i < 10; ++i) soma += Dinheiro::reais(0, 10);
    EXPECT_EQ(soma, Dinheiro::reais(1));
    EXPECT_EQ(Dinheiro::reais(2, 50) * 3, Dinheiro::reais(7, 50));
    EXPECT_LT(Dinheiro::reais(2), Dinheiro::reais(2, 1));
}

// Nothing wraps: an operation leaving the 64-bit range throws instead of giving a wrong amount.
TEST(Dinheiro, ContasForaDoLimiteRecusadas) {
    const Dinheiro maior = Dinheiro::bruto(std::numeric_limits<qint64>::max());
    const Dinheiro diaria = Dinheiro::reais(99999999999999);
    const struct {
        const char* conta;
        std::function<Dinheiro()> faz;
        const char* resultado;   // nullptr: refused
    } casos[] = {
        {"diária × 10", [&] { return diaria * 10; }, nullptr},
        {"maior + 0,01", [&] { return maior + Dinheiro::reais(0, 1); }, nullptr},
        {"-maior - 1", [&] { return -maior - Dinheiro::bruto(2); }, nullptr},
        {"soma acumulada", [&] { Dinheiro d = maior; d += Dinheiro::bruto(1); return d; }, nullptr},
        {"teto digitado × 31", [] { return Dinheiro::maiorDigitado() * 31; }, "3.099.999.999,69"},
    };
    for (const auto& c : casos) {
        if (c.resultado)
            EXPECT_EQ(c.faz().formata(), c.resultado) << c.conta;
        else
            EXPECT_THROW(c.faz(), EstouroDinheiro) << c.conta;
    }
}

TEST(Dinheiro, ValorDigitadoAcimaDoTetoOuNegativo) {
    const struct { const char *digitado, *recusa; } casos[] = {
        {"99.999.999,99", nullptr},
        {"100.000.000,00", "Valor acima do máximo permitido (99.999.999,99)."},
        {"99999999999999", "Valor acima do máximo permitido (99.999.999,99)."},
        {"-25,00", "O valor não pode ser negativo."},
        {"0,00", nullptr},
        {"abc", nullptr},   // no amount at all: the caller's own message
    };
    for (const auto& c : casos) {
        const auto r = recusaValorDigitado(c.digitado);
        EXPECT_EQ(r.value_or(QString()), QString(c.recusa ? c.recusa : "")) << c.digitado;
    }
}
