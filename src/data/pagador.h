#pragma once
// Who paid a monthly fee. A payment row names the subscriber by code only, and at an office two
// branches may have given the same code: the payer is told from the stored rows, and only when
// they single out one subscriber. The subscriber windows (a receipt, a code change) and the
// revenue reports ask the same question, so they share this one answer.

#include <QString>

// An SQL scalar subquery giving the rowid in `mensalistas` of the subscriber who paid the row of
// `pagamento_mensalidade` named `pagamento` in the enclosing query (its alias, or the table's
// name); Null where two subscribers could have paid it, or none.
QString pagadorDoPagamento(const QString& pagamento);
