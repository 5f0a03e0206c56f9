#pragma once
// The time-table fee ("Rotativo"): the ordered steps of `rotativo_variavel`, the extension rule
// of the single `rotativo` row, and in 24-hour operation the steps repeating instead.

#include "yard/tarifas/escalonamento.h"
#include "yard/tarifas/pedido_tarifa.h"

struct TabelaRotativo {
    QList<Degrau> degraus;   // by `ordem`
    Excedente excedente;     // none without a `rotativo` row or with a period of 00:00
};
TabelaRotativo leTabelaRotativo(Banco& db);

// The fee of the stay in the lane fields; `campos` presets `val_pag` to the total's text.
ResultadoTarifa calcula_rotativo(Banco& db, const PedidoTarifa& p);

// The fee of a stay of `duracao` seconds: outside 24-hour operation whole days are dropped and
// the steps are taken once; in 24-hour operation the steps repeat.
ResultadoTarifa cobraRotativo(Banco& db, qint64 duracao, bool estacionamento24h);
