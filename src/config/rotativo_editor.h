#pragma once
// The time-table tariff as the "Rotativo" tab edits it: a working list of steps changed by
// "Inserir" and "Remover", and stored whole, with the further-period rule, by "Gravar".

#include "config/resultado_editor.h"
#include "data/banco.h"

#include <QList>
#include <QString>

#include <optional>

// One row of the working list; blank when its time is empty.
struct PassoRotativo {
    QString tempo;   // "HH:MM"
    QString valor;   // "#,##0.00"
    bool operator==(const PassoRotativo&) const = default;
};

// The rows under the grid's header: row 1 of the grid is index 0. Never empty.
using GradeRotativo = QList<PassoRotativo>;

// Checks a step typed in `tem_rot` and `val_rot`; the refusal, if any.
std::optional<ResultadoEditor> validaPassoRotativo(const QString& tempo, const QString& valor);

// Writes the pair right after the last filled row, adding a row only when the last one is
// filled. Returns the grid row number written (1 = first data row).
int adiciona_linha_rotativo(GradeRotativo& grade, const QString& tempo, const QString& valor);

// "Inserir": checks the pair and appends it.
ResultadoEditor insereRotativo(GradeRotativo& grade, const QString& tempo, const QString& valor);

// "Remover" of the grid row `atual` (0 = nothing selected). Filled rows below move up one and
// the last row is left blank; the row count stays. `atual` becomes the row to make current.
ResultadoEditor removeRotativo(GradeRotativo& grade, int& atual);

// "Gravar": checks the further-period rule and replaces the stored steps and rule at once.
ResultadoEditor gravaRotativo(Banco& db, const GradeRotativo& grade, const QString& apo_cob,
                              const QString& apo_cad, bool estacionamento24h);
