#include "reports/catalogo.h"

#include "data/datas.h"
#include "reports/pagamentos.h"

QString formulaFaixa(const QString& campo, const QDate& inicio, const QDate& fim) {
    const QString f = QStringLiteral("yyyy/MM/dd");
    return QStringLiteral("({%1}>=#%2# and {%1}<=#%3#)").arg(campo, inicio.toString(f), fim.toString(f));
}

QString formulaRodape(Banco& db) {
    const QVariant empresa = db.valor(QStringLiteral("SELECT empresa FROM geral"));
    const QString nome = empresa.isNull() ? kNomeProduto : empresa.toString();
    return QStringLiteral("rodape='") + QString(nome).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QString numeroFormula(Dinheiro valor) {
    const qint64 bruto = valor.valorBruto();
    const quint64 abs = bruto < 0 ? quint64(-bruto) : quint64(bruto);
    QString inteiro = abs / Dinheiro::kEscala ? QString::number(abs / Dinheiro::kEscala) : QString();
    QString fracao = QStringLiteral("%1").arg(abs % Dinheiro::kEscala, 4, 10, QLatin1Char('0'));
    while (fracao.endsWith(QLatin1Char('0'))) fracao.chop(1);
    QString t = fracao.isEmpty() ? (inteiro.isEmpty() ? QStringLiteral("0") : inteiro)
                                 : inteiro + QLatin1Char('.') + fracao;
    return (bruto < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + t;
}

QString formulaTotalMensalidades(Banco& db, const QDate& inicio, const QDate& fim, const QString& filial) {
    // The fee rows the report lists, each booked to the branch its payer belongs to.
    QString sql = QStringLiteral("SELECT sum(valor) AS soma_valor FROM %1 AS pagamento_mensalidade "
                                 "WHERE data >= ? AND data <= ?")
                      .arg(QLatin1Char('(') + consultaPagamentos() + QLatin1Char(')'));
    QVariantList valores{dataParaBanco(inicio), dataParaBanco(fim)};
    if (filial != QLatin1String("  ")) {
        sql += QStringLiteral(" AND filial = ?");
        valores << filial.trimmed().toInt();
    }
    const QVariant soma = db.valor(sql, valores);
    if (soma.isNull()) return QStringLiteral("total_mensalidades=0");
    return QStringLiteral("total_mensalidades=") + numeroFormula(Dinheiro::bruto(soma.toLongLong()));
}

void pedidoFaturamento(PedidoRelatorio& pedido, Banco& db, bool detalhado, const QDate& inicio, const QDate& fim,
                       const QString& filial) {
    // Both ends of the period, and the branch when one is given.
    const auto selecao = [&](const QString& tabela, const QString& campoData) {
        const QString f = formulaFaixa(tabela + QLatin1Char('.') + campoData, inicio, fim);
        return filial == QLatin1String("  ") ? f : f + QStringLiteral(" and {%1.filial}=").arg(tabela) + filial;
    };
    pedido.titulo = detalhado ? QStringLiteral("Relatório de Faturamento Detalhado")
                              : QStringLiteral("Relatório de Faturamento");
    pedido.selecao = selecao(QStringLiteral("registro_saida"), QStringLiteral("data_saida"));
    pedido.selecaoSub[QStringLiteral("rel_fat_mensalidades")] =
        selecao(QStringLiteral("pagamento_mensalidade"), QStringLiteral("data"));
    pedido.formulas[0] = QStringLiteral("titulo='%1 %2 e %3'")
                             .arg(detalhado ? QStringLiteral("Faturamento detalhado entre")
                                            : QStringLiteral("Faturamento entre"),
                                  inicio.toString(QStringLiteral("dd/MM/yyyy")), fim.toString(QStringLiteral("dd/MM/yyyy")));
    // The monthly fees of a report restricted to one branch are that branch's too; read by the
    // report itself, with its rows.
    pedido.formulas[1].clear();
    pedido.formulasLidas[1] = [inicio, fim, filial](Banco& leitura) {
        return formulaTotalMensalidades(leitura, inicio, fim, filial);
    };
    pedido.formulas[2] = formulaRodape(db);
}
