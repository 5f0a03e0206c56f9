#include "yard/busca_saida.h"

#include "support/pista_janela.h"

// A vehicle found by its ticket, plate or tag: the lane texts with the exit at the program
// clock; a subscriber's vehicle shows "0000000000" and is charged as one.
TEST(BuscaSaida, PorTicketPlacaEPrisma) {
    Ambiente amb;
    estaciona(amb, "ABC-1234", 17, 4, {}, "2026-12-06", "22:15:30");
    amb.db().executa("UPDATE veiculos_patio SET veiculo = 'Gol prata'");
    estaciona(amb, "MEN-0001", {}, 5, 9);
    // Dates and times stored in another form are read as the rest of the program reads them.
    estaciona(amb, "DEF-5678", 18, {}, {}, "2026-12-05 00:00:00", "7:05:09");
    const QDate hoje(2026, 12, 7);
    const QTime agora(9, 0, 5);
    const auto texto = [](const std::optional<VeiculoEncontrado>& v) {
        return v ? QStringList{v->tic, v->pla, v->dat_ent, v->hor_ent, v->dat_sai, v->hor_sai,
                               v->vei, v->mensalista ? "M" : ""}
                 : QStringList{};
    };
    const QStringList gol{"17        ", "ABC-1234", "06/12/2026", "22:15:30", "07/12/2026",
                          "09:00:05", "Gol prata", ""};
    const QStringList men{"0000000000", "MEN-0001", "07/12/2026", "08:30:00", "07/12/2026",
                          "09:00:05", "", "M"};
    const struct { CampoBusca campo; const char* digitado; QStringList esperado; } casos[] = {
        {CampoBusca::Ticket, "17        ", gol},
        {CampoBusca::Placa, "ABC-1234", gol},
        {CampoBusca::Prisma, " 4 ", gol},
        {CampoBusca::Placa, "MEN-0001", men},
        {CampoBusca::Prisma, "5", men},
        {CampoBusca::Placa, "DEF-5678",
         {"18        ", "DEF-5678", "05/12/2026", "", "07/12/2026", "09:00:05", "", ""}},
        {CampoBusca::Ticket, "99", {}},
        {CampoBusca::Ticket, "          ", {}},
        {CampoBusca::Placa, "   -    ", {}},
        {CampoBusca::Placa, "ZZZ-9999", {}},
        {CampoBusca::Prisma, "   ", {}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(texto(busca_saida(amb.db(), c.campo, c.digitado, hoje, agora)), c.esperado)
            << c.digitado;
}
