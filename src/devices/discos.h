#pragma once

#include <QString>
#include <QStringList>

// The drives the operator may choose for backups and the subscriber file: the file system that
// holds the program and every mounted removable medium, each named by its mount point.
class Discos {
public:
    virtual ~Discos() = default;
    // The program's own file system first, then the removable media.
    virtual QStringList unidades(const QString& pastaPrograma) const = 0;
    // Free bytes for this program on the file system of `pasta`; 0 when it has none or cannot
    // be read.
    virtual quint64 espacoLivre(const QString& pasta) const = 0;
};
