#include "data/cria_banco.h"

#include "data/banco.h"
#include "data/esquema.h"

#include <QFile>

void cria_banco(Banco& db, const QString& caminho,
                const std::function<void(Banco&)>& primeirasLinhas) {
    const QString temporario = caminho + QStringLiteral(".criando");
    QFile::remove(temporario);  // left by a creation that was cut short
    try {
        db.cria(temporario, Banco::kSenha);
        {
            Transacao t(db);
            for (const Tabela& tabela : esquema()) {
                db.executa(sqlCriaTabela(tabela));
                if (tabela.campoIndice)
                    db.executa(sqlCriaIndice(QLatin1String(tabela.nome),
                                             QLatin1String(tabela.campoIndice)));
            }
            if (primeirasLinhas) primeirasLinhas(db);
            t.confirma();
        }
        db.fecha();
        if (!QFile::rename(temporario, caminho))
            throw ErroBanco(QStringLiteral("Não foi possível criar o arquivo %1.").arg(caminho));
        db.abre(caminho, Banco::kSenha);
    } catch (...) {
        db.fecha();
        QFile::remove(temporario);
        throw;
    }
}
