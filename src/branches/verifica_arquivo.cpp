#include "branches/verifica_arquivo.h"

#include "branches/andamento.h"
#include "data/banco.h"
#include "data/dinheiro.h"
#include "data/esquema.h"

#include <QDate>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {

// A refusal of ours, told as it is; an engine failure met on the way is told as a damaged file.
using Recusa = RecusaArquivo;

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
        // A field that takes the name of the row number would stand for it in our reads.
        const bool nomeDaLinha = !doLeiaute && QStringList{QStringLiteral("rowid"), QStringLiteral("oid"),
                                                           QStringLiteral("_rowid_")}
                                                   .contains(campo, Qt::CaseInsensitive);
        if (q.value(3).toInt() != 0 || nomeDaLinha ||
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

// What a field's value is, in words.
QString tipoEmPalavras(const Campo& c) {
    switch (c.tipo) {
    case TipoCampo::Booleano: return QStringLiteral("sim ou não");
    case TipoCampo::Inteiro:
    case TipoCampo::Longo: return QStringLiteral("um número inteiro");
    case TipoCampo::Moeda:
        return QStringLiteral("um valor em dinheiro de até %1").arg(Dinheiro::maiorDigitado().formata());
    case TipoCampo::Data: return QStringLiteral("uma data ou uma hora");
    case TipoCampo::Texto:
        return QStringLiteral("um texto de até %1 letras%2")
            .arg(c.tamanho)
            .arg(c.vazioPermitido ? QString() : QStringLiteral(", não vazio"));
    }
    return {};
}

bool algarismos(const unsigned char* t, int de, int n, int* v) {
    *v = 0;
    for (int i = de; i < de + n; ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        *v = *v * 10 + (t[i] - '0');
    }
    return true;
}

// A date "yyyy-MM-dd" or a time of day "HH:mm:ss", as the program stores them.
bool dataOuHora(const unsigned char* t, int n) {
    int a, b, c;
    if (n == 10)
        return t[4] == '-' && t[7] == '-' && algarismos(t, 0, 4, &a) && algarismos(t, 5, 2, &b) &&
               algarismos(t, 8, 2, &c) && a >= 1 && QDate::isValid(a, b, c);
    if (n == 8)
        return t[2] == ':' && t[5] == ':' && algarismos(t, 0, 2, &a) && algarismos(t, 3, 2, &b) &&
               algarismos(t, 6, 2, &c) && a < 24 && b < 60 && c < 60;
    return false;
}

// Whether a value is of its field's kind, as the program writes them (texts counted in letters).
bool doTipo(sqlite3_value* v, const Campo& c) {
    const int tipo = sqlite3_value_type(v);
    if (tipo == SQLITE_NULL) return c.tipo != TipoCampo::Booleano;
    switch (c.tipo) {
    case TipoCampo::Booleano: {
        if (tipo != SQLITE_INTEGER) return false;
        const sqlite3_int64 x = sqlite3_value_int64(v);
        return x == 0 || x == 1;
    }
    case TipoCampo::Inteiro: {
        if (tipo != SQLITE_INTEGER) return false;
        const sqlite3_int64 x = sqlite3_value_int64(v);
        return x >= -32768 && x <= 32767;
    }
    case TipoCampo::Longo: {
        if (tipo != SQLITE_INTEGER) return false;
        const sqlite3_int64 x = sqlite3_value_int64(v);
        return x >= -2147483648LL && x <= 2147483647LL;
    }
    case TipoCampo::Moeda: {
        // No amount the program takes comes near the type's range, so sums of them never leave
        // it: a larger one would only make every closing that adds it up fail.
        if (tipo != SQLITE_INTEGER) return false;
        const sqlite3_int64 x = sqlite3_value_int64(v);
        return x >= -Dinheiro::kMaiorDigitadoBruto && x <= Dinheiro::kMaiorDigitadoBruto;
    }
    case TipoCampo::Data:
        return tipo == SQLITE_TEXT && dataOuHora(sqlite3_value_text(v), sqlite3_value_bytes(v));
    case TipoCampo::Texto: {
        if (tipo != SQLITE_TEXT) return false;
        const unsigned char* t = sqlite3_value_text(v);
        const int bytes = sqlite3_value_bytes(v);
        int letras = 0;
        for (int i = 0; i < bytes; ++i) letras += (t[i] & 0xC0) != 0x80;
        return letras <= c.tamanho && (c.vazioPermitido || letras > 0);
    }
    }
    return false;
}

// confere(campos...): the number (from 1) of the first value out of its field's kind, 0 when
// all are of theirs. The fields' layout comes with the function.
void confere(sqlite3_context* ctx, int n, sqlite3_value** v) {
    const auto* campos = static_cast<const std::vector<const Campo*>*>(sqlite3_user_data(ctx));
    for (int i = 0; i < n && i < int(campos->size()); ++i)
        if (!doTipo(v[i], *(*campos)[size_t(i)])) return sqlite3_result_int(ctx, i + 1);
    sqlite3_result_int(ctx, 0);
}

using Campos = std::vector<const Campo*>;

// One pass over the table in the engine: the first row with a value out of its kind, if any.
void verificaValores(Banco& arq, const TabelaArquivo& t) {
    const QString nome = l1(t.nome);
    Campos campos;
    for (const char* c : t.campos) campos.push_back(&campoEsquema(nome, l1(c)));
    // The engine keeps the layout with the function and lets it go when it is replaced.
    if (sqlite3_create_function_v2(
            arq.nativo(), "quelmar_confere", int(campos.size()), SQLITE_UTF8 | SQLITE_DETERMINISTIC,
            new Campos(campos), confere, nullptr, nullptr,
            [](void* p) { delete static_cast<Campos*>(p); }) != SQLITE_OK)
        arq.falhaNativa();
    const auto ruim = arq.primeiraLinha(
        QStringLiteral("SELECT rowid, quelmar_confere(%1) AS ruim FROM %2 WHERE ruim > 0 LIMIT 1")
            .arg(listaCampos(t), nome)
            .toUtf8()
            .constData());
    if (!ruim) return;
    const size_t i = size_t((*ruim)[1].toInt() - 1);
    throw Recusa(QStringLiteral("O campo %1 da tabela %2 tem um valor que não é %3 (registro %4).")
                     .arg(l1(t.campos[i]), nome, tipoEmPalavras(*campos[i]))
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
            throw Recusa(QStringLiteral("O arquivo está danificado."));
        throw;
    }
}
