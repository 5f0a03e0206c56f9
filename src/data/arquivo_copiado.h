#pragma once
// The file a private copy was taken from (a branch or subscriber file), removed once used only
// if it is still that file. Another program may meanwhile have put a newer file at its name
// (written aside and renamed over it, as copy tools and the branch's own export do) or rewritten
// it in place: that one was never read, and stays.

#include <QString>

#include <sys/stat.h>

class ArquivoCopiado {
public:
    enum class Exclusao {
        Excluido,   // the file copied is gone from its name (removed here, or already gone)
        Mantido,    // the name holds another file, or the file copied changed since: kept
        Falhou,     // it could not be removed
        PorLigacao, // the name is a link to the file copied: both kept
    };

    ArquivoCopiado() = default;
    ~ArquivoCopiado();
    ArquivoCopiado(const ArquivoCopiado&) = delete;
    ArquivoCopiado& operator=(const ArquivoCopiado&) = delete;

    // Takes `fd`, the file just copied, as it was read. Held open until this object goes: while
    // it is, no other file can take its device and inode.
    void guarda(int fd);
    // Removes the file at `caminho` if it is the one copied, unchanged since. Set aside first,
    // it is noted meanwhile in `pastaPrograma` (see anotaGravacao).
    Exclusao exclui(const QString& caminho, const QString& pastaPrograma);

private:
    int fd_ = -1;
    struct stat copiado_ {};
};
