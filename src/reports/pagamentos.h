#pragma once
// The monthly-fee payments as the revenue reports read them: each with the subscriber who paid it
// and the branch its takings belong to.

#include <QString>

// A query giving every row of `pagamento_mensalidade` with its own columns, `filial` being the
// branch the payment belongs to, and `pagador`, the rowid in `mensalistas` of the subscriber who
// paid it. Both stay Null unless the stored rows single out one subscriber: a fee row never
// names someone who did not pay it. Written between parentheses where a table goes.
QString consultaPagamentos();
