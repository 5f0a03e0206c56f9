#include "config/filial_config.h"

#include "config/hora_texto.h"

#include <QSqlQuery>

namespace {

const char* const kTabelas[] = {"caixa", "cancelamento_ticket", "fechamento_caixa",
                                "pagamento_mensalidade", "registro_saida", "mensalidades",
                                "mensalistas", "veiculos_mensalistas"};

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
