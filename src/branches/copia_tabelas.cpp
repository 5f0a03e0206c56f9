#include "branches/copia_tabelas.h"

#include "data/banco.h"

#include <QSqlError>

Comando::Comando(Banco& db, const QString& sql) : q_(db.conexao()) {
    if (!q_.prepare(sql))
        throw ErroBanco(QStringLiteral("Erro no banco de dados: %1").arg(q_.lastError().text()));
}

void Comando::executa(const QVariantList& valores) {
    for (int i = 0; i < valores.size(); ++i) q_.bindValue(i, valores[i]);
    if (!q_.exec())
        throw ErroBanco(QStringLiteral("Erro no banco de dados: %1").arg(q_.lastError().text()));
}

void comArquivoAnexado(Banco& db, const QString& caminho, const std::function<void()>& copia) {
    db.executa(QStringLiteral("ATTACH DATABASE ? AS arquivo"), {caminho});
    try {
        Transacao t(db);
        copia();
        t.confirma();
    } catch (...) {
        try {
            db.executa(QStringLiteral("DETACH DATABASE arquivo"));
        } catch (const ErroBanco&) {
        }
        throw;
    }
    db.executa(QStringLiteral("DETACH DATABASE arquivo"));
}
