// PROVISIONAL: removed when the fee routines land.
#include "yard/tarifas/tarifa.h"

ResultadoTarifa calcula_total(Banco&, const PedidoTarifa&) {
    ResultadoTarifa r;
    r.mensagem = QStringLiteral("Tarifas indisponíveis.");
    return r;
}

QString limites_do_dia(const QString&, const QString&, const QString&, const QString&, bool) {
    return {};
}
