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
