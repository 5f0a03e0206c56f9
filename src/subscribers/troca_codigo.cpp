#include "subscribers/troca_codigo.h"

ResultadoTroca troca_codigo(Banco& db, const QString& atual, const QString& novo) {
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
    const qint64 codigoNovo = n.toLongLong();
    if (db.existe(QStringLiteral("SELECT codigo FROM mensalistas WHERE codigo = ?"), {codigoNovo})) {
        r.mensagem = QStringLiteral("Já existe mensalista cadastro com o código %1!").arg(n);
        return r;
    }
    const qint64 codigoAtual = atual.toLongLong();
    const char* const tabelas[][2] = {
        {"mensalistas", "codigo"},         {"mensalidades", "codigo"},
        {"pagamento_mensalidade", "mensalista"}, {"registro_saida", "mensalista"},
        {"veiculos_mensalistas", "codigo"}, {"veiculos_patio", "mensalista"},
    };
    Transacao t(db);
    for (const auto& [tabela, campo] : tabelas)
        db.executa(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?")
                       .arg(QLatin1String(tabela), QLatin1String(campo)),
                   {codigoNovo, codigoAtual});
    t.confirma();
    r.trocado = true;
    r.icone = Icone::Informacao;
    r.mensagem = QStringLiteral("Código alterado com sucesso!");
    r.novo = n;
    return r;
}
