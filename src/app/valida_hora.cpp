#include "app/valida_hora.h"

namespace {

// A piece counts as numeric only when it is all digits; blanks, signs and points are refused,
// since the time fields that call this hold digits, a colon and blanks.
bool numerico(const QString& pedaco, int& valor) {
    if (pedaco.isEmpty()) return false;
    for (QChar c : pedaco)
        if (c < u'0' || c > u'9') return false;
    valor = pedaco.toInt();
    return true;
}

}  // namespace

bool valida_hora(const QString& texto) {
    int horas = 0;
    int minutos = 0;
    if (!numerico(texto.left(2), horas) || !numerico(texto.right(2), minutos)) return false;
    return horas <= 23 && minutos <= 59;
}
