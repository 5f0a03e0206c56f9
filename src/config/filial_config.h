#pragma once
// "Gravar" of the tab "Escrit/Pista": office or branch lane, and the branch number. A changed
// number, once confirmed, re-stamps `filial` in the eight tables that carry it, in the same
// transaction as the setting. A lane's rows are all its own: every row takes the new number,
// as the question says, whatever numbers earlier settings (an office among them) left on them.
// The office clearing its number keeps the rows merged in from the branches: only its own rows
// (no number, or a number this installation has had) lose theirs.

#include "app/contexto.h"
#include "config/resultado_aba.h"

inline const QString kEscritorio = QStringLiteral("Escritório");

struct ResultadoFilial : ResultadoAba {
    QString fil;   // the text of `fil` afterwards (emptied for the office)
};

// `esc` is the chosen entry, `fil` the text of the branch field; `filial_carregada` is the
// number the window remembers and is updated after a save.
ResultadoFilial grava_filial(Contexto& ctx, const QString& esc, const QString& fil,
                             qint16& filial_carregada);
