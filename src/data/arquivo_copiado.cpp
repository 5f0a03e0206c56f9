#include "data/arquivo_copiado.h"

#include "data/mudancas_arquivos.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Renames `de` to `para` only if nothing is at `para`. A file system that cannot tell the
// kernel so (a network share) gets a look first: the names used are unique, the window short.
bool renomeiaSemSobrescrever(const QByteArray& de, const QByteArray& para) {
    if (::renameat2(AT_FDCWD, de.constData(), AT_FDCWD, para.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat s {};
    if (::lstat(para.constData(), &s) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(de.constData(), para.constData()) == 0;
}

}  // namespace

ArquivoCopiado::~ArquivoCopiado() {
    if (fd_ >= 0) ::close(fd_);
}

void ArquivoCopiado::guarda(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    if (::fstat(fd_, &copiado_) != 0) copiado_ = {};
}

ArquivoCopiado::Exclusao ArquivoCopiado::exclui(const QString& caminho) {
    struct stat agora {};
    if (fd_ < 0 || ::fstat(fd_, &agora) != 0) return Exclusao::Falhou;
    const QByteArray nome = QFile::encodeName(caminho);
    struct stat la {};
    if (::lstat(nome.constData(), &la) != 0) return errno == ENOENT ? Exclusao::Excluido : Exclusao::Falhou;
    // Gone from every name (another file holds this one), or written since it was copied (its
    // times move with any write, size or not): what is there now was never read.
    if (agora.st_nlink == 0 || agora.st_size != copiado_.st_size ||
        agora.st_mtim.tv_sec != copiado_.st_mtim.tv_sec || agora.st_mtim.tv_nsec != copiado_.st_mtim.tv_nsec ||
        agora.st_ctim.tv_sec != copiado_.st_ctim.tv_sec || agora.st_ctim.tv_nsec != copiado_.st_ctim.tv_nsec)
        return Exclusao::Mantido;
    // Whatever holds the name is first moved aside under a name of ours, in one step, and only
    // then compared: what is removed is exactly what was compared. Another file goes back.
    const QByteArray aparte =
        nome + ".excluindo-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    avisaMudanca(caminho);
    if (!renomeiaSemSobrescrever(nome, aparte)) return errno == ENOENT ? Exclusao::Excluido : Exclusao::Falhou;
    struct stat s {};
    if (::lstat(aparte.constData(), &s) == 0 && s.st_dev == agora.st_dev && s.st_ino == agora.st_ino) {
        avisaMudanca(QFile::decodeName(aparte));
        if (::unlink(aparte.constData()) == 0) return Exclusao::Excluido;
        renomeiaSemSobrescrever(aparte, nome);
        return Exclusao::Falhou;
    }
    avisaMudanca(caminho);
    // Put back where it was found; should a third file have taken the name meanwhile, the one
    // set aside stays under the name it was given.
    renomeiaSemSobrescrever(aparte, nome);
    return Exclusao::Mantido;
}
