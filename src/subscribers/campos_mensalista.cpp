#include "subscribers/campos_mensalista.h"

int numeroNoCampo(const QString& texto) {
    qint64 n = 0;
    for (QChar c : texto)
        if (c.isDigit()) n = std::min<qint64>(n * 10 + c.digitValue(), 999999999);
    return int(n);
}

bool temDigito(const QString& texto) {
    for (QChar c : texto)
        if (c.isDigit()) return true;
    return false;
}

QDate leDataCampo(const QString& texto) {
    return QDate::fromString(texto.trimmed(), QStringLiteral("dd/MM/yyyy"));
}

QTime leHoraCampo(const QString& texto) {
    return QTime::fromString(texto.trimmed(), QStringLiteral("HH:mm:ss"));
}
