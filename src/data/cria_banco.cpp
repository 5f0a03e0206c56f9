#include "data/cria_banco.h"

#include "data/banco.h"
#include "data/esquema.h"
#include "data/gravacao_segura.h"

#include <QFile>
#include <QFileInfo>

void cria_banco(Banco& db, const QString& caminho,
                const std::function<void(Banco&)>& primeirasLinhas) {
    // Under a name nothing holds, nor a log beside it that the engine would take for the new
    // file's own and replay into it.
    ArquivoTemporario criando(QFileInfo(caminho).absolutePath(), caminho + kSufixoCriando, caminho);
    const QString& temporario = criando.caminho();
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
        // Never over whatever took the name meanwhile (a link too), and never by a copy.
        if (!renomeiaSemSobrescrever(QFile::encodeName(temporario), QFile::encodeName(caminho)))
            throw ErroBanco(QStringLiteral("Não foi possível criar o arquivo %1.").arg(caminho));
        criando.esquece();
        sincronizaPasta(QFileInfo(caminho).absolutePath());
        db.abre(caminho, Banco::kSenha);
    } catch (...) {
        db.fecha();
        throw;
    }
}
