#pragma once
// What the partner tab and the general settings change at once in the main window.

#include "config/convenios_gravacao.h"
#include "config/geral_config.h"

class JanelaPrincipal;

// Refills `conv` and the hidden `cod_con` in step, with no partner chosen.
void atualizaConveniosDaPrincipal(JanelaPrincipal& a, const ListaConvenios& lista);
// The yard list, the tag and vehicle fields, the print buttons and the gate buttons.
void aplicaGeralNaPrincipal(JanelaPrincipal& a, const EfeitosGeral& efeitos);
