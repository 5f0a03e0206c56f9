#pragma once
// Reading the "HH:MM" texts typed in the masked time fields of the configuration window.

#include <QString>
#include <QTime>

// True when every place of the mask holds a digit ("08:30", not "8 :30" nor "  :  ").
bool tempoCompleto(const QString& texto);
// The time of day of a complete "HH:MM" text; invalid when the hours or minutes are out of range.
QTime tempoDoTexto(const QString& texto);
// The value of the first two and of the last two characters.
int horasDoTexto(const QString& texto);
int minutosDoTexto(const QString& texto);
