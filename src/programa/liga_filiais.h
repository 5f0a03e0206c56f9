#pragma once

#include "app/contexto.h"

class JanelaPrincipal;

// Makes the main window's toolbar button 6 open the branches menu `ger` and button 7 the
// backup window `bac`, each one at a time: a second click brings the open one forward.
void liga_filiais(Contexto& ctx, JanelaPrincipal& a);
