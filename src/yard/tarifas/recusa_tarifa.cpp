#include "yard/tarifas/recusa_tarifa.h"

ResultadoTarifa recusaTarifa(const QString& mensagem, const QString& foco, bool limpaMemoria) {
    ResultadoTarifa r;
    r.mensagem = mensagem;
    r.icone = Icone::Exclamacao;
    r.foco = foco;
    r.limpaMemoria = limpaMemoria;
    return r;
}
