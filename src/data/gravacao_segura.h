#pragma once
// How `dados.mdb` is written so that what the program reported as stored survives a power cut,
// and so that only its owner can read it (it holds the users' passwords).
//
// Commits go to a write-ahead log synced at every commit (WAL, synchronous FULL): one sync per
// commit, and a commit never depends on deleting a file whose deletion a power cut could undo.
// The log is copied into the file and emptied at close, so a file copied after its connection
// closed holds every committed row; a copy taken while it is open must call
// `consolidaGravacoes` first.

#include <QString>

struct sqlite3;

// Sets the journal and the syncing of a connection just opened. False when the engine refused.
bool preparaGravacaoSegura(sqlite3* conexao);
// Moves every committed row from the log into the file itself and empties the log.
void consolidaGravacoes(sqlite3* conexao);
// Creates the empty file readable and writable by its owner only; false when it already exists
// or cannot be created. The engine gives its side files (log, shared memory) the same mode.
bool criaArquivoPrivado(const QString& caminho);
