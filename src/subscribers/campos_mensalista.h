#pragma once
// The empty texts of the subscriber windows' masked fields and the readings of what they hold.

#include <QDate>
#include <QString>
#include <QTime>

inline const QString kDataVazia = QStringLiteral("  /  /    ");
inline const QString kHoraLongaVazia = QStringLiteral("  :  :  ");
inline const QString kAniversarioVazio = QStringLiteral("  /  ");
inline const QString kCpfVazio = QStringLiteral("   .   .   -  ");
inline const QString kCnpjVazio = QStringLiteral("  .   .   /    -  ");
inline const QString kCepVazio = QStringLiteral("     -   ");
inline const QString kAnoVazio = QStringLiteral("    ");
inline const QString kPlacaMensalistaVazia = QStringLiteral("   -    ");
inline const QString kMesVazio = QStringLiteral("  /  ");

// The value of the digits a field holds, blanks skipped; 0 when it holds none.
int numeroNoCampo(const QString& texto);
// Whether the field holds at least one digit.
bool temDigito(const QString& texto);
// A "dd/mm/yyyy" text as a date; an invalid date when it is not one.
QDate leDataCampo(const QString& texto);
// A "hh:mm:ss" text as a time of day; an invalid time when it is not one.
QTime leHoraCampo(const QString& texto);
