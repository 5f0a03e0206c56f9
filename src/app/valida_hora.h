#pragma once

#include <QString>

// True when the text is an acceptable time of day: its first two characters are hours up to 23
// and its last two are minutes up to 59 (on "hh:mm:ss" the last two are the seconds).
bool valida_hora(const QString& texto);
