#include "subscribers/troca_codigo.h"

#include "data/chave_mensalista.h"

ResultadoTroca troca_codigo(Banco& db, const QString& atual, const QVariant& filial,
                            const QString& novo) {
    ResultadoTroca r;
    const QString n = novo.trimmed();
    if (n.isEmpty() || n == atual || atual.isEmpty()) {
        r.mensagem = QStringLiteral("Não é possível alterar o código.");
        return r;
    }
    bool numero = true;
    for (QChar c : n) numero = numero && c.isDigit();
    if (!numero) {
        r.mensagem = QStringLiteral("O novo código deve ter apenas números, sem espaços.");
        return r;
    }
    // The office keeps a branch's subscribers under the codes the branch gave them: renumbered
    // here, the branch's next file would bring the old code back beside the new one.
    if (!filial.isNull() && db.valor(QStringLiteral("SELECT escritorio FROM geral LIMIT 1")).toBool()) {
        const QString nome =
            db.valor(QStringLiteral("SELECT nome FROM filiais WHERE codigo = ?"), {filial}).toString();
        r.mensagem = QStringLiteral("Este mensalista pertence à filial %1: o código dele é o da "
                                    "filial e só pode ser trocado lá.")
                         .arg(nome.isEmpty() ? filial.toString()
                                             : QStringLiteral("%1 (%2)").arg(nome, filial.toString()));
        return r;
    }
    const qint64 codigoNovo = n.toLongLong();
    if (db.existe(QStringLiteral("SELECT codigo FROM mensalistas WHERE codigo = ?"), {codigoNovo})) {
        r.mensagem = QStringLiteral("Já existe mensalista cadastro com o código %1!").arg(n);
        return r;
    }
    const ChaveMensalista m{atual.toLongLong(), filial};
    std::vector<std::pair<QString, CondicaoMensalista>> trocas;
    for (const auto& [tabela, campo] : camposDoMensalista())
        trocas.emplace_back(QStringLiteral("UPDATE %1 SET %2 = ? WHERE ")
                                .arg(QLatin1String(tabela), QLatin1String(campo)),
                            dasLinhas(db, m, QLatin1String(tabela)));
    trocas.emplace_back(QStringLiteral("UPDATE mensalistas SET codigo = ? WHERE "), doCadastro(m));
    Transacao t(db);
    for (const auto& [sql, condicao] : trocas)
        db.executa(sql + condicao.sql, QVariantList{codigoNovo} + condicao.valores);
    t.confirma();
    r.trocado = true;
    r.icone = Icone::Informacao;
    r.mensagem = QStringLiteral("Código alterado com sucesso!");
    r.novo = n;
    return r;
}
