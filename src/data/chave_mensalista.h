#pragma once
// Which subscriber a row names. An office holds the subscribers of every branch side by side,
// and two branches may have given the same code: there a subscriber is its code and its branch
// (none for the installation's own subscribers at the office). Every lookup, write and delete of
// a subscriber's rows goes through the conditions below.

#include "data/banco.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <vector>

struct ChaveMensalista {
    qint64 codigo = 0;
    QVariant filial;   // null: no branch

    bool operator==(const ChaveMensalista&) const = default;

    // The branch as the hidden lists hold it: its code, or "" for none.
    QString textoFilial() const { return filial.isNull() ? QString() : filial.toString(); }
    static QVariant filialDoTexto(const QString& texto) {
        return texto.trimmed().isEmpty() ? QVariant() : QVariant(texto.trimmed().toLongLong());
    }
};

// An SQL condition and the values of its "?", in order.
struct CondicaoMensalista {
    QString sql;
    QVariantList valores;
};

// A table whose rows name a subscriber by its code, and the field that holds the code.
struct CampoDoMensalista {
    const char* tabela;
    const char* campo;
};
// Every such table, in the order a change of code rewrites them: the payments first, told by the
// month rows they paid while those are still under the old code, and the parked cars before the
// registrations that tell whose they are.
std::vector<CampoDoMensalista> camposDoMensalista();

// The subscriber's own row of `mensalistas`.
CondicaoMensalista doCadastro(const ChaveMensalista& m);

// The rows of `tabela` (`mensalidades`, `veiculos_mensalistas`, `pagamento_mensalidade`,
// `registro_saida` or `veiculos_patio`) that belong to the subscriber. While no other
// subscriber has the code, every row of the code does, as at a single site. Otherwise a row
// belongs to the subscriber of its branch, a row without one counting as this installation's:
// a payment taken here is the branch's whose month it paid, and a parked car is the one its
// plate is registered to under its code.
CondicaoMensalista dasLinhas(Banco& db, const ChaveMensalista& m, const QString& tabela);

// The same rule seen from a row: an SQL scalar subquery giving the rowid in `mensalistas` of the
// subscriber that the row `linha` (the alias of a row of `tabela` in the enclosing query)
// belongs to; for a payment, its payer. Null when no subscriber has it.
QString donoDaLinha(const QString& tabela, const QString& linha);

// The condition that the vehicle row `v` belongs to the subscriber row `m` (both aliases of a
// query joining them), by the same rule.
CondicaoMensalista veiculoDoMensalista(const QString& v, const QString& m);
