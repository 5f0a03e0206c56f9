#include "cash/leitura_fiscal.h"

#include "data/datas.h"

#include <QSqlQuery>

LeituraFiscal leitura_fiscal_devida(Banco& db, const QTime& hora) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT reducaoz, leiturax FROM geral LIMIT 1"));
    if (!q.next()) return LeituraFiscal::Nenhuma;
    const QTime reducaoz = horaDoBanco(q.value(0));
    if (reducaoz.isValid() && hora < reducaoz) return LeituraFiscal::ReducaoZ;
    if (q.value(1).toBool()) return LeituraFiscal::LeituraX;
    return LeituraFiscal::Nenhuma;
}

QString faz_leitura_fiscal(Contexto& ctx) {
    const Estado& e = ctx.estado;
    if (e.impressora_fiscal == QLatin1String(" ")) return {};
    LeituraFiscal leitura;
    try {
        leitura = leitura_fiscal_devida(ctx.estado.db, e.hora_atual);
    } catch (const ErroBanco& erro) {
        return QStringLiteral("Não foi possível ler a configuração da impressora fiscal: nem a "
                              "Leitura X nem a Redução Z foram feitas.\n%1")
            .arg(erro.mensagem());
    }
    ImpressoraFiscal& fiscal = ctx.plataforma.fiscal();
    switch (leitura) {
    case LeituraFiscal::ReducaoZ: {
        const int retorno = fiscal.reducaoZ(QString(), QString());
        if (retorno != 1)
            return QStringLiteral("A impressora fiscal não fez a Redução Z (retorno %1).").arg(retorno);
        break;
    }
    case LeituraFiscal::LeituraX: {
        const int retorno = fiscal.leituraX();
        if (retorno != 1)
            return QStringLiteral("A impressora fiscal não fez a Leitura X (retorno %1).").arg(retorno);
        break;
    }
    case LeituraFiscal::Nenhuma:
        break;
    }
    return {};
}
