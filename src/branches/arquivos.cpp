#include "branches/arquivos.h"

#include "data/banco.h"
#include "data/gravacao_segura.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

bool existe_arquivo(const QString& caminho) {
    const QFileInfo f(caminho);
    return f.exists() && f.isFile() && !f.isHidden();
}

QString naPasta(const QString& pasta, const QString& nome) {
    if (pasta.endsWith(u'/')) return pasta + nome;
    return pasta + u'/' + nome;
}

void copiaVerificada(const QString& origem, const QString& copia, const QString& nome,
                     const QString& falha, ArquivoCopiado* copiado) {
    int origemAberta = -1;
    switch (copiaPrivada(origem, copia, copiado ? &origemAberta : nullptr)) {
    case ResultadoCopia::Feita:
        if (copiado) copiado->guarda(origemAberta);
        return;
    case ResultadoCopia::DiscoCheio: throw ErroBanco(textoDiscoCheio(nome));
    case ResultadoCopia::OrigemMudou:
        throw ErroBanco(QStringLiteral("O arquivo %1 mudou enquanto era copiado (talvez outro programa "
                                       "ainda o esteja gravando). Aguarde o fim da gravação e tente "
                                       "novamente.")
                            .arg(origem));
    case ResultadoCopia::OrigemEmGravacao:
        throw ErroBanco(QStringLiteral("O arquivo %1 está aberto para gravação em outro programa. "
                                       "Aguarde o fim da gravação e tente novamente.")
                            .arg(origem));
    case ResultadoCopia::Falhou: break;
    }
    throw ErroBanco(falha);
}

CopiaDeEntrada::CopiaDeEntrada(const QString& origem, const QString& copia, const QString& falha)
    : copia_(QFileInfo(copia).absolutePath(), copia), nomeOrigem_(origem) {
    copiaVerificada(origem, copia_.caminho(), copia_.caminho(), falha, &origem_);
}

void substituiArquivo(const QString& novo, const QString& destino) {
    if (!sincroniza(novo))
        throw ErroBanco(semEspaco(errno) ? textoDiscoCheio(destino)
                                         : QStringLiteral("Não foi possível gravar o arquivo %1 no disco.").arg(novo));
    anotaTemporarioInteiro(novo);
    avisaMudanca(destino);
    if (std::rename(QFile::encodeName(novo).constData(), QFile::encodeName(destino).constData()) != 0)
        throw ErroBanco(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(destino));
    sincronizaPasta(QFileInfo(destino).absolutePath());
}

QString listaCampos(const TabelaArquivo& t) {
    QStringList r;
    for (const char* c : t.campos) r << QLatin1String(c);
    return r.join(QStringLiteral(", "));
}

void criaArquivoTroca(const QString& caminho, const LeiauteArquivo& leiaute) {
    Banco arq;
    arq.cria(caminho, Banco::kSenha);
    {
        Transacao t(arq);
        for (const TabelaArquivo& tabela : leiaute) {
            Tabela def{tabela.nome, {}, nullptr};
            for (const char* c : tabela.campos)
                def.campos.push_back(campoEsquema(QLatin1String(tabela.nome), QLatin1String(c)));
            arq.executa(sqlCriaTabela(def));
            if (tabela.campoIndice)
                arq.executa(sqlCriaIndice(QLatin1String(tabela.nome),
                                          QLatin1String(tabela.campoIndice)));
        }
        t.confirma();
    }
    // A file that travels is one file: no log beside it, readable from any medium.
    arq.executa(QStringLiteral("PRAGMA journal_mode = DELETE"));
    arq.fecha();
}
