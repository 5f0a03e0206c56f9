#pragma once
// Whether another process has a file open, from the open files the system lists for each
// process (those of processes of other users are not ours to see).

#include <sys/stat.h>

// True when a process other than this one has the file `arquivo` (its device and inode) open;
// only for writing when `paraGravar`.
bool abertoPorOutro(const struct stat& arquivo, bool paraGravar);
