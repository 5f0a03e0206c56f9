#include "data/cria_banco.h"

#include "data/banco.h"
#include "data/esquema.h"
#include "data/gravacao_segura.h"

#include <QFile>
#include <QFileInfo>

void cria_banco(Banco& db, const QString& caminho,
                const std::function<void(Banco&)>& primeirasLinhas) {
    const QString temporario = caminho + kSufixoCriando;
    // Left by a creation cut short, with its log: a log left beside the new file would be
    // taken for its own and replayed into it.
    removeBanco(temporario);
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
            avisaMudanca(temporario);
            t.confirma();
        }
        // Renamed only once the file itself holds every row, its log folded in.
        avisaMudanca(temporario);
        db.consolida();
        db.fecha();
        avisaMudanca(caminho);
        if (!QFile::rename(temporario, caminho))
            throw ErroBanco(QStringLiteral("Não foi possível criar o arquivo %1.").arg(caminho));
        sincronizaPasta(QFileInfo(caminho).absolutePath());
        db.abre(caminho, Banco::kSenha);
    } catch (...) {
        db.fecha();
        removeBanco(temporario);
        throw;
    }
}
