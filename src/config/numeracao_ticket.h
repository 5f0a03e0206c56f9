#pragma once
// The box "Numeração Tickets": the number of the next ticket chosen by the operator. Forward, the
// counter `gera_ticket` is extended up to one below it; back, it is emptied and refilled with 1
// up to one below it, refused while a parked vehicle holds a ticket at or above it. One
// transaction; the numbers are 64-bit, so nothing wraps.

#include "config/resultado_aba.h"

class Banco;

struct ResultadoNumeracao : ResultadoAba {
    // The box's texts afterwards ("Tic. atual:", "Próx. tic.:"), set on success.
    QString tic;
    QString pro;
};

// `pro` is the text of "Próx. tic.:" as typed.
ResultadoNumeracao altera_numeracao(Banco& db, const QString& pro);

// Places of the box's two fields: every number the counter can reach, as tickets print, ten
// digits.
inline constexpr int kCasasTicket = 10;

// A number as the box shows it: its digits left-aligned in the box's places.
QString textoNumeracao(qint64 numero);
