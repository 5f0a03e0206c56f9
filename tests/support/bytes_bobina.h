#pragma once
// What a roll printout is expected to send, written out line by line in the tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bytes of the given lines, each ended CR LF, then `avanco` feed lines.
inline QByteArray bytes(const QStringList& linhas, int avanco = 0) {
    QByteArray r;
    for (const QString& l : linhas) r += l.toLatin1() + "\r\n";
    for (int i = 0; i < avanco; ++i) r += "\r\r\n";
    return r;
}
