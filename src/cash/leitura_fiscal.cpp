#include "cash/leitura_fiscal.h"

#include "data/datas.h"

#include <QSqlQuery>

namespace {

QString nomeLeitura(LeituraFiscal leitura) {
    return leitura == LeituraFiscal::ReducaoZ ? QStringLiteral("Redução Z") : QStringLiteral("Leitura X");
}

}  // namespace

LeituraFiscal leitura_fiscal_devida(Banco& db, const QTime& hora) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT reducaoz, leiturax FROM geral LIMIT 1"));
    if (!q.next()) return LeituraFiscal::Nenhuma;
    const QTime reducaoz = horaDoBanco(q.value(0));
    if (reducaoz.isValid() && hora < reducaoz) return LeituraFiscal::ReducaoZ;
    if (q.value(1).toBool()) return LeituraFiscal::LeituraX;
    return LeituraFiscal::Nenhuma;
}

LeituraPrevista preve_leitura_fiscal(Contexto& ctx) {
    const Estado& e = ctx.estado;
    LeituraPrevista p;
    if (e.impressora_fiscal == QLatin1String(" ")) return p;
    try {
        p.leitura = leitura_fiscal_devida(ctx.estado.db, e.hora_atual);
    } catch (const ErroBanco& erro) {
        p.falha = QStringLiteral("Não foi possível ler a configuração da impressora fiscal: nem a "
                                 "Leitura X nem a Redução Z foram feitas.\n%1")
                      .arg(erro.mensagem());
    }
    return p;
}

ResultadoCupom fecha_cupom_antes_da_leitura(Contexto& ctx, LeituraFiscal leitura) {
    Estado& e = ctx.estado;
    if (leitura == LeituraFiscal::Nenhuma || e.cupom_aberto.isEmpty()) return {};
    // Its own status, as the closing's reading keeps no status either.
    qint16 retorno = 0;
    ResultadoCupom r = fecha_cupom_aberto(ctx.plataforma.fiscal(), e.ult_linha, retorno, e.cupom_aberto);
    if (r.falhou)
        r.texto += QStringLiteral("\nA %1 não é feita com um cupom aberto: o fechamento não foi "
                                  "gravado e o caixa continua aberto.")
                       .arg(nomeLeitura(leitura));
    return r;
}

QString faz_leitura_fiscal(Contexto& ctx, const LeituraPrevista& prevista) {
    if (!prevista.falha.isEmpty()) return prevista.falha;
    if (prevista.leitura == LeituraFiscal::Nenhuma) return {};
    ImpressoraFiscal& fiscal = ctx.plataforma.fiscal();
    const int retorno = prevista.leitura == LeituraFiscal::ReducaoZ ? fiscal.reducaoZ(QString(), QString())
                                                                    : fiscal.leituraX();
    if (retorno != 1)
        return comMotivo(fiscal, QStringLiteral("A impressora fiscal não fez a %1 (retorno %2).")
                                     .arg(nomeLeitura(prevista.leitura))
                                     .arg(retorno));
    return {};
}
