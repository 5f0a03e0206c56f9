#pragma once
// What the tariff editors of the configuration window change at once in the main window.

#include "data/banco.h"

class JanelaPrincipal;

// Rebuilds the shift list `tur`; with no shift stored, "Turno" is disabled and unselected.
void atualizaTurnosDaPrincipal(JanelaPrincipal& a, Banco& db);
