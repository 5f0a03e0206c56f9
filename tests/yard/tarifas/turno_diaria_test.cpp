#include "yard/tarifas/diaria.h"
#include "yard/tarifas/turno.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

void semeiaTurno(Banco& db, const char* inicio, const char* fim, const char* valor) {
    db.executa(QStringLiteral("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES (?, ?, ?)"),
               {QString::fromUtf8(inicio), QString::fromUtf8(fim), rs(valor).paraBanco()});
}

PedidoTarifa pedidoTurno(const char* tur, const char* entrada, const char* saida) {
    PedidoTarifa p = pedido("T", "10/03/2008", entrada, "10/03/2008", saida);
    p.tur = QString::fromUtf8(tur);
    return p;
}

const QString kForaDoTurno =
    QStringLiteral("O veículo não permaneceu no estacionamento durante o turno escolhido.");

}  // namespace

TEST(Turno, ExemplosDoTurno) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    semeiaTurno(b.db(), "08:00:00", "18:00:00", "15,00");
    const struct {
        const char *entrada, *saida, *tot;
    } casos[] = {
        {"09:00:00", "17:00:00", "15,00"}, {"07:30:00", "17:00:00", "20,00"},
        {"07:30:00", "18:30:00", "23,00"}, {"09:00:00", "18:00:00", "15,00"},
        {"09:00:00", "18:00:01", "20,00"}, {"06:00:00", "08:00:00", "27,00"},
        {"04:00:00", "23:00:00", "37,00"}, {"19:00:00", "20:00:00", "ERRO"},
        {"06:00:00", "07:00:00", "ERRO"},
        // Entered exactly at the end, or one second after it.
        {"18:00:00", "19:00:00", "23,00"}, {"18:00:01", "19:00:00", "ERRO"},
    };
    for (const auto& c : casos) {
        const ResultadoTarifa r = calcula_turno(b.db(), pedidoTurno("08:00 - 18:00", c.entrada, c.saida));
        EXPECT_EQ(textoTot(r), c.tot) << c.entrada << " " << c.saida;
        if (!r.total) {
            EXPECT_EQ(r.mensagem, kForaDoTurno);
            EXPECT_EQ(r.foco, "tur");
            EXPECT_TRUE(r.limpaMemoria);
        }
        EXPECT_TRUE(r.campos.isEmpty());
    }
}

TEST(Turno, TurnoAteMeiaNoite) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    semeiaTurno(b.db(), "18:00", "00:00", "10,00");   // kept without seconds
    EXPECT_EQ(textoTot(calcula_turno(b.db(), pedidoTurno("18:00 - 00:00", "19:00:00", "23:59:59"))),
              "10,00");
    EXPECT_EQ(textoTot(calcula_turno(b.db(), pedidoTurno("18:00 - 00:00", "17:00:00", "23:59:59"))),
              "18,00");
}

TEST(Turno, Recusas) {
    BancoTeste b;
    semeiaTurno(b.db(), "08:00:00", "18:00:00", "15,00");

    ResultadoTarifa r = calcula_turno(b.db(), pedidoTurno("", "09:00:00", "10:00:00"));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Escolha o turno.");
    EXPECT_EQ(r.foco, "tur");
    EXPECT_FALSE(r.limpaMemoria);

    // A shift deleted since the list was filled.
    r = calcula_turno(b.db(), pedidoTurno("09:00 - 18:00", "09:00:00", "10:00:00"));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Os tempos/valores do Turno não foram cadastrados.");
    EXPECT_TRUE(r.limpaMemoria);

    // Time outside the shift with no time table, even though the shift is priced.
    r = calcula_turno(b.db(), pedidoTurno("08:00 - 18:00", "07:00:00", "10:00:00"));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "O tempo do turno foi excedido e os tempos/valores do Rotativo não "
                          "foram cadastrados.");
    EXPECT_TRUE(r.limpaMemoria);
    // Within the shift the time table is not needed.
    EXPECT_EQ(textoTot(calcula_turno(b.db(), pedidoTurno("08:00 - 18:00", "09:00:00", "10:00:00"))),
              "15,00");
}

TEST(Turno, TurnoQuePassaDaMeiaNoite) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    semeiaTurno(b.db(), "22:00:00", "06:00:00", "20,00");
    const struct {
        const char *datEnt, *horEnt, *datSai, *horSai, *tot;
    } casos[] = {
        {"10/03/2008", "23:00:00", "11/03/2008", "05:00:00", "20,00"},   // inside
        {"10/03/2008", "21:00:00", "11/03/2008", "07:00:00", "32,00"},   // 1 h before, 1 h after
        {"11/03/2008", "01:00:00", "11/03/2008", "05:00:00", "20,00"},   // the night before's shift
        {"11/03/2008", "05:00:00", "11/03/2008", "09:00:00", "32,00"},   // 3 h after its end
        {"10/03/2008", "20:00:00", "10/03/2008", "22:00:00", "32,00"},   // left at its start
        {"10/03/2008", "08:00:00", "10/03/2008", "12:00:00", "ERRO"},    // in the day only
        {"11/03/2008", "05:00:00", "10/03/2008", "23:00:00", "ERRO"},    // exit before entry
    };
    for (const auto& c : casos) {
        PedidoTarifa p = pedido("T", c.datEnt, c.horEnt, c.datSai, c.horSai);
        p.tur = QStringLiteral("22:00 - 06:00");
        EXPECT_EQ(textoTot(calcula_turno(b.db(), p)), c.tot) << c.datEnt << " " << c.horEnt;
    }
}

TEST(Diaria, ExemplosDaDiaria) {
    BancoTeste b;
    semeiaDiaria(b.db(), 24, "30,00");
    const struct {
        const char *horEnt, *datSai, *horSai, *tot;
    } casos[] = {
        {"10:00:00", "10/03/2008", "10:00:45", "0,00"},
        {"10:00:00", "10/03/2008", "10:01:00", "30,00"},
        {"10:00:00", "10/03/2008", "20:00:00", "30,00"},
        {"10:00:00", "11/03/2008", "10:00:00", "30,00"},
        {"10:00:00", "11/03/2008", "10:30:00", "60,00"},
        {"22:00:00", "11/03/2008", "01:00:00", "30,00"},
        {"10:00:00", "13/03/2008", "09:00:00", "90,00"},
    };
    for (const auto& c : casos) {
        const ResultadoTarifa r =
            calcula_diaria(b.db(), pedido("D", "10/03/2008", c.horEnt, c.datSai, c.horSai));
        EXPECT_EQ(textoTot(r), c.tot) << c.horEnt << " " << c.datSai << " " << c.horSai;
        EXPECT_TRUE(r.campos.isEmpty());
    }
}

TEST(Diaria, HorasIniciadasEPeriodos) {
    BancoTeste b;
    semeiaDiaria(b.db(), 2, "1,00");
    const struct {
        const char *horEnt, *datSai, *horSai, *tot;
    } casos[] = {
        {"21:00:00", "11/03/2008", "00:01:00", "2,00"},   // 3 h to 23:59:59, not 4 h
        {"10:00:00", "10/03/2008", "12:00:59", "1,00"},   // seconds do not start an hour
        {"10:00:00", "10/03/2008", "14:00:00", "2,00"},   // exactly two periods
        {"10:00:00", "10/03/2008", "14:01:00", "3,00"},   // a started hour adds a period
        {"10:00:00", "01/04/2008", "10:00:00", "264,00"}, // 22 days over a month's end
    };
    for (const auto& c : casos)
        EXPECT_EQ(textoTot(calcula_diaria(b.db(), pedido("D", "10/03/2008", c.horEnt, c.datSai,
                                                         c.horSai))),
                  c.tot)
            << c.horEnt << " " << c.datSai << " " << c.horSai;
}

TEST(Diaria, Recusas) {
    BancoTeste b;
    const PedidoTarifa p = pedido("D", "10/03/2008", "10:00:00", "10/03/2008", "11:00:00");
    ResultadoTarifa r = calcula_diaria(b.db(), p);
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Tempo e valor da diária não cadastrados.");
    EXPECT_EQ(r.icone, Icone::Exclamacao);
    EXPECT_EQ(r.foco, "Option7");
    EXPECT_TRUE(r.limpaMemoria);

    // A day rate of 0 hours: refused rather than divided by.
    semeiaDiaria(b.db(), 0, "30,00");
    r = calcula_diaria(b.db(), p);
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "O tempo da diária não pode ser 0 horas. Corrija o cadastro da diária.");
    EXPECT_TRUE(r.limpaMemoria);

    // Exit before the entry: an earlier date, or an earlier time on the same date.
    b.db().executa("UPDATE diaria SET tempo = 24");
    for (const PedidoTarifa& q :
         {pedido("D", "10/03/2008", "10:00:00", "09/03/2008", "11:00:00"),
          pedido("D", "10/03/2008", "10:00:00", "10/03/2008", "09:00:00")}) {
        r = calcula_diaria(b.db(), q);
        EXPECT_EQ(textoTot(r), "ERRO");
        EXPECT_EQ(r.mensagem, kMsgSaidaAntesEntrada);
    }
}
