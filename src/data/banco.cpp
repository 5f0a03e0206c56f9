#include "data/banco.h"

#include "data/conexoes_abertas.h"
#include "data/gravacao_segura.h"
#include "data/indices_pista.h"
#include "data/ordem_geral.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QUrl>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <string_view>

#include <sys/stat.h>

const QString Banco::kSenha = QStringLiteral("quorbel58");
const QString Banco::kColacao = QLatin1String(kNomeOrdemGeral);

namespace {

// Marks a file as ours, so that any other SQLite file is refused with a clear message.
constexpr qint32 kIdAplicacao = 0x51454c4d;

qint32 marcaSenha(const QString& senha) {
    const QByteArray h =
        QCryptographicHash::hash(("quelmar:" + senha).toUtf8(), QCryptographicHash::Sha256);
    const auto* b = reinterpret_cast<const unsigned char*>(h.constData());
    const quint32 v = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
    return qint32(v & 0x7fffffff) | 1;  // never 0, the value of an unstamped file
}

QString textoErro(const QSqlError& e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.driverText();
    return t;
}

// What the operator is told about a failure of the engine: the likely cause, in Portuguese,
// naming the file where the cure lies in it.
QString causaCodigo(int codigo, const QString& detalhe, const QString& caminho) {
    const QString arquivo = caminho.isEmpty() ? QStringLiteral("dados.mdb") : caminho;
    switch (codigo) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("O arquivo %1 está protegido contra gravação (somente leitura). "
                              "Libere a gravação do arquivo e da sua pasta e tente novamente.")
            .arg(arquivo);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("O arquivo %1 está em uso por outro programa. Aguarde um momento "
                              "e tente novamente.")
            .arg(arquivo);
    case SQLITE_FULL: return textoDiscoCheio(arquivo);
    case SQLITE_IOERR:
        return QStringLiteral("Houve um erro de leitura ou gravação no disco do arquivo %1. "
                              "Verifique o disco e tente novamente.")
            .arg(arquivo);
    case SQLITE_CANTOPEN:
        return QStringLiteral("O arquivo %1 não pôde ser aberto. Verifique se a pasta existe e se "
                              "o programa pode ler e gravar nela.")
            .arg(arquivo);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("O arquivo %1 está danificado. Restaure uma cópia de segurança.")
            .arg(arquivo);
    case SQLITE_INTERRUPT:
        return QStringLiteral("A operação foi cancelada.");
    case SQLITE_CONSTRAINT:
        // The engine's own words for a value that does not fit are not the operator's.
        if (detalhe.contains(QLatin1String("constraint failed")))
            return QStringLiteral("O banco de dados recusou a operação: um dos valores não cabe "
                                  "no seu campo (texto longo demais ou vazio, número fora dos "
                                  "limites).");
        break;
    default:
        break;
    }
    // The engine's own words are English: the operator gets its code, for whoever supports him.
    return codigo > 0 ? QStringLiteral("O banco de dados recusou a operação (erro %1 do SQLite).").arg(codigo)
                      : QStringLiteral("O banco de dados recusou a operação.");
}

// A write the disk had no room for is a full disk, whichever of its files the engine was
// writing (the log, its shared memory, the file itself) and whatever code it gave.
int codigoComDisco(int codigo, sqlite3* sq) {
    if (sq && codigo == SQLITE_IOERR && semEspaco(sqlite3_system_errno(sq))) return SQLITE_FULL;
    return codigo;
}

QString causaErro(const QSqlError& e, const QString& caminho, sqlite3* sq = nullptr) {
    bool ok = false;
    const int codigo = e.nativeErrorCode().toInt(&ok) & 0xff;   // the primary result code
    return causaCodigo(ok ? codigoComDisco(codigo, sq) : -1, textoErro(e), caminho);
}

}  // namespace

QString causaNativa(sqlite3* sq, const QString& caminho) {
    if (!sq) return QStringLiteral("O banco de dados não está aberto.");
    return causaCodigo(codigoComDisco(sqlite3_errcode(sq) & 0xff, sq),
                       QString::fromUtf8(sqlite3_errmsg(sq)), caminho);
}

bool semEspaco(int erro) { return erro == ENOSPC || erro == EDQUOT || erro == EFBIG; }

QString textoDiscoCheio(const QString& arquivo) {
    return QStringLiteral("O disco onde está o arquivo %1 está cheio. Libere espaço e tente novamente.")
        .arg(arquivo);
}

Banco::Banco() {
    static std::atomic<int> contador{0};
    nomeConexao_ = QStringLiteral("quelmar_%1").arg(++contador);
}

Banco::~Banco() { fecha(); }

void Banco::conecta(const QString& caminho, bool leitura) {
    fecha();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nomeConexao_);
        if (leitura) {
            // Immutable: no lock, no log or shared memory beside it, never a byte written.
            QUrl url = QUrl::fromLocalFile(caminho);
            url.setQuery(QStringLiteral("immutable=1"));
            db.setDatabaseName(url.toString(QUrl::FullyEncoded));
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
        } else {
            db.setDatabaseName(caminho);
        }
        if (!db.open()) {
            const QString erro = causaErro(db.lastError(), caminho);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(nomeConexao_);
            throw ErroBanco(erro);
        }
    }
    caminho_ = caminho;
    if (nomeExibido_.isEmpty()) nomeExibido_ = caminho;
    const QVariant h = conexao().driver()->handle();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
        nativo_ = *static_cast<sqlite3* const*>(h.constData());
    sqlite3* sq = nativo();
    conexaoAberta(sq);
    if (!sq || sqlite3_create_collation(sq, kNomeOrdemGeral, SQLITE_UTF8, nullptr,
                                        comparaOrdemGeralSqlite) != SQLITE_OK) {
        fecha();
        throw ErroBanco(QStringLiteral("Não foi possível preparar o banco de dados."));
    }
}

sqlite3* Banco::nativo() const { return nativo_; }

void Banco::preparaEscrita() {
    sqlite3* sq = nativo();
    if (sq && preparaGravacaoSegura(sq)) return;
    // Mostly a damaged file: its header reads, its pages do not.
    const int codigo = sq ? sqlite3_errcode(sq) & 0xff : SQLITE_OK;
    throw ErroBanco(codigo == SQLITE_CORRUPT || codigo == SQLITE_NOTADB
                        ? causaCodigo(codigo, {}, nomeExibido_)
                        : QStringLiteral("Não foi possível preparar o banco de dados %1.").arg(nomeExibido_));
}

// The stamp lives in the engine's header (the application id and the user version), read here
// through the engine before anything is written: a file refused keeps its bytes, rows still in
// the log (a run cut short) are seen, and a file this process already holds is never opened by
// hand (closing that descriptor would drop the process's locks on it).
void Banco::verificaMarca(const QString& senha) {
    QVariant id, marca;
    try {
        id = valor(QStringLiteral("PRAGMA application_id"));
        marca = valor(QStringLiteral("PRAGMA user_version"));
    } catch (const ErroBanco&) {
        if ((sqlite3_errcode(nativo()) & 0xff) != SQLITE_NOTADB) throw;
        id = 0;   // no header of the engine at all: not ours either
    }
    if (id.toInt() != kIdAplicacao)
        throw ErroBanco(QStringLiteral("O arquivo %1 não é um banco de dados do Quelmar.").arg(nomeExibido_));
    if (marca.toInt() != marcaSenha(senha))
        throw ErroSenha(QStringLiteral("Senha do banco de dados inválida: %1 não pôde ser aberto.")
                            .arg(nomeExibido_));
}

void Banco::cria(const QString& caminho, const QString& senha) {
    if (QFileInfo::exists(caminho))
        throw ErroBanco(QStringLiteral("O arquivo %1 já existe.").arg(caminho));
    struct stat criado {};
    if (!criaArquivoPrivado(caminho, &criado))
        throw ErroBanco(QStringLiteral("Não foi possível criar o arquivo %1.").arg(caminho));
    conecta(caminho);
    try {
        // The engine opens the name again, following a link: what it opened must be the file
        // just made, not one put in its place meanwhile, before anything is written to it.
        struct stat aberto {};
        const char* nome = sqlite3_db_filename(nativo(), "main");
        if (!nome || ::stat(nome, &aberto) != 0 || aberto.st_dev != criado.st_dev || aberto.st_ino != criado.st_ino)
            throw ErroBanco(QStringLiteral("Não foi possível criar o arquivo %1.").arg(caminho));
        preparaEscrita();
        executa(QStringLiteral("PRAGMA application_id = %1").arg(kIdAplicacao));
        executa(QStringLiteral("PRAGMA user_version = %1").arg(marcaSenha(senha)));
    } catch (...) {
        fecha();
        throw;
    }
}

void Banco::abreLeitura(const QString& caminho, const QString& senha, const QString& nome) {
    fecha();
    nomeExibido_ = nome.isEmpty() ? caminho : nome;
    try {
        if (!QFileInfo(caminho).isFile())
            throw ErroBanco(QStringLiteral("O arquivo %1 não existe.").arg(nomeExibido_));
        conecta(caminho, true);
        verificaMarca(senha);
    } catch (...) {
        fecha();
        nomeExibido_.clear();
        throw;
    }
}

void Banco::abre(const QString& caminho, const QString& senha) {
    if (!QFileInfo(caminho).isFile())
        throw ErroBanco(QStringLiteral("O arquivo %1 não existe.").arg(caminho));
    fecha();
    conecta(caminho);
    try {
        verificaMarca(senha);
        preparaEscrita();
    } catch (...) {
        fecha();
        throw;
    }
    try {
        criaIndicesPista(*this);
    } catch (const ErroBanco&) {
        // A file that cannot take them (read-only) still opens: the lanes only look up slower,
        // and a write that fails later says why.
    }
}

void Banco::consolida() {
    sqlite3* sq = nativo();
    if (!sq) throw ErroBanco(QStringLiteral("O banco de dados não está aberto."));
    if (!consolidaGravacoes(sq)) falhaNativa();
}

void Banco::fecha() {
    if (!QSqlDatabase::contains(nomeConexao_)) return;
    for (auto& [sql, st] : preparados_) sqlite3_finalize(st);
    preparados_.clear();
    if (sqlite3* sq = nativo()) {
        consolidaGravacoes(sq);
        conexaoFechando(sq);
    }
    nativo_ = nullptr;
    {
        QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nomeConexao_);
    caminho_.clear();
    nomeExibido_.clear();
}

bool Banco::aberto() const {
    return QSqlDatabase::contains(nomeConexao_) &&
           QSqlDatabase::database(nomeConexao_, false).isOpen();
}

QSqlDatabase Banco::conexao() const { return QSqlDatabase::database(nomeConexao_, false); }

QSqlQuery Banco::executa(const QString& sql, const QVariantList& valores) {
    if (!aberto()) throw ErroBanco(QStringLiteral("O banco de dados não está aberto."));
    QSqlQuery q(conexao());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw ErroBanco(causaErro(q.lastError(), nomeExibido_, nativo()));
    for (const QVariant& v : valores) q.addBindValue(v);
    if (!q.exec()) throw ErroBanco(causaErro(q.lastError(), nomeExibido_, nativo()));
    return q;
}

QVariant Banco::valor(const QString& sql, const QVariantList& valores) {
    const auto linha = primeiraLinha(sql.toUtf8().constData(), valores);
    return linha && !linha->isEmpty() ? linha->first() : QVariant();
}

bool Banco::existe(const QString& sql, const QVariantList& valores) {
    return primeiraLinha(sql.toUtf8().constData(), valores).has_value();
}

// The engine's own BEGIN and COMMIT, kept like the lanes' statements: every entry and exit is
// a transaction, and Qt's would prepare each of them anew through its list of connections.
Transacao::Transacao(Banco& banco) : banco_(banco) {
    banco_.executaDireto("BEGIN");
    ativa_ = true;
}

Transacao::~Transacao() { desfaz(); }

void Transacao::desfaz() {
    if (!ativa_) return;
    ativa_ = false;
    if (sqlite3* sq = banco_.nativo(); sq && !sqlite3_get_autocommit(sq))
        sqlite3_exec(sq, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transacao::confirma() {
    if (!ativa_) return;
    try {
        banco_.executaDireto("COMMIT");
    } catch (const ErroBanco&) {
        desfaz();
        throw;
    }
    ativa_ = false;
}

sqlite3_stmt* Banco::preparado(const char* sql) {
    sqlite3* sq = nativo();
    if (!sq) throw ErroBanco(QStringLiteral("O banco de dados não está aberto."));
    if (const auto achado = preparados_.find(std::string_view(sql)); achado != preparados_.end()) {
        sqlite3_reset(achado->second);
        sqlite3_clear_bindings(achado->second);
        return achado->second;
    }
    if (preparados_.size() > 200) {
        for (auto& [texto, st] : preparados_) sqlite3_finalize(st);
        preparados_.clear();
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v3(sq, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        falhaNativa();
    }
    preparados_.emplace(sql, st);
    return st;
}

void Banco::falhaNativa() const { throw ErroBanco(causaNativa(nativo(), nomeExibido_)); }

void ligaParametro(sqlite3_stmt* st, int i, const QVariant& v) {
    if (v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(st, i, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(st, i, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

namespace {

QVariant valorDaColuna(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)),
                          sqlite3_column_bytes(st, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    }
}

}  // namespace

sqlite3_stmt* Banco::preparadoCom(const char* sql, const QVariantList& valores) {
    sqlite3_stmt* st = preparado(sql);
    if (valores.size() != sqlite3_bind_parameter_count(st))
        throw ErroBanco(QStringLiteral("O banco de dados recusou a operação (número de valores "
                                       "diferente do pedido)."));
    for (int i = 0; i < valores.size(); ++i) ligaParametro(st, i + 1, valores[i]);
    return st;
}

bool Banco::passo(sqlite3_stmt* st) {
    const int r = sqlite3_step(st);
    if (r == SQLITE_ROW || r == SQLITE_DONE) return r == SQLITE_ROW;
    const QString erro = causaNativa(nativo(), nomeExibido_);
    sqlite3_reset(st);
    throw ErroBanco(erro);
}

qint64 Banco::executaDireto(const char* sql, const QVariantList& valores) {
    sqlite3_stmt* st = preparadoCom(sql, valores);
    passo(st);
    sqlite3_reset(st);
    return sqlite3_last_insert_rowid(nativo());
}

std::optional<QVariantList> Banco::primeiraLinha(const char* sql, const QVariantList& valores) {
    sqlite3_stmt* st = preparadoCom(sql, valores);
    std::optional<QVariantList> linha;
    if (passo(st)) {
        linha.emplace();
        for (int i = 0, n = sqlite3_column_count(st); i < n; ++i) linha->append(valorDaColuna(st, i));
    }
    sqlite3_reset(st);
    return linha;
}
