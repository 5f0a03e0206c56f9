#pragma once
// The day rate as the "Diária" tab stores it: one row of `diaria`.

#include "config/resultado_editor.h"
#include "data/banco.h"

// "Gravar" with the texts of `tem_dia` (hours) and `val_dia` (price).
ResultadoEditor gravaDiaria(Banco& db, const QString& tempo, const QString& valor);
