#include "yard/tarifas/rotativo.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"
#include "yard/tarifas/horarios.h"
#include "yard/tarifas/limites_dia.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

// A stay of `segundos` from 10/03/2008 08:00:00, computed at the moment the vehicle is found.
PedidoTarifa estadia(qint64 segundos, bool em24h) {
    const QDateTime entrada(QDate(2008, 3, 10), QTime(8, 0, 0));
    const QDateTime saida = entrada.addSecs(segundos);
    PedidoTarifa p = pedido(QStringLiteral("R"), QStringLiteral("10/03/2008"),
                            QStringLiteral("08:00:00"), saida.date().toString("dd/MM/yyyy"),
                            saida.time().toString("HH:mm:ss"));
    p.estacionamento24h = em24h;
    return p;
}

constexpr qint64 H = 3600;
constexpr qint64 M = 60;

}  // namespace

TEST(Rotativo, ExemplosDaTabelaDeHorarios) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    const struct {
        qint64 duracao;
        const char* fora24h;   // nullptr: refused beforehand by the day limits
        const char* em24h;
    } casos[] = {
        {0, "5,00", "5,00"},
        {59 * M + 59, "5,00", "5,00"},
        {H, "8,00", "8,00"},
        {H + 59 * M + 59, "8,00", "8,00"},
        {2 * H, "12,00", "12,00"},
        {4 * H, "12,00", "17,00"},
        {4 * H + 1, "14,00", "17,00"},
        {5 * H, "14,00", "20,00"},
        {6 * H, "16,00", "24,00"},
        {6 * H + 10 * M, "18,00", "24,00"},
        {26 * H, nullptr, "84,00"},
    };
    for (const auto& c : casos) {
        const PedidoTarifa fora = estadia(c.duracao, false);
        if (c.fora24h) {
            const ResultadoTarifa r = calcula_rotativo(b.db(), fora);
            EXPECT_EQ(textoTot(r), c.fora24h) << c.duracao;
            EXPECT_TRUE(r.mensagem.isEmpty());
            // `val_pag` is preset to the total's text.
            ASSERT_EQ(r.campos.size(), 1);
            EXPECT_EQ(r.campos[0].first, "val_pag");
            EXPECT_EQ(r.campos[0].second.toStdString(), c.fora24h);
        } else {
            EXPECT_FALSE(limites_do_dia(fora.dat_ent, fora.hor_ent, fora.dat_sai, fora.hor_sai,
                                        false)
                             .isEmpty())
                << c.duracao;
        }
        EXPECT_EQ(textoTot(calcula_rotativo(b.db(), estadia(c.duracao, true))), c.em24h)
            << c.duracao;
    }
}

TEST(Rotativo, DeUmDiaParaOutroPelosHorariosDaPista) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    // 22:00:00 to 01:30:00 the next day is 3:30:00 by the lane's times, whatever the clock.
    PedidoTarifa p = pedido("R", "10/03/2008", "22:00:00", "11/03/2008", "01:30:00");
    p.hora_atual = QTime(5, 0, 0);
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), p)), "12,00");
}

TEST(Rotativo, MesmoDiaAteORelogioDoPrograma) {
    BancoTeste b;
    semeiaRotativoPadrao(b.db());
    // Found at 08:59:50, computed at 09:00:00: the ten seconds since count too.
    PedidoTarifa p = pedido("R", "10/03/2008", "08:00:00", "10/03/2008", "08:59:50");
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), p)), "5,00");
    p.hora_atual = QTime(9, 0, 0);
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), p)), "8,00");
    // Outside 24-hour operation a stay over 24 hours counts its hours only: 25 h is 1 h.
    p = pedido("R", "10/03/2008", "08:00:00", "11/03/2008", "09:00:00");
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), p)), "8,00");
    p.estacionamento24h = true;
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), p)), "80,00");   // six rounds, then steps 1 and 2
}

TEST(Rotativo, SemExtensaoCadastrada) {
    BancoTeste b;
    semeiaDegrausRotativo(b.db(), {{"01:00:00", "5,00"}, {"01:00:00", "3,00"}, {"02:00:00", "4,00"}});
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), estadia(6 * H, false))), "12,00");
    // A period of 00:00 is no extension either.
    semeiaExtensaoRotativo(b.db(), "2,00", "00:00:00");
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), estadia(6 * H, false))), "12,00");
}

TEST(Rotativo, TotalComDuasCasas) {
    BancoTeste b;
    b.db().executa("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('01:00:00', ?, 1)",
                   {Dinheiro::bruto(50050).paraBanco()});   // 5,005
    const ResultadoTarifa r = calcula_rotativo(b.db(), estadia(10 * M, false));
    EXPECT_EQ(r.total, rs("5,01"));
}

TEST(Rotativo, Recusas) {
    BancoTeste b;
    // No steps: "ERRO", its message, the memory cleared and the focus on "Rotativo".
    ResultadoTarifa r = calcula_rotativo(b.db(), estadia(H, false));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Os tempos/valores do Rotativo não foram cadastrados.");
    EXPECT_EQ(r.icone, Icone::Exclamacao);
    EXPECT_EQ(r.foco, "Option3");
    EXPECT_TRUE(r.limpaMemoria);
    EXPECT_TRUE(r.campos.isEmpty());   // `val_pag` is left as it was

    // The program clock set back behind the entry: no stay to charge, in either operation.
    semeiaRotativoPadrao(b.db());
    for (bool em24h : {false, true}) {
        PedidoTarifa p = pedido("R", "10/03/2008", "08:00:00", "10/03/2008", "08:00:00");
        p.estacionamento24h = em24h;
        p.hora_atual = QTime(7, 59, 59);
        r = calcula_rotativo(b.db(), p);
        EXPECT_EQ(textoTot(r), "ERRO");
        EXPECT_EQ(r.mensagem, kMsgSaidaAntesEntrada);
        EXPECT_TRUE(r.limpaMemoria);
    }
    // Texts that are not a date or a time.
    r = calcula_rotativo(b.db(), pedido("R", "10/03/2008", "8h", "10/03/2008", "09:00:00"));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, kMsgHorarioInvalido);
}

TEST(Rotativo, TabelaComTemposZerados) {
    BancoTeste b;
    semeiaDegrausRotativo(b.db(), {{"00:00:00", "1,00"}, {"00:00:00", "2,00"}});
    // In 24-hour operation the steps would repeat for ever: refused.
    const ResultadoTarifa r = calcula_rotativo(b.db(), estadia(H, true));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Os tempos do Rotativo estão todos em 00:00. Corrija a tabela do Rotativo.");
    EXPECT_TRUE(r.limpaMemoria);
    // Taken once, the steps end: all of them are charged.
    EXPECT_EQ(textoTot(calcula_rotativo(b.db(), estadia(H, false))), "3,00");
}
