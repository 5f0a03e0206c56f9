#pragma once
// Replacing `dados.mdb` while the program runs (backup's compaction, restore): the compacted copy,
// closing without waiting, and holding the file alone while it is swapped.

#include <QString>

class Banco;
struct sqlite3;

// Compacts the open database into the new file `destino`, created owner-only and synced.
// Throws ErroBanco.
void compactaEm(Banco& db, const QString& destino);

// Closes `db` without waiting for another connection's reading to end: what the log still holds
// is copied at the next close.
void fechaSemEsperar(Banco& db);

// Holds `dados.mdb` for this connection alone while the file is replaced, so that nothing can
// go on writing into the file retired. Any other connection to it, of this program or of
// another (the engine's shell), refuses it at once: the caller must have closed its own.
class AcessoExclusivo {
public:
    // Throws ErroBanco naming the file when another connection has it open.
    explicit AcessoExclusivo(const QString& caminho);
    ~AcessoExclusivo();
    AcessoExclusivo(const AcessoExclusivo&) = delete;
    AcessoExclusivo& operator=(const AcessoExclusivo&) = delete;

private:
    sqlite3* conexao_ = nullptr;
};
