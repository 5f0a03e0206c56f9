#pragma once

#include <QString>
#include <QTime>

#include <optional>

// The time of day a masked field shows, "HH:MM" or "HH:MM:SS" with every place typed; nothing
// when a place is blank or a part is out of range (hours up to 23, minutes and seconds up to 59).
std::optional<QTime> horaDoTexto(const QString& texto);

// The number a masked field of digits shows, blanks ignored ("5 " is 5); nothing when it holds
// no digit or anything other than digits and blanks.
std::optional<qint64> numeroDoTexto(const QString& texto);
