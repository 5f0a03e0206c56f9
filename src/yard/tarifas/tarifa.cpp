#include "yard/tarifas/tarifa.h"

#include "yard/tarifas/convenio.h"
#include "yard/tarifas/diaria.h"
#include "yard/tarifas/mensalista.h"
#include "yard/tarifas/recusa_tarifa.h"
#include "yard/tarifas/rotativo.h"
#include "yard/tarifas/termos.h"
#include "yard/tarifas/turno.h"

#include "data/banco.h"

ResultadoTarifa calcula_total(Banco& db, const PedidoTarifa& p) {
    // No vehicle loaded: nothing at all is computed.
    if (p.hor_ent.isEmpty()) {
        ResultadoTarifa r;
        r.calculado = false;
        return r;
    }
    const QByteArray termos = termosEmVigor(db, p);
    try {
        ResultadoTarifa r = p.modalidade == u"R"   ? calcula_rotativo(db, p)
                            : p.modalidade == u"T" ? calcula_turno(db, p)
                            : p.modalidade == u"C" ? calcula_convenio(db, p)
                            : p.modalidade == u"M" ? calcula_mensalista(db, p)
                                                   : calcula_diaria(db, p);
        // A stay charged past the largest amount the program keeps would be stored where no
        // backup of this site could be restored any more: refused like a fee out of range.
        if (r.total && Dinheiro::acimaDoDigitavel(*r.total)) return recusaTarifa(kMsgEstouroDinheiro);
        r.termos = termos;
        return r;
    } catch (const EstouroDinheiro&) {
        // A stored tariff so large that the stay's fee leaves the money range: no wrapped total.
        return recusaTarifa(kMsgEstouroDinheiro);
    }
}
