#include "subscribers/chave_mensalista.h"

#include "data/pagador.h"

#include <vector>

namespace {

// How a table names the subscriber, and the branch of its row.
struct Referencia {
    const char* tabela;
    const char* campo;
    QString filial;
};

const std::vector<Referencia>& referencias() {
    static const std::vector<Referencia> r{
        {"mensalidades", "codigo", QStringLiteral("mensalidades.filial")},
        {"veiculos_mensalistas", "codigo", QStringLiteral("veiculos_mensalistas.filial")},
        {"registro_saida", "mensalista", QStringLiteral("registro_saida.filial")},
        // A payment is stored without a branch where it was taken: it is its payer's.
        {"pagamento_mensalidade", "mensalista",
         QStringLiteral("coalesce(pagamento_mensalidade.filial, (SELECT quem.filial FROM mensalistas "
                        "AS quem WHERE quem.rowid = %1))")
             .arg(pagadorDoPagamento(QStringLiteral("pagamento_mensalidade")))},
        {"veiculos_patio", "mensalista", QStringLiteral("NULL")},
    };
    return r;
}

const Referencia& referenciaDe(const QString& tabela) {
    for (const Referencia& r : referencias())
        if (tabela == QLatin1String(r.tabela)) return r;
    throw ErroBanco(QStringLiteral("tabela sem mensalista: %1").arg(tabela));
}

// This installation's branch number: the one its rows without a branch stand for.
QVariant propria(Banco& db) { return db.valor(QStringLiteral("SELECT filial FROM geral LIMIT 1")); }

}  // namespace

CondicaoMensalista doCadastro(const ChaveMensalista& m) {
    return {QStringLiteral("mensalistas.codigo = ? AND mensalistas.filial IS ?"), {m.codigo, m.filial}};
}

CondicaoMensalista dasLinhas(Banco& db, const ChaveMensalista& m, const QString& tabela) {
    const Referencia& r = referenciaDe(tabela);
    const QString campo = QStringLiteral("%1.%2").arg(QLatin1String(r.tabela), QLatin1String(r.campo));
    if (!db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE codigo = ? AND filial IS NOT ?"),
                   {m.codigo, m.filial}))
        return {campo + QStringLiteral(" = ?"), {m.codigo}};
    const QVariant p = propria(db);
    return {QStringLiteral("%1 = ? AND coalesce(%2, ?) IS coalesce(?, ?)").arg(campo, r.filial),
            {m.codigo, p, m.filial, p}};
}

CondicaoMensalista veiculoDoMensalista(Banco& db, const QString& v, const QString& m) {
    const QVariant p = propria(db);
    return {QStringLiteral("(coalesce(%1.filial, ?) IS coalesce(%2.filial, ?) OR NOT EXISTS (SELECT 1 "
                           "FROM mensalistas outro WHERE outro.codigo = %2.codigo AND outro.filial "
                           "IS NOT %2.filial))")
                .arg(v, m),
            {p, p}};
}
