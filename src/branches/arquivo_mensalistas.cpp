#include "branches/arquivo_mensalistas.h"

#include "branches/arquivos.h"
#include "branches/copia_tabelas.h"
#include "branches/leiautes.h"
#include "data/banco.h"

#include <QFile>
#include <QSqlQuery>

#include <functional>

namespace {

const TabelaArquivo& tabelaDoArquivo(const char* nome) {
    for (const TabelaArquivo& t : leiauteMensalistas())
        if (qstrcmp(t.nome, nome) == 0) return t;
    throw ErroBanco(QStringLiteral("tabela desconhecida: %1").arg(QLatin1String(nome)));
}

QString marcas(const TabelaArquivo& t) {
    QStringList m;
    for (size_t i = 0; i < t.campos.size(); ++i) m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

QString atribuicoes(const TabelaArquivo& t) {
    QStringList m;
    for (const char* c : t.campos) m << QStringLiteral("%1 = ?").arg(QLatin1String(c));
    return m.join(QStringLiteral(", "));
}

QVariantList linha(const QSqlQuery& q, int quantos) {
    QVariantList v;
    for (int i = 0; i < quantos; ++i) v << q.value(i);
    return v;
}

// Rows of the file's table whose key finds a local row are written over it (the first one);
// the others are added. `busca` selects the local rowid from the key values `chave` gives.
void mesclaPorChave(Banco& db, Banco& arq, const char* nome, const QString& busca,
                    const std::function<QVariantList(const QVariantList&)>& chave,
                    const std::function<void(const QVariantList&)>& antesDeIncluir = {}) {
    const TabelaArquivo& t = tabelaDoArquivo(nome);
    const int n = int(t.campos.size());
    Comando insere(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(QLatin1String(nome), listaCampos(t), marcas(t)));
    Comando altera(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                           .arg(QLatin1String(nome), atribuicoes(t)));
    QSqlQuery q = arq.executa(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(listaCampos(t), QLatin1String(nome)));
    while (q.next()) {
        QVariantList v = linha(q, n);
        const QVariant local = db.valor(busca, chave(v));
        if (local.isNull()) {
            if (antesDeIncluir) antesDeIncluir(v);
            insere.executa(v);
        } else {
            v << local;
            altera.executa(v);
        }
    }
}

}  // namespace

QString arquivo_mensalistas(const QString& unidade) {
    return naPasta(unidade, kNomeArquivoMensalistas);
}

ResultadoArquivo gera_arquivo_mensalistas(Banco& db, std::optional<qint32> filial,
                                          const QString& unidade, quint64 livre) {
    if (!filial) return {false, QStringLiteral("Escolha a filial."), true};
    if (livre == 0)
        return {false, QStringLiteral("Drive '%1' não disponível.").arg(unidade), false};
    const QString arquivo = arquivo_mensalistas(unidade);
    const QString temporario = arquivo + QStringLiteral(".gravando");
    bool haMensalistas = false;
    try {
        if (!db.existe(QStringLiteral("SELECT 1 FROM mensalistas")))
            return {false, QStringLiteral("Não há mensalista cadastrados."), false};
        haMensalistas = db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE filial = ?"), {*filial});
        removeBanco(temporario);
        criaArquivoTroca(temporario, leiauteMensalistas());
        comArquivoAnexado(db, temporario, [&] {
            if (!haMensalistas) return;
            for (const TabelaArquivo& t : leiauteMensalistas()) {
                const bool todas = qstrcmp(t.nome, "tipos_mensalistas") == 0;
                db.executa(QStringLiteral("INSERT INTO arquivo.%1 (%2) SELECT %2 FROM main.%1 %3 "
                                          "ORDER BY rowid")
                               .arg(QLatin1String(t.nome), listaCampos(t),
                                    todas ? QString() : QStringLiteral("WHERE filial = ?")),
                           todas ? QVariantList{} : QVariantList{*filial});
            }
        });
        substituiArquivo(temporario, arquivo);
    } catch (const ErroBanco& e) {
        removeBanco(temporario);
        return {false, QStringLiteral("Não foi possível gerar o arquivo %1: %2").arg(arquivo, e.mensagem()),
                false};
    }
    if (!haMensalistas)
        return {false, QStringLiteral("Nenhum mensalista cadastrado com esta filial."), false};
    return {true, QStringLiteral("Geração de arquivo realizada com sucesso em %1.").arg(arquivo),
            false};
}

ResultadoArquivo recebe_arquivo_mensalistas(Banco& db, const QString& unidade, bool removivel,
                                            quint64 livre) {
    if (removivel && livre == 0) return {false, QStringLiteral("Não há disquete no drive."), false};
    const QString arquivo = arquivo_mensalistas(unidade);
    if (!existe_arquivo(arquivo))
        return {false, QStringLiteral("Arquivo %1 não encontrado.").arg(arquivo), false};

    const auto falha = [&](const QString& causa) {
        return ResultadoArquivo{false,
                                QStringLiteral("O arquivo %1 não pôde ser recebido: %2\r\n"
                                               "Nada foi alterado e o arquivo foi mantido.")
                                    .arg(arquivo, causa),
                                false};
    };
    Banco arq;
    try {
        abreVerificado(arq, arquivo, leiauteMensalistas());
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }

    try {
        // A local row without a branch is this installation's own.
        const QVariant propria = db.valor(QStringLiteral("SELECT filial FROM geral"));
        Transacao t(db);

        mesclaPorChave(
            db, arq, "mensalistas",
            QStringLiteral("SELECT rowid FROM mensalistas WHERE codigo IS ? AND "
                           "coalesce(filial, ?) IS ? ORDER BY rowid LIMIT 1"),
            [&](const QVariantList& v) { return QVariantList{v[0], propria, v[19]}; },
            [&](const QVariantList& v) {
                // Fees left over under the code of a subscriber new here go first.
                db.executa(QStringLiteral("DELETE FROM mensalidades WHERE codigo IS ? AND "
                                          "coalesce(filial, ?) IS ?"),
                           {v[0], propria, v[19]});
            });

        // Only the vehicles of the subscribers the file carries are replaced.
        const TabelaArquivo& veiculos = tabelaDoArquivo("veiculos_mensalistas");
        for (QSqlQuery q = arq.executa(QStringLiteral(
                 "SELECT codigo, filial FROM mensalistas UNION "
                 "SELECT codigo, filial FROM veiculos_mensalistas"));
             q.next();)
            db.executa(QStringLiteral("DELETE FROM veiculos_mensalistas WHERE codigo IS ? AND "
                                      "coalesce(filial, ?) IS ?"),
                       {q.value(0), propria, q.value(1)});
        Comando insere(db, QStringLiteral("INSERT INTO veiculos_mensalistas (%1) VALUES (%2)")
                               .arg(listaCampos(veiculos), marcas(veiculos)));
        for (QSqlQuery q = arq.executa(QStringLiteral("SELECT %1 FROM veiculos_mensalistas "
                                                      "ORDER BY rowid")
                                           .arg(listaCampos(veiculos)));
             q.next();)
            insere.executa(linha(q, int(veiculos.campos.size())));

        mesclaPorChave(db, arq, "tipos_mensalistas",
                       QStringLiteral("SELECT rowid FROM tipos_mensalistas WHERE codigo IS ? "
                                      "ORDER BY rowid LIMIT 1"),
                       [](const QVariantList& v) { return QVariantList{v[0]}; });

        mesclaPorChave(db, arq, "mensalidades",
                       QStringLiteral("SELECT rowid FROM mensalidades WHERE codigo IS ? AND "
                                      "mes IS ? AND coalesce(filial, ?) IS ? ORDER BY rowid LIMIT 1"),
                       [&](const QVariantList& v) { return QVariantList{v[0], v[1], propria, v[6]}; });
        t.confirma();
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }
    arq.fecha();
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    removeBanco(arquivo);
    QString mensagem = QStringLiteral("Recebimento de arquivo realizado com sucesso.");
    if (QFile::exists(arquivo))
        mensagem += QStringLiteral("\r\nNão foi possível excluir o arquivo %1.").arg(arquivo);
    return {true, mensagem, false};
}
