#include "branches/arquivo_mensalistas.h"

#include "branches/andamento.h"
#include "branches/arquivos.h"
#include "branches/copia_tabelas.h"
#include "branches/leiautes.h"
#include "branches/mescla_tabela.h"
#include "branches/verifica_arquivo.h"
#include "data/banco.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>

namespace {

const TabelaArquivo& tabelaDoArquivo(const char* nome) {
    for (const TabelaArquivo& t : leiauteMensalistas())
        if (qstrcmp(t.nome, nome) == 0) return t;
    throw ErroBanco(QStringLiteral("tabela desconhecida: %1").arg(QLatin1String(nome)));
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
    // Made new under a name of its own, and noted until it takes its place: cut short (a kill),
    // the subscribers' names and documents it holds are gone at the next start.
    ArquivoTemporario gravando(QFileInfo(db.caminho()).absolutePath(), arquivo + kSufixoGravando);
    const QString& temporario = gravando.caminho();
    bool haMensalistas = false;
    try {
        if (!db.existe(QStringLiteral("SELECT 1 FROM mensalistas")))
            return {false, QStringLiteral("Não há mensalista cadastrados."), false};
        haMensalistas = db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE filial = ?"), {*filial});
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
        gravando.esquece();
    } catch (const ErroBanco& e) {
        return {false, QStringLiteral("Não foi possível gerar o arquivo %1: %2").arg(arquivo, e.mensagem()),
                false};
    }
    if (!haMensalistas)
        return {false, QStringLiteral("Nenhum mensalista cadastrado com esta filial."), false};
    return {true, QStringLiteral("Geração de arquivo realizada com sucesso em %1.").arg(arquivo),
            false};
}

ResultadoArquivo recebe_arquivo_mensalistas(Banco& db, const QString& unidade, bool removivel,
                                            quint64 livre, Andamento* andamento) {
    if (removivel && livre == 0) return {false, QStringLiteral("Não há disquete no drive."), false};
    const QString arquivo = arquivo_mensalistas(unidade);
    if (!existe_arquivo(arquivo))
        return {false, QStringLiteral("Arquivo %1 não encontrado.").arg(arquivo), false};

    const auto falha = [&](const QString& causa) {
        return ResultadoArquivo{false, textoFalhaRecebimento(arquivo, causa), false};
    };
    std::unique_ptr<CopiaDeEntrada> copia;
    Banco arq;
    try {
        copia = abreRecebido(db, arq, arquivo, leiauteMensalistas(), andamento);
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }

    try {
        // A local row without a branch is this installation's own.
        QSqlQuery geral = db.executa(QStringLiteral("SELECT escritorio, filial FROM geral LIMIT 1"));
        const bool escritorio = geral.next() && geral.value(0).toBool();
        const QVariant propria = geral.value(1);
        geral.finish();
        // A row of the file without a branch belongs to the branch the file was made for: the
        // one its other rows name, or else this one. So a second import finds it again.
        QVariantList filiais;
        for (QSqlQuery q = arq.executa(QStringLiteral(
                 "SELECT filial FROM mensalistas WHERE filial IS NOT NULL UNION "
                 "SELECT filial FROM veiculos_mensalistas WHERE filial IS NOT NULL UNION "
                 "SELECT filial FROM mensalidades WHERE filial IS NOT NULL"));
             q.next();)
            filiais << q.value(0);
        // A lane takes only the file made for its own number: another branch's subscribers kept
        // here would go back to the office in this branch's file, as this branch's word on them.
        QStringList outras;
        for (const QVariant& f : filiais)
            if (propria.isNull() || f.toLongLong() != propria.toLongLong()) outras << f.toString();
        if (!escritorio && !outras.isEmpty())
            throw ErroBanco(
                propria.isNull()
                    ? QStringLiteral("Este arquivo é de mensalistas da filial %1, e o número desta "
                                     "filial não está informado nas configurações. Informe-o antes "
                                     "de receber o arquivo.")
                          .arg(outras.join(QStringLiteral(", ")))
                    : QStringLiteral("Este arquivo é de mensalistas da filial %1, e esta é a filial "
                                     "%2. Receba somente o arquivo gerado para a filial %2.")
                          .arg(outras.join(QStringLiteral(", ")), propria.toString()));
        const QVariant doArquivo = filiais.size() == 1 ? filiais.first() : propria;
        const auto comFilial = [&](const char* nome) {
            return listaCampos(tabelaDoArquivo(nome))
                .replace(QRegularExpression(QStringLiteral("\\bfilial$")),
                         QStringLiteral("coalesce(filial, ?1)"));
        };

        if (andamento) andamento->defineTotal(linhasDoArquivo(arq, leiauteMensalistas()));
        Transacao t(db);
        const Andamento::Vigia vigia(andamento, db.nativo());

        Mescla mensalistas{tabelaDoArquivo("mensalistas"),
                           QStringLiteral("codigo IS ?1 AND coalesce(filial, ?21) IS ?20")};
        // Fees left over under the code of a subscriber new here go first.
        mensalistas.antesDeIncluir = QStringLiteral(
            "DELETE FROM mensalidades WHERE codigo IS ?1 AND coalesce(filial, ?21) IS ?20");
        mensalistas.extras = {propria};
        mensalistas.selecao = comFilial("mensalistas");
        mensalistas.valoresSelecao = {doArquivo};
        mesclaTabela(db, arq, mensalistas, andamento);

        // Only the vehicles of the subscribers the file carries are replaced.
        executaPorLinha(db, arq,
                        QStringLiteral("SELECT codigo, coalesce(filial, ?1) FROM mensalistas UNION "
                                       "SELECT codigo, coalesce(filial, ?1) FROM veiculos_mensalistas"),
                        {doArquivo},
                        QStringLiteral("DELETE FROM veiculos_mensalistas WHERE codigo IS ?1 AND "
                                       "coalesce(filial, ?3) IS ?2"),
                        {propria});
        Mescla veiculos{tabelaDoArquivo("veiculos_mensalistas"), QString()};
        veiculos.selecao = comFilial("veiculos_mensalistas");
        veiculos.valoresSelecao = {doArquivo};
        mesclaTabela(db, arq, veiculos, andamento);

        mesclaTabela(db, arq, {tabelaDoArquivo("tipos_mensalistas"), QStringLiteral("codigo IS ?1")},
                     andamento);

        Mescla mensalidades{tabelaDoArquivo("mensalidades"),
                            QStringLiteral("codigo IS ?1 AND mes IS ?2 AND coalesce(filial, ?8) IS ?7")};
        mensalidades.extras = {propria};
        mensalidades.conserva = mesPagoAqui();
        mensalidades.selecao = comFilial("mensalidades");
        mensalidades.valoresSelecao = {doArquivo};
        mesclaTabela(db, arq, mensalidades, andamento);
        t.confirma();
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }
    arq.fecha();
    QString mensagem = QStringLiteral("Recebimento de arquivo realizado com sucesso.");
    if (const QString mantido = excluiRecebido(*copia, arquivo); !mantido.isEmpty())
        mensagem += QStringLiteral("\r\n") + mantido;
    return {true, mensagem, false};
}
