#include "branches/copia_tabelas.h"

#include "data/banco.h"

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
