#include "yard/tarifas/diaria.h"
#include "yard/tarifas/turno.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

const char* const kDia = "10/03/2008";
const QString kForaDoTurno =
    QStringLiteral("O veículo não permaneceu no estacionamento durante o turno escolhido.");

struct CasoTurno {
    const char *tur, *datEnt, *horEnt, *datSai, *horSai;
    QString esperado;
};

// Only "Escolha o turno." keeps the memory of the last computation; it and the stay outside
// the shift move the focus to `tur`.
void confereTurno(Banco& db, const CasoTurno& c) {
    PedidoTarifa p = pedido("T", c.datEnt, c.horEnt, c.datSai, c.horSai);
    p.tur = QString::fromUtf8(c.tur);
    SCOPED_TRACE(std::string(c.tur) + " " + c.datEnt + " " + c.horEnt + " -> " + c.horSai);
    const bool escolha = c.esperado == u"Escolha o turno.";
    confere(calcula_turno(db, p), c.esperado, escolha || c.esperado == kForaDoTurno ? "tur" : "",
            !escolha);
}

}  // namespace

TEST(Turno, ExemplosDoTurno) {
    BancoTeste b;
    semeia(b.db(), kRotativoPadrao + ";INSERT INTO turnos (hora_inicial, hora_final, valor) "
                                     "VALUES ('08:00:00', '18:00:00', 150000)");
    const struct {
        const char *horEnt, *horSai;
        QString esperado;
    } casos[] = {
        {"09:00:00", "17:00:00", "15,00"}, {"07:30:00", "17:00:00", "20,00"},
        {"07:30:00", "18:30:00", "23,00"}, {"09:00:00", "18:00:00", "15,00"},
        {"09:00:00", "18:00:01", "20,00"}, {"06:00:00", "08:00:00", "27,00"},
        {"04:00:00", "23:00:00", "37,00"}, {"19:00:00", "20:00:00", kForaDoTurno},
        {"06:00:00", "07:00:00", kForaDoTurno},
    };
    for (const auto& c : casos)
        confereTurno(b.db(), {"08:00 - 18:00", kDia, c.horEnt, kDia, c.horSai, c.esperado});
}

TEST(Turno, BordasERecusas) {
    BancoTeste b;
    // The shift ending at 00:00 is kept without seconds.
    semeia(b.db(), kRotativoPadrao + ";INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES "
                                     "('08:00:00', '18:00:00', 150000), ('18:00', '00:00', 100000),"
                                     "('22:00:00', '06:00:00', 200000)");
    const char* const amanha = "11/03/2008";
    const CasoTurno casos[] = {
        {"08:00 - 18:00", kDia, "18:00:00", kDia, "19:00:00", "23,00"},   // entered at its end
        {"08:00 - 18:00", kDia, "18:00:01", kDia, "19:00:00", kForaDoTurno},
        {"18:00 - 00:00", kDia, "19:00:00", kDia, "23:59:59", "10,00"},   // ends at 23:59:59
        {"18:00 - 00:00", kDia, "17:00:00", kDia, "23:59:59", "18,00"},
        {"", kDia, "09:00:00", kDia, "10:00:00", "Escolha o turno."},
        {"09:00 - 18:00", kDia, "09:00:00", kDia, "10:00:00",   // deleted since the list was filled
         "Os tempos/valores do Turno não foram cadastrados."},
        // A shift over midnight is taken by the dates, on the night the stay touches.
        {"22:00 - 06:00", kDia, "21:00:00", amanha, "07:00:00", "32,00"},   // 1 h before, 1 after
        {"22:00 - 06:00", kDia, "08:00:00", kDia, "12:00:00", kForaDoTurno},
        {"22:00 - 06:00", amanha, "05:00:00", kDia, "23:00:00", kMsgSaidaAntesEntrada},
    };
    for (const CasoTurno& c : casos) confereTurno(b.db(), c);
    // Time outside the shift and no time table, though the shift itself is priced.
    semeia(b.db(), "DELETE FROM rotativo_variavel");
    confereTurno(b.db(), {"08:00 - 18:00", kDia, "07:00:00", kDia, "10:00:00",
                          "O tempo do turno foi excedido e os tempos/valores do Rotativo não foram "
                          "cadastrados."});
    confereTurno(b.db(), {"08:00 - 18:00", kDia, "09:00:00", kDia, "10:00:00", "15,00"});
}

TEST(Diaria, ExemplosDaDiaria) {
    BancoTeste b;
    semeiaDiaria(b.db(), 24, "30,00");
    const char* const amanha = "11/03/2008";
    const struct {
        int tempo;
        const char *horEnt, *datSai, *horSai, *tot;
    } casos[] = {
        {24, "10:00:00", kDia, "10:00:45", "0,00"},
        {24, "10:00:00", kDia, "10:01:00", "30,00"},
        {24, "10:00:00", kDia, "20:00:00", "30,00"},
        {24, "10:00:00", amanha, "10:00:00", "30,00"},
        {24, "10:00:00", amanha, "10:30:00", "60,00"},
        {24, "22:00:00", amanha, "01:00:00", "30,00"},
        {24, "10:00:00", "13/03/2008", "09:00:00", "90,00"},
        {3, "21:00:00", amanha, "00:01:00", "30,00"},   // 3 h to 23:59:59, not 4 h
        {2, "10:00:00", kDia, "14:00:00", "60,00"},     // exactly two periods
        {2, "10:00:00", kDia, "14:01:00", "90,00"},     // a started hour adds a period
    };
    for (const auto& c : casos) {
        b.db().executa("UPDATE diaria SET tempo = ?", {c.tempo});
        const ResultadoTarifa r =
            calcula_diaria(b.db(), pedido("D", kDia, c.horEnt, c.datSai, c.horSai));
        EXPECT_EQ(textoTot(r), c.tot) << c.tempo << " " << c.horEnt << " " << c.datSai << " "
                                      << c.horSai;
        EXPECT_TRUE(r.campos.isEmpty());
    }
}

TEST(Diaria, Recusas) {
    const struct {
        const char *diaria, *horSai;
        QString mensagem;
    } casos[] = {
        {"", "11:00:00", "Tempo e valor da diária não cadastrados."},
        {"(0, 300000)", "11:00:00",
         "O tempo da diária não pode ser 0 horas. Corrija o cadastro da diária."},
        {"(24, 300000)", "09:00:00", kMsgSaidaAntesEntrada},   // an earlier time the same day
    };
    for (const auto& c : casos) {
        BancoTeste b;
        if (*c.diaria) semeia(b.db(), QStringLiteral("INSERT INTO diaria VALUES ") + c.diaria);
        confere(calcula_diaria(b.db(), pedido("D", kDia, "10:00:00", kDia, c.horSai)),
                c.mensagem, "Option7", true);
    }
}
