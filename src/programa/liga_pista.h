#pragma once
// Builds the lanes beside the main window and connects them: entry and exit registration (both
// buttons of each lane), the manual gate lists, the cash-register windows and the yard list.
// The owner of the main window calls it once, after creating the window.

#include "app/contexto.h"

class JanelaPrincipal;

void ligaPista(Contexto& ctx, JanelaPrincipal& janela);
