#include "subscribers/comprovante_mensalidade.h"

#include "data/datas.h"
#include "devices/bobina.h"

#include <QSqlQuery>

bool le_comprovante(Banco& db, const ChaveMensalista& m, const QDate& mes, Comprovante& c) {
    const CondicaoMensalista cadastro = doCadastro(m);
    const CondicaoMensalista pagamentos = dasLinhas(db, m, QStringLiteral("pagamento_mensalidade"));
    QSqlQuery q = db.executa(
        QStringLiteral("SELECT mensalistas.nome, mensalistas.tel_res, mensalistas.tel_cel, "
                       "pagamento_mensalidade.mes, pagamento_mensalidade.valor FROM mensalistas, "
                       "pagamento_mensalidade WHERE %1 AND %2 AND "
                       "substr(pagamento_mensalidade.mes, 1, 10) = ? ORDER BY "
                       "pagamento_mensalidade.rowid DESC LIMIT 1")
            .arg(cadastro.sql, pagamentos.sql),
        cadastro.valores + pagamentos.valores + QVariantList{dataParaBanco(mes)});
    if (!q.next()) return false;
    c.nome = q.value(0).toString();
    c.tel_res = q.value(1).toString();
    c.tel_cel = q.value(2).toString();
    c.mes = dataDoBanco(q.value(3));
    c.valorPago = Dinheiro::doBanco(q.value(4)).value_or(Dinheiro{});
    return true;
}

QByteArray comprovante_pgto_mensalidade(const Comprovante& c, int bobina, int avanco) {
    // The 36-column roll keeps the wide layout, fitted to it: only that layout shows the amount
    // paid beside its month.
    const int colunas = Bobina::largura(bobina);
    const bool estreita = colunas == 40;
    const QString data = c.data.toString(QStringLiteral("dd/MM/yyyy"));
    const QString hora = c.hora.toString(QStringLiteral("HH:mm:ss"));
    const QString mes = QStringLiteral("Mes      : ") + c.mes.toString(QStringLiteral("MM/yyyy"));
    const QString zero = QStringLiteral("0,00");
    const Dinheiro desconto = Dinheiro::ler(c.des).value_or(Dinheiro{});
    const Dinheiro adicional = Dinheiro::ler(c.adi).value_or(Dinheiro{});
    const Dinheiro valorMes = c.valorPago + desconto - adicional;
    const QString valorAoLado = QStringLiteral("      Valor   : ") + c.valorPago.formata();

    Bobina b(colunas);
    for (int copia = 0; copia < 2; ++copia) {
        b.linha(c.linha1);
        if (!c.cnpj.isEmpty()) b.linha(QStringLiteral("CNPJ: ") + c.cnpj);
        b.linha(c.linha2);
        b.linha(c.linha3);
        b.linha(c.linha4);
        b.linha(estreita ? QStringLiteral("  COMPROVANTE DE PGTO. DE MENSALIDADE")
                         : QStringLiteral("      COMPROVANTE DE PGTO. DE MENSALIDADE"));
        b.linha(QStringLiteral("Cliente  : ") + c.nome);
        const int largura = estreita ? 11 : 12;
        b.par(QStringLiteral("Tel.Res. : ") + c.tel_res.left(largura).leftJustified(largura),
              QStringLiteral(" Tel.Cel.: ") + c.tel_cel);
        b.par(QStringLiteral("Data     : ") + data,
              (estreita ? QStringLiteral("  Hora    : ") : QStringLiteral("   Hora    : ")) + hora);
        // The amount paid stays on its month's line only while the line fits the roll; else the
        // month stands alone, with its amount on the lines right below.
        const std::optional<QString> mesEValor = Bobina::junta(mes, valorAoLado, colunas);
        b.linha(estreita || !mesEValor ? mes : *mesEValor);
        b.linha(QStringLiteral("Valor    : ") + valorMes.formata());
        if (c.des != zero) {
            b.linha(QStringLiteral("Desconto : ") + c.des);
            b.linha(QStringLiteral("Total    : ") + c.valorPago.formata());
        } else if (c.adi != zero) {
            b.linha(QStringLiteral("Adicional: ") + c.adi);
            b.linha(QStringLiteral("Total    : ") + c.valorPago.formata());
        }
        b.avanco(avanco);
    }
    return b.bytes();
}
