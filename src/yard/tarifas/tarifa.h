#pragma once
// The fee dispatcher: the fee routine of the payment kind chosen in the lane panel.

#include "yard/tarifas/pedido_tarifa.h"

// The dispatcher: picks the fee routine of `p.modalidade`. The window writes the total formatted
// (or "ERRO") into `tot` and "0,00" into `tro` when `calculado` is true.
ResultadoTarifa calcula_total(Banco& db, const PedidoTarifa& p);

// The tariffs in force, as one value that changes with any of their rows: the time table, the
// shifts, the day rate, the partners and their steps. Empty while none is registered.
QByteArray tarifasEmVigor(Banco& db);
