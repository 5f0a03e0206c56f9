#pragma once
// The last guard of the event loop: a failure that no window caught is told to the operator
// instead of ending the program. Each window says what it was doing; this one cannot, so it
// only says that the operation did not end and why.

#include "app/plataforma.h"

#include <functional>

// Runs `entrega` (the delivery of one event). An exception that escapes it is shown through
// `plataforma` with the critical icon and the event counts as not handled (false).
bool entregaSemEncerrar(Plataforma& plataforma, const std::function<bool()>& entrega);
