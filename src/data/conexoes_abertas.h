#pragma once
// The database files this process holds through the engine. The kernel drops every lock a
// process holds on a file when any descriptor of that file closes: a file of ours opened and
// closed by hand while a connection holds it would lose the connection's locks, and another
// program's engine (the sqlite3 shell) would then take itself for the file's only user and
// delete its log under the running program. So the connections are told here while they are
// open, and whatever opens a file by hand asks first.

#include <QString>

struct sqlite3;
struct sqlite3_file;

// `conexao` has just opened its main file. The file is known by its device and inode, so
// another spelling of its path, or a file renamed over it later, does not change what it holds.
void conexaoAberta(sqlite3* conexao);
// `conexao` is about to close.
void conexaoFechando(sqlite3* conexao);
// The connection of this process holding the file at `caminho` (its main file, or the log,
// journal or shared memory beside it), or null. With `arquivo`, also the engine's own open file
// for it (null for the shared memory, or a log not open), to be used instead of a descriptor of
// ours.
sqlite3* conexaoQueUsa(const QString& caminho, sqlite3_file** arquivo = nullptr);
