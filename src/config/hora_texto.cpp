#include "config/hora_texto.h"

std::optional<QTime> horaDoTexto(const QString& texto) {
    const bool comSegundos = texto.size() == 8;
    if (texto.size() != 5 && !comSegundos) return std::nullopt;
    int partes[3] = {0, 0, 0};
    for (int p = 0; p < (comSegundos ? 3 : 2); ++p) {
        const qsizetype i = p * 3;
        if (p > 0 && texto[i - 1] != u':') return std::nullopt;
        for (qsizetype k = i; k < i + 2; ++k)
            if (texto[k] < u'0' || texto[k] > u'9') return std::nullopt;
        partes[p] = texto.mid(i, 2).toInt();
    }
    if (partes[0] > 23 || partes[1] > 59 || partes[2] > 59) return std::nullopt;
    return QTime(partes[0], partes[1], partes[2]);
}

std::optional<qint64> numeroDoTexto(const QString& texto) {
    QString digitos;
    for (QChar c : texto) {
        if (c == u' ') continue;
        if (c < u'0' || c > u'9') return std::nullopt;
        digitos += c;
    }
    if (digitos.isEmpty() || digitos.size() > 15) return std::nullopt;
    return digitos.toLongLong();
}
