#pragma once
// The program clock's step every 30 seconds: how far it is from the computer clock, what that
// difference means (a clock moved by hand, a date changed by hand, or the ticks drifting), and
// the date and time the program goes on with. The program clock's date and time are one moment.

#include <QDate>
#include <QDateTime>
#include <QTime>

struct AcertoRelogio {
    QDate data;                  // the program date after the step
    QTime hora;                  // the program clock after the step
    int ajusteTick = 0;          // -1: it ran slow, the tick shortens; +1: it ran fast; 0: none
    bool saltoHorario = false;   // the time of day moved by more than 30 seconds
    bool mudancaData = false;    // the date was changed, not passed at midnight
};

// `data` and `hora`: the program clock now; `agora`: the computer clock.
AcertoRelogio acerta_relogio(const QDate& data, const QTime& hora, const QDateTime& agora);
