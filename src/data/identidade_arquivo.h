#pragma once
// What tells the file the program made from any other that later holds its name: the device
// and the inode it lives at, and its birth where the file system keeps one (an inode freed and
// given to a new file keeps its number, not its birth). Neither moves when the file is written,
// renamed or linked under a second name.

#include <QByteArray>
#include <QString>

#include <optional>

#include <sys/types.h>

struct IdentidadeArquivo {
    dev_t dispositivo = 0;
    ino_t inode = 0;
    qint64 nascimento = 0;   // in nanoseconds; 0 where the file system keeps none

    // Both name the same file: device and inode alike, and the birth too where both know it.
    bool mesmoQue(const IdentidadeArquivo& outra) const;
    // As written in the program's notes: three numbers, blank-separated.
    QByteArray texto() const;
    static std::optional<IdentidadeArquivo> deTexto(const QByteArray& texto);
};

// The file open at `fd`; none when it cannot be read.
std::optional<IdentidadeArquivo> identidadeDe(int fd);
// The file at `caminho` itself, never where a link there leads; none when nothing is there or
// it cannot be read (errno tells why).
std::optional<IdentidadeArquivo> identidadeEm(const QString& caminho);
