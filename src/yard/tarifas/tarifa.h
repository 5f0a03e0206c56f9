#pragma once
// The fee dispatcher: the fee routine of the payment kind chosen in the lane panel.

#include "yard/tarifas/pedido_tarifa.h"

// The dispatcher: picks the fee routine of `p.modalidade`. The window writes the total formatted
// (or "ERRO") into `tot` and "0,00" into `tro` when `calculado` is true.
ResultadoTarifa calcula_total(Banco& db, const PedidoTarifa& p);
