#pragma once
// The one way every roll printout reaches the ticket printer: the entry ticket, the exit receipt,
// the yard list, the cash-closing report and the monthly-payment receipt all go through here.

#include "app/contexto.h"

#include <QByteArray>
#include <QString>

// Whether a ticket printer is configured: `impressora` holds a port, not the single blank.
bool ha_impressora(const Estado& estado);

// Sends one printout, built with `Bobina`, to the port in `impressora` through the seam. With no
// ticket printer configured it does nothing and returns false, with no message. When the port
// cannot be opened or written the operator is told once, in a message that names the port, with
// `aviso` (for example "A entrada do veículo está registrada.") as its last line when given;
// whatever the caller stored before printing stays stored. True when the printer took every byte.
bool imprime_bobina(Contexto& ctx, const QByteArray& bytes, const QString& aviso = {});
