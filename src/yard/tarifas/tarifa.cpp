#include "yard/tarifas/tarifa.h"

#include "yard/tarifas/convenio.h"
#include "yard/tarifas/diaria.h"
#include "yard/tarifas/mensalista.h"
#include "yard/tarifas/recusa_tarifa.h"
#include "yard/tarifas/rotativo.h"
#include "yard/tarifas/turno.h"

#include "data/banco.h"
#include "data/esquema.h"

#include <QCryptographicHash>
#include <QStringList>

ResultadoTarifa calcula_total(Banco& db, const PedidoTarifa& p) {
    // No vehicle loaded: nothing at all is computed.
    if (p.hor_ent.isEmpty()) {
        ResultadoTarifa r;
        r.calculado = false;
        return r;
    }
    const QByteArray tarifas = tarifasEmVigor(db);
    try {
        ResultadoTarifa r = p.modalidade == u"R"   ? calcula_rotativo(db, p)
                            : p.modalidade == u"T" ? calcula_turno(db, p)
                            : p.modalidade == u"C" ? calcula_convenio(db, p)
                            : p.modalidade == u"M" ? calcula_mensalista(db, p)
                                                   : calcula_diaria(db, p);
        // A stay charged past the largest amount the program keeps would be stored where no
        // backup of this site could be restored any more: refused like a fee out of range.
        if (r.total && Dinheiro::acimaDoDigitavel(*r.total)) return recusaTarifa(kMsgEstouroDinheiro);
        r.tarifas = tarifas;
        return r;
    } catch (const EstouroDinheiro&) {
        // A stored tariff so large that the stay's fee leaves the money range: no wrapped total.
        return recusaTarifa(kMsgEstouroDinheiro);
    }
}

QByteArray tarifasEmVigor(Banco& db) {
    // One kept statement reads every row of the tariff tables in the engine and hands back one
    // text: read at every fee and every exit, it must cost the lane next to nothing.
    static const QByteArray sql = [] {
        QStringList linhas, contagens;
        for (const char* nome : {"rotativo", "rotativo_variavel", "turnos", "diaria", "convenios",
                                 "convenios_variaveis"}) {
            QStringList campos;
            for (const Campo& c : tabelaEsquema(QLatin1String(nome)).campos)
                campos << QStringLiteral("quote(%1)").arg(QLatin1String(c.nome));
            linhas << QStringLiteral("(SELECT '%1:' || coalesce(group_concat(l, ';'), '') FROM "
                                     "(SELECT %2 AS l FROM %1 ORDER BY rowid))")
                          .arg(QLatin1String(nome), campos.join(QStringLiteral(" || ',' || ")));
            contagens << QStringLiteral("(SELECT count(*) FROM %1)").arg(QLatin1String(nome));
        }
        return (QStringLiteral("SELECT ") + linhas.join(QStringLiteral(" || '|' || ")) +
                QStringLiteral(", ") + contagens.join(QStringLiteral(" + ")))
            .toUtf8();
    }();
    const std::optional<QVariantList> l = db.primeiraLinha(sql.constData());
    if (!l || l->at(1).toLongLong() == 0) return {};
    return QCryptographicHash::hash(l->at(0).toString().toUtf8(), QCryptographicHash::Sha256);
}
