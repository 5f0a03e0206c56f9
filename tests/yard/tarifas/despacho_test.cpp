#include "yard/tarifas/tarifa.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

TEST(CalculaTotal, EscolheARotinaPelaModalidade) {
    BancoTeste b;
    // Tariffs that give each kind its own total for a stay of 1:30:00.
    semeia(b.db(), kRotativoPadrao +
                       ";INSERT INTO diaria (tempo, valor) VALUES (1, 10000);"
                       "INSERT INTO turnos (hora_inicial, hora_final, valor) "
                       "VALUES ('08:00:00', '18:00:00', 150000);"
                       "INSERT INTO convenios (convenio, isento_fixo_variavel, valor_fixo, dom, "
                       "seg, ter, qua, qui, sex, sab) "
                       "VALUES ('Loja', 'F', 60000, 1, 1, 1, 1, 1, 1, 1);"
                       "INSERT INTO veiculos_patio (placa, mensalista) VALUES ('ABC-1234', 7)");
    const struct {
        const char *modalidade, *horEnt;
        bool calculado;
        const char* tot;
    } casos[] = {
        {"R", "09:00:00", true, "8,00"}, {"T", "09:00:00", true, "15,00"},
        {"C", "09:00:00", true, "6,00"}, {"M", "09:00:00", true, "0,00"},
        {"D", "09:00:00", true, "2,00"}, {"", "09:00:00", true, "2,00"},   // no kind: day rate
        {"D", "", false, "ERRO"},   // no vehicle: nothing runs, `tot` and `tro` keep their text
    };
    for (const auto& c : casos) {
        PedidoTarifa p = pedido(c.modalidade, "10/03/2008", c.horEnt, "10/03/2008", "10:30:00");
        p.tur = "08:00 - 18:00";
        p.conv = "Loja";
        p.pla = "ABC-1234";
        const ResultadoTarifa r = calcula_total(b.db(), p);
        EXPECT_EQ(r.calculado, c.calculado) << c.modalidade << " " << c.horEnt;
        EXPECT_EQ(textoTot(r), c.tot) << c.modalidade << " " << c.horEnt;
        EXPECT_TRUE(r.mensagem.isEmpty());
    }
}
