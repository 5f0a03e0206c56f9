#include "data/banco.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

#include <atomic>

const QString Banco::kSenha = QStringLiteral("quorbel58");
const QString Banco::kColacao = QStringLiteral("ordem_geral");

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

// The primary key of the general sort order: letters without their accents, case folded.
QString chavePrimaria(QStringView s) {
    QString n = s.toString().normalized(QString::NormalizationForm_D);
    n.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return n.toCaseFolded();
}

// The general sort order: letter case is ignored, accented letters included ("JOSÉ" = "josé");
// an accented letter sorts beside its plain one ("álvaro" before "Bruno") but stays distinct.
int comparaGeral(void*, int n1, const void* s1, int n2, const void* s2) {
    const QStringView a(static_cast<const char16_t*>(s1), n1 / 2);
    const QStringView b(static_cast<const char16_t*>(s2), n2 / 2);
    const int primaria = chavePrimaria(a).compare(chavePrimaria(b));
    if (primaria != 0) return primaria;
    return a.compare(b, Qt::CaseInsensitive);
}

QString textoErro(const QSqlError& e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.driverText();
    return t;
}

// What the operator is told about a failure of the engine: the likely cause, in Portuguese,
// naming the file where the cure lies in it.
QString causaErro(const QSqlError& e, const QString& caminho) {
    const QString arquivo = caminho.isEmpty() ? QStringLiteral("dados.mdb") : caminho;
    bool ok = false;
    const int codigo = e.nativeErrorCode().toInt(&ok) & 0xff;   // the primary result code
    switch (ok ? codigo : -1) {
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
    case SQLITE_FULL:
        return QStringLiteral("O disco onde está o arquivo %1 está cheio. Libere espaço e tente "
                              "novamente.")
            .arg(arquivo);
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
    default:
        break;
    }
    const QString detalhe = textoErro(e);
    return detalhe.isEmpty()
        ? QStringLiteral("O banco de dados recusou a operação.")
        : QStringLiteral("O banco de dados recusou a operação (%1).").arg(detalhe);
}

}  // namespace

Banco::Banco() {
    static std::atomic<int> contador{0};
    nomeConexao_ = QStringLiteral("quelmar_%1").arg(++contador);
}

Banco::~Banco() { fecha(); }

void Banco::conecta(const QString& caminho) {
    fecha();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nomeConexao_);
        db.setDatabaseName(caminho);
        if (!db.open()) {
            const QString erro = causaErro(db.lastError(), caminho);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(nomeConexao_);
            throw ErroBanco(erro);
        }
    }
    caminho_ = caminho;
    registraColacao();
}

void Banco::registraColacao() {
    const QVariant h = conexao().driver()->handle();
    sqlite3* sq = nullptr;
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
        sq = *static_cast<sqlite3* const*>(h.constData());
    if (!sq ||
        sqlite3_create_collation(sq, kColacao.toUtf8().constData(), SQLITE_UTF16, nullptr,
                                 comparaGeral) != SQLITE_OK) {
        fecha();
        throw ErroBanco(QStringLiteral("Não foi possível preparar o banco de dados."));
    }
}

void Banco::cria(const QString& caminho, const QString& senha) {
    if (QFileInfo::exists(caminho))
        throw ErroBanco(QStringLiteral("O arquivo %1 já existe.").arg(caminho));
    conecta(caminho);
    try {
        executa(QStringLiteral("PRAGMA application_id = %1").arg(kIdAplicacao));
        executa(QStringLiteral("PRAGMA user_version = %1").arg(marcaSenha(senha)));
    } catch (...) {
        fecha();
        throw;
    }
}

void Banco::abre(const QString& caminho, const QString& senha) {
    if (!QFileInfo(caminho).isFile())
        throw ErroBanco(QStringLiteral("O arquivo %1 não existe.").arg(caminho));
    conecta(caminho);
    QVariant id, marca;
    try {
        id = valor(QStringLiteral("PRAGMA application_id"));
        marca = valor(QStringLiteral("PRAGMA user_version"));
    } catch (const ErroBanco& e) {
        fecha();
        throw ErroBanco(e.mensagem());
    }
    if (id.toInt() != kIdAplicacao) {
        fecha();
        throw ErroBanco(QStringLiteral("O arquivo %1 não é um banco de dados do Quelmar.")
                            .arg(caminho));
    }
    if (marca.toInt() != marcaSenha(senha)) {
        fecha();
        throw ErroSenha(QStringLiteral("Senha do banco de dados inválida: %1 não pôde ser aberto.")
                            .arg(caminho));
    }
}

void Banco::fecha() {
    if (!QSqlDatabase::contains(nomeConexao_)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nomeConexao_);
    caminho_.clear();
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
    if (!q.prepare(sql)) throw ErroBanco(causaErro(q.lastError(), caminho_));
    for (const QVariant& v : valores) q.addBindValue(v);
    if (!q.exec()) throw ErroBanco(causaErro(q.lastError(), caminho_));
    return q;
}

QVariant Banco::valor(const QString& sql, const QVariantList& valores) {
    QSqlQuery q = executa(sql, valores);
    return q.next() ? q.value(0) : QVariant();
}

bool Banco::existe(const QString& sql, const QVariantList& valores) {
    return executa(sql, valores).next();
}

Transacao::Transacao(Banco& banco) : banco_(banco) {
    if (!banco_.conexao().transaction())
        throw ErroBanco(causaErro(banco_.conexao().lastError(), banco_.caminho()));
    ativa_ = true;
}

Transacao::~Transacao() {
    if (ativa_) banco_.conexao().rollback();
}

void Transacao::confirma() {
    if (!ativa_) return;
    if (!banco_.conexao().commit()) {
        const QString erro = causaErro(banco_.conexao().lastError(), banco_.caminho());
        banco_.conexao().rollback();
        ativa_ = false;
        throw ErroBanco(erro);
    }
    ativa_ = false;
}
