#include "data/gravacao_segura.h"

#include "data/conexoes_abertas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <unistd.h>

namespace {

OuvinteArquivos& ouvinte() {
    static OuvinteArquivos o;
    return o;
}

bool copiaConteudo(int origem, int destino) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(origem, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return ::fsync(destino) == 0;
        if (!escreveTudo(destino, buffer, n)) return false;
    }
}

}  // namespace

OuvinteArquivos ouveMudancasArquivos(OuvinteArquivos novo) {
    return std::exchange(ouvinte(), std::move(novo));
}

void avisaMudanca(const QString& arquivo) {
    if (ouvinte()) ouvinte()(arquivo);
}

bool escreveTudo(int fd, const char* dados, ssize_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, dados, size_t(n));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        dados += w;
        n -= w;
    }
    return true;
}

QByteArray textoPragma(sqlite3* conexao, const char* sql) {
    sqlite3_stmt* st = nullptr;
    QByteArray r;
    if (sqlite3_prepare_v2(conexao, sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        r = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return r;
}

namespace {

bool sincroniza(const QString& caminho, int modo) {
    const int fd = ::open(QFile::encodeName(caminho).constData(), modo | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

bool sincroniza(const QString& caminho) {
    // A file the engine holds for this process is synced through the engine's own open file: a
    // descriptor of ours, closed, would drop the connection's locks. Its shared memory holds
    // nothing that must reach the disk.
    sqlite3_file* f = nullptr;
    if (conexaoQueUsa(caminho, &f)) return !f || f->pMethods->xSync(f, SQLITE_SYNC_FULL) == SQLITE_OK;
    return sincroniza(caminho, O_RDONLY);
}

bool sincronizaPasta(const QString& pasta) { return sincroniza(pasta, O_RDONLY | O_DIRECTORY); }

bool preparaGravacaoSegura(sqlite3* conexao) {
    if (textoPragma(conexao, "PRAGMA journal_mode = WAL").toLower() == "wal")
        return sqlite3_exec(conexao, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr) ==
               SQLITE_OK;
    // A file system without the shared memory the log needs: the rollback journal, with its
    // folder synced after each commit deletes it.
    return sqlite3_exec(conexao, "PRAGMA synchronous = EXTRA", nullptr, nullptr, nullptr) ==
           SQLITE_OK;
}

void consolidaGravacoes(sqlite3* conexao) {
    // A reader still open keeps part of the log; what it keeps is copied at the next close.
    sqlite3_wal_checkpoint_v2(conexao, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

bool criaArquivoPrivado(const QString& caminho) {
    avisaMudanca(caminho);
    const int fd = ::open(QFile::encodeName(caminho).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool copiaPrivada(const QString& origem, const QString& destino) {
    // A file the engine holds for this process is never read by hand (nor complete without its
    // log): only the engine copies it (a backup's compaction).
    if (conexaoQueUsa(origem)) return false;
    const int de = ::open(QFile::encodeName(origem).constData(), O_RDONLY | O_CLOEXEC);
    if (de < 0) return false;
    const QByteArray nome = QFile::encodeName(destino);
    avisaMudanca(destino);
    const int para = ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (para < 0) {
        ::close(de);
        return false;
    }
    avisaMudanca(destino);   // created, still empty
    const bool ok = copiaConteudo(de, para);
    ::close(de);
    if (::close(para) != 0 || !ok) {
        ::unlink(nome.constData());
        return false;
    }
    return true;
}

void removeArquivo(const QString& arquivo) {
    if (!QFileInfo::exists(arquivo)) return;
    avisaMudanca(arquivo);
    QFile::remove(arquivo);
}

void removeBanco(const QString& caminho) {
    // The file itself last: cut short, the removal leaves a name the next one finds.
    for (const char* lado : {"-journal", "-wal", "-shm", ""}) removeArquivo(caminho + QLatin1String(lado));
}

void removeCopiasTemporarias(const QString& banco) {
    const QDir pasta = QFileInfo(banco).dir();
    const QString anterior = banco + kSufixoAnterior;
    if (QFileInfo::exists(anterior) && !QFileInfo::exists(banco))
        QFile::rename(anterior, banco);
    if (QFileInfo::exists(banco)) removeBanco(anterior);
    for (const QString& nome : {kCopiaCompacta, kCopiaRestauracao, kBancoReconstruido})
        removeBanco(pasta.filePath(nome));
    // Whatever was being written or created under its second name (the backup, the exchange
    // and subscriber files, a new database) when the program was stopped.
    for (const QString& sufixo : {kSufixoGravando, kSufixoCriando})
        for (const QString& nome : pasta.entryList({u'*' + sufixo, u'*' + sufixo + QStringLiteral("-*")},
                                                   QDir::Files | QDir::Hidden | QDir::System))
            removeBanco(pasta.filePath(nome.left(nome.lastIndexOf(sufixo) + sufixo.size())));
}
