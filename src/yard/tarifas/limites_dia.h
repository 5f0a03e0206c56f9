#pragma once
// The day limits of the time table, checked by the payment panel before a "Rotativo" (and, on
// the amount field, "Turno") computation outside 24-hour operation.

#include <QString>

// Empty when the stay may be charged; otherwise the exclamation message to show, with "ERRO"
// going into `tot` and no fee computed. Texts as shown: "dd/MM/yyyy" and "HH:MM:SS".
QString limites_do_dia(const QString& dat_ent, const QString& hor_ent, const QString& dat_sai,
                       const QString& hor_sai, bool estacionamento24h);
