#include "data/identidade_arquivo.h"

#include <QFile>
#include <QList>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

std::optional<IdentidadeArquivo> identidade(int pasta, const char* nome, int modo) {
    struct statx s {};
    if (::statx(pasta, nome, modo, STATX_INO | STATX_BTIME, &s) != 0 || !(s.stx_mask & STATX_INO))
        return std::nullopt;
    IdentidadeArquivo r;
    r.dispositivo = makedev(s.stx_dev_major, s.stx_dev_minor);
    r.inode = ino_t(s.stx_ino);
    if (s.stx_mask & STATX_BTIME) r.nascimento = qint64(s.stx_btime.tv_sec) * 1000000000 + s.stx_btime.tv_nsec;
    return r;
}

}  // namespace

bool IdentidadeArquivo::mesmoQue(const IdentidadeArquivo& outra) const {
    return dispositivo == outra.dispositivo && inode == outra.inode &&
           (nascimento == 0 || outra.nascimento == 0 || nascimento == outra.nascimento);
}

QByteArray IdentidadeArquivo::texto() const {
    return QByteArray::number(quint64(dispositivo)) + ' ' + QByteArray::number(quint64(inode)) + ' ' +
           QByteArray::number(nascimento);
}

std::optional<IdentidadeArquivo> IdentidadeArquivo::deTexto(const QByteArray& texto) {
    const QList<QByteArray> partes = texto.split(' ');
    if (partes.size() != 3) return std::nullopt;
    bool d = false, i = false, n = false;
    IdentidadeArquivo r;
    r.dispositivo = dev_t(partes[0].toULongLong(&d));
    r.inode = ino_t(partes[1].toULongLong(&i));
    r.nascimento = partes[2].toLongLong(&n);
    if (!d || !i || !n || r.inode == 0) return std::nullopt;
    return r;
}

std::optional<IdentidadeArquivo> identidadeDe(int fd) { return identidade(fd, "", AT_EMPTY_PATH); }

std::optional<IdentidadeArquivo> identidadeEm(const QString& caminho) {
    return identidade(AT_FDCWD, QFile::encodeName(caminho).constData(), AT_SYMLINK_NOFOLLOW);
}
