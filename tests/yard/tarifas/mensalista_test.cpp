#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

// Steps of half an hour at 1,00 for four hours, then 2,00 for every hour: a stay of length L
// under four hours pays (whole half hours in L + 1) × 1,00. A day rate of 20,00. The subscriber
// 7 may stay from `inicio` to `fim`.
void semeiaMensalista(Banco& db, const QVariant& inicio, const QVariant& fim,
                      const QVariant& codigo = 7, const QVariant& marca = {}) {
    for (int i = 1; i <= 8; ++i)
        db.executa("INSERT INTO rotativo_variavel VALUES ('00:30:00', 10000, ?)", {i});
    semeia(db, "INSERT INTO rotativo VALUES (20000, '01:00:00');"
               "INSERT INTO diaria (tempo, valor) VALUES (24, 200000)");
    db.executa("INSERT INTO mensalistas (codigo, nome, hora_inicio, hora_fim) VALUES (7, ?, ?, ?)",
               {QStringLiteral("JOSÉ D'ÁVILA"), inicio, fim});
    db.executa("INSERT INTO veiculos_patio (placa, mensalista, mensalista_pago) "
               "VALUES ('ABC-1234', ?, ?)", {codigo, marca});
}

// Refusals clear the memory of the last computation and focus "Mensalista"; the missing day
// rate leaves both as they are.
std::pair<QString, bool> recusaMensalista(const QString& m) {
    return m.contains(u"diária") ? std::pair<QString, bool>{"", false} : std::pair{"Option6", true};
}

}  // namespace

TEST(Mensalista, JanelaDiurna) {
    BancoTeste b;
    semeiaMensalista(b.db(), "08:00:00", "18:00:00");
    confereLinhas(b.db(), "M", {
        {"08:00:00", "18:00:00", "0,00"},   // both bounds in
        {"07:00:00", "09:00:00", "3,00"},   // fee of 1:00:00
        {"07:00:00", "07:30:00", "3,00"},   // fee of 1:00:00, the whole time up to the start
        {"17:00:00", "19:30:00", "4,00"},   // fee of 1:30:00
        {"06:30:00", "19:00:00", "6,00"},   // fee of 2:30:00
        {"19:00:00", "20:30:00", "4,00"},   // the whole stay
        {"09:00:00", "12/03/2008 17:00:00", "0,00"},   // inside by the times, over three dates
        {"07:00:00", "12/03/2008 09:00:00", "40,00"},   // two day rates
        // 7:30:00 out of the window charged at 01:00: that time itself, 8,00 + 4 h at 2,00.
        {"00:30:00", "01:00:00", "16,00"},
    }, recusaMensalista);
    semeia(b.db(), "DELETE FROM diaria");
    confereLinhas(b.db(), "M", {{"07:00:00", "11/03/2008 19:00:00", "Mensalista diurno ficou mais "
                                 "de um dia e não há valor de diária cadastrado."}},
                  recusaMensalista);
}

TEST(Mensalista, JanelaNoturna) {
    BancoTeste b;
    semeiaMensalista(b.db(), "22:00:00", "06:00:00");
    confereLinhas(b.db(), "M", {
        {"23:00:00", "11/03/2008 05:00:00", "0,00"},
        // Fee of 2:00:00; in 24-hour operation the time-table fee counts the whole day: 26:00:00.
        {"21:00:00", "11/03/2008 07:00:00", "5,00", "", "53,00"},
        {"21:00:00", "12/03/2008 07:00:00", "20,00"},   // one day rate
        // Left 3 s after the window, charged 7 s later: the 3 s, not almost a day.
        {"23:00:00", "11/03/2008 06:00:03", "1,00", "", {}, "06:00:10"},
        // Entry and exit on one date: the time from the window's end to the exit, never the
        // evening part of the window: 06:00 to 22:00, 16:00:00.
        {"01:00:00", "23:30:00", "32,00"},
        {"10:00:00", "12:00:00", "12,00"},   // 06:00 to 12:00: 6:00:00
        {"01:00:00", "10:00:00", "8,00"},    // 4:00:00
        {"10:00:00", "23:00:00", "32,00"},   // 16:00:00, not the 17 h up to the exit
        // Wholly inside the window: covered, not charged the first step or 17:30:00.
        {"01:00:00", "05:00:00", "0,00"},
        {"23:00:00", "23:30:00", "0,00"},
        {"05:00:00", "04:00:00", "0,00"},   // the clock set back, inside the window
    }, recusaMensalista);
    semeia(b.db(), "DELETE FROM diaria");
    confereLinhas(b.db(), "M", {{"07:00:00", "12/03/2008 19:00:00", "Mensalista noturno ficou "
                                 "mais de um dia e não há valor de diária cadastrado."}},
                  recusaMensalista);
    // A window whose end equals its start is a night window: no day rate over midnight.
    BancoTeste igual;
    semeiaMensalista(igual.db(), "20:00:00", "20:00:00");
    confereLinhas(igual.db(), "M", {{"20:00:00", "11/03/2008 21:00:00", "3,00"}}, recusaMensalista);
}

TEST(Mensalista, QuemPodeSairComoMensalista) {
    const QString atraso = "em atraso. Escolha outra forma de pagamento que não seja 'Mensalista' "
                           "ou efetue o pagamento da(s) mensalidade(s) em atraso.";
    const struct {
        const char* placa;
        QVariant codigo, marca;
        bool comNome, pagas;
        QString esperado;
    } casos[] = {
        {"XYZ-9876", 7, {}, true, false, "Placa de mensalista não encontrada no estacionamento."},
        {"ABC-1234", {}, -2, true, false, "Este veículo não é de mensalista. Escolha outra forma "
                                          "de pagamento que não seja 'Mensalista'."},
        {"ABC-1234", 7, 0, true, false, "Este veículo passou da cota do mensalista. Escolha "
                                        "outra forma de pagamento que não seja 'Mensalista'."},
        {"ABC-1234", 7, -2, true, false, "Mensalista JOSÉ D'ÁVILA " + atraso},
        {"ABC-1234", 7, -2, false, false, "Mensalista " + atraso},
        {"ABC-1234", 7, -2, true, true, "0,00"},   // entered in arrears, all fees paid since
        {"ABC-1234", 7, {}, true, false, "0,00"},
    };
    for (const auto& c : casos) {
        BancoTeste b;
        semeiaMensalista(b.db(), {}, {}, c.codigo, c.marca);   // no allowed hours
        b.db().executa("UPDATE veiculos_patio SET placa = ?", {c.placa});
        if (!c.comNome) semeia(b.db(), "DELETE FROM mensalistas");
        b.db().executa("INSERT INTO mensalidades (codigo, pago) VALUES (7, 1), (7, ?)", {c.pagas});
        // However long the stay, a covered subscriber without allowed hours pays nothing.
        confereLinhas(b.db(), "M", {{"08:00:00", "15/03/2008 23:00:00", c.esperado}},
                      recusaMensalista);
    }
}
