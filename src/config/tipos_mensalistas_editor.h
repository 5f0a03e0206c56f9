#pragma once
// The subscriber types as the "Mensalistas" tab edits them: each insert, change and delete is
// stored at once. Names are unique ignoring letter case, on insert and on change alike.

#include "config/resultado_editor.h"
#include "data/banco.h"

#include <optional>

// A stored type as the tab's fields show it.
struct TipoMensalista {
    QString cod;     // the code as text
    QString tip;
    QString valor;   // "#,##0.00"
    QString dia;     // "00"
};

// The stored type with code `codigo`.
std::optional<TipoMensalista> buscaTipoMensalista(Banco& db, qint64 codigo);

// "Inserir Mensalista" with the texts of `tip`, `valor` and `dia`; a zero fee is stored only
// after the operator confirms it.
ResultadoEditor insereTipoMensalista(Banco& db, const QString& tip, const QString& valor,
                                     const QString& dia, const Pergunta& pergunta);
// "Alterar Mensalista" of the type whose code is `cod` (empty: none loaded); refused when
// another type bears the new name.
ResultadoEditor alteraTipoMensalista(Banco& db, const QString& cod, const QString& tip,
                                     const QString& valor, const QString& dia);
// "Excluir Mensalista" of the type whose code is `cod`, refused while a subscriber has it.
ResultadoEditor excluiTipoMensalista(Banco& db, const QString& cod);
