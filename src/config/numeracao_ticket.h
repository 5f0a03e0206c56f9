#pragma once
// The box "Numeração Tickets": the number of the next ticket chosen by the operator. The counter
// `gera_ticket` keeps one row at one below that number and the engine's own sequence there, so
// that the lanes' next entry takes it: a jump of any size writes one row, in one transaction.
// Moving back is refused while a ticket at or above the number was already given to a stay
// (parked, out or cancelled): no number is given to two stays; but near the end of the numbers a
// move back starts a new round of them, held back only by a parked vehicle whose ticket the new
// round will reach. A number beyond what a stay's ticket field holds is refused.

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
// A number as the box shows it: its digits left-aligned in the box's places.
QString textoNumeracao(qint64 numero);
// "Próx. tic." for the counter's last ticket `ultimo`: the next one, or blanks once none can be
// given (the highest, 2147483647, is the largest number a stay's ticket holds).
QString textoProximoTicket(qint64 ultimo);
