#include "yard/tarifas/termos.h"

#include "data/banco.h"
#include "data/esquema.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

// Every row of `tabela` that `onde` picks, every field quoted, as one text.
QString linhasDe(const char* tabela, const QString& onde) {
    QStringList campos;
    for (const Campo& c : tabelaEsquema(QLatin1String(tabela)).campos)
        campos << QStringLiteral("quote(%1)").arg(QLatin1String(c.nome));
    return QStringLiteral("(SELECT '%1:' || coalesce(group_concat(l, ';'), '') FROM "
                          "(SELECT %2 AS l FROM %1 WHERE %3 ORDER BY rowid))")
        .arg(QLatin1String(tabela), campos.join(QStringLiteral(" || ',' || ")), onde);
}

// The tariff tables and the general settings that every fee may read; a subscriber's fee also
// reads its car, its subscriber and its months, found by the plate "?1".
QByteArray sqlTermos(bool mensalista) {
    const QString todas = QStringLiteral("1");
    QStringList partes{
        linhasDe("rotativo", todas), linhasDe("rotativo_variavel", todas),
        linhasDe("turnos", todas), linhasDe("diaria", todas), linhasDe("convenios", todas),
        linhasDe("convenios_variaveis", todas),
        // The rows without a branch are this site's: they tell whose a subscriber's rows are.
        QStringLiteral("(SELECT quote(filial) FROM geral LIMIT 1)"),
    };
    if (mensalista) {
        const QString codigos =
            QStringLiteral("codigo IN (SELECT mensalista FROM veiculos_patio WHERE placa = ?1)");
        partes << linhasDe("veiculos_patio", QStringLiteral("placa = ?1"))
               << linhasDe("mensalistas", codigos)
               << linhasDe("tipos_mensalistas",
                           QStringLiteral("codigo IN (SELECT tipo FROM mensalistas WHERE %1)")
                               .arg(codigos))
               << linhasDe("veiculos_mensalistas", QStringLiteral("placa = ?1"))
               << linhasDe("mensalidades", QStringLiteral("pago = 0 AND ") + codigos);
    }
    return (QStringLiteral("SELECT coalesce(") +
            partes.join(QStringLiteral(", '') || '|' || coalesce(")) + QStringLiteral(", '')"))
        .toUtf8();
}

}  // namespace

QByteArray termosEmVigor(Banco& db, const PedidoTarifa& p) {
    // One kept statement reads it all in the engine and hands back one text: read at every fee
    // and every exit, it must cost the lane next to nothing, so a casual car's reads no
    // subscriber.
    static const QByteArray sqlAvulso = sqlTermos(false);
    static const QByteArray sqlMensalista = sqlTermos(true);
    const bool mensalista = p.modalidade == u"M";
    const std::optional<QVariantList> l =
        mensalista ? db.primeiraLinha(sqlMensalista.constData(), {p.pla})
                   : db.primeiraLinha(sqlAvulso.constData());
    QByteArray texto = l ? l->at(0).toString().toUtf8() : QByteArray();
    // The fee reads the setting from the shared state, as the configuration's save left it.
    texto += p.estacionamento24h ? "|24h" : "|";
    return QCryptographicHash::hash(texto, QCryptographicHash::Sha256);
}
