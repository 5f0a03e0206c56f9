#include "config/filial_config.h"

#include "config/hora_texto.h"
#include "data/chave_mensalista.h"

#include <QSqlQuery>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The installation's own rows take its new number at once.
const char* const kTabelas[] = {"caixa", "cancelamento_ticket", "fechamento_caixa",
                                "registro_saida", "mensalistas"};

// A subscriber's months, vehicles and payments go wherever the subscriber goes: never apart
// from it. The payments first, whose payer is told by the month rows they paid.
const char* const kDoMensalista[] = {"pagamento_mensalidade", "mensalidades",
                                     "veiculos_mensalistas"};

// The rowid and the branch each row of a subscriber's table is to carry, for the rows that
// change: its subscriber's new branch, or, for a row that is nobody's, its own new number.
// Told for all three tables before any row moves.
std::vector<std::pair<QVariant, QVariant>> seguemOMensalista(Banco& db, const char* tabela,
                                                             const std::function<QVariant(const QVariant&)>& novaDe) {
    std::vector<std::pair<QVariant, QVariant>> r;
    QSqlQuery q = db.executa(
        QStringLiteral("SELECT linha.rowid, linha.filial, dono.rowid IS NOT NULL, dono.filial FROM %1 AS "
                       "linha LEFT JOIN mensalistas AS dono ON dono.rowid = %2")
            .arg(QLatin1String(tabela), donoDaLinha(QLatin1String(tabela), QStringLiteral("linha"))));
    while (q.next()) {
        const QVariant atual = q.value(1);
        const QVariant nova = novaDe(q.value(2).toBool() ? q.value(3) : atual);
        if (nova.isNull() != atual.isNull() || nova.toLongLong() != atual.toLongLong())
            r.emplace_back(q.value(0), nova);
    }
    return r;
}

}  // namespace

ResultadoEscritorioPista grava_filial(Contexto& ctx, const QString& esc, const QString& fil,
                                      qint16& filial_carregada) {
    ResultadoEscritorioPista r;
    r.fil = fil;
    const auto f = numeroDoTexto(fil);
    if (f && *f == 0) {
        static_cast<ResultadoAba&>(r) = ResultadoAba::recusa(QStringLiteral("Filial não pode ser ZERO."));
        return r;
    }

    // The decision reads the field as typed, before the office empties it. The office's own
    // number is none: a lane becoming the office changes its number too.
    const bool escritorio = esc == kEscritorio;
    std::optional<QVariant> novo;   // the number the rows take: NULL when cleared
    if ((escritorio || fil.trimmed().isEmpty()) && filial_carregada >= 1)
        novo = QVariant();
    else if (!escritorio && f && *f != filial_carregada)
        novo = QVariant(*f);

    if (novo && !ctx.plataforma.pergunta(QStringLiteral(
                    "A filial foi alterada. Todos registros serão alterados com a nova filial. Confirma?")))
        return r;

    if (escritorio) r.fil = QStringLiteral("  ");
    const auto guardada = numeroDoTexto(r.fil);
    Banco& db = ctx.estado.db;
    try {
        Transacao t(db);
        if (novo) {
            // This installation's rows: no number, the number the window remembers, the one a
            // lane stored, or any number its own cash registers carry. `caixa` never comes from
            // another branch, so its numbers are the ones this installation has had. Rows merged
            // from other branches keep theirs.
            QVariantList proprios{filial_carregada};
            QSqlQuery g = db.executa(QStringLiteral("SELECT escritorio, filial FROM geral LIMIT 1"));
            if (g.next() && !g.value(0).toBool()) proprios.append(g.value(1));
            QSqlQuery q = db.executa(
                QStringLiteral("SELECT DISTINCT filial FROM caixa WHERE filial IS NOT NULL"));
            while (q.next()) proprios.append(q.value(0));
            const auto novaDe = [&](const QVariant& f) {
                const bool propria =
                    f.isNull() || std::any_of(proprios.begin(), proprios.end(), [&](const QVariant& p) {
                        return !p.isNull() && p.toLongLong() == f.toLongLong();
                    });
                return propria ? *novo : f;
            };
            std::vector<std::pair<const char*, std::vector<std::pair<QVariant, QVariant>>>> seguem;
            for (const char* tabela : kDoMensalista)
                seguem.emplace_back(tabela, seguemOMensalista(db, tabela, novaDe));
            for (const auto& [tabela, linhas] : seguem) {
                const QByteArray sql = QStringLiteral("UPDATE %1 SET filial = ? WHERE rowid = ?")
                                           .arg(QLatin1String(tabela))
                                           .toUtf8();
                for (const auto& [linha, filial] : linhas) db.executaDireto(sql.constData(), {filial, linha});
            }
            for (const char* tabela : kTabelas) {
                const QString sql = QStringLiteral("UPDATE %1 SET filial = ? WHERE filial IS NULL OR filial IN (%2)")
                                        .arg(QLatin1String(tabela),
                                             QStringList(proprios.size(), QStringLiteral("?")).join(u','));
                db.executa(sql, QVariantList{*novo} + proprios);
            }
        }
        db.executa(QStringLiteral("UPDATE geral SET escritorio = ?, filial = ? "
                                  "WHERE rowid = (SELECT min(rowid) FROM geral)"),
                   {escritorio ? 1 : 0, guardada ? QVariant(*guardada) : QVariant()});
        t.confirma();
    } catch (const ErroBanco& erro) {
        static_cast<ResultadoAba&>(r) = ResultadoAba::recusa(
            QStringLiteral("Não foi possível gravar a filial. Nada foi alterado.\n%1").arg(erro.mensagem()),
            Icone::Critico);
        r.fil = fil;
        return r;
    }
    filial_carregada = qint16(guardada.value_or(0));
    r.feito = true;
    r.mensagem = kMsgGravados;
    return r;
}
