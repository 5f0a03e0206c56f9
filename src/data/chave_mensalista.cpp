#include "data/chave_mensalista.h"

#include "data/pagador.h"

#include <vector>

namespace {

// How a table names the subscriber, and the branch of its row `%1`.
struct Referencia {
    const char* tabela;
    const char* campo;
    QString filial;
};

const std::vector<Referencia>& referencias() {
    // In the order a change of code rewrites them (see camposDoMensalista).
    static const std::vector<Referencia> r{
        // A payment is stored without a branch where it was taken: it is its payer's.
        {"pagamento_mensalidade", "mensalista",
         QStringLiteral("coalesce(%1.filial, (SELECT quem.filial FROM mensalistas AS quem WHERE "
                        "quem.rowid = %2))")
             .arg(QStringLiteral("%1"), pagadorDoPagamento(QStringLiteral("%1")))},
        {"mensalidades", "codigo", QStringLiteral("%1.filial")},
        {"registro_saida", "mensalista", QStringLiteral("%1.filial")},
        // A parked car is its vehicle's: the branch its plate is registered with under the
        // code, an active subscriber's first, as the entry chose it.
        {"veiculos_patio", "mensalista",
         QStringLiteral("(SELECT vm.filial FROM veiculos_mensalistas AS vm WHERE vm.codigo = "
                        "%1.mensalista AND vm.placa = %1.placa ORDER BY NOT EXISTS (SELECT 1 FROM "
                        "mensalistas AS ativo WHERE ativo.codigo = vm.codigo AND ativo.filial IS "
                        "vm.filial AND ativo.excluido = 0), vm.rowid LIMIT 1)")},
        {"veiculos_mensalistas", "codigo", QStringLiteral("%1.filial")},
    };
    return r;
}

const Referencia& referenciaDe(const QString& tabela) {
    for (const Referencia& r : referencias())
        if (tabela == QLatin1String(r.tabela)) return r;
    throw ErroBanco(QStringLiteral("tabela sem mensalista: %1").arg(tabela));
}

// This installation's branch number: the one its rows without a branch stand for.
const QString kPropria = QStringLiteral("(SELECT geral.filial FROM geral LIMIT 1)");

}  // namespace

std::vector<CampoDoMensalista> camposDoMensalista() {
    std::vector<CampoDoMensalista> r;
    for (const Referencia& ref : referencias()) r.push_back({ref.tabela, ref.campo});
    return r;
}

CondicaoMensalista doCadastro(const ChaveMensalista& m) {
    return {QStringLiteral("mensalistas.codigo = ? AND mensalistas.filial IS ?"), {m.codigo, m.filial}};
}

CondicaoMensalista dasLinhas(Banco& db, const ChaveMensalista& m, const QString& tabela) {
    const Referencia& r = referenciaDe(tabela);
    const QString campo = QStringLiteral("%1.%2").arg(QLatin1String(r.tabela), QLatin1String(r.campo));
    if (!db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE codigo = ? AND filial IS NOT ?"),
                   {m.codigo, m.filial}))
        return {campo + QStringLiteral(" = ?"), {m.codigo}};
    return {QStringLiteral("%1 = ? AND coalesce(%2, %3) IS coalesce(?, %3)")
                .arg(campo, r.filial.arg(QLatin1String(r.tabela)), kPropria),
            {m.codigo, m.filial}};
}

QString donoDaLinha(const QString& tabela, const QString& linha) {
    if (tabela == QLatin1String("pagamento_mensalidade")) return pagadorDoPagamento(linha);
    const Referencia& r = referenciaDe(tabela);
    return QStringLiteral("(SELECT dono.rowid FROM mensalistas AS dono WHERE dono.codigo = %1.%2 AND "
                          "(coalesce(%3, %4) IS coalesce(dono.filial, %4) OR NOT EXISTS (SELECT 1 "
                          "FROM mensalistas AS outro WHERE outro.codigo = dono.codigo AND "
                          "outro.filial IS NOT dono.filial)) ORDER BY dono.excluido, dono.rowid "
                          "LIMIT 1)")
        .arg(linha, QLatin1String(r.campo), r.filial.arg(linha), kPropria);
}

CondicaoMensalista veiculoDoMensalista(const QString& v, const QString& m) {
    return {QStringLiteral("(coalesce(%1.filial, %3) IS coalesce(%2.filial, %3) OR NOT EXISTS "
                           "(SELECT 1 FROM mensalistas outro WHERE outro.codigo = %2.codigo AND "
                           "outro.filial IS NOT %2.filial))")
                .arg(v, m, kPropria),
            {}};
}
