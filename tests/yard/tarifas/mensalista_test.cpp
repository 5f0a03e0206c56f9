#include "yard/tarifas/mensalista.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

// Steps of half an hour at 1,00 for four hours, then 2,00 for every hour: a stay of length L
// under four hours pays (whole half hours in L + 1) × 1,00. A day rate of 20,00.
void semeiaTarifas(Banco& db) {
    for (int i = 1; i <= 8; ++i)
        db.executa("INSERT INTO rotativo_variavel VALUES ('00:30:00', 10000, ?)", {i});
    semeia(db, "INSERT INTO rotativo VALUES (20000, '01:00:00');"
               "INSERT INTO diaria (tempo, valor) VALUES (24, 200000)");
}

void semeiaMensalista(Banco& db, const QVariant& inicio, const QVariant& fim,
                      const QVariant& codigo = 7, const QVariant& marca = {}) {
    db.executa("INSERT INTO mensalistas (codigo, nome, hora_inicio, hora_fim) VALUES (7, ?, ?, ?)",
               {QStringLiteral("JOSÉ D'ÁVILA"), inicio, fim});
    db.executa("INSERT INTO veiculos_patio (placa, mensalista, mensalista_pago) "
               "VALUES ('ABC-1234', ?, ?)", {codigo, marca});
}

PedidoTarifa pedidoMensalista(const char* datEnt, const char* horEnt, const char* datSai,
                              const char* horSai) {
    PedidoTarifa p = pedido("M", datEnt, horEnt, datSai, horSai);
    p.pla = QStringLiteral("ABC-1234");
    return p;
}

// Refusals clear the memory of the last computation and focus "Mensalista"; the missing day
// rate leaves both as they are.
void confereMensalista(const ResultadoTarifa& r, const QString& esperado) {
    const bool semDiaria = esperado.contains(u"diária");
    confere(r, esperado, semDiaria ? "" : "Option6", !semDiaria);
}

struct Caso {
    const char *inicio, *fim;   // the allowed hours
    const char *datEnt, *horEnt, *datSai, *horSai, *esperado;
    bool em24h = false;
    const char* relogio = nullptr;   // the program time when not the exit time
};

void confereJanela(const Caso& c, bool comDiaria = true) {
    BancoTeste b;
    semeiaTarifas(b.db());
    if (!comDiaria) semeia(b.db(), "DELETE FROM diaria");
    semeiaMensalista(b.db(), c.inicio, c.fim);
    PedidoTarifa p = pedidoMensalista(c.datEnt, c.horEnt, c.datSai, c.horSai);
    p.estacionamento24h = c.em24h;
    if (c.relogio) p.hora_atual = QTime::fromString(c.relogio, "HH:mm:ss");
    const ResultadoTarifa r = calcula_mensalista(b.db(), p);
    SCOPED_TRACE(std::string(c.inicio) + "-" + c.fim + ": " + c.datEnt + " " + c.horEnt + " -> " +
                 c.datSai + " " + c.horSai + (c.em24h ? " 24h" : ""));
    confereMensalista(r, QString::fromUtf8(c.esperado));
    // The entry and exit fields keep their texts; only `val_pag` may change, to the total.
    for (const auto& [campo, texto] : r.campos)
        EXPECT_EQ(campo + u' ' + texto, "val_pag " + QString::fromUtf8(c.esperado));
}

const char *const kD = "08:00:00", *const kDf = "18:00:00", *const kN = "22:00:00",
                  *const kNf = "06:00:00";

}  // namespace

TEST(Mensalista, JanelaDiurna) {
    const Caso casos[] = {
        {kD, kDf, "10/03/2008", "08:00:00", "10/03/2008", "18:00:00", "0,00"},   // both bounds in
        {kD, kDf, "10/03/2008", "07:00:00", "10/03/2008", "09:00:00", "3,00"},   // fee of 1:00:00
        {kD, kDf, "10/03/2008", "07:00:00", "10/03/2008", "07:30:00", "3,00"},   // fee of 1:00:00
        {kD, kDf, "10/03/2008", "17:00:00", "10/03/2008", "19:30:00", "4,00"},   // fee of 1:30:00
        {kD, kDf, "10/03/2008", "06:30:00", "10/03/2008", "19:00:00", "6,00"},   // fee of 2:30:00
        {kD, kDf, "10/03/2008", "19:00:00", "10/03/2008", "20:30:00", "4,00"},   // the whole stay
        {kD, kDf, "10/03/2008", "09:00:00", "12/03/2008", "17:00:00", "0,00"},   // inside, 3 dates
        {kD, kDf, "10/03/2008", "07:00:00", "12/03/2008", "09:00:00", "40,00"},  // two day rates
        {kD, kDf, "31/12/2008", "07:00:00", "02/01/2009", "09:00:00", "40,00"},  // a year's end
        {kD, kDf, "29/02/2008", "07:00:00", "01/03/2008", "09:00:00", "20,00"},  // a month's end
        // 7:30:00 out of the window charged at 01:00: that time itself, 8,00 + 4 h at 2,00.
        {kD, kDf, "10/03/2008", "00:30:00", "10/03/2008", "01:00:00", "16,00"},
    };
    for (const Caso& c : casos) confereJanela(c);
    confereJanela({kD, kDf, "10/03/2008", "07:00:00", "11/03/2008", "19:00:00",
                   "Mensalista diurno ficou mais de um dia e não há valor de diária cadastrado."},
                  false);
}

TEST(Mensalista, JanelaNoturna) {
    const Caso casos[] = {
        {kN, kNf, "10/03/2008", "23:00:00", "11/03/2008", "05:00:00", "0,00"},
        {kN, kNf, "10/03/2008", "21:00:00", "11/03/2008", "07:00:00", "5,00"},    // fee of 2:00:00
        {kN, kNf, "10/03/2008", "21:00:00", "12/03/2008", "07:00:00", "20,00"},   // one day rate
        {kN, kNf, "10/03/2008", "21:00:00", "13/03/2008", "07:00:00", "40,00"},   // two day rates
        // In 24-hour operation the time-table fee counts the whole day: 26:00:00.
        {kN, kNf, "10/03/2008", "21:00:00", "11/03/2008", "07:00:00", "53,00", true},
        // Left 3 s after the window, charged 7 s later: the 3 s, not almost a day.
        {kN, kNf, "10/03/2008", "23:00:00", "11/03/2008", "06:00:03", "1,00", false, "06:00:10"},
        // Entry and exit on one date: only the part between 06:00 and 22:00 is charged.
        {kN, kNf, "11/03/2008", "01:00:00", "11/03/2008", "05:00:00", "0,00"},
        {kN, kNf, "11/03/2008", "22:30:00", "11/03/2008", "23:30:00", "0,00"},
        {kN, kNf, "11/03/2008", "05:00:00", "11/03/2008", "07:00:00", "3,00"},    // 1 h after
        {kN, kNf, "11/03/2008", "21:00:00", "11/03/2008", "23:00:00", "3,00"},    // 1 h before
        {kN, kNf, "11/03/2008", "07:00:00", "11/03/2008", "21:00:00", "28,00"},   // 8,00 + 10 h
        // A window whose end equals its start is a night window: no day rate over midnight.
        {"20:00:00", "20:00:00", "10/03/2008", "20:00:00", "11/03/2008", "21:00:00", "3,00"},
    };
    for (const Caso& c : casos) confereJanela(c);
    confereJanela({kN, kNf, "10/03/2008", "07:00:00", "12/03/2008", "19:00:00",
                   "Mensalista noturno ficou mais de um dia e não há valor de diária cadastrado."},
                  false);
}

TEST(Mensalista, QuemPodeSairComoMensalista) {
    const QString atraso = "em atraso. Escolha outra forma de pagamento que não seja 'Mensalista' "
                           "ou efetue o pagamento da(s) mensalidade(s) em atraso.";
    const QString naoE = "Este veículo não é de mensalista. Escolha outra forma de pagamento que "
                         "não seja 'Mensalista'.";
    const struct {
        const char* placa;
        QVariant codigo, marca;
        bool comNome, pagas;
        QString esperado;
    } casos[] = {
        {"XYZ-9876", 7, {}, true, false, "Placa de mensalista não encontrada no estacionamento."},
        {"ABC-1234", {}, {}, true, false, naoE},
        {"ABC-1234", {}, -2, true, false, naoE},   // a mark without a code
        {"ABC-1234", 7, 0, true, false, "Este veículo passou da cota do mensalista. Escolha "
                                        "outra forma de pagamento que não seja 'Mensalista'."},
        {"ABC-1234", 7, -2, true, false, "Mensalista JOSÉ D'ÁVILA " + atraso},
        {"ABC-1234", 7, -2, false, false, "Mensalista " + atraso},
        {"ABC-1234", 7, -2, true, true, "0,00"},   // entered in arrears, all fees paid since
        {"ABC-1234", 7, {}, true, false, "0,00"},
        {"ABC-1234", 7, 5, true, false, "0,00"},
    };
    for (const auto& c : casos) {
        BancoTeste b;
        semeiaMensalista(b.db(), {}, {}, c.codigo, c.marca);   // no allowed hours
        if (!c.comNome) semeia(b.db(), "DELETE FROM mensalistas");
        b.db().executa("INSERT INTO mensalidades (codigo, pago) VALUES (7, 1), (7, ?)", {c.pagas});
        // However long the stay, a covered subscriber without allowed hours pays nothing.
        PedidoTarifa p = pedidoMensalista("10/03/2008", "08:00:00", "15/03/2008", "23:00:00");
        p.pla = c.placa;
        SCOPED_TRACE(c.esperado.toStdString());
        confereMensalista(calcula_mensalista(b.db(), p), c.esperado);
    }
}
