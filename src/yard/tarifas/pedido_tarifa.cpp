#include "yard/tarifas/pedido_tarifa.h"

bool mesmoCalculo(const PedidoTarifa& a, const PedidoTarifa& b) {
    if (a.modalidade != b.modalidade || a.tic != b.tic || a.pla != b.pla ||
        a.dat_ent != b.dat_ent || a.hor_ent != b.hor_ent || a.dat_sai != b.dat_sai ||
        a.hor_sai != b.hor_sai)
        return false;
    if (a.modalidade == u"T") return a.tur == b.tur;
    if (a.modalidade == u"C") return a.cod_con == b.cod_con;
    return true;
}
