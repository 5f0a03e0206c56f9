#pragma once
// Hooks the lanes into the main window: entry and exit registration (both buttons of each
// lane), the gates' lowering timers, the cash-register opening and the manual gate lists.
// The owner of the main window calls it once, after creating the window.

#include "app/contexto.h"

class JanelaPrincipal;

void ligaPista(Contexto& ctx, JanelaPrincipal& janela);
