#include "yard/tarifas/termos.h"

#include "data/banco.h"
#include "data/esquema.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

// Every row of `tabela` that `onde` picks, every field quoted, as one text.
QString linhasDe(const char* tabela, const QString& onde) {
    QStringList campos{QStringLiteral("rowid")};
    for (const Campo& c : tabelaEsquema(QLatin1String(tabela)).campos)
        campos << QStringLiteral("quote(%1)").arg(QLatin1String(c.nome));
    return QStringLiteral("(SELECT '%1:' || coalesce(group_concat(l, ';'), '') FROM "
                          "(SELECT %2 AS l FROM %1 WHERE %3 ORDER BY rowid))")
        .arg(QLatin1String(tabela), campos.join(QStringLiteral(" || ',' || ")), onde);
}

}  // namespace

QByteArray termosEmVigor(Banco& db, const PedidoTarifa& p) {
    // One kept statement reads it all in the engine and hands back one text: read at every fee
    // and every exit, it must cost the lane next to nothing. "?1" is the subscriber's plate,
    // NULL for the other kinds, whose fees read no subscriber.
    static const QByteArray sql = [] {
        const QString todas = QStringLiteral("1");
        const QString codigos =
            QStringLiteral("codigo IN (SELECT mensalista FROM veiculos_patio WHERE placa = ?1)");
        const QStringList partes{
            linhasDe("rotativo", todas), linhasDe("rotativo_variavel", todas),
            linhasDe("turnos", todas), linhasDe("diaria", todas), linhasDe("convenios", todas),
            linhasDe("convenios_variaveis", todas),
            // The rows without a branch are this site's: they tell whose a subscriber's rows are.
            QStringLiteral("(SELECT quote(filial) FROM geral ORDER BY rowid LIMIT 1)"),
            linhasDe("veiculos_patio", QStringLiteral("placa = ?1")),
            linhasDe("mensalistas", codigos),
            linhasDe("tipos_mensalistas",
                     QStringLiteral("codigo IN (SELECT tipo FROM mensalistas WHERE %1)").arg(codigos)),
            linhasDe("veiculos_mensalistas", QStringLiteral("placa = ?1")),
            linhasDe("mensalidades", QStringLiteral("pago = 0 AND ") + codigos),
        };
        return (QStringLiteral("SELECT coalesce(") +
                partes.join(QStringLiteral(", '') || '|' || coalesce(")) + QStringLiteral(", '')"))
            .toUtf8();
    }();
    const QVariant placa = p.modalidade == u"M" ? QVariant(p.pla) : QVariant();
    const std::optional<QVariantList> l = db.primeiraLinha(sql.constData(), {placa});
    QByteArray texto = l ? l->at(0).toString().toUtf8() : QByteArray();
    // The fee reads the setting from the shared state, as the configuration's save left it.
    texto += p.estacionamento24h ? "|24h" : "|";
    return QCryptographicHash::hash(texto, QCryptographicHash::Sha256);
}
