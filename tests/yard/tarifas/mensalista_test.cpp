#include "yard/tarifas/mensalista.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

const QString kPlaca = QStringLiteral("ABC-1234");

// Steps of half an hour at 1,00 for four hours, then 2,00 for every hour: a stay of length L
// under four hours pays (whole half hours in L + 1) × 1,00.
void semeiaRotativoMeiaHora(Banco& db) {
    QList<DegrauTeste> degraus;
    for (int i = 0; i < 8; ++i) degraus.append(DegrauTeste{"00:30:00", "1,00"});
    semeiaDegrausRotativo(db, degraus);
    semeiaExtensaoRotativo(db, "2,00", "01:00:00");
}

void semeiaMensalista(Banco& db, int codigo, const QVariant& inicio, const QVariant& fim,
                      const char* nome = "JOSÉ DA SILVA") {
    db.executa("INSERT INTO mensalistas (codigo, nome, hora_inicio, hora_fim) VALUES (?, ?, ?, ?)",
               {codigo, QString::fromUtf8(nome), inicio, fim});
}

void semeiaNoPatio(Banco& db, const QVariant& codigo, const QVariant& marca,
                   const QString& placa = kPlaca) {
    db.executa("INSERT INTO veiculos_patio (placa, mensalista, mensalista_pago) VALUES (?, ?, ?)",
               {placa, codigo, marca});
}

PedidoTarifa pedidoMensalista(const char* datEnt, const char* horEnt, const char* datSai,
                              const char* horSai, bool em24h = false) {
    PedidoTarifa p = pedido("M", datEnt, horEnt, datSai, horSai);
    p.pla = kPlaca;
    p.estacionamento24h = em24h;
    return p;
}

struct Caso {
    const char *datEnt, *horEnt, *datSai, *horSai, *tot;
    bool em24h = false;
};

void confere(Banco& db, const Caso& c) {
    const PedidoTarifa p = pedidoMensalista(c.datEnt, c.horEnt, c.datSai, c.horSai, c.em24h);
    const ResultadoTarifa r = calcula_mensalista(db, p);
    EXPECT_EQ(textoTot(r), c.tot) << c.datEnt << " " << c.horEnt << " -> " << c.datSai << " "
                                  << c.horSai << (c.em24h ? " 24h" : "");
    EXPECT_TRUE(r.mensagem.isEmpty()) << r.mensagem.toStdString();
    // The entry and exit fields show their own texts afterwards; only `val_pag` may change,
    // and then to the total.
    for (const auto& [campo, texto] : r.campos) {
        EXPECT_EQ(campo, "val_pag");
        EXPECT_EQ(texto.toStdString(), c.tot);
    }
}

}  // namespace

TEST(Mensalista, JanelaDiurna) {
    BancoTeste b;
    semeiaRotativoMeiaHora(b.db());
    semeiaDiaria(b.db(), 24, "20,00");
    semeiaMensalista(b.db(), 7, "08:00:00", "18:00:00");
    semeiaNoPatio(b.db(), 7, {});
    const Caso casos[] = {
        {"10/03/2008", "08:00:00", "10/03/2008", "18:00:00", "0,00"},   // both bounds inclusive
        {"10/03/2008", "07:00:00", "10/03/2008", "09:00:00", "3,00"},   // fee of 1:00:00
        {"10/03/2008", "07:00:00", "10/03/2008", "07:30:00", "3,00"},   // fee of 1:00:00
        {"10/03/2008", "17:00:00", "10/03/2008", "19:30:00", "4,00"},   // fee of 1:30:00
        {"10/03/2008", "06:30:00", "10/03/2008", "19:00:00", "6,00"},   // fee of 2:30:00
        {"10/03/2008", "19:00:00", "10/03/2008", "20:30:00", "4,00"},   // whole 1:30:00 stay
        {"10/03/2008", "09:00:00", "12/03/2008", "17:00:00", "0,00"},   // inside, several dates
        {"10/03/2008", "07:00:00", "12/03/2008", "09:00:00", "40,00"},  // two day rates
        {"31/12/2008", "07:00:00", "02/01/2009", "09:00:00", "40,00"},  // over the year's end
        {"29/02/2008", "07:00:00", "01/03/2008", "09:00:00", "20,00"},  // over the month's end
    };
    for (const Caso& c : casos) confere(b.db(), c);
}

TEST(Mensalista, JanelaNoturna) {
    BancoTeste b;
    semeiaRotativoMeiaHora(b.db());
    semeiaDiaria(b.db(), 24, "20,00");
    semeiaMensalista(b.db(), 7, "22:00:00", "06:00:00");
    semeiaNoPatio(b.db(), 7, {});
    const Caso casos[] = {
        {"10/03/2008", "23:00:00", "11/03/2008", "05:00:00", "0,00"},
        {"10/03/2008", "21:00:00", "11/03/2008", "07:00:00", "5,00"},    // fee of 2:00:00
        {"10/03/2008", "21:00:00", "12/03/2008", "07:00:00", "20,00"},   // one day rate
        {"10/03/2008", "21:00:00", "13/03/2008", "07:00:00", "40,00"},   // two day rates
        // In 24-hour operation the nested time-table fee counts the whole day: 26:00:00.
        {"10/03/2008", "21:00:00", "11/03/2008", "07:00:00", "53,00", true},
        // Entry and exit on one date: only the part between 06:00 and 22:00 is charged.
        {"11/03/2008", "01:00:00", "11/03/2008", "05:00:00", "0,00"},
        {"11/03/2008", "22:30:00", "11/03/2008", "23:30:00", "0,00"},
        {"11/03/2008", "05:00:00", "11/03/2008", "07:00:00", "3,00"},    // 1:00:00 after the end
        {"11/03/2008", "21:00:00", "11/03/2008", "23:00:00", "3,00"},    // 1:00:00 before the start
        {"11/03/2008", "07:00:00", "11/03/2008", "21:00:00", "28,00"},   // 14:00:00: 8,00 + 10 h
    };
    for (const Caso& c : casos) confere(b.db(), c);
}

TEST(Mensalista, JanelaComFimIgualAoInicioENoturna) {
    BancoTeste b;
    semeiaRotativoMeiaHora(b.db());
    semeiaMensalista(b.db(), 7, "20:00:00", "20:00:00");
    semeiaNoPatio(b.db(), 7, {});
    // A night window: over midnight the time after its end is charged, not a day rate.
    confere(b.db(), {"10/03/2008", "20:00:00", "11/03/2008", "21:00:00", "3,00"});
}

TEST(Mensalista, ForaDoHorarioMaiorQueAHoraDoRelogio) {
    BancoTeste b;
    semeiaRotativoMeiaHora(b.db());
    semeiaMensalista(b.db(), 7, "08:00:00", "18:00:00");
    semeiaNoPatio(b.db(), 7, {});
    // 7:30:00 before the window charged at 01:00: the out-of-window time itself is charged,
    // 8,00 for four hours and 4 started hours at 2,00.
    confere(b.db(), {"10/03/2008", "00:30:00", "10/03/2008", "01:00:00", "16,00"});
}

TEST(Mensalista, Recusas) {
    const QString naoMensalista = QStringLiteral(
        "Este veículo não é de mensalista. Escolha outra forma de pagamento que não seja "
        "'Mensalista'.");
    const QString cota = QStringLiteral(
        "Este veículo passou da cota do mensalista. Escolha outra forma de pagamento que não seja "
        "'Mensalista'.");
    const QString atraso = QStringLiteral(
        "em atraso. Escolha outra forma de pagamento que não seja 'Mensalista' ou efetue o "
        "pagamento da(s) mensalidade(s) em atraso.");
    const struct {
        QVariant codigo, marca;
        bool comNome;
        QString mensagem;   // empty: covered
    } casos[] = {
        {{}, {}, true, naoMensalista},
        {{}, -2, true, naoMensalista},   // a mark without a code
        {7, {}, true, {}},
        {7, 0, true, cota},
        {7, -2, true, "Mensalista JOSÉ D'ÁVILA " + atraso},
        {7, -2, false, "Mensalista " + atraso},
        {7, 5, true, {}},
    };
    for (const auto& c : casos) {
        BancoTeste b;
        if (c.comNome) semeiaMensalista(b.db(), 7, {}, {}, "JOSÉ D'ÁVILA");
        semeiaNoPatio(b.db(), c.codigo, c.marca);
        b.db().executa("INSERT INTO mensalidades (codigo, pago) VALUES (7, 1), (7, 0)");
        const ResultadoTarifa r = calcula_mensalista(
            b.db(), pedidoMensalista("10/03/2008", "08:00:00", "10/03/2008", "09:00:00"));
        if (c.mensagem.isEmpty()) {
            EXPECT_EQ(textoTot(r), "0,00");
            EXPECT_TRUE(r.mensagem.isEmpty());
            continue;
        }
        EXPECT_EQ(textoTot(r), "ERRO");
        EXPECT_EQ(r.mensagem, c.mensagem);
        EXPECT_EQ(r.icone, Icone::Exclamacao);
        EXPECT_EQ(r.foco, "Option6");
        EXPECT_TRUE(r.limpaMemoria);
    }
}

TEST(Mensalista, AtrasoQuitadoPlacaAusenteESemHorario) {
    BancoTeste b;
    semeiaMensalista(b.db(), 7, {}, {});
    semeiaNoPatio(b.db(), 7, -2);
    b.db().executa("INSERT INTO mensalidades (codigo, pago) VALUES (7, 0)");
    const PedidoTarifa p = pedidoMensalista("10/03/2008", "08:00:00", "15/03/2008", "23:00:00");
    EXPECT_EQ(textoTot(calcula_mensalista(b.db(), p)), "ERRO");
    // All fees paid: covered, and with no allowed hours any stay pays nothing.
    b.db().executa("UPDATE mensalidades SET pago = 1");
    EXPECT_EQ(textoTot(calcula_mensalista(b.db(), p)), "0,00");

    PedidoTarifa outra = p;
    outra.pla = "XYZ-9876";
    const ResultadoTarifa r = calcula_mensalista(b.db(), outra);
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Placa de mensalista não encontrada no estacionamento.");
    EXPECT_TRUE(r.limpaMemoria);
}

TEST(Mensalista, SemDiariaCadastrada) {
    const struct {
        const char *inicio, *fim, *datSai, *mensagem;
    } casos[] = {
        {"08:00:00", "18:00:00", "11/03/2008",
         "Mensalista diurno ficou mais de um dia e não há valor de diária cadastrado."},
        {"22:00:00", "06:00:00", "12/03/2008",
         "Mensalista noturno ficou mais de um dia e não há valor de diária cadastrado."},
    };
    for (const auto& c : casos) {
        BancoTeste b;
        semeiaMensalista(b.db(), 7, c.inicio, c.fim);
        semeiaNoPatio(b.db(), 7, {});
        const ResultadoTarifa r = calcula_mensalista(
            b.db(), pedidoMensalista("10/03/2008", "07:00:00", c.datSai, "19:00:00"));
        EXPECT_EQ(textoTot(r), "ERRO");
        EXPECT_EQ(r.mensagem, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(r.icone, Icone::Exclamacao);
        EXPECT_TRUE(r.foco.isEmpty());
        EXPECT_FALSE(r.limpaMemoria);
    }
}

TEST(Mensalista, ForaDoHorarioCalculadoSegundosDepoisDaSaida) {
    BancoTeste b;
    semeiaRotativoMeiaHora(b.db());
    semeiaMensalista(b.db(), 7, "22:00:00", "06:00:00");
    semeiaNoPatio(b.db(), 7, {});
    // Left 3 s after the window, fee computed 7 s later: the 3 s pay the first step, not a day.
    PedidoTarifa p = pedidoMensalista("10/03/2008", "23:00:00", "11/03/2008", "06:00:03");
    p.hora_atual = QTime(6, 0, 10);
    EXPECT_EQ(textoTot(calcula_mensalista(b.db(), p)), "1,00");
}
