#pragma once
// Tariff rows and lane requests for the fee tests.

#include "data/banco.h"
#include "data/dinheiro.h"
#include "yard/tarifas/tarifa.h"

#include <QList>
#include <QString>

#include <optional>
#include <string>

// "12,50" as money; the test text is always a valid amount.
Dinheiro rs(const char* texto);

struct DegrauTeste {
    const char* tempo;   // "HH:MM:SS"
    const char* valor;   // "5,00"
};

void semeiaDegrausRotativo(Banco& db, const QList<DegrauTeste>& degraus);
void semeiaExtensaoRotativo(Banco& db, const char* aposCobrar, const char* aposACada);
// The steps 01:00 at 5,00, 01:00 at 3,00 and 02:00 at 4,00, with 2,00 for every 01:00 after them.
void semeiaRotativoPadrao(Banco& db);
void semeiaDiaria(Banco& db, int horas, const char* valor);

// A lane request with the vehicle found at the exit just now: the program clock equals the exit
// date and time unless a test moves it.
PedidoTarifa pedido(const QString& modalidade, const QString& datEnt, const QString& horEnt,
                    const QString& datSai, const QString& horSai);

// "ERRO" or the total as `tot` would show it.
std::string textoTot(const ResultadoTarifa& r);
