#include "yard/tarifas/limites_dia.h"

#include "yard/tarifas/horarios.h"

QString limites_do_dia(const QString& dat_ent, const QString& hor_ent, const QString& dat_sai,
                       const QString& hor_sai, bool estacionamento24h) {
    if (estacionamento24h || dat_ent == dat_sai) return {};
    // Texts that are not dates or times are left to the fee routine, which refuses them.
    const auto entrada = dataTela(dat_ent);
    const auto saida = dataTela(dat_sai);
    if (!entrada || !saida) return {};

    const QDate vespera = saida->addDays(-1);
    if (vespera > *entrada)
        return QStringLiteral("O veículo ficou mais de um dia no estacionamento. Escolha "
                              "convênio, mensalista ou diarista.");
    if (vespera == *entrada) {
        const auto e = segundosHora(hor_ent);
        const auto s = segundosHora(hor_sai);
        // (23:59:59 - entry) + exit, one second short of the true length.
        if (e && s && (kSegundosDia - 1 - *e) + *s > 6 * 3600 + 1)
            return QStringLiteral("O veículo ficou mais de 6h de um dia para outro. Escolha "
                                  "convênio, mensalista ou diarista.");
    }
    return {};
}
