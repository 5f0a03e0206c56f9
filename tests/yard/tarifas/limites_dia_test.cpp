#include "yard/tarifas/limites_dia.h"

#include <gtest/gtest.h>

TEST(LimitesDoDia, CasosDoPainelDePagamento) {
    const QString umDia = QStringLiteral(
        "O veículo ficou mais de um dia no estacionamento. Escolha convênio, mensalista ou "
        "diarista.");
    const QString seisHoras = QStringLiteral(
        "O veículo ficou mais de 6h de um dia para outro. Escolha convênio, mensalista ou "
        "diarista.");
    const struct {
        const char *datEnt, *horEnt, *datSai, *horSai;
        bool em24h;
        QString esperado;
    } casos[] = {
        {"10/03/2008", "20:00:00", "11/03/2008", "02:00:00", false, {}},         // 21599 s: allowed
        {"10/03/2008", "20:00:00", "11/03/2008", "02:00:02", false, {}},         // 21601 s
        {"10/03/2008", "20:00:00", "11/03/2008", "02:00:03", false, seisHoras},  // 21602 s
        {"10/03/2008", "20:00:00", "12/03/2008", "01:00:00", false, umDia},
        {"10/03/2008", "20:00:00", "11/03/2008", "02:00:03", true, {}},
        {"10/03/2008", "20:00:00", "12/03/2008", "01:00:00", true, {}},
        {"31/12/2008", "20:00:00", "01/01/2009", "03:00:00", false, seisHoras},  // over the year
    };
    for (const auto& c : casos)
        EXPECT_EQ(limites_do_dia(c.datEnt, c.horEnt, c.datSai, c.horSai, c.em24h), c.esperado)
            << c.datEnt << " " << c.horEnt << " -> " << c.datSai << " " << c.horSai;
}
