#include "data/identidade_arquivo.h"

#include <QFile>
#include <QList>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

qint64 nanossegundos(const struct statx_timestamp& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; }

std::optional<IdentidadeArquivo> identidade(int pasta, const char* nome, int modo) {
    struct statx s {};
    if (::statx(pasta, nome, modo, STATX_INO | STATX_BTIME | STATX_SIZE | STATX_MTIME, &s) != 0 ||
        !(s.stx_mask & STATX_INO))
        return std::nullopt;
    IdentidadeArquivo r;
    r.dispositivo = makedev(s.stx_dev_major, s.stx_dev_minor);
    r.inode = ino_t(s.stx_ino);
    if (s.stx_mask & STATX_BTIME) r.nascimento = nanossegundos(s.stx_btime);
    if ((s.stx_mask & STATX_SIZE) && (s.stx_mask & STATX_MTIME)) {
        r.tamanho = qint64(s.stx_size);
        r.modificacao = nanossegundos(s.stx_mtime);
    }
    return r;
}

}  // namespace

bool IdentidadeArquivo::mesmoQue(const IdentidadeArquivo& outra) const {
    return dispositivo == outra.dispositivo && inode == outra.inode &&
           (nascimento == 0 || outra.nascimento == 0 || nascimento == outra.nascimento) &&
           (tamanho < 0 || outra.tamanho < 0 || (tamanho == outra.tamanho && modificacao == outra.modificacao));
}

IdentidadeArquivo IdentidadeArquivo::semConteudo() const {
    IdentidadeArquivo r = *this;
    r.tamanho = -1;
    r.modificacao = 0;
    return r;
}

QByteArray IdentidadeArquivo::texto() const {
    QByteArray r = QByteArray::number(quint64(dispositivo)) + ' ' + QByteArray::number(quint64(inode)) + ' ' +
                   QByteArray::number(nascimento);
    if (tamanho >= 0) r += ' ' + QByteArray::number(tamanho) + ' ' + QByteArray::number(modificacao);
    return r;
}

std::optional<IdentidadeArquivo> IdentidadeArquivo::deTexto(const QByteArray& texto) {
    const QList<QByteArray> partes = texto.split(' ');
    if (partes.size() != 3 && partes.size() != 5) return std::nullopt;
    bool ok[5] = {true, true, true, true, true};
    IdentidadeArquivo r;
    r.dispositivo = dev_t(partes[0].toULongLong(&ok[0]));
    r.inode = ino_t(partes[1].toULongLong(&ok[1]));
    r.nascimento = partes[2].toLongLong(&ok[2]);
    if (partes.size() == 5) {
        r.tamanho = partes[3].toLongLong(&ok[3]);
        r.modificacao = partes[4].toLongLong(&ok[4]);
    }
    for (const bool b : ok)
        if (!b) return std::nullopt;
    if (r.inode == 0 || (partes.size() == 5 && r.tamanho < 0)) return std::nullopt;
    return r;
}

std::optional<IdentidadeArquivo> identidadeDe(int fd) { return identidade(fd, "", AT_EMPTY_PATH); }

std::optional<IdentidadeArquivo> identidadeEm(const QString& caminho) {
    return identidade(AT_FDCWD, QFile::encodeName(caminho).constData(), AT_SYMLINK_NOFOLLOW);
}
