#pragma once
// The one way every roll printout reaches the ticket printer: the entry ticket, the exit receipt,
// the yard list, the cash-closing report and the monthly-payment receipt all go through here.

#include "app/contexto.h"

#include <QByteArray>
#include <QString>

// Whether a ticket printer is configured: `impressora` holds a port, not the single blank.
bool ha_impressora(const Estado& estado);

// Hands one printout, built with `Bobina`, to the port in `impressora` and returns at once: the
// lane goes on while the printer takes the bytes. With no ticket printer configured it does
// nothing and returns false, with no message. When the printout fails the operator is told,
// once it is known, in a message that names the port, with `aviso` (for example "A entrada do
// veículo está registrada.") as its last line when given; whatever the caller stored before
// printing stays stored. The printouts that were already waiting for the port when a failure
// was told fail for the same reason and are not told again.
bool imprime_bobina(Contexto& ctx, const QByteArray& bytes, const QString& aviso = {});
