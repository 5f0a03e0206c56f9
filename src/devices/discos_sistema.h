#pragma once

#include "devices/discos.h"

// The mount table of the running system (/proc/self/mounts): removable media are those mounted
// under /media, /run/media or /mnt.
class DiscosSistema : public Discos {
public:
    QStringList unidades(const QString& pastaPrograma) const override;
    quint64 espacoLivre(const QString& pasta) const override;

    // The same choice from a mount table's text, for tests.
    static QStringList unidadesDaTabela(const QString& tabela, const QString& pastaPrograma);
};

// Free bytes on the file system of `unidade` (a mount point or any folder in it), counted in
// 64 bits; 0 when the medium has no free space or cannot be read.
quint64 calcula_espaco_livre(const QString& unidade);
