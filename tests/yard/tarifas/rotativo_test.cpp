#include "yard/tarifas/rotativo.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"
#include "yard/tarifas/limites_dia.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

constexpr qint64 H = 3600;
constexpr qint64 M = 60;

// A stay of `segundos` from 10/03/2008 08:00:00, computed at the moment the vehicle is found.
PedidoTarifa estadia(qint64 segundos, bool em24h = false) {
    const QDateTime saida = QDateTime(QDate(2008, 3, 10), QTime(8, 0, 0)).addSecs(segundos);
    PedidoTarifa p = pedido("R", "10/03/2008", "08:00:00", saida.date().toString("dd/MM/yyyy"),
                            saida.time().toString("HH:mm:ss"));
    p.estacionamento24h = em24h;
    return p;
}

}  // namespace

TEST(Rotativo, ExemplosDaTabelaDeHorarios) {
    BancoTeste b;
    semeia(b.db(), kRotativoPadrao);
    const struct {
        qint64 duracao;
        const char *fora24h, *em24h;   // fora24h nullptr: refused beforehand by the day limits
    } casos[] = {
        {0, "5,00", "5,00"},          {59 * M + 59, "5,00", "5,00"},  {H, "8,00", "8,00"},
        {H + 59 * M + 59, "8,00", "8,00"}, {2 * H, "12,00", "12,00"}, {4 * H, "12,00", "17,00"},
        {4 * H + 1, "14,00", "17,00"}, {5 * H, "14,00", "20,00"},     {6 * H, "16,00", "24,00"},
        {6 * H + 10 * M, "18,00", "24,00"}, {26 * H, nullptr, "84,00"},
    };
    for (const auto& c : casos) {
        const PedidoTarifa fora = estadia(c.duracao);
        if (c.fora24h) {
            const ResultadoTarifa r = calcula_rotativo(b.db(), fora);
            EXPECT_EQ(textoTot(r), c.fora24h) << c.duracao;
            // `val_pag` is preset to the total's text.
            ASSERT_EQ(r.campos.size(), 1);
            EXPECT_EQ(r.campos[0].first, "val_pag");
            EXPECT_EQ(r.campos[0].second.toStdString(), c.fora24h);
        } else {
            EXPECT_NE(limites_do_dia(fora.dat_ent, fora.hor_ent, fora.dat_sai, fora.hor_sai, false),
                      QString()) << c.duracao;
        }
        EXPECT_EQ(textoTot(calcula_rotativo(b.db(), estadia(c.duracao, true))), c.em24h)
            << c.duracao;
    }
}

TEST(Rotativo, ComoAEstadiaEMedida) {
    BancoTeste b;
    semeia(b.db(), kRotativoPadrao);
    const struct {
        const char *datEnt, *horEnt, *datSai, *horSai, *relogio;   // relogio nullptr: the exit
        bool em24h;
        const char* tot;
    } casos[] = {
        // The overnight example: 3:30:00 from the lane's times, whatever the clock.
        {"10/03/2008", "22:00:00", "11/03/2008", "01:30:00", "05:00:00", false, "12,00"},
        // Same date: up to the program clock, so the seconds since the vehicle was found count.
        {"10/03/2008", "08:00:00", "10/03/2008", "08:59:50", "09:00:00", false, "8,00"},
        // 25 h outside 24-hour operation: its hours only.
        {"10/03/2008", "08:00:00", "11/03/2008", "09:00:00", nullptr, false, "8,00"},
        // 241 h in it: sixty rounds of the table, then steps 1 and 2.
        {"10/03/2008", "08:00:00", "20/03/2008", "09:00:00", nullptr, true, "728,00"},
    };
    for (const auto& c : casos) {
        PedidoTarifa p = pedido("R", c.datEnt, c.horEnt, c.datSai, c.horSai);
        if (c.relogio) p.hora_atual = QTime::fromString(c.relogio, "HH:mm:ss");
        p.estacionamento24h = c.em24h;
        EXPECT_EQ(textoTot(calcula_rotativo(b.db(), p)), c.tot)
            << c.horEnt << " -> " << c.datSai << " " << c.horSai << (c.em24h ? " 24h" : "");
    }
}

TEST(Rotativo, TabelasIncompletasERecusas) {
    const QString degraus = kRotativoPadrao.section(u';', 0, 0);
    PedidoTarifa atras = estadia(0);
    atras.hora_atual = QTime(7, 59, 59);   // the program clock set back behind the entry
    const struct {
        QString tabela;
        PedidoTarifa p;
        QString esperado;
    } casos[] = {
        {degraus, estadia(6 * H), "12,00"},   // no `rotativo` row: no extension
        {degraus + ";INSERT INTO rotativo VALUES (20000, '00:00:00')", estadia(6 * H), "12,00"},
        {"INSERT INTO rotativo_variavel VALUES ('01:00:00', 50050, 1)", estadia(10 * M),
         "5,01"},   // 5,005: the total has two decimals
        {"INSERT INTO rotativo_variavel VALUES ('00:00:00', 10000, 1), ('00:00:00', 20000, 2)",
         estadia(H, true),   // steps of 00:00 repeating would never end
         "Os tempos do Rotativo estão todos em 00:00. Corrija a tabela do Rotativo."},
        {"", estadia(H), "Os tempos/valores do Rotativo não foram cadastrados."},
        {kRotativoPadrao, atras, kMsgSaidaAntesEntrada},
    };
    for (const auto& c : casos) {
        BancoTeste b;
        semeia(b.db(), c.tabela);
        SCOPED_TRACE(c.tabela.toStdString() + " / " + c.p.hor_sai.toStdString());
        // A refusal leaves `val_pag` as it was.
        confere(calcula_rotativo(b.db(), c.p), c.esperado, "Option3", true);
    }
}
