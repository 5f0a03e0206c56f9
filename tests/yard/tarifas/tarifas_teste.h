#pragma once
// Tariff rows, lane requests and result checks for the fee tests.

#include "data/banco.h"
#include "data/dinheiro.h"
#include "yard/tarifas/tarifa.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

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

// "ERRO" or the total as `tot` would show it.
inline std::string textoTot(const ResultadoTarifa& r) {
    return r.total ? r.total->formata().toStdString() : std::string("ERRO");
}

// `esperado` is either the total as `tot` shows it, with no message, or the message of a
// refusal, which comes with "ERRO", the exclamation icon, the focus on `foco`, the memory of the
// last computation cleared or not as `limpa` says, and no other field touched.
inline void confere(const ResultadoTarifa& r, const QString& esperado, const QString& foco = {},
                    bool limpa = false) {
    if (Dinheiro::ler(esperado)) {
        EXPECT_EQ(textoTot(r), esperado.toStdString());
        EXPECT_EQ(r.mensagem, QString());
        return;
    }
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, esperado);
    EXPECT_EQ(r.icone, Icone::Exclamacao);
    EXPECT_EQ(r.foco, foco);
    EXPECT_EQ(r.limpaMemoria, limpa);
    EXPECT_TRUE(r.campos.isEmpty());
}
