#pragma once
// Tariff rows, stays and result checks for the fee tests.

#include "data/banco.h"
#include "data/dinheiro.h"
#include "yard/tarifas/recusa_tarifa.h"
#include "yard/tarifas/tarifa.h"

#include <QString>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

// Runs the statements separated by ";". Money is stored in ten-thousandths: 50000 is 5,00.
inline void semeia(Banco& db, const QString& sql) {
    for (const QString& comando : sql.split(u';', Qt::SkipEmptyParts)) db.executa(comando);
}

// The time table of the worked examples: 01:00 at 5,00, 01:00 at 3,00 and 02:00 at 4,00, then
// 2,00 for every 01:00.
inline const QString kRotativoPadrao = QStringLiteral(
    "INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('01:00:00', 50000, 1), "
    "('01:00:00', 30000, 2), ('02:00:00', 40000, 3);"
    "INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (20000, '01:00:00')");

inline void semeiaRotativoPadrao(Banco& db) { semeia(db, kRotativoPadrao); }

// `valor` as typed: "25,00".
inline void semeiaDiaria(Banco& db, int horas, const char* valor) {
    db.executa(QStringLiteral("INSERT INTO diaria (tempo, valor) VALUES (?, ?)"),
               {horas, Dinheiro::ler(QString::fromUtf8(valor)).value().paraBanco()});
}

// A lane request with the vehicle found at the exit just now: the program clock equals the exit
// date and time unless a test moves it.
inline PedidoTarifa pedido(const QString& modalidade, const QString& datEnt, const QString& horEnt,
                           const QString& datSai, const QString& horSai) {
    PedidoTarifa p;
    p.modalidade = modalidade;
    p.dat_ent = datEnt;
    p.hor_ent = horEnt;
    p.dat_sai = datSai;
    p.hor_sai = horSai;
    p.data_atual = QDate::fromString(datSai, QStringLiteral("dd/MM/yyyy"));
    p.hora_atual = QTime::fromString(horSai, QStringLiteral("HH:mm:ss"));
    return p;
}

// One stay of the vehicle ABC-1234; a moment is "HH:mm:ss" on 10/03/2008 or "dd/MM/yyyy HH:mm:ss".
// What it must give is the total as `tot` shows it or a refusal's message; empty: not checked.
struct Linha {
    const char *ent, *sai;
    QString esperado;                // outside 24-hour operation
    const char* escolha = "";        // the shift or the partner chosen
    QString em24h = {};              // in 24-hour operation
    const char* relogio = nullptr;   // the program time, when not the exit time
};

// A refusal's focus, and whether it clears the memory of the last computation, by its message.
using Recusa = std::pair<QString, bool> (*)(const QString& mensagem);

// Each stay computed as the kind `modalidade`. A refusal comes with "ERRO", the exclamation icon
// and no field touched; a total only ever presets `val_pag`, to itself.
inline void confereLinhas(Banco& db, const char* modalidade, std::initializer_list<Linha> linhas,
                          Recusa recusa) {
    const auto momento = [](const char* m) {
        const QString t = QString::fromUtf8(m);
        return t.size() > 8 ? t : "10/03/2008 " + t;
    };
    for (const Linha& l : linhas) {
        const QString ent = momento(l.ent), sai = momento(l.sai);
        PedidoTarifa p = pedido(modalidade, ent.left(10), ent.mid(11), sai.left(10), sai.mid(11));
        p.tur = p.conv = QString::fromUtf8(l.escolha);
        p.pla = QStringLiteral("ABC-1234");
        if (l.relogio) p.hora_atual = QTime::fromString(l.relogio, "HH:mm:ss");
        for (const bool em24h : {false, true}) {
            const QString& esperado = em24h ? l.em24h : l.esperado;
            if (esperado.isEmpty()) continue;
            SCOPED_TRACE(std::string(l.escolha) + " " + l.ent + " -> " + l.sai +
                         (em24h ? " 24h" : ""));
            p.estacionamento24h = em24h;
            const ResultadoTarifa r = calcula_total(db, p);
            const auto total = Dinheiro::ler(esperado);   // nullopt: a refusal's message
            const auto txt = [](const QString& s) { return s.toStdString(); };
            EXPECT_EQ(txt(r.total ? r.total->formata() : "ERRO"), txt(total ? esperado : "ERRO"));
            EXPECT_TRUE(r.total == total);   // the amount itself, not only as `tot` shows it
            EXPECT_EQ(txt(r.mensagem), txt(total ? QString() : esperado));
            for (const auto& [campo, texto] : r.campos)
                EXPECT_EQ(txt(campo + u' ' + texto), txt("val_pag " + esperado));
            if (total) continue;
            const auto [foco, limpa] = recusa(esperado);
            EXPECT_EQ(r.icone, Icone::Exclamacao);
            EXPECT_EQ(txt(r.foco), txt(foco));
            EXPECT_EQ(r.limpaMemoria, limpa);
        }
    }
}
