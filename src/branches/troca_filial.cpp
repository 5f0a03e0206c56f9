#include "branches/troca_filial.h"

#include "branches/arquivos.h"
#include "branches/copia_tabelas.h"
#include "branches/leiautes.h"
#include "data/banco.h"

#include <QFile>
#include <QHash>
#include <QSqlQuery>

namespace {

// The fields that find the office's row of a file row. Cancellations and stays without a
// ticket (a subscriber's vehicle has none) are told apart by their time and entry, not folded
// into one row per cash register or plate.
struct RegraChave {
    const char* tabela;
    std::vector<const char*> comTicket;
    std::vector<const char*> semTicket;   // empty: the table has no ticket
};

const RegraChave kChaves[] = {
    {"cancelamento_ticket", {"ticket", "caixa", "filial"}, {"caixa", "filial", "hora"}},
    {"fechamento_caixa", {"numero", "filial"}, {}},
    {"pagamento_mensalidade", {"mensalista", "mes", "filial"}, {}},
    {"registro_saida", {"ticket", "placa", "filial"},
     {"placa", "filial", "data_entrada", "hora_entrada"}},
    {"mensalidades", {"codigo", "mes", "filial"}, {}},
    {"mensalistas", {"codigo", "filial"}, {}},
    {"veiculos_mensalistas", {"codigo", "placa", "filial"}, {}},
};

const RegraChave& regraDe(const char* tabela) {
    for (const RegraChave& r : kChaves)
        if (qstrcmp(r.tabela, tabela) == 0) return r;
    throw ErroBanco(QStringLiteral("tabela sem chave: %1").arg(QLatin1String(tabela)));
}

int posicao(const TabelaArquivo& t, const char* campo) {
    for (size_t i = 0; i < t.campos.size(); ++i)
        if (qstrcmp(t.campos[i], campo) == 0) return int(i);
    return -1;
}

// The key of a row as one text. Texts compare as the general sort order does for equality
// (letter case ignored), and an empty field matches only an empty field.
class Chave {
public:
    Chave(const TabelaArquivo& t) : regra_(regraDe(t.nome)) {
        for (const char* c : regra_.comTicket) com_.push_back(campo(t, c));
        for (const char* c : regra_.semTicket) sem_.push_back(campo(t, c));
        ticket_ = posicao(t, "ticket");
    }
    QString de(const QVariantList& v) const {
        const bool semTicket = !sem_.empty() && v[ticket_].isNull();
        QString k = semTicket ? QStringLiteral("N") : QStringLiteral("T");
        for (const Parte& p : semTicket ? sem_ : com_) {
            const QVariant& x = v[p.indice];
            k += QChar(0x1f);
            if (x.isNull()) k += QChar(0x1e);
            else if (p.texto) k += x.toString().toCaseFolded();
            else k += x.toString();
        }
        return k;
    }

private:
    struct Parte {
        int indice;
        bool texto;
    };
    static Parte campo(const TabelaArquivo& t, const char* c) {
        return {posicao(t, c),
                campoEsquema(QLatin1String(t.nome), QLatin1String(c)).tipo == TipoCampo::Texto};
    }
    const RegraChave& regra_;
    std::vector<Parte> com_, sem_;
    int ticket_ = -1;
};

QVariantList linha(const QSqlQuery& q, int primeira, int quantos) {
    QVariantList v;
    v.reserve(quantos);
    for (int i = 0; i < quantos; ++i) v << q.value(primeira + i);
    return v;
}

void mesclaTabela(Banco& db, Banco& arq, const TabelaArquivo& t) {
    const QString nome = QLatin1String(t.nome);
    const QString campos = listaCampos(t);
    const int n = int(t.campos.size());
    const Chave chave(t);

    QVariantList filiais;
    for (QSqlQuery q = arq.executa(QStringLiteral("SELECT DISTINCT filial FROM %1").arg(nome));
         q.next();)
        filiais << q.value(0);

    // The office rows of those branches, by key; the first row of a key is the one overwritten.
    QHash<QString, qint64> existentes;
    for (const QVariant& f : filiais) {
        QSqlQuery q = db.executa(
            QStringLiteral("SELECT rowid, %1 FROM %2 WHERE filial = ? ORDER BY rowid").arg(campos, nome),
            {f});
        while (q.next()) {
            const QString k = chave.de(linha(q, 1, n));
            if (!existentes.contains(k)) existentes.insert(k, q.value(0).toLongLong());
        }
    }

    QStringList marcas, atribuicoes;
    for (const char* c : t.campos) {
        marcas << QStringLiteral("?");
        atribuicoes << QStringLiteral("%1 = ?").arg(QLatin1String(c));
    }
    Comando insere(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(nome, campos, marcas.join(QStringLiteral(", "))));
    Comando altera(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                           .arg(nome, atribuicoes.join(QStringLiteral(", "))));

    QSqlQuery q = arq.executa(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(campos, nome));
    while (q.next()) {
        QVariantList v = linha(q, 0, n);
        const QString k = chave.de(v);
        const auto achado = existentes.constFind(k);
        if (achado != existentes.constEnd()) {
            v << achado.value();
            altera.executa(v);
        } else {
            insere.executa(v);
            existentes.insert(k, insere.ultimoId().toLongLong());
        }
    }
}

QString textoFalhaRecebimento(const QString& arquivo, const QString& causa) {
    return QStringLiteral("O arquivo %1 não pôde ser recebido: %2\r\n"
                          "Nada foi alterado e o arquivo foi mantido.")
        .arg(arquivo, causa);
}

}  // namespace

ResultadoBackup exporta_filial(Banco& db, const QString& arquivo) {
    const QString temporario = arquivo + QStringLiteral(".gravando");
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
        removeBanco(temporario);
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
    } catch (const ErroBanco& e) {
        removeBanco(temporario);
        return {false, QStringLiteral("Não foi possível gerar o arquivo %1: %2")
                           .arg(arquivo, e.mensagem())};
    }
    return {true,
            QStringLiteral("Backup de filial realizado com sucesso no arquivo %1").arg(arquivo)};
}

ResultadoBackup mescla_filial(Banco& db, const QString& arquivo) {
    Banco arq;
    try {
        abreVerificado(arq, arquivo, leiauteTrocaFilial());
        for (const TabelaArquivo& t : leiauteTrocaFilial())
            if (arq.existe(QStringLiteral("SELECT 1 FROM %1 WHERE filial IS NULL")
                               .arg(QLatin1String(t.nome))))
                throw ErroBanco(QStringLiteral("a tabela %1 tem registros sem número de filial.")
                                    .arg(QLatin1String(t.nome)));
    } catch (const ErroBanco& e) {
        return {false, textoFalhaRecebimento(arquivo, e.mensagem())};
    }
    try {
        Transacao t(db);
        for (const TabelaArquivo& tabela : leiauteTrocaFilial()) mesclaTabela(db, arq, tabela);
        t.confirma();
    } catch (const ErroBanco& e) {
        return {false, textoFalhaRecebimento(arquivo, e.mensagem())};
    }
    arq.fecha();
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    removeBanco(arquivo);
    return {true, QStringLiteral("Backup de filial recebido com sucesso. O arquivo %1 será "
                                 "excluído.")
                      .arg(arquivo)};
}
