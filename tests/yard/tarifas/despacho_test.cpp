#include "yard/tarifas/tarifa.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

TEST(CalculaTotal, EscolheARotinaPelaModalidade) {
    BancoTeste b;
    Banco& db = b.db();
    // Tariffs that give each kind its own total for a stay of 1:30:00.
    semeiaRotativoPadrao(db);
    semeiaDiaria(db, 1, "1,00");
    db.executa("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES ('08:00:00', '18:00:00', ?)",
               {rs("15,00").paraBanco()});
    db.executa("INSERT INTO convenios (convenio, isento_fixo_variavel, valor_fixo, dom, seg, ter, "
               "qua, qui, sex, sab) VALUES ('Loja', 'F', ?, 1, 1, 1, 1, 1, 1, 1)",
               {rs("6,00").paraBanco()});
    db.executa("INSERT INTO veiculos_patio (placa, mensalista) VALUES ('ABC-1234', 7)");

    const struct {
        const char* modalidade;
        const char* tot;
    } casos[] = {
        {"R", "8,00"}, {"T", "15,00"}, {"C", "6,00"}, {"M", "0,00"}, {"D", "2,00"}, {"", "2,00"},
    };
    for (const auto& c : casos) {
        PedidoTarifa p = pedido(c.modalidade, "10/03/2008", "09:00:00", "10/03/2008", "10:30:00");
        p.tur = "08:00 - 18:00";
        p.conv = "Loja";
        p.pla = "ABC-1234";
        const ResultadoTarifa r = calcula_total(db, p);
        EXPECT_TRUE(r.calculado);
        EXPECT_EQ(textoTot(r), c.tot) << c.modalidade;
    }
}

TEST(CalculaTotal, SemVeiculoNadaECalculado) {
    BancoTeste b;
    // Not even the failing day rate runs: `tot` and `tro` keep their text.
    PedidoTarifa p = pedido("D", "10/03/2008", "", "10/03/2008", "10:30:00");
    const ResultadoTarifa r = calcula_total(b.db(), p);
    EXPECT_FALSE(r.calculado);
    EXPECT_TRUE(r.mensagem.isEmpty());
    EXPECT_FALSE(r.limpaMemoria);
    // With a vehicle, the same request computes and fails for want of a day rate.
    p.hor_ent = "09:00:00";
    EXPECT_EQ(calcula_total(b.db(), p).mensagem, "Tempo e valor da diária não cadastrados.");
}
