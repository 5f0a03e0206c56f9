#include "data/vigia_origem.h"

#include "data/aberto_por_outro.h"

#include <cerrno>
#include <climits>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

// The same file, its size and times as the kernel keeps them: any write moves the change time,
// even one that puts the modification time back.
bool mesmoEstado(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

}  // namespace

VigiaOrigem::VigiaOrigem(const QByteArray& caminho) : caminho_(caminho) {
    avisos_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // A write (or a truncation), and the close of a descriptor that was open for writing.
    if (avisos_ >= 0 && ::inotify_add_watch(avisos_, caminho.constData(), IN_MODIFY | IN_CLOSE_WRITE) < 0) {
        ::close(avisos_);
        avisos_ = -1;
    }
}

VigiaOrigem::~VigiaOrigem() {
    if (avisos_ >= 0) ::close(avisos_);
}

EstadoOrigem VigiaOrigem::comeca(int fd) {
    if (::fstat(fd, &inicio_) != 0) return EstadoOrigem::Mudou;
    return quemGrava(inicio_);
}

EstadoOrigem VigiaOrigem::termina(int fd) {
    struct stat fim {};
    if (::fstat(fd, &fim) != 0 || !mesmoEstado(inicio_, fim)) return EstadoOrigem::Mudou;
    if (avisos_ >= 0) {
        alignas(inotify_event) char aviso[sizeof(inotify_event) + NAME_MAX + 1];
        ssize_t n;
        do n = ::read(avisos_, aviso, sizeof aviso);
        while (n < 0 && errno == EINTR);
        if (n > 0) return EstadoOrigem::Mudou;
    }
    return quemGrava(fim);
}

EstadoOrigem VigiaOrigem::quemGrava(const struct stat& s) const {
    return abertoPorOutro(s, true) || mapeadoParaGravar(s, caminho_.constData()) ? EstadoOrigem::EmGravacao
                                                                                 : EstadoOrigem::Intacta;
}
