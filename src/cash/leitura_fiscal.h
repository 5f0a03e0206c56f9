#pragma once
// The fiscal printer's part in a closing: the Z reduction when the closing comes before the
// configured reduction time, else the X reading when it is switched on, else nothing. A reading
// or a reduction never falls inside a coupon: the coupon an exit left open is closed first.

#include "app/contexto.h"
#include "yard/comprovantes.h"

#include <QString>

enum class LeituraFiscal { Nenhuma, ReducaoZ, LeituraX };

// Which call the settings in `geral` ask for at a closing at `hora` (the program clock).
LeituraFiscal leitura_fiscal_devida(Banco& db, const QTime& hora);

// The closing's call, chosen once, before anything of the closing is written.
struct LeituraPrevista {
    LeituraFiscal leitura = LeituraFiscal::Nenhuma;
    QString falha;   // the settings could not be read: no call is made, and this is told
};
// Nenhuma when no fiscal printer is configured.
LeituraPrevista preve_leitura_fiscal(Contexto& ctx);

// When `leitura` asks for a call while the coupon of an exit is still open, that coupon is
// closed first, as the next exit would close it. `falhou` when it could not be: the closing then
// writes nothing. An empty text when there was nothing to close.
ResultadoCupom fecha_cupom_antes_da_leitura(Contexto& ctx, LeituraFiscal leitura);

// Makes the call foreseen. Empty when nothing was asked or the printer carried it out; else what
// to tell the operator.
QString faz_leitura_fiscal(Contexto& ctx, const LeituraPrevista& prevista);
