#include "app/valida_hora.h"

#include <gtest/gtest.h>

TEST(ValidaHora, CasosDeHora) {
    const struct {
        const char* texto;
        bool esperado;
    } casos[] = {
        {"23:59", true},  {"00:00", true},  {"24:00", false}, {"23:60", false},
        {"  :  ", false}, {"", false},      {"12:99:00", true}, {"7", true},
        {"ab:30", false}, {"08:5a", false}, {"-1:30", false}, {"9:30", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(valida_hora(QString::fromUtf8(c.texto)), c.esperado) << c.texto;
}
