#pragma once
// Whether another process has a file open, from the open files the system lists for each
// process (those of processes of other users are not ours to see).

#include <sys/stat.h>

// True when a process other than this one has the file `arquivo` (its device and inode) open;
// only for writing when `paraGravar`.
bool abertoPorOutro(const struct stat& arquivo, bool paraGravar);

// True when a process other than this one maps the file `arquivo` shared and writable: it writes the
// file through its memory with no write call and no descriptor, and the kernel tells no one.
// Seen by the device and inode each mapping lists, or by the file's path `caminho` where the file
// system lists another device (an overlay). A read-only shared mapping made writable later
// (mprotect) is not seen.
bool mapeadoParaGravar(const struct stat& arquivo, const char* caminho);
