#pragma once
// The one way every roll printout reaches the ticket printer: the entry ticket, the exit receipt,
// the yard list, the cash-closing report and the monthly-payment receipt all go through here.

#include "app/contexto.h"
#include "devices/impressos.h"

#include <QByteArray>
#include <QString>

// Whether a ticket printer is configured: `impressora` holds a port, not the single blank.
bool ha_impressora(const Estado& estado);

// Hands one printout of kind `tipo`, built with `Bobina`, to the port in `impressora` and
// returns at once: the lane goes on while the printer takes the bytes. With no ticket printer
// configured it does nothing and returns false, with no message. A printout that fails is told
// in a notice that never takes the keyboard: it names the port, what did not print and how
// many, counting every failure of the port until the operator closes it. Whatever the caller
// stored before printing stays stored.
bool imprime_bobina(Contexto& ctx, Impresso tipo, const QByteArray& bytes);

// "Sair": the program ends at once when every printout handed to the ticket printer has ended.
// Otherwise the operator is told how many, and which, have not printed yet, and chooses between
// leaving without them and going back to the program while the printer takes them; Enter, and
// a question left with nothing to ask, go back to the program.
void sai_do_programa(Contexto& ctx);
