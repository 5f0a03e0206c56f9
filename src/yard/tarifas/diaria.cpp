#include "yard/tarifas/diaria.h"

#include "data/banco.h"
#include "yard/tarifas/horarios.h"
#include "yard/tarifas/recusa_tarifa.h"

#include <QSqlQuery>

namespace {

ResultadoTarifa recusaDiaria(const QString& mensagem) {
    return recusaTarifa(mensagem, QStringLiteral("Option7"), true);
}

}  // namespace

ResultadoTarifa calcula_diaria(Banco& db, const PedidoTarifa& p) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT tempo, valor FROM diaria"));
    if (!q.next())
        return recusaDiaria(QStringLiteral("Tempo e valor da diária não cadastrados."));
    const qint64 horasPeriodo = q.value(0).isNull() ? 0 : q.value(0).toLongLong();
    const Dinheiro valor = Dinheiro::doBanco(q.value(1)).value_or(Dinheiro{});

    const auto m = momentosDaTela(p.dat_ent, p.hor_ent, p.dat_sai, p.hor_sai);
    if (!m) return recusaDiaria(kMsgHorarioInvalido);
    const auto& [ent, sai, e, s] = *m;
    // The configuration accepts 0 hours; there is no period to divide the stay by.
    if (horasPeriodo <= 0)
        return recusaDiaria(QStringLiteral(
            "O tempo da diária não pode ser 0 horas. Corrija o cadastro da diária."));

    // Time of day part; an overnight part is measured up to 23:59:59.
    const qint64 t = e <= s ? s - e : kSegundosDia - 1 - e + s;
    // Started hours: the minutes count, the seconds do not.
    const qint64 h = t / 3600 + (t % 3600 / 60 > 0 ? 1 : 0);

    // A stay that ends before it begins (the program clock set back) has no fee, as in the
    // time table: on one date an exit time before the entry time is no night.
    if (saidaAntesDaEntrada(*m)) return recusaDiaria(kMsgSaidaAntesEntrada);
    const qint64 dias = ent.daysTo(sai);
    const qint64 d = dias == 0 ? 0 : (e <= s ? dias : dias - 1);

    const qint64 horas = 24 * d + h;
    const qint64 periodos = (horas + horasPeriodo - 1) / horasPeriodo;
    ResultadoTarifa r;
    r.total = valor * periodos;
    return r;
}
