#pragma once
// The terms a fee is computed under, as one value: the exit stores a fee only while they are
// those it was computed with.

#include "yard/tarifas/pedido_tarifa.h"

#include <QByteArray>

// Changes with anything the fee of `p` reads besides the panel and the clock: every tariff table
// (time table, shifts, day rate, partners and their steps), the 24-hour setting, the site's own
// branch number, and for a subscriber's fee the parked car's row, its subscriber's rows with
// their types, the car's registration and the months still unpaid.
QByteArray termosEmVigor(Banco& db, const PedidoTarifa& p);
