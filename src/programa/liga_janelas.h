#pragma once
// The main window's toolbar buttons that open the users, configuration and reports windows.
// The owner of the main window calls each once, after creating the window.

#include "app/contexto.h"

class JanelaPrincipal;

// Button 1: the users window.
void liga_janela_usuarios(Contexto& ctx, JanelaPrincipal& a);
// Button 3: the configuration window, centred on the screen; the tariff editors' memory of
// what was last chosen outlives the window.
void liga_janela_configuracao(Contexto& ctx, JanelaPrincipal& a);
// Button 5: the reports window.
void liga_janela_relatorios(Contexto& ctx, JanelaPrincipal& a);
