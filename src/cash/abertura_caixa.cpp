#include "cash/abertura_caixa.h"

#include "data/datas.h"
#include "data/dinheiro.h"

ResultadoAbertura abre_caixa(Contexto& ctx, const QString& troco) {
    const std::optional<Dinheiro> valor = Dinheiro::ler(troco);
    // The float is money in the drawer: it cannot be negative.
    if (!valor || *valor < Dinheiro())
        return {false, QStringLiteral("Troco inválido."), Icone::Informacao};

    Estado& e = ctx.estado;
    try {
        const QVariant numero =
            e.db.executa(QStringLiteral("INSERT INTO caixa (usuario, data_abertura, hora_abertura, "
                                        "aberto, troco) VALUES (?, ?, ?, 1, ?)"),
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
