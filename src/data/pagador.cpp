#include "data/pagador.h"

// A payment taken at a branch carries its branch: it is the fee of that code at that branch.
// One taken at this installation's own register carries none. The month's row that it paid was
// stamped with the same day and second and with the subscriber's branch (none for a subscriber
// of the office's own): that row tells whose it was, unless another branch's row of the same
// code and month was paid in that same second too. Without such a row (a later merge replaced
// it, or the row is older than the payment's bookkeeping), a branch's own register took it from
// its own subscribers; at the office only a code that belongs to a single subscriber tells.
QString pagadorDoPagamento(const QString& pagamento) {
    return QStringLiteral(
               "(SELECT m.rowid FROM mensalistas AS m"
               " WHERE m.codigo = %1.mensalista AND CASE"
               "  WHEN %1.filial IS NOT NULL THEN m.filial = %1.filial"
               "  WHEN EXISTS (SELECT 1 FROM mensalidades AS md WHERE md.codigo = %1.mensalista"
               "    AND substr(md.mes, 1, 10) = substr(%1.mes, 1, 10) AND md.pago"
               "    AND md.data_pgto IS %1.data AND md.hora_pgto IS %1.hora)"
               "   THEN NOT EXISTS (SELECT 1 FROM mensalidades AS md WHERE md.codigo = %1.mensalista"
               "    AND substr(md.mes, 1, 10) = substr(%1.mes, 1, 10) AND md.pago"
               "    AND md.data_pgto IS %1.data AND md.hora_pgto IS %1.hora AND md.filial IS NOT m.filial)"
               "  WHEN (SELECT geral.filial FROM geral LIMIT 1) IS NOT NULL"
               "   THEN m.filial = (SELECT geral.filial FROM geral LIMIT 1)"
               "  ELSE NOT EXISTS (SELECT 1 FROM mensalistas AS outro"
               "    WHERE outro.codigo = m.codigo AND outro.rowid <> m.rowid) END"
               " ORDER BY m.excluido, m.rowid LIMIT 1)")
        .arg(pagamento);
}
