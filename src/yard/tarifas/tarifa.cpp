#include "yard/tarifas/tarifa.h"

#include "yard/tarifas/convenio.h"
#include "yard/tarifas/diaria.h"
#include "yard/tarifas/mensalista.h"
#include "yard/tarifas/recusa_tarifa.h"
#include "yard/tarifas/rotativo.h"
#include "yard/tarifas/turno.h"

ResultadoTarifa calcula_total(Banco& db, const PedidoTarifa& p) {
    // No vehicle loaded: nothing at all is computed.
    if (p.hor_ent.isEmpty()) {
        ResultadoTarifa r;
        r.calculado = false;
        return r;
    }
    try {
        if (p.modalidade == u"R") return calcula_rotativo(db, p);
        if (p.modalidade == u"T") return calcula_turno(db, p);
        if (p.modalidade == u"C") return calcula_convenio(db, p);
        if (p.modalidade == u"M") return calcula_mensalista(db, p);
        return calcula_diaria(db, p);
    } catch (const EstouroDinheiro&) {
        // A stored tariff so large that the stay's fee leaves the money range: no wrapped total.
        return recusaTarifa(kMsgEstouroDinheiro);
    }
}
