#pragma once
// Moments and lengths of the fee routines, all in whole seconds.

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

inline constexpr qint64 kSegundosDia = 86400;

// "HH:MM:SS" (or "HH:MM") as seconds since midnight; nullopt for any other text.
std::optional<qint64> segundosHora(const QString& texto);
// A time of day or a length stored in the database ("HH:mm:ss" text); NULL or bad text: nullopt.
std::optional<qint64> segundosDoBanco(const QVariant& v);
// "dd/MM/yyyy" as a date; nullopt for any other text.
std::optional<QDate> dataTela(const QString& texto);
// The entry and exit of the lane panel: dates from "dd/MM/yyyy", times of day in seconds.
struct MomentosTela {
    QDate ent, sai;
    qint64 e = 0, s = 0;
};
// nullopt when any of the four texts is not a date or a time.
std::optional<MomentosTela> momentosDaTela(const QString& datEnt, const QString& horEnt,
                                           const QString& datSai, const QString& horSai);
// A moment as seconds on one count running across days.
qint64 instante(const QDate& d, qint64 segundosDoDia);
// True when the exit comes before the entry: the program clock was set back while the vehicle
// was parked.
bool saidaAntesDaEntrada(const MomentosTela& m);
// Seconds since midnight as "HH:MM:SS", taken within one day.
QString textoHms(qint64 segundos);
