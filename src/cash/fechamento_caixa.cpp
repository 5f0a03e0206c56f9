#include "cash/fechamento_caixa.h"

#include "cash/valor_caixa.h"
#include "data/datas.h"
#include "data/filial_propria.h"

#include <QSqlQuery>

namespace {

Dinheiro ouZero(const QVariant& v) { return Dinheiro::doBanco(v).value_or(Dinheiro()); }

QString quantidadeGrande(qint64 qtd, const QString& onde) {
    return QStringLiteral("O caixa tem %1 veículos %2, mais do que o fechamento pode guardar "
                          "(%3). O caixa continua aberto e nada foi gravado.")
        .arg(qtd)
        .arg(onde)
        .arg(kMaiorQuantidade);
}

}  // namespace

QString nome_convenio_desconhecido(qint64 codigo) {
    // The name field holds 20 characters.
    const QString nome = QStringLiteral("Desconhecido (%1)").arg(codigo);
    return nome.size() <= 20 ? nome : QStringLiteral("? (%1)").arg(codigo);
}

TotaisFechamento totais_fechamento(Banco& db, qint32 caixa) {
    TotaisFechamento t;
    // Only what the register took here: every site numbers its registers from 1, and a
    // branch's rows merged under the same number are the branch's (`recebido`).
    // The count and the amount come from one selection, so that the line counts exactly the
    // stays whose money it holds.
    QSqlQuery v = db.executa(
        QStringLiteral("SELECT count(*), sum(valor_liquido) FROM registro_saida WHERE caixa = ? "
                       "AND recebido = 0 AND (tipo_estacionamento IN ('R', 'T', 'D') "
                       "OR (tipo_estacionamento = 'M' AND valor_liquido <> 0))"),
        {caixa});
    if (v.next()) {
        t.qtd_veiculos = v.value(0).toLongLong();
        t.valor_veiculos = ouZero(v.value(1));
    }
    v.finish();
    t.valor_mensalidades = mensalidades_caixa(db, caixa);   // as "Valor em Caixa" shows them

    QSqlQuery q = db.executa(
        QStringLiteral("SELECT convenio, count(*), sum(valor_liquido) FROM registro_saida "
                       "WHERE caixa = ? AND recebido = 0 AND convenio IS NOT NULL GROUP BY convenio "
                       "ORDER BY convenio"),
        {caixa});
    while (q.next())
        t.convenios.push_back({q.value(0).toLongLong(), QString(), q.value(1).toLongLong(),
                               ouZero(q.value(2))});
    q.finish();
    for (TotalConvenio& c : t.convenios) {
        const QVariant nome =
            db.valor(QStringLiteral("SELECT convenio FROM convenios WHERE codigo = ?"), {c.codigo});
        c.nome = nome.isNull() || nome.toString().isEmpty() ? nome_convenio_desconhecido(c.codigo)
                                                            : nome.toString();
    }
    return t;
}

bool caixa_aberto(Banco& db, qint32 numero) {
    return numero != 0 &&
           db.existe(QStringLiteral("SELECT 1 FROM caixa WHERE numero = ? AND aberto = 1"), {numero});
}

ResultadoFechamento grava_fechamento(Contexto& ctx) {
    Estado& e = ctx.estado;
    Banco& db = e.db;
    const qint32 numero = e.numero_caixa;
    ResultadoFechamento r;
    try {
        Transacao t(db);
        QSqlQuery q = db.executa(QStringLiteral("SELECT usuario, data_abertura, hora_abertura, troco "
                                                "FROM caixa WHERE numero = ? AND aberto = 1"),
                                 {numero});
        if (numero == 0 || !q.next()) {
            r.mensagem = QStringLiteral("Não há caixa aberto.");
            return r;
        }
        const QVariant usuario = q.value(0);
        const QVariant dataIni = q.value(1);
        const QVariant horaIni = q.value(2);
        const QVariant troco = q.value(3);
        q.finish();

        const TotaisFechamento tot = totais_fechamento(db, numero);
        if (tot.qtd_veiculos > kMaiorQuantidade) {
            r.mensagem = quantidadeGrande(tot.qtd_veiculos, QStringLiteral("de Rotativo, Turno e Diarista"));
            r.icone = Icone::Exclamacao;
            return r;
        }
        for (const TotalConvenio& c : tot.convenios)
            if (c.qtd > kMaiorQuantidade) {
                r.mensagem = quantidadeGrande(c.qtd, QStringLiteral("do convênio ") + c.nome);
                r.icone = Icone::Exclamacao;
                return r;
            }

        const QVariant dataFim = dataParaBanco(e.data_atual);
        const QVariant horaFim = horaParaBanco(e.hora_atual);
        db.executa(QStringLiteral("UPDATE caixa SET data_fechamento = ?, hora_fechamento = ?, "
                                  "aberto = 0 WHERE numero = ?"),
                   {dataFim, horaFim, numero});
        // A second closing under the same number replaces the summary, never adds to it; a
        // branch's closing merged under that number stays. The partner rows never come from a
        // branch.
        db.executa(QStringLiteral("DELETE FROM fechamento_caixa WHERE numero = ? AND recebido = 0"),
                   {numero});
        db.executa(QStringLiteral("DELETE FROM fechamento_caixa_convenios WHERE numero = ?"), {numero});
        db.executa(QStringLiteral("INSERT INTO fechamento_caixa (numero, usuario, data_ini, data_fim, "
                                  "hora_ini, hora_fim, qtd_veiculos, valor_veiculos, "
                                  "valor_mensalidades, troco, filial) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                  "?, ?, ?, %1)")
                       .arg(kFilialPropria),
                   {numero, usuario, dataIni, dataFim, horaIni, horaFim, tot.qtd_veiculos,
                    tot.valor_veiculos.paraBanco(), tot.valor_mensalidades.paraBanco(), troco});
        for (const TotalConvenio& c : tot.convenios)
            db.executa(QStringLiteral("INSERT INTO fechamento_caixa_convenios (numero, convenio, "
                                      "valor, qtd) VALUES (?, ?, ?, ?)"),
                       {numero, c.nome, c.valor.paraBanco(), c.qtd});
        t.confirma();
        r.fechado = true;
        r.troco = ouZero(troco);
    } catch (const ErroBanco& erro) {
        r.mensagem = QStringLiteral("Não foi possível fechar o caixa. O caixa continua aberto e "
                                    "nada foi alterado.\n%1")
                         .arg(erro.mensagem());
        r.icone = Icone::Critico;
    }
    return r;
}
