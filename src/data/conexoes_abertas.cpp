#include "data/conexoes_abertas.h"

#include <QFile>
#include <QMutex>

#include <sqlite3.h>

#include <map>
#include <optional>
#include <utility>

#include <sys/stat.h>

namespace {

using Identidade = std::pair<dev_t, ino_t>;

struct Arquivo {
    Identidade identidade;
    QByteArray caminho;   // as the engine opened it, for the files beside it
};

std::optional<Identidade> identidade(const QByteArray& caminho) {
    struct stat s {};
    if (::stat(caminho.constData(), &s) != 0) return std::nullopt;
    return Identidade{s.st_dev, s.st_ino};
}

QMutex& trava() {
    static QMutex m;
    return m;
}

// A report reads on a thread of its own: guarded by the mutex above.
std::map<sqlite3*, Arquivo>& abertas() {
    static std::map<sqlite3*, Arquivo> m;
    return m;
}

sqlite3_file* doMotor(sqlite3* conexao, int qual) {
    sqlite3_file* f = nullptr;
    if (sqlite3_file_control(conexao, "main", qual, &f) != SQLITE_OK || !f || !f->pMethods) return nullptr;
    return f;
}

}  // namespace

void conexaoAberta(sqlite3* conexao) {
    const char* nome = conexao ? sqlite3_db_filename(conexao, "main") : nullptr;
    if (!nome || !*nome) return;   // in memory
    const auto id = identidade(nome);
    if (!id) return;
    QMutexLocker t(&trava());
    abertas()[conexao] = {*id, nome};
}

void conexaoFechando(sqlite3* conexao) {
    QMutexLocker t(&trava());
    abertas().erase(conexao);
}

sqlite3* conexaoQueUsa(const QString& caminho, sqlite3_file** arquivo) {
    const auto id = identidade(QFile::encodeName(caminho));
    if (arquivo) *arquivo = nullptr;
    if (!id) return nullptr;
    QMutexLocker t(&trava());
    for (const auto& [conexao, a] : abertas()) {
        int qual = 0;
        if (*id == a.identidade) qual = SQLITE_FCNTL_FILE_POINTER;
        else if (identidade(a.caminho + "-wal") == id || identidade(a.caminho + "-journal") == id)
            qual = SQLITE_FCNTL_JOURNAL_POINTER;
        else if (identidade(a.caminho + "-shm") != id)
            continue;
        if (arquivo && qual) *arquivo = doMotor(conexao, qual);
        return conexao;
    }
    return nullptr;
}
