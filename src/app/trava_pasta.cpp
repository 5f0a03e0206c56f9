#include "app/trava_pasta.h"

#include "data/nome_guardado.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TravaPasta::~TravaPasta() { solta(); }

TravaPasta::Resultado TravaPasta::trava(const QString& pasta, QString* ocupado) {
    solta();
    const QString nome = QDir(pasta).filePath(kNomeTrava);
    QString naoComum;
    int fd = abreGuardado(nome, O_RDWR | O_CREAT, &naoComum);
    // A lock file left read-only (another user's, an old copy) still serves: flock needs no write.
    if (fd < 0 && naoComum.isEmpty()) fd = abreGuardado(nome, O_RDONLY, &naoComum);
    if (ocupado) *ocupado = naoComum;
    if (fd < 0) return Resultado::Falhou;
    // A lock of the open file itself (not of the process): a second copy is refused even when
    // it runs in the same process, and closing any other descriptor of the file keeps it.
    int r;
    do r = ::flock(fd, LOCK_EX | LOCK_NB);
    while (r != 0 && errno == EINTR);
    if (r != 0) {
        const bool emUso = errno == EWOULDBLOCK;
        ::close(fd);
        return emUso ? Resultado::EmUso : Resultado::Falhou;
    }
    fd_ = fd;
    return Resultado::Travada;
}

void TravaPasta::solta() {
    if (fd_ < 0) return;
    ::close(fd_);   // closing the only descriptor drops the lock
    fd_ = -1;
}
