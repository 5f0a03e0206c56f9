#include "branches/troca_filial.h"

#include "branches/andamento.h"
#include "branches/arquivos.h"
#include "branches/codigos_trocados.h"
#include "branches/copia_tabelas.h"
#include "branches/leiautes.h"
#include "branches/mescla_tabela.h"
#include "branches/verifica_arquivo.h"
#include "data/banco.h"
#include "data/esquema.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

// The fields (numbered from 1 in the file's table) that find the office's row of a file row.
// Every key holds the branch, so rows of two branches never meet. A stay is its ticket, plate
// and entry, a cancellation its ticket, cash register and time, a payment its subscriber, month
// and moment: a branch that moves its ticket numbering back hands the same numbers out again, a
// subscriber's vehicle has no ticket at all (empty or 0), and a month may be paid twice; each of
// them reaches the office once, and a file merged again finds them all. Texts compare in the
// general sort order.
struct RegraChave {
    const char* tabela;
    const char* chave;
};

const RegraChave kChaves[] = {
    {"cancelamento_ticket", "ticket IS ?1 AND caixa IS ?4 AND filial = ?5 AND hora IS ?3"},
    {"fechamento_caixa", "numero IS ?1 AND filial = ?11"},
    {"pagamento_mensalidade",
     "mensalista IS ?1 AND mes IS ?2 AND filial = ?9 AND data IS ?5 AND hora IS ?6"},
    {"registro_saida",
     "ticket IS ?5 AND placa IS ?6 AND filial = ?14 AND data_entrada IS ?1 AND hora_entrada IS ?2"},
    {"mensalidades", "codigo IS ?1 AND mes IS ?2 AND filial = ?7"},
    {"mensalistas", "codigo IS ?1 AND filial = ?23"},
    {"veiculos_mensalistas", "codigo IS ?1 AND placa IS ?4 AND filial = ?5"},
};

// The office's lookups of those keys that no index of the layout serves. Made at the first
// merge, kept after: without them each file row would read the office's whole table.
const char* const kIndicesMescla[] = {
    "CREATE INDEX IF NOT EXISTS mescla_cancelamento_ticket ON cancelamento_ticket (caixa, filial)",
    "CREATE INDEX IF NOT EXISTS mescla_fechamento_caixa ON fechamento_caixa (numero, filial)",
    "CREATE INDEX IF NOT EXISTS mescla_registro_saida ON registro_saida (ticket, filial, "
    "data_entrada)",
};

// The distinct branch numbers that the rows of `tabelas` in the file carry.
QStringList numerosDe(Banco& arq, const std::vector<const char*>& tabelas) {
    QStringList partes, r;
    for (const char* t : tabelas)
        partes << QStringLiteral("SELECT filial FROM %1 WHERE filial IS NOT NULL").arg(QLatin1String(t));
    for (QSqlQuery q = arq.executa(partes.join(QStringLiteral(" UNION ")) + QStringLiteral(" ORDER BY 1"));
         q.next();)
        r << q.value(0).toString();
    return r;
}

// The branch a file came from: the number its closings, stays and cancellations carry (only a
// lane writes those, and always as its own), or else the one number every row of it carries.
// Null for a file without rows. Throws ErroBanco when that is not one number.
QVariant filialDoArquivo(Banco& arq) {
    QStringList numeros = numerosDe(arq, {"fechamento_caixa", "registro_saida", "cancelamento_ticket"});
    if (numeros.isEmpty()) {
        std::vector<const char*> todas;
        for (const TabelaArquivo& t : leiauteTrocaFilial()) todas.push_back(t.nome);
        numeros = numerosDe(arq, todas);
    }
    if (numeros.size() > 1)
        throw ErroBanco(QStringLiteral("Não é possível saber de que filial é o arquivo: ele traz "
                                       "registros das filiais %1.")
                            .arg(numeros.join(QStringLiteral(", "))));
    return numeros.isEmpty() ? QVariant() : QVariant(numeros.first().toLongLong());
}

const RegraChave& regraDe(const char* tabela) {
    for (const RegraChave& r : kChaves)
        if (qstrcmp(r.tabela, tabela) == 0) return r;
    throw ErroBanco(QStringLiteral("tabela sem chave: %1").arg(QLatin1String(tabela)));
}

}  // namespace

ResultadoBackup exporta_filial(Banco& db, const QString& arquivo) {
    // Made new under a name of its own, noted until it takes its place.
    ArquivoTemporario gravando(QFileInfo(db.caminho()).absolutePath(), arquivo + kSufixoGravando);
    const QString& temporario = gravando.caminho();
    try {
        const QVariant propria = db.valor(QStringLiteral("SELECT filial FROM geral"));
        if (propria.isNull()) {
            for (const TabelaArquivo& t : leiauteTrocaFilial())
                if (db.existe(QStringLiteral("SELECT 1 FROM %1 WHERE filial IS NULL")
                                  .arg(QLatin1String(t.nome))))
                    return {false, QStringLiteral(
                                       "O número desta filial não está informado nas "
                                       "configurações, e há registros sem filial. Informe o "
                                       "número da filial antes de realizar o backup para o "
                                       "escritório.")};
        }
        criaArquivoTroca(temporario, leiauteTrocaFilial());
        comArquivoAnexado(db, temporario, [&] {
            for (const TabelaArquivo& t : leiauteTrocaFilial()) {
                QStringList origem;
                for (const char* c : t.campos)
                    origem << (qstrcmp(c, "filial") == 0 ? QStringLiteral("coalesce(filial, ?)")
                                                         : QLatin1String(c));
                db.executa(QStringLiteral("INSERT INTO arquivo.%1 (%2) SELECT %3 FROM main.%1 "
                                          "ORDER BY rowid")
                               .arg(QLatin1String(t.nome), listaCampos(t),
                                    origem.join(QStringLiteral(", "))),
                           {propria});
            }
        });
        substituiArquivo(temporario, arquivo);
        gravando.esquece();
    } catch (const ErroBanco& e) {
        return {false, QStringLiteral("Não foi possível gerar o arquivo %1: %2")
                           .arg(arquivo, e.mensagem())};
    }
    return {true,
            QStringLiteral("Backup de filial realizado com sucesso no arquivo %1").arg(arquivo)};
}

ResultadoBackup mescla_filial(Banco& db, const QString& arquivo, Andamento* andamento,
                              const std::function<bool(const QString&)>& confirma) {
    std::unique_ptr<CopiaDeEntrada> copia;
    Banco arq;
    QVariant filial;
    bool cadastrada = true;
    try {
        copia = abreRecebido(db, arq, arquivo, leiauteTrocaFilial(), andamento);
        for (const TabelaArquivo& t : leiauteTrocaFilial())
            if (arq.existe(QStringLiteral("SELECT 1 FROM %1 WHERE filial IS NULL")
                               .arg(QLatin1String(t.nome))))
                throw ErroBanco(QStringLiteral("A tabela %1 tem registros sem número de filial.")
                                    .arg(QLatin1String(t.nome)));
        filial = filialDoArquivo(arq);
        cadastrada = filial.isNull() ||
                     db.existe(QStringLiteral("SELECT 1 FROM filiais WHERE codigo = ?"), {filial});
    } catch (const ErroBanco& e) {
        return {false, textoFalhaRecebimento(arquivo, e.mensagem())};
    }
    // A branch that changed its number sends its whole history again under the new one.
    if (!cadastrada && confirma &&
        !confirma(QStringLiteral("O arquivo é da filial %1, que não está no cadastro de filiais. Se "
                                 "for uma filial cadastrada que mudou de número, os mensalistas, "
                                 "mensalidades e pagamentos dela ficarão duas vezes no escritório: "
                                 "responda Não e volte o número dela nas configurações da filial "
                                 "antes de gerar o arquivo. Receber o arquivo como da filial %1?")
                      .arg(filial.toString())))
        return {false, QStringLiteral("O arquivo %1 não foi recebido. Nada foi alterado e o arquivo "
                                      "foi mantido.")
                           .arg(arquivo)};

    // Only the branch's own rows: those of another branch that it holds (a subscriber file of
    // that branch taken by mistake) are that branch's to send.
    const QString daFilial = QStringLiteral("filial = ?1");
    QString avisos;
    try {
        const qint64 linhas = linhasDoArquivo(arq, leiauteTrocaFilial(), daFilial, {filial});
        const qint64 deOutras = linhasDoArquivo(arq, leiauteTrocaFilial()) - linhas;
        if (andamento) andamento->defineTotal(linhas);
        Transacao t(db);
        const Andamento::Vigia vigia(andamento, db.nativo());
        for (const char* sql : kIndicesMescla) db.executa(QLatin1String(sql));
        const CodigosDaFilial codigos = codigosTrocados(db, arq, filial);
        trocaCodigos(db, codigos);
        for (const TabelaArquivo& tabela : leiauteTrocaFilial()) {
            const RegraChave& r = regraDe(tabela.nome);
            Mescla m{tabela, QLatin1String(r.chave)};
            m.filtro = daFilial;
            m.valoresSelecao = {filial};
            // The branch's rows stay the branch's: a register of the office with the same
            // number never counts them.
            if (temCampo(QLatin1String(tabela.nome), QLatin1String(kCampoRecebido)))
                m.marca = QLatin1String(kCampoRecebido);
            if (qstrcmp(tabela.nome, "mensalidades") == 0) m.conserva = mesPagoAqui();
            mesclaTabela(db, arq, m, andamento);
        }
        t.confirma();
        avisos += avisoCodigos(codigos);
        if (deOutras > 0)
            avisos += QStringLiteral("\r\n%1 registro(s) de outras filiais que vieram no arquivo não foram "
                                     "recebidos: cada filial envia os seus.")
                          .arg(deOutras);
    } catch (const ErroBanco& e) {
        return {false, textoFalhaRecebimento(arquivo, e.mensagem())};
    }
    arq.fecha();
    const QString mantido = excluiRecebido(*copia, arquivo);
    return {true, QStringLiteral("Backup de filial recebido com sucesso. ") +
                      (mantido.isEmpty() ? QStringLiteral("O arquivo %1 será excluído.").arg(arquivo)
                                         : mantido) +
                      avisos};
}
