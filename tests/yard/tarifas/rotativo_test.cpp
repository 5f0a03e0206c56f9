#include "yard/tarifas/limites_dia.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

std::pair<QString, bool> recusaRotativo(const QString&) { return {"Option3", true}; }

}  // namespace

TEST(Rotativo, ExemplosDaTabelaDeHorarios) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    confereLinhas(b.db(), "R", {
        {"08:00:00", "08:00:00", "5,00", "", "5,00"},
        {"08:00:00", "08:59:59", "5,00", "", "5,00"},
        {"08:00:00", "09:00:00", "8,00", "", "8,00"},
        {"08:00:00", "09:59:59", "8,00", "", "8,00"},
        {"08:00:00", "10:00:00", "12,00", "", "12,00"},
        {"08:00:00", "12:00:00", "12,00", "", "17,00"},
        {"08:00:00", "12:00:01", "14,00", "", "17,00"},
        {"08:00:00", "13:00:00", "14,00", "", "20,00"},
        {"08:00:00", "14:00:00", "16,00", "", "24,00"},
        {"08:00:00", "14:10:00", "18,00", "", "24,00"},
        // 26 h: outside 24-hour operation (where the day limits refuse it first) its hours only.
        {"08:00:00", "11/03/2008 10:00:00", "12,00", "", "84,00"},
        // The overnight example: 3:30:00 from the lane's times, whatever the clock.
        {"22:00:00", "11/03/2008 01:30:00", "12,00", "", {}, "05:00:00"},
        // Same date: up to the program clock, so the seconds since the vehicle was found count.
        {"08:00:00", "08:59:50", "8,00", "", {}, "09:00:00"},
    }, recusaRotativo);
}

TEST(Rotativo, TabelasIncompletasERecusas) {
    const std::pair<QString, Linha> casos[] = {
        {kRotativoPadrao.section(u';', 0, 0), {"08:00:00", "14:00:00", "12,00"}},   // no extension
        {"INSERT INTO rotativo_variavel VALUES ('01:00:00', 50050, 1)",   // 5,005: two decimals
         {"08:00:00", "08:10:00", "5,01"}},
        {"INSERT INTO rotativo_variavel VALUES ('00:00:00', 10000, 1), ('00:00:00', 20000, 2)",
         {"08:00:00", "09:00:00", {}, "", "Os tempos do Rotativo estão todos em 00:00. Corrija a "
                                          "tabela do Rotativo."}},
        {"", {"08:00:00", "09:00:00", "Os tempos/valores do Rotativo não foram cadastrados."}},
        {kRotativoPadrao, {"08:00:00", "08:00:00", kMsgSaidaAntesEntrada, "", {}, "07:59:59"}},
    };
    for (const auto& [tabela, linha] : casos) {
        BancoTeste b;
        semeia(b.db(), tabela);
        confereLinhas(b.db(), "R", {linha}, recusaRotativo);
    }
}

TEST(LimitesDoDia, CasosDoPainelDePagamento) {
    const QString seisHoras = "O veículo ficou mais de 6h de um dia para outro. Escolha convênio, "
                              "mensalista ou diarista.";
    const struct {
        const char* sai;
        bool em24h;
        QString esperado;
    } casos[] = {
        {"11/03/2008 02:00:02", false, {}},   // 21601 s from 20:00:00
        {"11/03/2008 02:00:03", false, seisHoras},
        {"12/03/2008 01:00:00", false, "O veículo ficou mais de um dia no estacionamento. Escolha "
                                       "convênio, mensalista ou diarista."},
        {"12/03/2008 01:00:00", true, {}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(limites_do_dia("10/03/2008", "20:00:00", QString(c.sai).left(10),
                                 QString(c.sai).mid(11), c.em24h), c.esperado) << c.sai;
}
