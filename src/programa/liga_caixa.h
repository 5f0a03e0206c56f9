#pragma once
// Hooks the cash register's closing and takings and the ticket cancellation into the main
// window's buttons (and F5). Called once by the lane wiring.

#include "app/contexto.h"

class JanelaPrincipal;

void ligaCaixa(Contexto& ctx, JanelaPrincipal& janela);
