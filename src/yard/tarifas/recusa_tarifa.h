#pragma once
// The refusals that the fee routines share: "ERRO" in `tot` with an exclamation message.

#include "yard/tarifas/pedido_tarifa.h"

// A refusal: "ERRO" in `tot` with an exclamation message.
ResultadoTarifa recusaTarifa(const QString& mensagem, const QString& foco = {},
                             bool limpaMemoria = false);

// Messages of refusals that several routines share.
inline const QString kMsgHorarioInvalido =
    QStringLiteral("Data ou hora de entrada/saída inválida.");
inline const QString kMsgSaidaAntesEntrada = QStringLiteral(
    "A data/hora de saída é anterior à de entrada. Verifique o relógio do programa.");
