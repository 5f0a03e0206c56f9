#pragma once
// The day-rate fee ("Diarista"): the stay counted in started hours, every started period of
// `diaria.tempo` hours costing `diaria.valor`.

#include "yard/tarifas/pedido_tarifa.h"

ResultadoTarifa calcula_diaria(Banco& db, const PedidoTarifa& p);
