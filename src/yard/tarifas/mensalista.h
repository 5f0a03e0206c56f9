#pragma once
// The subscriber fee at the exit ("Mensalista"): nothing when the subscription covers the stay,
// the day rate when the subscriber stayed over more days than it allows, or the time-table fee
// of the part of the stay outside the subscriber's allowed hours; refused for a vehicle that is
// not a subscriber's, over the quota, or entered in arrears with fees still unpaid.

#include "yard/tarifas/pedido_tarifa.h"

ResultadoTarifa calcula_mensalista(Banco& db, const PedidoTarifa& p);
