#include "cash/valor_caixa.h"

namespace {
Dinheiro ouZero(const QVariant& v) { return Dinheiro::doBanco(v).value_or(Dinheiro()); }
}  // namespace

ValoresCaixa valores_caixa(Banco& db, qint32 caixa) {
    ValoresCaixa v;
    v.estadias = ouZero(db.valor(
        QStringLiteral("SELECT sum(valor_liquido) FROM registro_saida WHERE caixa = ?"), {caixa}));
    v.mensalidades = ouZero(db.valor(
        QStringLiteral("SELECT sum(valor) FROM pagamento_mensalidade WHERE caixa = ?"), {caixa}));
    v.troco = ouZero(db.valor(QStringLiteral("SELECT troco FROM caixa WHERE numero = ?"), {caixa}));
    return v;
}
