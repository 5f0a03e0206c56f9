#pragma once
// The partner editor's own computing: an agreement read back for the tab's fields, and the
// checks of a new step of the time-value table.

#include "config/convenio_edicao.h"
#include "config/resultado_aba.h"

#include <optional>

class Banco;

// The agreement of that name as the tab shows it: amounts "#,##0.00", times "HH:MM", allowed
// hours "HH:MM:SS", steps in their order. Nothing when no agreement has that name.
std::optional<EdicaoConvenio> le_convenio(Banco& db, const QString& nome);

// "Inserir" of the time-value table: `feito` when the step may be appended.
ResultadoAba valida_passo(const QString& tem, const QString& val_con);
