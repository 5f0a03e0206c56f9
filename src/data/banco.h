#pragma once
// The database engine layer: one SQLite file opened through Qt SQL, guarded by the database
// password, with the case-insensitive general sort order registered on every connection and
// commits that survive a power cut (see gravacao_segura.h).

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// A database operation that failed; `what()` is not used, the message is Portuguese text
// meant for the operator.
class ErroBanco : public std::runtime_error {
public:
    explicit ErroBanco(const QString& mensagem)
        : std::runtime_error(mensagem.toStdString()), mensagem_(mensagem) {}
    // The likely cause, in Portuguese, for the operator.
    const QString& mensagem() const { return mensagem_; }
    // The whole message for the operator: what could not be done (`acao`, as "registrar a
    // saída do veículo"), that nothing was written, and the cause.
    QString mensagemPara(const QString& acao) const {
        return QStringLiteral("Não foi possível %1. Nada foi gravado.\n%2").arg(acao, mensagem_);
    }
    // The same for a failure that only read: what could not be read (`oQue`, as "a lista de
    // pátio"), and the cause.
    QString mensagemLeitura(const QString& oQue) const {
        return QStringLiteral("Não foi possível ler %1.\n%2").arg(oQue, mensagem_);
    }

private:
    QString mensagem_;
};

// True for the errors of a write the disk had no room for (full, over the quota, or the file
// grown past what the disk or the process may hold).
bool semEspaco(int erro);
// What the operator reads when the disk holding `arquivo` has no room for a write.
QString textoDiscoCheio(const QString& arquivo);
// The cause of the last failure of the engine's connection `conexao`, for the operator, naming
// `arquivo` where the cure lies in it (a full disk, a protected file).
QString causaNativa(sqlite3* conexao, const QString& arquivo);

// The file exists but the password given does not open it.
class ErroSenha : public ErroBanco {
public:
    using ErroBanco::ErroBanco;
};

class Banco {
public:
    static const QString kSenha;      // the database password of `dados.mdb`
    static const QString kColacao;    // name of the general sort order in SQL text

    Banco();
    ~Banco();
    Banco(const Banco&) = delete;
    Banco& operator=(const Banco&) = delete;

    // Creates a new, empty file stamped with the password; the file must not exist yet.
    void cria(const QString& caminho, const QString& senha);
    // Opens an existing file, refusing it when the password does not match. The stamp is read
    // through the engine before anything is written, so a file that is refused keeps its bytes.
    void abre(const QString& caminho, const QString& senha);
    // Opens a file only to read it: nothing is written to it or beside it (no log, no index),
    // so it stays byte for byte as it was. Messages name the file as `nome` (the one the
    // operator chose, when this is a private copy of it); empty: `caminho`.
    void abreLeitura(const QString& caminho, const QString& senha, const QString& nome = {});
    // Moves every row of the log into the file itself and empties the log, for a file that is
    // about to be closed and used on its own (a copy put in place of the database): throws when
    // any of those writes failed, a full disk told as such.
    void consolida();
    void fecha();
    bool aberto() const;
    QString caminho() const { return caminho_; }

    // Prepares `sql`, binds `valores` in order to its "?" and runs it.
    QSqlQuery executa(const QString& sql, const QVariantList& valores = {});
    // The first column of the first row, or a null value when there is no row.
    QVariant valor(const QString& sql, const QVariantList& valores = {});
    // True when the query returns at least one row.
    bool existe(const QString& sql, const QVariantList& valores = {});
    // The engine's own statement for `sql`, prepared once for this connection and kept until it
    // closes, reset and without bindings: for the lookups that read one row at every vehicle.
    // Reset it once read, so that it holds no read of the file open.
    sqlite3_stmt* preparado(const char* sql);
    // The kept statement for `sql` with `valores` bound in order.
    sqlite3_stmt* preparadoCom(const char* sql, const QVariantList& valores);
    // Throws the engine's last error of this connection as an ErroBanco.
    [[noreturn]] void falhaNativa() const;
    // Runs a statement that returns no rows through a kept statement, binding `valores` in
    // order; gives the rowid of the last row inserted on the connection.
    qint64 executaDireto(const char* sql, const QVariantList& valores = {});
    // The first row of a query run through a kept statement, its columns in order (NULL as an
    // invalid value, whole numbers as qlonglong, texts as QString), or nothing.
    std::optional<QVariantList> primeiraLinha(const char* sql, const QVariantList& valores = {});

    QSqlDatabase conexao() const;
    // The engine's own handle of the open connection, for what Qt SQL does not reach (the sort
    // order, the journal); null when closed.
    sqlite3* nativo() const;

private:
    // Opens the engine's connection with the general sort order; nothing is written yet.
    void conecta(const QString& caminho, bool leitura = false);
    // The journal and the syncing of a connection that writes.
    void preparaEscrita();
    void verificaMarca(const QString& senha);
    // Steps a kept statement once: true on a row. A failure resets it and is thrown.
    bool passo(sqlite3_stmt* st);

    QString nomeConexao_;
    QString caminho_;
    QString nomeExibido_;   // the file as messages name it
    // The engine's handle while the connection is open: the lanes ask for it at every vehicle,
    // and asking Qt for it goes through its list of connections each time.
    sqlite3* nativo_ = nullptr;
    // Found by the statement's text without copying it.
    std::map<std::string, sqlite3_stmt*, std::less<>> preparados_;
};

// Binds `v` to the parameter `i` (from 1) of an engine statement, as the kept statements do.
void ligaParametro(sqlite3_stmt* st, int i, const QVariant& v);

// One transaction: rolled back on destruction unless confirmed, so an operation that throws
// half-way leaves the data as it was.
class Transacao {
public:
    explicit Transacao(Banco& banco);
    ~Transacao();
    Transacao(const Transacao&) = delete;
    Transacao& operator=(const Transacao&) = delete;
    void confirma();

private:
    void desfaz();

    Banco& banco_;
    bool ativa_ = false;
};
