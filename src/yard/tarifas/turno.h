#pragma once
// The shift fee ("Turno"): the fixed price of the chosen shift, plus the time spent in the yard
// before its start or after its end charged by the time-table steps taken once.

#include "yard/tarifas/pedido_tarifa.h"

ResultadoTarifa calcula_turno(Banco& db, const PedidoTarifa& p);
