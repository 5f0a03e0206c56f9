#include "yard/tarifas/mensalista.h"

#include "data/banco.h"
#include "data/chave_mensalista.h"
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
    // The parked car and its own subscriber: at an office another subscriber of the same code,
    // of another branch, has other hours and other months.
    static const QByteArray sql =
        (QStringLiteral("SELECT vp.mensalista, vp.mensalista_pago, seu.codigo, seu.filial, "
                        "seu.nome, seu.hora_inicio, seu.hora_fim FROM veiculos_patio AS vp "
                        "LEFT JOIN mensalistas AS seu ON seu.rowid = %1 WHERE vp.placa = ? "
                        "ORDER BY vp.rowid LIMIT 1")
             .arg(donoDaLinha(QStringLiteral("veiculos_patio"), QStringLiteral("vp"))))
            .toUtf8();
    const std::optional<QVariantList> patio = db.primeiraLinha(sql.constData(), {p.pla});
    if (!patio)
        return recusaMensalista(
            QStringLiteral("Placa de mensalista não encontrada no estacionamento."));
    const QVariant codigo = patio->at(0);
    const QVariant marca = patio->at(1);
    const bool temDono = !patio->at(2).isNull();

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
        const CondicaoMensalista meses = dasLinhas(
            db, {codigo.toLongLong(), temDono ? patio->at(3) : QVariant()}, QStringLiteral("mensalidades"));
        if (db.existe(QStringLiteral("SELECT 1 FROM mensalidades WHERE pago = 0 AND ") + meses.sql,
                      meses.valores)) {
            const QString resto = QStringLiteral(
                "em atraso. Escolha outra forma de pagamento que não seja 'Mensalista' ou efetue "
                "o pagamento da(s) mensalidade(s) em atraso.");
            return recusaMensalista(temDono ? QStringLiteral("Mensalista ") +
                                                  patio->at(4).toString() + u' ' + resto
                                            : QStringLiteral("Mensalista ") + resto);
        }
    }

    // Covered by the subscription, within the subscriber's allowed hours, when it has them.
    if (!temDono) return coberto();
    const auto inicio = segundosDoBanco(patio->at(5));
    const auto fim = segundosDoBanco(patio->at(6));
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
