#include "cash/valor_caixa.h"

namespace {
Dinheiro ouZero(const QVariant& v) { return Dinheiro::doBanco(v).value_or(Dinheiro()); }
}  // namespace

Dinheiro mensalidades_caixa(Banco& db, qint32 caixa) {
    // What this register took here: a branch's rows under the same number are the branch's.
    return ouZero(db.valor(
        QStringLiteral("SELECT sum(valor) FROM pagamento_mensalidade WHERE caixa = ? AND recebido = 0"),
        {caixa}));
}

ValoresCaixa valores_caixa(Banco& db, qint32 caixa) {
    ValoresCaixa v;
    // Only this installation's stays too.
    v.estadias = ouZero(db.valor(
        QStringLiteral("SELECT sum(valor_liquido) FROM registro_saida WHERE caixa = ? AND recebido = 0"),
        {caixa}));
    v.mensalidades = mensalidades_caixa(db, caixa);
    v.troco = ouZero(db.valor(QStringLiteral("SELECT troco FROM caixa WHERE numero = ?"), {caixa}));
    return v;
}
