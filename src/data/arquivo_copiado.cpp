#include "data/arquivo_copiado.h"

#include "data/gravacao_segura.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

ArquivoCopiado::~ArquivoCopiado() {
    if (fd_ >= 0) ::close(fd_);
}

void ArquivoCopiado::guarda(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    if (::fstat(fd_, &copiado_) != 0) copiado_ = {};
}

ArquivoCopiado::Exclusao ArquivoCopiado::exclui(const QString& caminho, const QString& pastaPrograma) {
    struct stat agora {};
    const auto copiado = fd_ < 0 ? std::nullopt : identidadeDe(fd_);
    if (!copiado || ::fstat(fd_, &agora) != 0) return Exclusao::Falhou;
    const QByteArray nome = QFile::encodeName(caminho);
    struct stat la {};
    if (::lstat(nome.constData(), &la) != 0) return errno == ENOENT ? Exclusao::Excluido : Exclusao::Falhou;
    // Gone from every name (another file holds this one), or written since it was copied (its
    // times move with any write, size or not): what is there now was never read.
    if (agora.st_nlink == 0 || agora.st_size != copiado_.st_size ||
        agora.st_mtim.tv_sec != copiado_.st_mtim.tv_sec || agora.st_mtim.tv_nsec != copiado_.st_mtim.tv_nsec ||
        agora.st_ctim.tv_sec != copiado_.st_ctim.tv_sec || agora.st_ctim.tv_nsec != copiado_.st_ctim.tv_nsec)
        return Exclusao::Mantido;
    // Reached through a link: the file read is the link's, at another name. Neither it (through
    // the link) nor the link, which is not the file read, is removed.
    struct stat alvo {};
    if (S_ISLNK(la.st_mode) && ::stat(nome.constData(), &alvo) == 0 && alvo.st_dev == agora.st_dev &&
        alvo.st_ino == agora.st_ino)
        return Exclusao::PorLigacao;
    // Whatever holds the name is first moved aside under a name of ours, in one step, and only
    // then compared: what is removed is exactly what was compared. Another file goes back.
    // Noted before it goes there, as the file copied: a kill before it is removed leaves it to
    // the next start, which removes it only if it is that very file.
    ArquivoTemporario aparte(pastaPrograma, caminho + kSufixoExcluindo +
                                                QString::number(QRandomGenerator::global()->generate64(), 36));
    aparte.anota(*copiado);
    const QByteArray nomeAparte = QFile::encodeName(aparte.caminho());
    const auto esquece = [&](Exclusao e) {
        const int erro = errno;
        aparte.esquece();
        errno = erro;
        return e;
    };
    avisaMudanca(caminho);
    if (!renomeiaSemSobrescrever(nome, nomeAparte))
        return esquece(errno == ENOENT ? Exclusao::Excluido : Exclusao::Falhou);
    const auto posto = identidadeEm(aparte.caminho());
    if (posto && posto->mesmoQue(*copiado)) {
        avisaMudanca(aparte.caminho());
        if (::unlink(nomeAparte.constData()) == 0) return esquece(Exclusao::Excluido);
        renomeiaSemSobrescrever(nomeAparte, nome);
        return esquece(Exclusao::Falhou);
    }
    avisaMudanca(caminho);
    // Put back where it was found; should a third file have taken the name meanwhile, the one
    // set aside stays under the name it was given (noted as the file copied, it is not).
    renomeiaSemSobrescrever(nomeAparte, nome);
    return esquece(Exclusao::Mantido);
}
