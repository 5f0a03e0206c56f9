#pragma once
// Hooks the subscriber windows into the main window: the register on toolbar button 2 and the
// monthly payment on "Pgto. de Mensalista".

#include "app/contexto.h"

class JanelaPrincipal;

void ligaMensalistas(Contexto& ctx, JanelaPrincipal& a);
