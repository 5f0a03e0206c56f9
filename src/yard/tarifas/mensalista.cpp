#include "yard/tarifas/mensalista.h"

#include "data/banco.h"
#include "yard/tarifas/horarios.h"
#include "yard/tarifas/recusa_tarifa.h"
#include "yard/tarifas/rotativo.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

ResultadoTarifa recusaMensalista(const QString& mensagem) {
    return recusaTarifa(mensagem, QStringLiteral("Option6"), true);
}

ResultadoTarifa coberto() {
    ResultadoTarifa r;
    r.total = Dinheiro{};
    return r;
}

// Stays longer than the subscription allows pay whole day rates.
ResultadoTarifa cobraDiarias(Banco& db, qint64 dias, const QString& semDiaria) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT valor FROM diaria"));
    if (!q.next()) return recusaTarifa(semDiaria);
    ResultadoTarifa r;
    r.total = Dinheiro::doBanco(q.value(0)).value_or(Dinheiro{}) * dias;
    return r;
}

// The time-table fee of the out-of-window time `fora`, as a stay from the program time minus
// `fora` on the real entry date up to the program clock: `fora` itself outside 24-hour
// operation, plus the whole days since the entry date in it. The stay is always measured to the
// clock: read as an overnight stay ending at `hor_sai`, a moved entry that falls after the exit
// time (the fee computed a few seconds after the vehicle was found) would charge almost a day.
ResultadoTarifa cobraForaDoHorario(Banco& db, const PedidoTarifa& p, const QDate& dataEnt,
                                   qint64 fora) {
    const qint64 agora = p.hora_atual.msecsSinceStartOfDay() / 1000;
    // The moved entry would fall on the day before: charge the out-of-window time itself.
    if (fora > agora) return cobraRotativo(db, fora, p.estacionamento24h);
    const qint64 estadia = instante(p.data_atual, agora) - instante(dataEnt, agora - fora);
    return cobraRotativo(db, estadia, p.estacionamento24h);
}

}  // namespace

ResultadoTarifa calcula_mensalista(Banco& db, const PedidoTarifa& p) {
    QSqlQuery q = db.executa(
        QStringLiteral("SELECT mensalista, mensalista_pago FROM veiculos_patio WHERE placa = ?"),
        {p.pla});
    if (!q.next())
        return recusaMensalista(
            QStringLiteral("Placa de mensalista não encontrada no estacionamento."));
    const QVariant codigo = q.value(0);
    const QVariant marca = q.value(1);

    // A quota mark without a subscriber code is not a subscriber's vehicle either.
    if (codigo.isNull())
        return recusaMensalista(QStringLiteral(
            "Este veículo não é de mensalista. Escolha outra forma de pagamento que não seja "
            "'Mensalista'."));
    if (!marca.isNull() && marca.toLongLong() == 0)
        return recusaMensalista(QStringLiteral(
            "Este veículo passou da cota do mensalista. Escolha outra forma de pagamento que não "
            "seja 'Mensalista'."));
    if (!marca.isNull() && marca.toLongLong() == -2) {
        QSqlQuery devida = db.executa(
            QStringLiteral("SELECT codigo FROM mensalidades WHERE pago = 0 AND codigo = ?"),
            {codigo});
        if (devida.next()) {
            QSqlQuery nome = db.executa(
                QStringLiteral("SELECT nome FROM mensalistas WHERE codigo = ?"), {devida.value(0)});
            const QString resto = QStringLiteral(
                "em atraso. Escolha outra forma de pagamento que não seja 'Mensalista' ou efetue "
                "o pagamento da(s) mensalidade(s) em atraso.");
            return recusaMensalista(nome.next() ? QStringLiteral("Mensalista ") +
                                                      nome.value(0).toString() + u' ' + resto
                                                : QStringLiteral("Mensalista ") + resto);
        }
    }

    // Covered by the subscription.
    QSqlQuery horario = db.executa(
        QStringLiteral("SELECT hora_inicio, hora_fim FROM mensalistas WHERE hora_inicio IS NOT "
                       "NULL AND hora_fim IS NOT NULL AND codigo = ?"),
        {codigo});
    if (!horario.next()) return coberto();
    const auto inicio = segundosDoBanco(horario.value(0));
    const auto fim = segundosDoBanco(horario.value(1));
    if (!inicio || !fim) return coberto();

    const auto m = momentosDaTela(p.dat_ent, p.hor_ent, p.dat_sai, p.hor_sai);
    if (!m || !p.data_atual.isValid() || !p.hora_atual.isValid())
        return recusaMensalista(kMsgHorarioInvalido);
    const auto& [ent, sai, e, s] = *m;

    // Inside the allowed hours, by the times only.
    if (e >= *inicio && s <= *fim) return coberto();

    const qint64 dias = ent.daysTo(sai);
    if (dias < 0) return recusaMensalista(kMsgSaidaAntesEntrada);

    qint64 fora = 0;
    if (*fim > *inicio) {
        // Day window.
        if (dias > 0)
            return cobraDiarias(db, dias,
                                QStringLiteral("Mensalista diurno ficou mais de um dia e não há "
                                               "valor de diária cadastrado."));
        if (e > *fim) return calcula_rotativo(db, p);   // came after the allowed hours
        if (s > *fim) fora += s - *fim;
        // The whole time up to the start, even when the vehicle left before it.
        if (e < *inicio) fora += *inicio - e;
    } else {
        // Night window: from `inicio` over midnight to `fim`.
        if (dias > 1)
            return cobraDiarias(db, dias - 1,
                                QStringLiteral("Mensalista noturno ficou mais de um dia e não há "
                                               "valor de diária cadastrado."));
        if (dias == 1) {
            if (s > *fim) fora += s - *fim;
            if (e < *inicio) fora += *inicio - e;
        } else {
            // Entry and exit on one date: the time after the window's end is charged, from the
            // end up to the exit, as for a stay over midnight; the time before the window's
            // start is not added again, since that time after the end already covers the day.
            // A stay wholly inside the window (before its end, or from its start on) is
            // covered, and the evening part of the window is never charged.
            if (s <= *fim || e >= *inicio) return coberto();
            fora = std::min(s, *inicio) - *fim;
        }
    }
    return cobraForaDoHorario(db, p, ent, fora);
}
