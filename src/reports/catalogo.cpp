#include "reports/catalogo.h"

#include "data/datas.h"

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
    QString sql = QStringLiteral("SELECT sum(valor) AS soma_valor FROM pagamento_mensalidade "
                                 "WHERE data >= ? AND data <= ?");
    QVariantList valores{dataParaBanco(inicio), dataParaBanco(fim)};
    if (filial != QLatin1String("  ")) {
        sql += QStringLiteral(" AND filial = ?");
        valores << filial.trimmed().toInt();
    }
    const QVariant soma = db.valor(sql, valores);
    if (soma.isNull()) return QStringLiteral("total_mensalidades=0");
    return QStringLiteral("total_mensalidades=") + numeroFormula(Dinheiro::bruto(soma.toLongLong()));
}
