#pragma once
// The fiscal printer's part in a closing: the Z reduction when the closing comes before the
// configured reduction time, else the X reading when it is switched on, else nothing.

#include "app/contexto.h"

#include <QString>

enum class LeituraFiscal { Nenhuma, ReducaoZ, LeituraX };

// Which call the settings in `geral` ask for at a closing at `hora` (the program clock).
LeituraFiscal leitura_fiscal_devida(Banco& db, const QTime& hora);

// Makes that call when a fiscal printer is configured. Empty when nothing was asked or the
// printer carried it out; else what to tell the operator.
QString faz_leitura_fiscal(Contexto& ctx);
