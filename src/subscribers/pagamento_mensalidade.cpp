#include "subscribers/pagamento_mensalidade.h"

#include "data/datas.h"

#include <QSqlQuery>

#include <algorithm>

CargaPagamento carrega_mensalista_pagamento(Banco& db, const ChaveMensalista& chave) {
    CargaPagamento r;
    const CondicaoMensalista c = doCadastro(chave);
    QSqlQuery q = db.executa(
        QStringLiteral("SELECT mensalistas.filial, tipos_mensalistas.tipo, mensalistas.dia_vencto, "
                       "mensalistas.valor FROM mensalistas, tipos_mensalistas WHERE "
                       "mensalistas.tipo = tipos_mensalistas.codigo AND ") + c.sql,
        c.valores);
    if (!q.next()) {
        r.recusa = QStringLiteral("Mensalista não encontrado.");
        return r;
    }
    // Rows received from the office carry no fee: a payment would be wrong. A subscriber
    // without a branch is this installation's own and pays as such.
    if (q.value(2).isNull() || q.value(3).isNull()) {
        r.recusa = QStringLiteral("O cadastro deste mensalista não tem valor ou dia de vencimento. "
                                  "Complete o cadastro antes de receber a mensalidade.");
        return r;
    }
    MensalistaPagamento m;
    m.filial = q.value(0).isNull() ? QVariant() : QVariant(q.value(0).toLongLong());
    m.tipo = q.value(1).toString();
    m.dia = q.value(2).toString();
    m.valor = Dinheiro::doBanco(q.value(3)).value_or(Dinheiro{});
    if (!m.filial.isNull())
        m.nomeFilial =
            db.valor(QStringLiteral("SELECT nome FROM filiais WHERE codigo = ?"), {m.filial}).toString();
    r.mensalista = m;
    return r;
}

std::optional<QDate> mesDoTexto(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.size() != 5 || t.at(2) != u'/') return std::nullopt;
    bool okM = false, okA = false;
    const int m = t.left(2).toInt(&okM);
    const int a = t.mid(3, 2).toInt(&okA);
    if (!okM || !okA || !t.at(0).isDigit() || !t.at(1).isDigit() || !t.at(3).isDigit() ||
        !t.at(4).isDigit() || m < 1 || m > 12)
        return std::nullopt;
    return QDate(a < 30 ? 2000 + a : 1900 + a, m, 1);
}

Dinheiro proporcional(Dinheiro f, int diasDoMes, int dias) {
    // In cents: f × dias / diasDoMes, half a cent and more goes up. The product is taken in 128
    // bits: a share is never more than the fee, whatever the fee.
    const __int128 num = __int128(f.valorBruto()) * dias;
    const __int128 den = __int128(diasDoMes) * 100;
    const __int128 centavos = num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
    return Dinheiro::bruto(qint64(centavos)) * 100;
}

int diasDeFerias(const QDate& inicio, const QDate& fim, const QDate& mes) {
    if (!inicio.isValid() || !fim.isValid()) return 0;
    const QDate primeiro(mes.year(), mes.month(), 1);
    const QDate ultimo = primeiro.addMonths(1).addDays(-1);
    const QDate de = std::max(inicio, primeiro);
    const QDate ate = std::min(fim, ultimo);
    return de > ate ? 0 : int(de.daysTo(ate)) + 1;
}

Dinheiro calcula_mensalidade(Banco& db, const ChaveMensalista& chave, const QDate& mes, Dinheiro f) {
    const int dias = mes.daysInMonth();
    const CondicaoMensalista meses = dasLinhas(db, chave, QStringLiteral("mensalidades"));
    QSqlQuery linhas = db.executa(
        QStringLiteral("SELECT pago FROM mensalidades WHERE %1 LIMIT 2").arg(meses.sql), meses.valores);
    int n = 0;
    bool pago = false;
    while (linhas.next()) {
        ++n;
        pago = linhas.value(0).toBool();
    }
    const bool primeira = n == 0 || (n == 1 && !pago);

    const CondicaoMensalista cadastro = doCadastro(chave);
    QSqlQuery m = db.executa(QStringLiteral("SELECT data_inicio, data_ini_ferias, data_fim_ferias "
                                            "FROM mensalistas WHERE ") + cadastro.sql,
                             cadastro.valores);
    if (!m.next()) return f;
    // The month the subscription started is charged from the start date, whatever rows the
    // lanes or earlier payments left for this or later months.
    const QDate inicio = dataDoBanco(m.value(0));
    if (inicio.isValid() && inicio.year() == mes.year() && inicio.month() == mes.month())
        return proporcional(f, dias, dias - inicio.day() + 1);
    if (primeira) return f;
    const bool aberta = db.existe(
        QStringLiteral("SELECT 1 FROM mensalidades WHERE %1 AND substr(mes, 1, 10) = ? AND pago = 0")
            .arg(meses.sql),
        meses.valores + QVariantList{dataParaBanco(mes)});
    if (aberta) return f;
    const int ferias = diasDeFerias(dataDoBanco(m.value(1)), dataDoBanco(m.value(2)), mes);
    return ferias == 0 ? f : proporcional(f, dias, dias - ferias);
}

namespace {

// An additional on top of a large fee may pass the largest amount the program keeps.
QString acimaDoMaximo() {
    return QStringLiteral("O valor a pagar ultrapassa o máximo permitido (%1). Corrija o adicional.")
        .arg(Dinheiro::maiorDigitado().formata());
}

}  // namespace

ValorAPagar valor_a_pagar(Dinheiro valorMes, const QString& des, const QString& adi) {
    ValorAPagar r;
    auto recusa = [&r](const QString& m, FocoPagamento f) {
        r.recusa = m;
        r.foco = f;
        return r;
    };
    const std::pair<const QString*, FocoPagamento> campos[] = {{&des, FocoPagamento::des},
                                                               {&adi, FocoPagamento::adi}};
    for (const auto& [texto, foco] : campos) {
        const QString nome = foco == FocoPagamento::des ? QStringLiteral("Desconto")
                                                        : QStringLiteral("Adicional");
        if (auto m = recusaValorDigitado(*texto)) return recusa(*m, foco);
        if (!Dinheiro::ler(*texto)) return recusa(QStringLiteral("%1 inválido.").arg(nome), foco);
    }
    r.desconto = *Dinheiro::ler(des);
    r.adicional = *Dinheiro::ler(adi);
    if (r.desconto > valorMes + r.adicional)
        return recusa(QStringLiteral("O desconto (%1) é maior que o valor da mensalidade (%2). "
                                     "Corrija o desconto.")
                          .arg(r.desconto.formata(), (valorMes + r.adicional).formata()),
                      FocoPagamento::des);
    const Dinheiro total = valorMes - r.desconto + r.adicional;
    if (Dinheiro::acimaDoDigitavel(total)) return recusa(acimaDoMaximo(), FocoPagamento::adi);
    r.valor = total;
    return r;
}

DescontoAdicional compensa_desconto_adicional(const QString& des, const QString& adi) {
    const QString zero = QStringLiteral("0,00");
    if (des == adi) return {zero, zero};
    const Dinheiro d = Dinheiro::ler(des).value_or(Dinheiro{});
    const Dinheiro a = Dinheiro::ler(adi).value_or(Dinheiro{});
    if (a > d) return {zero, (a - d).formata()};
    return {(d - a).formata(), zero};
}

ResultadoPagamento efetua_pagamento(Banco& db, const PedidoPagamento& p) {
    auto recusa = [](const QString& m, FocoPagamento f) {
        ResultadoPagamento r;
        r.mensagem = m;
        r.foco = f;
        return r;
    };
    if (p.valor < Dinheiro{})
        return recusa(QStringLiteral("O valor a pagar não pode ser negativo. Corrija o desconto."),
                      FocoPagamento::des);
    if (Dinheiro::acimaDoDigitavel(p.valor)) return recusa(acimaDoMaximo(), FocoPagamento::adi);
    // Only this subscriber's months count and change, never those of another branch's
    // subscriber under the same code.
    const ChaveMensalista chave{p.codigo, p.filial};
    const CondicaoMensalista cadastro = doCadastro(chave);
    const CondicaoMensalista meses = dasLinhas(db, chave, QStringLiteral("mensalidades"));
    const auto doMes = [&](const QString& resto, const QVariantList& valores) {
        return db.existe(QStringLiteral("SELECT 1 FROM mensalidades WHERE %1%2").arg(meses.sql, resto),
                         meses.valores + valores);
    };
    const QVariant inicioBanco =
        db.valor(QStringLiteral("SELECT data_inicio FROM mensalistas WHERE ") + cadastro.sql,
                 cadastro.valores);
    const QDate inicio = dataDoBanco(inicioBanco);
    const QDate ultimoDia = p.mes.addMonths(1).addDays(-1);
    if (inicio.isValid() && ultimoDia < inicio)
        return recusa(QStringLiteral("Mês/ano anterior à data de início do mensalista."),
                      FocoPagamento::mes);

    const QString textoMes = p.mes.toString(QStringLiteral("MM/yy"));
    const QVariant mes = dataParaBanco(p.mes);
    QSqlQuery linha = db.executa(
        QStringLiteral("SELECT pago FROM mensalidades WHERE %1 AND substr(mes, 1, 10) = ? LIMIT 1")
            .arg(meses.sql),
        meses.valores + QVariantList{mes});
    const bool temLinha = linha.next();
    if (temLinha && linha.value(0).toBool())
        return recusa(QStringLiteral("A mensalidade %1 já foi paga.").arg(textoMes),
                      FocoPagamento::mes);

    const QVariant valor = p.valor.paraBanco();
    const QVariant data = dataParaBanco(p.data), hora = horaParaBanco(p.hora);
    if (!temLinha) {
        const bool temHistorico = doMes(QString(), {});
        const bool mesDoInicio = inicio.isValid() && inicio.year() == p.mes.year() &&
                                 inicio.month() == p.mes.month();
        if (!temHistorico) {
            if (inicioBanco.isNull() &&
                !db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE ") + cadastro.sql,
                           cadastro.valores))
                return recusa(QStringLiteral("Mensalista não encontrado."), FocoPagamento::Nenhum);
            if (!mesDoInicio)
                return recusa(QStringLiteral("Primeira mensalidade deve ser o mês em que o "
                                             "mensalista começou."),
                              FocoPagamento::mes);
        }
        // The month the subscription started has no month before it to be paid.
        if (temHistorico && !mesDoInicio &&
            !doMes(QStringLiteral(" AND substr(mes, 1, 10) = ? AND pago = 1"),
                   {dataParaBanco(p.mes.addMonths(-1))}))
            return recusa(QStringLiteral("Mensalidade do mês anterior não paga."), FocoPagamento::mes);
    }

    Transacao t(db);
    if (temLinha)
        db.executa(QStringLiteral("UPDATE mensalidades SET pago = 1, data_pgto = ?, hora_pgto = ?, "
                                  "valor = ?, filial = ? WHERE %1 AND substr(mes, 1, 10) = ? AND "
                                  "pago = 0")
                       .arg(meses.sql),
                   QVariantList{data, hora, valor, p.filial} + meses.valores + QVariantList{mes});
    else
        db.executa(QStringLiteral("INSERT INTO mensalidades (codigo, mes, pago, data_pgto, hora_pgto, "
                                  "valor, filial) VALUES (?, ?, 1, ?, ?, ?, ?)"),
                   {p.codigo, mes, data, hora, valor, p.filial});
    db.executa(QStringLiteral("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, "
                              "hora, desconto, adicional) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
               {p.codigo, mes, valor, p.caixa, data, hora, p.desconto.paraBanco(),
                p.adicional.paraBanco()});
    t.confirma();
    ResultadoPagamento r;
    r.pago = true;
    r.mensagem = QStringLiteral(
        "Mensalidade paga com sucesso. Clique em OK para imprimir e aguarde impressão.");
    return r;
}
