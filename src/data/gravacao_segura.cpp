#include "data/gravacao_segura.h"

#include <QFile>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray textoPragma(sqlite3* conexao, const char* sql) {
    sqlite3_stmt* st = nullptr;
    QByteArray r;
    if (sqlite3_prepare_v2(conexao, sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        r = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return r;
}

}  // namespace

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
    const int fd = ::open(QFile::encodeName(caminho).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}
