#pragma once
// The payment panel's lists of shifts and partners, read from their tables: the login fills the
// main window with them and the configuration refills it after a change, from the same reads.

#include "data/banco.h"
#include "yard/tela_principal.h"

#include <QStringList>

// The shifts as the panel lists them: "HH:MM - HH:MM", in start order.
QStringList itensTurnos(Banco& db);
// Every agreement in name order.
ListaConvenios lista_convenios(Banco& db);
