#pragma once
// Replacing `dados.mdb` while the program runs (backup's compaction, restore): closing without
// waiting, and holding the file alone from the copy that will replace it until it is replaced.

#include <QString>

class Banco;
struct sqlite3;

// Closes `db` without waiting for another connection's reading to end: what the log still holds
// is copied at the next close.
void fechaSemEsperar(Banco& db);

// Holds `dados.mdb` for this connection alone, until it is destroyed: nothing can be written into
// the file meanwhile, by this program or another (the engine's shell), so a copy of it made now
// (a backup's compaction) still holds every committed row when it is put in its place. Any other
// connection to it, already open or opened meanwhile, is refused at once: the caller must have
// closed its own.
class AcessoExclusivo {
public:
    // Throws ErroBanco naming the file when another connection has it open.
    explicit AcessoExclusivo(const QString& caminho);
    ~AcessoExclusivo();
    AcessoExclusivo(const AcessoExclusivo&) = delete;
    AcessoExclusivo& operator=(const AcessoExclusivo&) = delete;

    // Compacts the file as held into the new file `destino`, created owner-only and synced.
    // Throws ErroBanco.
    void compactaEm(const QString& destino);
    // Empties the file held, once another has taken its name: a program that opened it before
    // and is waiting for it then finds no table to write into, instead of answering success for
    // rows written into a file that nobody reads again.
    void esvazia();

private:
    sqlite3* conexao_ = nullptr;
};
