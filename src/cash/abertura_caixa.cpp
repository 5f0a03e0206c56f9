#include "cash/abertura_caixa.h"

#include "data/datas.h"
#include "data/dinheiro.h"
#include "data/filial_propria.h"

ResultadoAbertura abre_caixa(Contexto& ctx, const QString& troco) {
    // Refused as every money field refuses it: below zero (the float is money in the drawer), or
    // over the limit, too many digits for any amount included, which the takings and the closing
    // would carry beyond what their fields show.
    if (auto recusa = recusaValorDigitado(troco)) return {false, *recusa, Icone::Informacao};
    const std::optional<Dinheiro> valor = Dinheiro::ler(troco);
    if (!valor) return {false, QStringLiteral("Troco inválido."), Icone::Informacao};

    Estado& e = ctx.estado;
    try {
        const QVariant numero =
            e.db.executa(QStringLiteral("INSERT INTO caixa (usuario, data_abertura, hora_abertura, "
                                        "aberto, troco, filial) VALUES (?, ?, ?, 1, ?, %1)")
                             .arg(kFilialPropria),
                         {e.usuario_atual, dataParaBanco(e.data_atual), horaParaBanco(e.hora_atual),
                          valor->paraBanco()})
                .lastInsertId();
        e.numero_caixa = numero.toInt();
    } catch (const ErroBanco& erro) {
        return {false,
                erro.mensagemPara(QStringLiteral("abrir o caixa")),
                Icone::Critico};
    }
    return {true, QStringLiteral("Caixa aberto com sucesso."), Icone::Informacao};
}
