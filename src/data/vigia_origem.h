#pragma once
// A file of another program (a backup on a medium, a branch's or subscriber file) copied while
// that program may still be writing it. Reading it twice and comparing is not enough: a writer
// that rewrites the later part first and the earlier part once both reads are over, or that
// stopped half-way and goes on later, leaves two reads that agree on a blend of two versions.
// So the copy is watched instead. From the moment the watch is set, the kernel tells every write
// to the file, by any process, in whatever order (inotify); and the open files of the processes
// tell who holds it open for writing, and their memory maps who writes it through a shared
// mapping (no write call, no descriptor, no notice). A copy made between `comeca` and `termina`,
// both Intacta, holds the file as one version of it: nothing wrote to it meanwhile (nor changed
// its size or times), and no other process held it open or mapped for writing at either end (a
// writer paused half-way). The copier compares its copy with the file read again as well.
// What this cannot see: a writer on another computer (a network share), one run by another user
// (his open files are not ours to look at), and one that wrote part of the file, closed it and
// comes back only after the copy; without the kernel's notices (none left for this user) only
// the size and times tell a write. What is copied is still checked page by page and value by
// value before anything is taken from it.

#include <QByteArray>

#include <sys/stat.h>

enum class EstadoOrigem {
    Intacta,
    Mudou,        // written or resized since the watch began
    EmGravacao,   // another process holds it open for writing
};

class VigiaOrigem {
public:
    // Watches `caminho` from now on: open it only after this, so that no write escapes.
    explicit VigiaOrigem(const QByteArray& caminho);
    ~VigiaOrigem();
    VigiaOrigem(const VigiaOrigem&) = delete;
    VigiaOrigem& operator=(const VigiaOrigem&) = delete;

    // `fd` is the file, opened since the watch began, before its first byte is read.
    EstadoOrigem comeca(int fd);
    // The same `fd`, once its last byte is read.
    EstadoOrigem termina(int fd);

private:
    EstadoOrigem quemGrava(const struct stat& s) const;

    QByteArray caminho_;
    int avisos_ = -1;   // the kernel's notices of writes; -1 when they cannot be had
    struct stat inicio_ {};
};
