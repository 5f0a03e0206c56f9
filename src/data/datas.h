#pragma once
// Dates and times are stored as text: dates "yyyy-MM-dd", times of day and lengths "HH:mm:ss",
// so that they compare correctly as text.

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

QVariant dataParaBanco(const QDate& d);   // invalid date -> NULL
QVariant horaParaBanco(const QTime& t);   // invalid time -> NULL
QDate dataDoBanco(const QVariant& v);     // NULL -> invalid date
QTime horaDoBanco(const QVariant& v);     // NULL -> invalid time

// Display forms used on screens and printouts.
QString dataBr(const QDate& d);           // "dd/MM/yyyy"
QString horaHm(const QTime& t);           // "HH:mm"
QString horaHms(const QTime& t);          // "HH:mm:ss"

// The same forms of a stored date or time text, as dataBr(dataDoBanco(...)) and
// horaHms(horaDoBanco(...)) give them: the usual stored forms are rewritten as text, without
// reading a date, for the lookups at the exit.
QString dataBrDoBanco(const QString& texto);
QString horaHmsDoBanco(const QString& texto);

// Texts of the lane fields as stored: "dd/MM/yyyy" as a date, "HH:mm:ss" or "HH:mm" as a time,
// blanks around ignored; NULL when the text is not one. The usual forms skip the general parser.
QVariant dataBrParaBanco(const QString& texto);
QVariant horaTextoParaBanco(const QString& texto);
