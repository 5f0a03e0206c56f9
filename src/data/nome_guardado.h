#pragma once
// The names the program keeps beside the database (the database itself, its lock, the notes of
// its temporary files, the fiscal journal) hold files of the program's own, and nothing else.
// What someone put there instead is never written, waited on or taken for the program's:
// a link would have the program write through it (or a swap replace the link and split the data
// between two files), a FIFO or a device would hold the program at its open, a second name would
// have the program write into a file of someone else's. It is told, in one sentence.

#include <QString>

#include <sys/types.h>

// What holds `caminho` when it is not a plain file of the program's own, as a sentence for the
// operator ("… é um FIFO (pipe), e não um arquivo só do programa."); empty when nothing is there
// or a plain file, with no other name when `umNome`.
QString nomeOcupado(const QString& caminho, bool umNome);

// Opens `caminho` with open(2)'s `flags` (and `modo` for a file created) only as a plain file
// with no other name, read or written: never through a link, never waiting (a FIFO, a device). -1 on failure with errno set; `ocupado` (if given) then holds
// nomeOcupado's sentence, or is empty when the failure was anything else (no such file, no
// permission, the disk).
int abreGuardado(const QString& caminho, int flags, QString* ocupado = nullptr, mode_t modo = 0600);
