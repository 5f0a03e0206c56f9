#pragma once
// The shift prices as the "Turnos" tab edits them: each add and delete is stored at once.

#include "config/resultado_editor.h"
#include "data/banco.h"

// "Inserir Turno" with the texts of `hor_ini_tur`, `hor_fim_tur` and `val_tur`. A start later
// than the end (an overnight shift) is stored only after the operator confirms it.
ResultadoEditor insereTurno(Banco& db, const QString& inicio, const QString& fim,
                            const QString& valor, const Pergunta& pergunta);

// "Excluir Turno" of grid row `atual` (0 = nothing selected), given the start of grid row 1
// and the start and end of the current row. Deletes one stored shift with that start and end.
ResultadoEditor excluiTurno(Banco& db, int atual, const QString& inicioLinha1,
                            const QString& inicio, const QString& fim);
