#include "data/nome_guardado.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a kept name holds, in words; empty for a plain file (with one name when `umNome`).
QString descreve(const QString& caminho, const struct stat& s, bool umNome) {
    if (S_ISLNK(s.st_mode)) {
        const QString alvo = QFile::symLinkTarget(caminho);
        return alvo.isEmpty() ? QStringLiteral("um link simbólico")
                              : QStringLiteral("um link simbólico para %1").arg(alvo);
    }
    if (S_ISDIR(s.st_mode)) return QStringLiteral("uma pasta");
    if (S_ISFIFO(s.st_mode)) return QStringLiteral("um FIFO (pipe)");
    if (S_ISSOCK(s.st_mode)) return QStringLiteral("um soquete");
    if (!S_ISREG(s.st_mode)) return QStringLiteral("um dispositivo");
    if (umNome && s.st_nlink != 1)
        return QStringLiteral("um arquivo que tem também outro nome (link físico)");
    return {};
}

QString frase(const QString& caminho, const QString& oQue) {
    return oQue.isEmpty() ? QString()
                          : QStringLiteral("%1 é %2, e não um arquivo só do programa.").arg(caminho, oQue);
}

}  // namespace

QString nomeOcupado(const QString& caminho, bool umNome) {
    struct stat s {};
    if (::lstat(QFile::encodeName(caminho).constData(), &s) != 0) return {};
    return frase(caminho, descreve(caminho, s, umNome));
}

int abreGuardado(const QString& caminho, int flags, QString* ocupado, mode_t modo) {
    if (ocupado) ocupado->clear();
    // Looked at before it is opened: opening a device may by itself act on it.
    if (QString o = nomeOcupado(caminho, true); !o.isEmpty()) {
        if (ocupado) *ocupado = std::move(o);
        errno = EINVAL;
        return -1;
    }
    int fd;
    do fd = ::open(QFile::encodeName(caminho).constData(),
                   flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, modo);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // Something put at the name since the look (ELOOP: a link, ENXIO: a FIFO nobody reads).
        const int erro = errno;
        if (ocupado) *ocupado = nomeOcupado(caminho, true);
        errno = erro;
        return -1;
    }
    // What was opened is what is checked, whatever took the name between the look and the open.
    struct stat s {};
    QString o;
    if (::fstat(fd, &s) != 0 || !(o = frase(caminho, descreve(caminho, s, true))).isEmpty()) {
        const int erro = o.isEmpty() ? errno : EINVAL;
        ::close(fd);
        if (ocupado) *ocupado = std::move(o);
        errno = erro;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}
