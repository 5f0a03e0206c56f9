#include "reports/pagamentos.h"

#include "data/pagador.h"

QString consultaPagamentos() {
    return QStringLiteral(
               "SELECT pg.mensalista AS mensalista, pg.mes AS mes, pg.valor AS valor, pg.caixa AS caixa, "
               "pg.data AS data, pg.hora AS hora, pg.desconto AS desconto, pg.adicional AS adicional, "
               "coalesce(pg.filial, quem.filial) AS filial, quem.rowid AS pagador "
               "FROM pagamento_mensalidade AS pg "
               "LEFT JOIN mensalistas AS quem ON quem.rowid = %1")
        .arg(pagadorDoPagamento(QStringLiteral("pg")));
}
