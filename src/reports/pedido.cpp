#include "reports/pedido.h"

#include "reports/formula.h"

#include <QRegularExpression>

std::array<QString, 3> textosFormulas(const PedidoRelatorio& pedido, Banco& db) {
    std::array<QString, 3> r = pedido.formulas;
    for (size_t i = 0; i < r.size(); ++i)
        if (pedido.formulasLidas[i]) r[i] = pedido.formulasLidas[i](db);
    return r;
}

QMap<QString, QString> valoresFormulas(const PedidoRelatorio& pedido, Banco& db) {
    // A text between single quotes, a doubled quote standing for one, or a plain number.
    static const QRegularExpression forma(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z_0-9]*)\\s*=\\s*(?:'((?:[^']|'')*)'|(-?\\s*\\d*\\.?\\d*))\\s*$"));
    QMap<QString, QString> r;
    for (const QString& f : textosFormulas(pedido, db)) {
        if (f.isEmpty()) continue;
        const auto m = forma.match(f);
        if (!m.hasMatch())
            throw ErroFormula(QStringLiteral("Fórmula do relatório não aceita:\n%1").arg(f));
        r[m.captured(1)] = m.hasCaptured(2) ? m.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"))
                                            : m.captured(3).remove(QLatin1Char(' '));
    }
    return r;
}
