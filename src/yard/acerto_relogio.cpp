#include "yard/acerto_relogio.h"

#include <cstdlib>

namespace {

constexpr qint64 kDiaMs = 24LL * 3600 * 1000;

qint64 instanteMs(const QDate& d, const QTime& t) {
    return d.toJulianDay() * kDiaMs + t.msecsSinceStartOfDay();
}

}  // namespace

AcertoRelogio acerta_relogio(const QDate& data, const QTime& hora, const QDateTime& agora) {
    const QDate hoje = agora.date();
    const QTime agoraHora = agora.time();
    // Two readings of the difference: between the two moments, and between the two times of
    // day alone. The smaller one is what happened: midnight passing between the two clocks is
    // a small difference of moments (the times of day lie a day apart), and a date changed by
    // hand leaves the time of day as it was. Neither is folded round the clock face, so a clock
    // moved back 13 hours is moved back, not 11 hours forward.
    const qint64 entreMomentos = instanteMs(hoje, agoraHora) - instanteMs(data, hora);
    const qint64 entreHoras = qint64(agoraHora.msecsSinceStartOfDay()) - hora.msecsSinceStartOfDay();
    const qint64 d =
        std::llabs(entreMomentos) <= std::llabs(entreHoras) ? entreMomentos : entreHoras;

    AcertoRelogio r;
    r.saltoHorario = std::llabs(d) > 30000;
    if (d > 1000) r.ajusteTick = -1;
    else if (d < -1000) r.ajusteTick = +1;
    // Off by more than a second, or on another date: the program takes the computer's moment,
    // date and time together.
    r.hora = r.ajusteTick != 0 || data != hoje ? agoraHora : hora;
    r.data = hoje;
    // The first two minutes of a day are the natural change of date; so are two clocks that
    // agree on the moment but stand on either side of midnight.
    r.mudancaData = data != hoje && r.hora > QTime(0, 2, 0) && std::llabs(entreMomentos) > 30000;
    return r;
}
