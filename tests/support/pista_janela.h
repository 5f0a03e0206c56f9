#pragma once
// Shared set-up of the lane tests: the main window as the login leaves it, parked vehicles
// and the port writes as text.

#include "cash/abe_cai.h"
#include "support/ambiente.h"
#include "support/janela_principal_teste.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include "yard/modelo_patio.h"
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

inline void estaciona(Ambiente& a, const char* placa, const QVariant& ticket,
                      const QVariant& prisma = {}, const QVariant& mensalista = {},
                      const char* data = "2026-12-07", const char* hora = "08:30:00") {
    a.db().executa("INSERT INTO veiculos_patio (placa, ticket, prisma, mensalista, data_entrada, "
                   "hora_entrada) VALUES (?, ?, ?, ?, ?, ?)",
                   {placa, ticket, prisma, mensalista, data, hora});
}

// "address=value@ms" for every port write, in order.
inline QStringList escritas(const Ambiente& a) {
    QStringList r;
    for (const EscritaPorta& w : a.plataforma.portaFalsa.escritas)
        r << QStringLiteral("%1=%2@%3").arg(w.endereco, 0, 16).arg(w.valor).arg(w.instanteMs);
    return r;
}

// A lowering timer's interval, 0 when it is not running.
inline int intervalo(const QTimer& t) { return t.isActive() ? t.interval() : 0; }

// The main window shown and active, with no printer and no register open yet.
class PistaTest : public ::testing::Test {
protected:
    PistaTest() {
        amb.ctx.estado.impressora = amb.ctx.estado.impressora_fiscal = QStringLiteral(" ");
        janela.show();
        QApplication::setActiveWindow(&janela);
    }
    // The state the login leaves with a register open.
    void abreCaixa(int numero = 1) {
        amb.ctx.estado.numero_caixa = numero;
        janela.mostraCaixa();
    }
    Ambiente amb;
    JanelaPrincipalTeste janela{amb.ctx};
};
