#pragma once
// What tells the file the program made from any other that later holds its name: the device
// and the inode it lives at, and its birth where the file system keeps one (an inode freed and
// given to a new file keeps its number, not its birth). Neither moves when the file is written,
// renamed or linked under a second name. Once the file is whole, its size and the time of its
// last write tell it further: on a file system that numbers its files anew at each mounting (a
// medium's), another file may come to have that device and inode.

#include <QByteArray>
#include <QString>

#include <optional>

#include <sys/types.h>

struct IdentidadeArquivo {
    dev_t dispositivo = 0;
    ino_t inode = 0;
    qint64 nascimento = 0;     // in nanoseconds; 0 where the file system keeps none
    qint64 tamanho = -1;       // -1: not part of it (a file still being written)
    qint64 modificacao = 0;    // the last write, in nanoseconds, with `tamanho`

    // Both name the same file: device and inode alike, the birth too where both know it, and
    // the size and the last write where both hold them.
    bool mesmoQue(const IdentidadeArquivo& outra) const;
    // The same without the size and the last write: what stays while the file is written.
    IdentidadeArquivo semConteudo() const;
    // As written in the program's notes: numbers, blank-separated.
    QByteArray texto() const;
    static std::optional<IdentidadeArquivo> deTexto(const QByteArray& texto);
};

// The file open at `fd`, with its size and last write; none when it cannot be read.
std::optional<IdentidadeArquivo> identidadeDe(int fd);
// The file at `caminho` itself, never where a link there leads, as identidadeDe; none when
// nothing is there or it cannot be read (errno tells why).
std::optional<IdentidadeArquivo> identidadeEm(const QString& caminho);
