#pragma once
// The partner-agreement fee ("Convênio"): the partner chosen by name decides by the exit's
// weekday and the stay's hours whether it may be used, then prices the stay free ("I"), at a
// fixed price ("F"), or ("V") by its daily window, its own steps and the time after them.

#include "yard/tarifas/pedido_tarifa.h"

ResultadoTarifa calcula_convenio(Banco& db, const PedidoTarifa& p);
