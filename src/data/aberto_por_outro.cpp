#include "data/aberto_por_outro.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

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

// True as soon as `achou` is true of the /proc folder of another process than this one.
template <typename Achou>
bool algumOutroProcesso(Achou achou) {
    DIR* processos = ::opendir("/proc");
    if (!processos) return false;
    const std::string este = std::to_string(::getpid());
    bool sim = false;
    while (!sim) {
        const dirent* p = ::readdir(processos);
        if (!p) break;
        if (p->d_name[0] < '0' || p->d_name[0] > '9' || p->d_name == este) continue;
        sim = achou(std::string("/proc/") + p->d_name);
    }
    ::closedir(processos);
    return sim;
}

}  // namespace

bool abertoPorOutro(const struct stat& arquivo, bool paraGravar) {
    return algumOutroProcesso([&](const std::string& pasta) {
        DIR* abertos = ::opendir((pasta + "/fd").c_str());
        if (!abertos) return false;   // ended meanwhile, or another user's
        bool achou = false;
        while (const dirent* d = ::readdir(abertos)) {
            if (d->d_name[0] == '.') continue;
            struct stat s {};
            if (::stat((pasta + "/fd/" + d->d_name).c_str(), &s) != 0 || s.st_dev != arquivo.st_dev ||
                s.st_ino != arquivo.st_ino)
                continue;
            if (!paraGravar || paraGravacao(pasta + "/fdinfo/" + d->d_name)) {
                achou = true;
                break;
            }
        }
        ::closedir(abertos);
        return achou;
    });
}

bool mapeadoParaGravar(const struct stat& arquivo, const char* caminho) {
    char* real = ::realpath(caminho, nullptr);
    const std::string nome = real ? real : "";
    std::free(real);
    return algumOutroProcesso([&](const std::string& pasta) {
        FILE* f = std::fopen((pasta + "/maps").c_str(), "re");
        if (!f) return false;   // ended meanwhile, or another user's
        // "start-end perms offset major:minor inode path"
        char linha[4096 + 128];
        bool achou = false;
        while (!achou && std::fgets(linha, sizeof linha, f)) {
            char permissoes[8] = {};
            unsigned maior = 0, menor = 0;
            unsigned long long inode = 0;
            int fimCampos = 0;
            if (std::sscanf(linha, "%*s %7s %*s %x:%x %llu %n", permissoes, &maior, &menor, &inode,
                            &fimCampos) < 4 ||
                permissoes[1] != 'w' || permissoes[3] != 's')
                continue;
            std::string mapeado = linha + fimCampos;
            if (!mapeado.empty() && mapeado.back() == '\n') mapeado.pop_back();
            achou = (makedev(maior, menor) == arquivo.st_dev && inode == arquivo.st_ino) ||
                    (!nome.empty() && mapeado == nome);
        }
        std::fclose(f);
        return achou;
    });
}
