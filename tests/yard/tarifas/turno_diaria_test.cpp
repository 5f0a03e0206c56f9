#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

const QString kForaDoTurno =
    "O veículo não permaneceu no estacionamento durante o turno escolhido.";

// Only "Escolha o turno." keeps the memory of the last computation; it and the stay outside the
// shift move the focus to `tur`.
std::pair<QString, bool> recusaTurno(const QString& m) {
    const bool escolha = m == u"Escolha o turno.";
    return {escolha || m == kForaDoTurno ? "tur" : "", !escolha};
}

std::pair<QString, bool> recusaDiaria(const QString&) { return {"Option7", true}; }

}  // namespace

TEST(Turno, ExemplosBordasERecusas) {
    BancoTeste b;
    // The shift ending at 00:00 is kept without seconds.
    semeia(b.db(), kRotativoPadrao + ";INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES "
                                     "('08:00:00', '18:00:00', 150000), ('18:00', '00:00', 100000),"
                                     "('22:00:00', '06:00:00', 200000)");
    const char* const t = "08:00 - 18:00";
    confereLinhas(b.db(), "T", {
        {"09:00:00", "17:00:00", "15,00", t},
        {"07:30:00", "17:00:00", "20,00", t},
        {"07:30:00", "18:30:00", "23,00", t},
        {"09:00:00", "18:00:00", "15,00", t},
        {"09:00:00", "18:00:01", "20,00", t},
        {"06:00:00", "08:00:00", "27,00", t},
        {"04:00:00", "23:00:00", "37,00", t},
        {"19:00:00", "20:00:00", kForaDoTurno, t},
        {"06:00:00", "07:00:00", kForaDoTurno, t},
        {"18:00:00", "19:00:00", "23,00", t},   // entered at its end
        {"19:00:00", "23:59:59", "10,00", "18:00 - 00:00"},
        {"09:00:00", "10:00:00", "Escolha o turno."},
        {"09:00:00", "10:00:00", "Os tempos/valores do Turno não foram cadastrados.",
         "09:00 - 18:00"},   // gone since the list was filled
        // A shift over midnight is taken by the dates, on the night the stay touches.
        {"21:00:00", "11/03/2008 07:00:00", "32,00", "22:00 - 06:00"},   // 1 h before, 1 after
        {"01:00:00", "07:00:00", "28,00", "22:00 - 06:00"},   // the night before: 1 h after
        {"11/03/2008 05:00:00", "23:00:00", kMsgSaidaAntesEntrada, "22:00 - 06:00"},
        // The program clock set back: a day shift refuses the stay too, in any mode.
        {"10:00:00", "09:30:00", kMsgSaidaAntesEntrada, t, kMsgSaidaAntesEntrada},
        {"11/03/2008 10:00:00", "10:30:00", kMsgSaidaAntesEntrada, t, kMsgSaidaAntesEntrada},
        {"13/03/2008 10:00:00", "10:30:00", kMsgSaidaAntesEntrada, t, kMsgSaidaAntesEntrada},
        {"11/03/2008 19:00:00", "20:00:00", kMsgSaidaAntesEntrada, "18:00 - 00:00",
         kMsgSaidaAntesEntrada},
    }, recusaTurno);
    semeia(b.db(), "DELETE FROM rotativo_variavel");
    confereLinhas(b.db(), "T", {{"07:00:00", "10:00:00", "O tempo do turno foi excedido e os "
                                 "tempos/valores do Rotativo não foram cadastrados.", t}},
                  recusaTurno);
}

TEST(Diaria, ExemplosERecusas) {
    const std::pair<QString, Linha> casos[] = {
        {"(24, 300000)", {"10:00:00", "10:00:45", "0,00"}},
        {"(24, 300000)", {"10:00:00", "10:01:00", "30,00"}},
        {"(24, 300000)", {"10:00:00", "20:00:00", "30,00"}},
        {"(24, 300000)", {"10:00:00", "11/03/2008 10:00:00", "30,00"}},
        {"(24, 300000)", {"10:00:00", "11/03/2008 10:30:00", "60,00"}},
        {"(24, 300000)", {"22:00:00", "11/03/2008 01:00:00", "30,00"}},
        {"(24, 300000)", {"10:00:00", "13/03/2008 09:00:00", "90,00"}},
        {"(3, 300000)", {"21:00:00", "11/03/2008 00:01:00", "30,00"}},   // 3 h to 23:59:59, not 4
        {"", {"10:00:00", "11:00:00", "Tempo e valor da diária não cadastrados."}},
        {"(0, 300000)", {"10:00:00", "11:00:00", "O tempo da diária não pode ser 0 horas. "
                                                 "Corrija o cadastro da diária."}},
        // The program clock set back: on one date an exit before the entry is refused, as the
        // time table refuses it, never charged as a night (24 periods of an hour: 240,00).
        {"(24, 300000)", {"10:00:00", "09:00:00", kMsgSaidaAntesEntrada}},
        {"(1, 100000)", {"10:00:00", "09:59:59", kMsgSaidaAntesEntrada}},
        {"(24, 300000)", {"11/03/2008 10:00:00", "23:00:00", kMsgSaidaAntesEntrada}},
    };
    for (const auto& [diaria, linha] : casos) {
        BancoTeste b;
        if (!diaria.isEmpty()) semeia(b.db(), "INSERT INTO diaria VALUES " + diaria);
        confereLinhas(b.db(), "D", {linha}, recusaDiaria);
    }
}

TEST(CalculaTotal, SemModalidadeADiariaESemVeiculoNada) {
    BancoTeste b;
    semeiaDiaria(b.db(), 24, "30,00");
    confereLinhas(b.db(), "", {{"10:00:00", "10:01:00", "30,00"}}, recusaDiaria);
    EXPECT_FALSE(calcula_total(b.db(), pedido("D", "10/03/2008", "", "10/03/2008", "10:30:00"))
                     .calculado);
}
