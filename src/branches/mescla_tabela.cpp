#include "branches/mescla_tabela.h"

#include "branches/andamento.h"
#include "branches/verifica_arquivo.h"
#include "data/banco.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {

constexpr int kLinhasEntreAvisos = 256;

// One statement of the engine on a connection, finalized when it goes.
class Comando {
public:
    Comando(Banco& banco, const QString& sql) : banco_(banco) {
        if (sql.isEmpty()) return;
        const QByteArray texto = sql.toUtf8();
        if (sqlite3_prepare_v2(banco.nativo(), texto.constData(), int(texto.size()), &st_,
                               nullptr) != SQLITE_OK)
            banco.falhaNativa();
    }
    ~Comando() { sqlite3_finalize(st_); }
    Comando(const Comando&) = delete;
    Comando& operator=(const Comando&) = delete;

    bool vazio() const { return !st_; }
    sqlite3_stmt* st() const { return st_; }

    // Binds the row that `origem` stands on to ?1.. and `extras` after its columns.
    void ligaLinha(sqlite3_stmt* origem, const QVariantList& extras) {
        const int n = sqlite3_column_count(origem), parametros = sqlite3_bind_parameter_count(st_);
        for (int i = 0; i < n && i < parametros; ++i)
            sqlite3_bind_value(st_, i + 1, sqlite3_column_value(origem, i));
        for (int i = 0; i < extras.size() && n + i < parametros; ++i)
            ligaParametro(st_, n + i + 1, extras[i]);
    }
    void ligaTodos(const QVariantList& valores) {
        for (int i = 0; i < valores.size(); ++i) ligaParametro(st_, i + 1, valores[i]);
    }
    // Steps once; true on a row. Throws on failure.
    bool passo() {
        const int r = sqlite3_step(st_);
        if (r == SQLITE_ROW) return true;
        if (r == SQLITE_DONE) return false;
        sqlite3_reset(st_);
        banco_.falhaNativa();
    }
    void executa() {
        passo();
        sqlite3_reset(st_);
    }

private:
    Banco& banco_;
    sqlite3_stmt* st_ = nullptr;
};

QString lista(const TabelaArquivo& t, const QString& modelo, const QString& juncao) {
    QStringList r;
    for (size_t i = 0; i < t.campos.size(); ++i)
        r << QString(modelo).replace(QLatin1String("%c"), QLatin1String(t.campos[i]))
                 .replace(QLatin1String("%n"), QString::number(i + 1));
    return r.join(juncao);
}

}  // namespace

QString mesPagoAqui() {
    return QStringLiteral(
        "pago = 1 AND (NOT coalesce(?3, 0) OR EXISTS (SELECT 1 FROM pagamento_mensalidade AS p "
        "WHERE p.mensalista = mensalidades.codigo AND substr(p.mes, 1, 10) = "
        "substr(mensalidades.mes, 1, 10) AND p.data = mensalidades.data_pgto AND "
        "p.hora = mensalidades.hora_pgto))");
}

void mesclaTabela(Banco& db, Banco& arq, const Mescla& m, Andamento* andamento) {
    const TabelaArquivo& t = m.tabela;
    const QString nome = QLatin1String(t.nome);
    const int n = int(t.campos.size());
    Comando origem(arq, QStringLiteral("SELECT %1 FROM %2 %3 ORDER BY rowid")
                            .arg(m.selecao.isEmpty() ? listaCampos(t) : m.selecao, nome,
                                 m.filtro.isEmpty() ? QString() : QStringLiteral("WHERE ") + m.filtro));
    origem.ligaTodos(m.valoresSelecao);
    Comando busca(db, m.chave.isEmpty()
                          ? QString()
                          : QStringLiteral("SELECT min(rowid) FROM %1 WHERE %2").arg(nome, m.chave));
    Comando antes(db, m.antesDeIncluir);
    const bool marca = !m.marca.isEmpty();
    Comando insere(db, QStringLiteral("INSERT INTO %1 (%2%3) VALUES (%4%5)")
                           .arg(nome, listaCampos(t), marca ? QStringLiteral(", ") + m.marca : QString(),
                                lista(t, QStringLiteral("?%n"), QStringLiteral(", ")),
                                marca ? QStringLiteral(", 1") : QString()));
    // A row that already holds the file's values is left alone: nothing to write for it.
    Comando altera(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3 AND NOT (%4)%5")
                           .arg(nome, lista(t, QStringLiteral("%c = ?%n"), QStringLiteral(", ")) +
                                          (marca ? QStringLiteral(", %1 = 1").arg(m.marca) : QString()))
                           .arg(n + 1)
                           .arg(lista(t, QStringLiteral("%c IS ?%n COLLATE BINARY"),
                                      QStringLiteral(" AND ")) +
                                    (marca ? QStringLiteral(" AND %1 = 1").arg(m.marca) : QString()),
                                m.conserva.isEmpty() ? QString()
                                                     : QStringLiteral(" AND NOT (%1)").arg(m.conserva)));

    int desdeAviso = 0;
    while (origem.passo()) {
        sqlite3_stmt* r = origem.st();
        sqlite3_int64 achado = 0;
        bool existe = false;
        if (!busca.vazio()) {
            busca.ligaLinha(r, m.extras);
            if (busca.passo() && sqlite3_column_type(busca.st(), 0) != SQLITE_NULL) {
                existe = true;
                achado = sqlite3_column_int64(busca.st(), 0);
            }
            sqlite3_reset(busca.st());
        }
        if (existe) {
            altera.ligaLinha(r, {});
            sqlite3_bind_int64(altera.st(), n + 1, achado);
            altera.executa();
        } else {
            if (!antes.vazio()) {
                antes.ligaLinha(r, m.extras);
                antes.executa();
            }
            insere.ligaLinha(r, {});
            insere.executa();
        }
        if (andamento && ++desdeAviso == kLinhasEntreAvisos) {
            andamento->avanca(desdeAviso);
            desdeAviso = 0;
            if (!andamento->continua()) throw ErroBanco(QStringLiteral("A operação foi cancelada."));
        }
    }
    if (andamento) andamento->avanca(desdeAviso);
}

void executaPorLinha(Banco& db, Banco& arq, const QString& consulta,
                     const QVariantList& valoresConsulta, const QString& sql,
                     const QVariantList& extras) {
    Comando origem(arq, consulta);
    origem.ligaTodos(valoresConsulta);
    Comando comando(db, sql);
    while (origem.passo()) {
        comando.ligaLinha(origem.st(), extras);
        comando.executa();
    }
}

qint64 linhasDoArquivo(Banco& arq, const LeiauteArquivo& leiaute, const QString& filtro,
                       const QVariantList& valores) {
    qint64 total = 0;
    for (const TabelaArquivo& t : leiaute)
        total += arq.valor(QStringLiteral("SELECT count(*) FROM %1 %2")
                               .arg(QLatin1String(t.nome),
                                    filtro.isEmpty() ? QString() : QStringLiteral("WHERE ") + filtro),
                           valores)
                     .toLongLong();
    return total;
}

QString textoFalhaRecebimento(const QString& arquivo, const QString& causa) {
    return QStringLiteral("O arquivo %1 não pôde ser recebido.\r\n%2\r\n"
                          "Nada foi alterado e o arquivo foi mantido.")
        .arg(arquivo, causa);
}

std::unique_ptr<CopiaDeEntrada> abreRecebido(Banco& db, Banco& arq, const QString& arquivo,
                                             const LeiauteArquivo& leiaute, Andamento* andamento) {
    auto copia = std::make_unique<CopiaDeEntrada>(
        arquivo, naPasta(QFileInfo(db.caminho()).absolutePath(), kCopiaRecebida),
        QStringLiteral("Não foi possível copiar o arquivo %1 para a pasta do programa.").arg(arquivo));
    abreVerificado(arq, copia->caminho(), leiaute, arquivo, andamento);
    return copia;
}

QString excluiRecebido(CopiaDeEntrada& copia, const QString& arquivo) {
    switch (copia.excluiOrigem()) {
    case ArquivoCopiado::Exclusao::Excluido: return {};
    case ArquivoCopiado::Exclusao::Mantido:
        return QStringLiteral("O arquivo %1 foi substituído ou alterado durante o recebimento: "
                              "esta nova versão não foi recebida e foi mantida. Receba-o novamente.")
            .arg(arquivo);
    case ArquivoCopiado::Exclusao::PorLigacao:
        return QStringLiteral("O arquivo %1 é um link para o arquivo %2, que foi o recebido: nenhum "
                              "dos dois foi excluído.")
            .arg(arquivo, QFileInfo(arquivo).symLinkTarget());
    case ArquivoCopiado::Exclusao::Falhou: break;
    }
    return QStringLiteral("Não foi possível excluir o arquivo %1.").arg(arquivo);
}
