#include "data/vigia_origem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

bool mesmoArquivo(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Size and times as the kernel keeps them: any write moves the change time, even one that puts
// the modification time back.
bool mesmoEstado(const struct stat& a, const struct stat& b) {
    return mesmoArquivo(a, b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
           a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// The access mode of a process's descriptor, from its "flags:" line (octal).
bool paraGravacao(const std::string& fdinfo) {
    FILE* f = std::fopen(fdinfo.c_str(), "re");
    if (!f) return false;
    char linha[128];
    bool grava = false;
    while (std::fgets(linha, sizeof linha, f))
        if (std::string(linha).rfind("flags:", 0) == 0) {
            grava = (std::strtoul(linha + 6, nullptr, 8) & O_ACCMODE) != O_RDONLY;
            break;
        }
    std::fclose(f);
    return grava;
}

}  // namespace

bool abertoParaGravacao(const struct stat& arquivo) {
    DIR* processos = ::opendir("/proc");
    if (!processos) return false;
    bool achou = false;
    while (!achou) {
        const dirent* p = ::readdir(processos);
        if (!p) break;
        if (p->d_name[0] < '0' || p->d_name[0] > '9') continue;
        const std::string pasta = std::string("/proc/") + p->d_name;
        DIR* abertos = ::opendir((pasta + "/fd").c_str());
        if (!abertos) continue;   // ended meanwhile, or another user's
        while (const dirent* d = ::readdir(abertos)) {
            if (d->d_name[0] == '.') continue;
            struct stat s {};
            if (::stat((pasta + "/fd/" + d->d_name).c_str(), &s) != 0 || !mesmoArquivo(s, arquivo)) continue;
            if (paraGravacao(pasta + "/fdinfo/" + d->d_name)) {
                achou = true;
                break;
            }
        }
        ::closedir(abertos);
    }
    ::closedir(processos);
    return achou;
}

VigiaOrigem::VigiaOrigem(const QByteArray& caminho) {
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
    return abertoParaGravacao(inicio_) ? EstadoOrigem::EmGravacao : EstadoOrigem::Intacta;
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
    return abertoParaGravacao(fim) ? EstadoOrigem::EmGravacao : EstadoOrigem::Intacta;
}
