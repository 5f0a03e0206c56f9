#pragma once
// "Gravar" of the tab "Escrit/Pista": office or branch lane, and the branch number. A changed
// number, once confirmed, re-stamps `filial` in the eight tables that carry it, in the same
// transaction as the setting. This installation's own rows (no number, or a number it has had)
// always carry its current number, none at the office, so a lane becoming the office clears
// theirs; rows merged in from other branches keep their own on every road. A subscriber's
// months, vehicles and payments carry its branch wherever it goes: a payment moves only with
// the subscriber who paid it, so no fee loses its payer or its branch.

#include "app/contexto.h"
#include "config/resultado_aba.h"

inline const QString kEscritorio = QStringLiteral("Escritório");

struct ResultadoEscritorioPista : ResultadoAba {
    QString fil;   // the text of `fil` afterwards (emptied for the office)
};

// `esc` is the chosen entry, `fil` the text of the branch field; `filial_carregada` is the
// number the window remembers and is updated after a save.
ResultadoEscritorioPista grava_filial(Contexto& ctx, const QString& esc, const QString& fil,
                                      qint16& filial_carregada);
