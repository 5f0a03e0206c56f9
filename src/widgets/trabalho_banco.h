#pragma once
// Database work started from a window: the hourglass while it runs, and a failure told to the
// operator in Portuguese, with what could not be done and its cause, instead of reaching the
// event loop. Whatever was written in a transaction is rolled back by it; the window stays
// usable.

#include "app/plataforma.h"

#include <QString>

#include <functional>

// Work that writes: a failure reads "Não foi possível <acao>. Nada foi gravado." and the
// cause. True when the work ran to its end.
bool gravaNoBanco(Plataforma& plataforma, const QString& acao, const std::function<void()>& trabalho);

// Work that only reads: a failure reads "Não foi possível ler <oQue>." and the cause.
bool leDoBanco(Plataforma& plataforma, const QString& oQue, const std::function<void()>& trabalho);
