#include "reports/pagamentos.h"

#include "data/filial_propria.h"
#include "data/pagador.h"

// A payment without a branch was taken at this installation's register and belongs to its
// payer's branch; where its payer has none, or none is singled out, it is this installation's
// own: at a branch, the branch's (its file carries it under the branch's number, and so does the
// office's report of it), at the office, no branch's.
QString consultaPagamentos() {
    return QStringLiteral(
               "SELECT pg.mensalista AS mensalista, pg.mes AS mes, pg.valor AS valor, pg.caixa AS caixa, "
               "pg.data AS data, pg.hora AS hora, pg.desconto AS desconto, pg.adicional AS adicional, "
               "coalesce(pg.filial, quem.filial, %2) AS filial, quem.rowid AS pagador "
               "FROM pagamento_mensalidade AS pg "
               "LEFT JOIN mensalistas AS quem ON quem.rowid = %1")
        .arg(pagadorDoPagamento(QStringLiteral("pg")), kFilialPropria);
}
