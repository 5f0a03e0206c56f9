#include "widgets/campo_dinheiro.h"

#include <QLineEdit>

#include <gtest/gtest.h>

TEST(CampoDinheiro, FormataAoSairOuLimpa) {
    QLineEdit campo;
    const struct { const char *digitado, *mostrado; } casos[] = {
        {"1234,5", "1.234,50"}, {"0", "0,00"}, {"12,345", "12,35"}, {"abc", ""}, {"", ""},
    };
    for (const auto& c : casos) {
        campo.setText(c.digitado);
        const auto valor = formataCampoDinheiro(&campo);
        EXPECT_EQ(campo.text(), c.mostrado) << c.digitado;
        EXPECT_EQ(valor.has_value(), *c.mostrado != '\0') << c.digitado;
    }
}

// Pasted or dropped text meets the rule typed text meets: a sign or a letter never gets in.
TEST(CampoDinheiro, ColadoSegueARegraDoDigitado) {
    QLineEdit campo;
    aplicaRegraDinheiro(&campo);
    const struct { const char *antes, *colado, *depois; } casos[] = {
        {"", "-25,00", ""},       {"7,00", "-25,00", "7,00"}, {"", "12,50", "12,50"},
        {"", "1.234,56", "1.234,56"}, {"", "25 reais", ""},  {"1", "0", "10"},
    };
    for (const auto& c : casos) {
        campo.setText(c.antes);
        campo.end(false);
        campo.insert(c.colado);   // what paste() and a drop do with the text
        EXPECT_EQ(campo.text(), c.depois) << c.colado;
    }
}
