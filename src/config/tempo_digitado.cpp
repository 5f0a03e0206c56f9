#include "config/tempo_digitado.h"

bool tempoCompleto(const QString& texto) {
    if (texto.size() != 5 || texto.at(2) != u':') return false;
    for (int i : {0, 1, 3, 4})
        if (!texto.at(i).isDigit()) return false;
    return true;
}

QTime tempoDoTexto(const QString& texto) {
    if (!tempoCompleto(texto)) return {};
    return QTime(horasDoTexto(texto), minutosDoTexto(texto));
}

int horasDoTexto(const QString& texto) { return texto.left(2).trimmed().toInt(); }
int minutosDoTexto(const QString& texto) { return texto.right(2).trimmed().toInt(); }
