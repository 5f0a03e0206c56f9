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

#include <sys/types.h>

struct sqlite3;

// The program's temporary full copies of the database, beside it: the compaction's and the
// restore's. Both hold the users' passwords, so they are created owner-only.
inline const QString kCopiaCompacta = QStringLiteral("compact.mdb");
inline const QString kCopiaRestauracao = QStringLiteral("dados.mdb.restaurando");

// Sets the journal and the syncing of a connection just opened. False when the engine refused.
bool preparaGravacaoSegura(sqlite3* conexao);
// Moves every committed row from the log into the file itself and empties the log.
void consolidaGravacoes(sqlite3* conexao);
// Creates the empty file readable and writable by its owner only; false when it already exists
// or cannot be created. The engine gives its side files (log, shared memory) the same mode.
bool criaArquivoPrivado(const QString& caminho);
// Copies `origem` to the new file `destino`, created owner-only and synced. False when either
// file failed; a part written is removed.
bool copiaPrivada(const QString& origem, const QString& destino);
// Removes the temporary copies a backup or restore ended midway left in the program's folder.
// Called at start-up only, while no other copy of the program can be using them.
void removeCopiasTemporarias(const QString& pasta);
// Syncs the file at `caminho` to the disk; false when it could not be opened or synced.
bool sincroniza(const QString& caminho);
// Syncs the folder's entries (a file created, renamed or removed in it); false as above.
bool sincronizaPasta(const QString& pasta);
// The first column of the first row of a pragma, as text ("" when it gave none).
QByteArray textoPragma(sqlite3* conexao, const char* sql);
// Writes all `n` bytes to `fd`, going on after interruptions; false when a write failed.
bool escreveTudo(int fd, const char* dados, ssize_t n);
