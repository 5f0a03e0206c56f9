#include "branches/verifica_arquivo.h"

#include "branches/andamento.h"
#include "data/banco.h"
#include "data/esquema.h"

#include <QSqlQuery>

#include <sqlite3.h>

namespace {

// A refusal of ours, told as it is; an engine failure met on the way is told as a damaged file.
class Recusa : public ErroBanco {
public:
    using ErroBanco::ErroBanco;
};

QString l1(const char* s) { return QLatin1String(s); }

// What the declared column must be: its type word, its sort order, whether it refuses NULL.
struct Declaracao {
    const char* tipo;
    const char* colacao;
    bool naoNulo;
};

Declaracao declaracao(const Campo& c) {
    switch (c.tipo) {
    case TipoCampo::Texto: return {"TEXT", "ordem_geral", false};
    case TipoCampo::Data: return {"TEXT", "BINARY", false};
    case TipoCampo::Booleano: return {"INTEGER", "BINARY", true};
    default: return {"INTEGER", "BINARY", false};
    }
}

void verificaTabela(Banco& arq, const TabelaArquivo& t) {
    const QString nome = l1(t.nome);
    const auto tipo = arq.primeiraLinha(
        "SELECT type, wr FROM pragma_table_list WHERE schema = 'main' AND name = ? COLLATE NOCASE",
        {nome});
    if (!tipo) throw Recusa(QStringLiteral("Falta a tabela %1.").arg(nome));
    if ((*tipo)[0].toString() == QLatin1String("view"))
        throw Recusa(QStringLiteral("O arquivo tem uma visão no lugar da tabela %1.").arg(nome));
    if ((*tipo)[0].toString() != QLatin1String("table") || (*tipo)[1].toInt() != 0)
        throw Recusa(QStringLiteral("A tabela %1 não tem a forma das tabelas deste sistema.").arg(nome));

    // Fields: each one of the layout with its declared type, and none of another program that
    // a write of ours could not fill (required without a default, or computed).
    QStringList presentes;
    for (QSqlQuery q = arq.executa(
             QStringLiteral("SELECT name, \"notnull\", dflt_value, hidden FROM pragma_table_xinfo(?)"),
             {nome});
         q.next();) {
        const QString campo = q.value(0).toString();
        bool doLeiaute = false;
        for (const char* c : t.campos) doLeiaute = doLeiaute || campo.compare(l1(c), Qt::CaseInsensitive) == 0;
        if (q.value(3).toInt() != 0 ||
            (!doLeiaute && q.value(1).toInt() != 0 && q.value(2).isNull()))
            throw Recusa(QStringLiteral("A tabela %1 tem o campo %2, que não é deste sistema.")
                             .arg(nome, campo));
        presentes << campo.toLower();
    }
    for (const char* c : t.campos) {
        const Campo& esperado = campoEsquema(nome, l1(c));
        if (!presentes.contains(l1(c)))
            throw Recusa(QStringLiteral("Falta o campo %1 da tabela %2.").arg(l1(c), nome));
        const char* tipoDeclarado = nullptr;
        const char* colacao = nullptr;
        int naoNulo = 0, chave = 0, autoInc = 0;
        if (sqlite3_table_column_metadata(arq.nativo(), "main", t.nome, c, &tipoDeclarado,
                                          &colacao, &naoNulo, &chave, &autoInc) != SQLITE_OK)
            arq.falhaNativa();
        const Declaracao d = declaracao(esperado);
        if (qstricmp(tipoDeclarado ? tipoDeclarado : "", d.tipo) != 0 ||
            qstricmp(colacao ? colacao : "", d.colacao) != 0 || bool(naoNulo) != d.naoNulo ||
            bool(autoInc) != esperado.autoIncremento)
            throw Recusa(QStringLiteral("O campo %1 da tabela %2 não é do tipo deste sistema.")
                             .arg(l1(c), nome));
    }
}

// The condition a field's value meets, as SQL that never yields NULL, and what it is in words.
QString condicao(const Campo& c, QString* oQue) {
    const QString n = l1(c.nome);
    const QString ouNulo = QStringLiteral("(%1 IS NULL OR (%2))").arg(n);
    switch (c.tipo) {
    case TipoCampo::Booleano:
        *oQue = QStringLiteral("sim ou não");
        return QStringLiteral("(typeof(%1) = 'integer' AND %1 IN (0, 1))").arg(n);
    case TipoCampo::Inteiro:
        *oQue = QStringLiteral("um número inteiro");
        return ouNulo.arg(QStringLiteral("typeof(%1) = 'integer' AND %1 BETWEEN -32768 AND 32767").arg(n));
    case TipoCampo::Longo:
        *oQue = QStringLiteral("um número inteiro");
        return ouNulo.arg(
            QStringLiteral("typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647").arg(n));
    case TipoCampo::Moeda:
        *oQue = QStringLiteral("um valor em dinheiro");
        return ouNulo.arg(QStringLiteral("typeof(%1) = 'integer'").arg(n));
    case TipoCampo::Data:
        *oQue = QStringLiteral("uma data ou uma hora");
        return ouNulo.arg(
            QStringLiteral("typeof(%1) = 'text' AND (date(%1) IS %1 OR time(%1) IS %1)").arg(n));
    case TipoCampo::Texto:
        *oQue = QStringLiteral("um texto de até %1 letras%2")
                    .arg(c.tamanho)
                    .arg(c.vazioPermitido ? QString() : QStringLiteral(", não vazio"));
        return ouNulo.arg(QStringLiteral("typeof(%1) = 'text' AND length(%1) <= %2%3")
                              .arg(n)
                              .arg(c.tamanho)
                              .arg(c.vazioPermitido ? QString()
                                                    : QStringLiteral(" AND %1 <> ''").arg(n)));
    }
    return QStringLiteral("1");
}

// One pass over the table in the engine: the first row with a value out of its kind, if any.
void verificaValores(Banco& arq, const TabelaArquivo& t) {
    const QString nome = l1(t.nome);
    QStringList condicoes, oQue;
    for (const char* c : t.campos) {
        QString o;
        condicoes << condicao(campoEsquema(nome, l1(c)), &o);
        oQue << o;
    }
    const QByteArray sql = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE NOT (%3) LIMIT 1")
                               .arg(condicoes.join(QStringLiteral(", ")), nome,
                                    condicoes.join(QStringLiteral(" AND ")))
                               .toUtf8();
    const auto ruim = arq.primeiraLinha(sql.constData());
    if (!ruim) return;
    for (int i = 0; i < int(t.campos.size()); ++i)
        if (!(*ruim)[i + 1].toBool())
            throw Recusa(QStringLiteral("O campo %1 da tabela %2 tem um valor que não é %3 "
                                        "(registro %4).")
                             .arg(l1(t.campos[size_t(i)]), nome, oQue[i])
                             .arg((*ruim)[0].toLongLong()));
}

void verifica(Banco& arq, const LeiauteArquivo& leiaute, Andamento* andamento, bool completo) {
    // Nothing of ours runs code of its own when rows are written: a file that would is not ours.
    if (const auto gatilho = arq.primeiraLinha(
            "SELECT name FROM sqlite_schema WHERE type = 'trigger' LIMIT 1"))
        throw Recusa(QStringLiteral("O arquivo tem o gatilho %1, que não é deste sistema.")
                         .arg((*gatilho)[0].toString()));
    for (const TabelaArquivo& t : leiaute) verificaTabela(arq, t);

    const Andamento::Vigia vigia(andamento, arq.nativo());
    if (andamento) andamento->defineTotal(qint64(leiaute.size()) + 1);
    for (const TabelaArquivo& t : leiaute) {
        verificaValores(arq, t);
        if (!andamento) continue;
        andamento->avanca();
        if (!andamento->continua()) throw ErroBanco(QStringLiteral("A operação foi cancelada."));
    }
    const QString paginas =
        arq.valor(completo ? QStringLiteral("PRAGMA integrity_check(1)")
                           : QStringLiteral("PRAGMA quick_check(1)"))
            .toString();
    if (paginas != QLatin1String("ok")) throw Recusa(QStringLiteral("O arquivo está danificado."));
}

}  // namespace

void abreVerificado(Banco& arq, const QString& caminho, const LeiauteArquivo& leiaute,
                    const QString& nome, Andamento* andamento, bool completo) {
    arq.abreLeitura(caminho, Banco::kSenha, nome);
    try {
        verifica(arq, leiaute, andamento, completo);
    } catch (const Recusa&) {
        arq.fecha();
        throw;
    } catch (const ErroBanco& e) {
        const int codigo = arq.nativo() ? sqlite3_errcode(arq.nativo()) & 0xff : SQLITE_OK;
        arq.fecha();
        if (codigo == SQLITE_CORRUPT || codigo == SQLITE_NOTADB)
            throw ErroBanco(QStringLiteral("O arquivo está danificado."));
        throw;
    }
}
