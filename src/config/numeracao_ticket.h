#pragma once
// The box "Numeração Tickets": the number of the next ticket chosen by the operator. The counter
// `gera_ticket` keeps one row at one below that number and the engine's own sequence there, so
// that the lanes' next entry takes it: a jump of any size writes one row, in one transaction.
// Moving back is refused while a ticket at or above the number was already given to a stay
// (parked, out or cancelled): no number is given to two stays. A number beyond what a stay's
// ticket field holds is refused.

#include "config/resultado_aba.h"

class Banco;

struct ResultadoNumeracao : ResultadoAba {
    // The box's texts afterwards ("Tic. atual:", "Próx. tic.:"), set on success.
    QString tic;
    QString pro;
};

// `pro` is the text of "Próx. tic.:"; `digitado` tells whether the operator typed in it since
// the box last showed the counter. A number the operator did not type never moves the counter
// back: tickets issued at the lanes since the box was filled stand, and the box is refreshed.
ResultadoNumeracao altera_numeracao(Banco& db, const QString& pro, bool digitado = true);

// Places of the box's two fields: every number the counter can reach, as tickets print, ten
// digits.
inline constexpr int kCasasTicket = 10;
// The highest next ticket: a stay's ticket is stored in a 32-bit field, so a counter beyond it
// would leave every entry unable to be stored.
inline constexpr qint64 kMaiorTicket = 2147483647;

// A number as the box shows it: its digits left-aligned in the box's places.
QString textoNumeracao(qint64 numero);
