#include "cash/relatorio_fechamento.h"

#include "data/datas.h"
#include "devices/bobina.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace {

// The texts that change with the roll's width.
struct Leiaute {
    const char* titulo;
    const char* rotuloQtde;
    const char* rotuloValor;
    const char* cabecalhoConvenio;
    const char* vaoValorConvenio;
    const char* reguaCurta;
    const char* rotuloTotalConvenio;
    const char* reguaIgual;
    const char* rotuloTotalCaixa;
    const char* cancelados;
    const char* canceladosFim;
};

const Leiaute k36{
    "        FECHAMENTO DE CAIXA",
    "Qtde Veic.(Rot,Turno,Diarista): ",
    "Valor(Rot,Turno,Diarista): ",
    "Convenio              Qtde.  Total",
    "  ",
    "                         -------",
    "       Total Convenio -> ",
    "          ======================",
    "          Total Caixa -> ",
    "Tickets Cancelados (",
    ") <Ticket, Placa, Hora>:",
};

const Leiaute k40{
    "           FECHAMENTO DE CAIXA",
    "Qtde Veiculos(Rot,Turno,Diarista) :",
    "Valor(Rotativo,Turno,Diarista): ",
    "Convenio              Qtde.  Total",
    "  ",
    "                             -------",
    "           Total Convenio -> ",
    "              ======================",
    "              Total Caixa -> ",
    "Tickets Cancel. (",
    ") <Tic, Placa, Hora>:",
};

const Leiaute k48{
    "              FECHAMENTO DE CAIXA",
    "Qtde. Veiculos(Rotativo,Turno,Diarista) :",
    "Valor(Rotativo,Turno,Diarista): ",
    "Convenio              Qtde.       Total",
    "       ",
    "                                  -------",
    "                Total Convenio -> ",
    "                   ======================",
    "                   Total Caixa -> ",
    "Tickets Cancelados (",
    ") <Ticket, Placa, Hora>:",
};

// A count or number with its sign position: a blank before zero or a positive number.
QString comSinal(const QVariant& v) {
    if (v.isNull()) return {};
    const qint64 n = v.toLongLong();
    return n < 0 ? QString::number(n) : u' ' + QString::number(n);
}

// Left-aligned in `largura` characters, cut on the right when longer.
QString campo(const QString& texto, int largura) { return texto.leftJustified(largura, u' ', true); }

QString dinheiro(const QVariant& v) {
    const std::optional<Dinheiro> d = Dinheiro::doBanco(v);
    return d ? d->formata() : QString();
}

// A date or a time of day as the roll shows it by default: "dd/mm/yy" and "hh:mm:ss".
QString dataCurta(const QVariant& v) {
    const QDate d = dataDoBanco(v);
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yy")) : QString();
}
QString dataLonga(const QVariant& v) {
    const QDate d = dataDoBanco(v);
    return d.isValid() ? dataBr(d) : QString();
}
QString hora(const QVariant& v) {
    const QTime t = horaDoBanco(v);
    return t.isValid() ? horaHms(t) : QString();
}

// The ticket field: "0000000000" for a subscriber's vehicle; a ten-digit number keeps all its
// digits, giving up the blank of the sign position rather than its last digit.
QString campoTicket(const QVariant& ticket) {
    if (ticket.isNull()) return QStringLiteral("0000000000");
    QString t = comSinal(ticket);
    if (t.size() > 10 && t.startsWith(u' ')) t = t.mid(1);
    return campo(t, 10);
}

std::vector<QSqlRecord> linhas(Banco& db, const QString& sql, qint32 caixa) {
    std::vector<QSqlRecord> r;
    QSqlQuery q = db.executa(sql, {caixa});
    while (q.next()) r.push_back(q.record());
    return r;
}

void linhaEmBranco(Bobina& b) { b.linha(QStringLiteral("\r")); }

// A total under its rule (`regua`), and over the same rule again when `fecha`. As laid out, the
// amount stands under the rule; an amount too long for the roll moves the line left, and the
// rule moves with it, growing to the end of the amount, so that it still stands over all of it.
void totalSobRegua(Bobina& b, int largura, const QString& regua, const QString& rotulo,
                   const QString& valor, bool fecha) {
    const QString linha = rotulo + valor;
    const QStringList ajustada = Bobina::ajusta(linha, largura);
    QString r = regua;
    const qsizetype desvio = linha.size() - ajustada.front().size();
    if (ajustada.size() == 1 && desvio > 0) {
        qsizetype inicio = 0;
        while (inicio < regua.size() && regua[inicio] == u' ') ++inicio;
        const qsizetype de = qMax<qsizetype>(0, inicio - desvio);
        const qsizetype ate = qMax(regua.size() - desvio, ajustada.front().size());
        r = QString(de, u' ') + QString(ate - de, regua.back());
    }
    b.linha(r);
    for (const QString& l : ajustada) b.linha(l);
    if (fecha) b.linha(r);
}

}  // namespace

QByteArray impressao_fechamento_caixa(Banco& db, const DadosRelatorioFechamento& d) {
    const int largura = Bobina::largura(d.bobina);
    const Leiaute& L = largura == 36 ? k36 : largura == 40 ? k40 : k48;
    const auto txt = [](const char* s) { return QString::fromLatin1(s); };

    const std::vector<QSqlRecord> resumo =
        linhas(db, QStringLiteral("SELECT * FROM fechamento_caixa WHERE numero = ? AND recebido = 0 "
                                  "ORDER BY rowid LIMIT 1"),
               d.caixa);
    const QSqlRecord r = resumo.empty() ? QSqlRecord() : resumo.front();
    Dinheiro totalCaixa;
    totalCaixa += Dinheiro::doBanco(r.value("valor_veiculos")).value_or(Dinheiro());
    totalCaixa += Dinheiro::doBanco(r.value("valor_mensalidades")).value_or(Dinheiro());

    Bobina b(largura);
    b.linha(txt(L.titulo));
    b.linha(QStringLiteral("Caixa Numero: ") + r.value("numero").toString());
    b.linha(QStringLiteral("Usuario (abert. caixa) : ") + r.value("usuario").toString());
    b.linha(QStringLiteral("Usuario (fecham. caixa): ") + d.usuario_atual);
    if (largura == 36) {
        b.linha(QStringLiteral("Abertura       | Fechamento"));
        b.linha(QStringLiteral("Data: ") + dataCurta(r.value("data_ini")) + QStringLiteral(" | ") +
                dataCurta(r.value("data_fim")));
        b.linha(QStringLiteral("Hora: ") + hora(r.value("hora_ini")) + QStringLiteral(" | ") +
                hora(r.value("hora_fim")));
    } else if (largura == 40) {
        b.par(QStringLiteral("Data Abert: ") + dataCurta(r.value("data_ini")),
              QStringLiteral("  Data Fec: ") + dataCurta(r.value("data_fim")));
        b.par(QStringLiteral("Hora Abert: ") + hora(r.value("hora_ini")),
              QStringLiteral("  Hora Fec: ") + hora(r.value("hora_fim")));
    } else {
        b.par(QStringLiteral("Data Abert.: ") + dataCurta(r.value("data_ini")),
              QStringLiteral("   Data Fecham.: ") + dataCurta(r.value("data_fim")));
        b.par(QStringLiteral("Hora Abert.: ") + hora(r.value("hora_ini")),
              QStringLiteral("   Hora Fecham.: ") + hora(r.value("hora_fim")));
    }
    // A label and its value: a value too long for the roll goes on the line below its label.
    b.par(txt(L.rotuloQtde), comSinal(r.value("qtd_veiculos")));
    b.par(QStringLiteral("Troco: "), dinheiro(r.value("troco")));
    b.par(txt(L.rotuloValor), dinheiro(r.value("valor_veiculos")));
    b.par(QStringLiteral("Valor Mensalidades: "), dinheiro(r.value("valor_mensalidades")));
    linhaEmBranco(b);

    Dinheiro totalConvenios;
    const std::vector<QSqlRecord> convenios = linhas(
        db, QStringLiteral("SELECT * FROM fechamento_caixa_convenios WHERE numero = ? ORDER BY rowid"),
        d.caixa);
    if (!convenios.empty()) {
        b.linha(txt(L.cabecalhoConvenio));
        b.linha(QString(largura, u'-'));
        for (const QSqlRecord& c : convenios) {
            // An amount that does not fit beside the count goes below, under "Total".
            const QString nomeEQtde = campo(c.value("convenio").toString(), 20) +
                                      QStringLiteral("  ") + campo(comSinal(c.value("qtd")), 5);
            const QString valor = dinheiro(c.value("valor"));
            b.par(nomeEQtde, txt(L.vaoValorConvenio) + valor,
                  QString(nomeEQtde.size() + qstrlen(L.vaoValorConvenio), u' ') + valor);
            totalConvenios += Dinheiro::doBanco(c.value("valor")).value_or(Dinheiro());
        }
        totalSobRegua(b, largura, txt(L.reguaCurta), txt(L.rotuloTotalConvenio),
                      totalConvenios.formata(), false);
    }
    totalCaixa += totalConvenios + d.troco;

    linhaEmBranco(b);
    totalSobRegua(b, largura, txt(L.reguaIgual), txt(L.rotuloTotalCaixa), totalCaixa.formata(), true);
    linhaEmBranco(b);

    const std::vector<QSqlRecord> datas =
        linhas(db, QStringLiteral("SELECT * FROM mudanca_data WHERE caixa = ? ORDER BY rowid"), d.caixa);
    if (!datas.empty()) {
        b.linha(QStringLiteral("Alteracoes na Data (%1):").arg(datas.size()));
        for (const QSqlRecord& m : datas)
            b.linha(dataLonga(m.value("data")) + QStringLiteral(" -> ") + dataLonga(m.value("data_apos")));
        linhaEmBranco(b);
    }

    const std::vector<QSqlRecord> horas = linhas(
        db, QStringLiteral("SELECT * FROM mudanca_horario WHERE caixa = ? ORDER BY rowid"), d.caixa);
    if (!horas.empty()) {
        b.linha(QStringLiteral("Alteracoes no Horario (%1):").arg(horas.size()));
        for (const QSqlRecord& m : horas)
            b.linha(hora(m.value("hora")) + QStringLiteral(" -> ") + hora(m.value("hora_apos")));
        linhaEmBranco(b);
    }

    const std::vector<QSqlRecord> cancelados = linhas(
        db, QStringLiteral("SELECT * FROM cancelamento_ticket WHERE caixa = ? AND recebido = 0 "
                           "ORDER BY ticket, rowid"),
        d.caixa);
    if (!cancelados.empty()) {
        // "(n)" closes the first part of the heading; the column names are the second.
        const QString fim = txt(L.canceladosFim);
        b.par(txt(L.cancelados) + QString::number(cancelados.size()) + fim.left(1), fim.mid(1));
        for (const QSqlRecord& c : cancelados)
            b.linha(campoTicket(c.value("ticket")) + QStringLiteral("     ") +
                    c.value("placa").toString() + QStringLiteral("     ") + hora(c.value("hora")));
    }

    b.avanco(d.avanco_bobina);
    return b.bytes();
}
