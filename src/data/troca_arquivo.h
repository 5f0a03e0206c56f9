#pragma once
// Replacing `dados.mdb` while the program runs (backup's compaction, restore): closing without
// waiting, and holding the file alone from the copy that will replace it until it is replaced.

#include <QString>

#include <sys/stat.h>

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
    // Throws ErroBanco naming the file when another connection has it open, or when it is not a
    // plain file with one name (see nomeOcupado).
    explicit AcessoExclusivo(const QString& caminho);
    ~AcessoExclusivo();
    AcessoExclusivo(const AcessoExclusivo&) = delete;
    AcessoExclusivo& operator=(const AcessoExclusivo&) = delete;

    // Compacts the file as held into the new file `destino`, created owner-only and synced.
    // Throws ErroBanco.
    void compactaEm(const QString& destino);
    // The file held has been replaced (another has its name now): it is let go, unless another
    // program still has it open, having opened it before and waiting for it. Let into it, that
    // program would take the new file's log, beside the same name, for the old file's own, and
    // write or fold the one into the other; so the lock is kept instead, to the end of the
    // program if need be, and each of its tries is refused as for a file in use.
    void aposenta();

private:
    sqlite3* conexao_ = nullptr;
    struct stat arquivo_ {};   // the file held, whatever later takes its name
};
