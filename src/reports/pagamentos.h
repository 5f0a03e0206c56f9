#pragma once
// The monthly-fee payments as the revenue reports read them: each with the subscriber who paid it
// and the branch its takings belong to.

#include <QString>

// A query giving every row of `pagamento_mensalidade` with its own columns, `filial` being the
// branch the payment belongs to, and `pagador`, the rowid in `mensalistas` of the subscriber who
// paid it. The payer stays Null unless the stored rows single out one subscriber: a fee row
// never names someone who did not pay it. A payment taken at this installation's register is its
// payer's branch's, else this installation's own: at the office the branch stays Null with the
// payer, at a branch it is the branch's number. Written between parentheses where a table goes.
QString consultaPagamentos();
