#pragma once
// How `dados.mdb` is written so that what the program reported as stored survives a power cut,
// and so that only its owner can read it (it holds the users' passwords).
//
// Commits go to a write-ahead log synced at every commit (WAL, synchronous FULL): one sync per
// commit, and a commit never depends on deleting a file whose deletion a power cut could undo.
// The log is copied into the file and emptied at close, so a file copied after its connection
// closed holds every committed row; a copy taken while it is open must call
// `consolidaGravacoes` first.

#include "data/identidade_arquivo.h"
#include "data/mudancas_arquivos.h"

#include <QString>

#include <optional>

#include <sys/stat.h>
#include <sys/types.h>

struct sqlite3;

// The program's temporary full copies of the database. All hold the users' passwords, so they
// are created owner-only, and none is in use once its operation has ended.
// Beside the database: a backup's compaction, a restore's private copy of the backup and the
// database rebuilt from it, the private copy of a branch or subscriber file being received.
inline const QString kCopiaCompacta = QStringLiteral("compact.mdb");
inline const QString kCopiaRestauracao = QStringLiteral("dados.mdb.restaurando");
inline const QString kCopiaRecebida = QStringLiteral("dados.mdb.recebendo");
inline const QString kBancoReconstruido = QStringLiteral("dados.mdb.reconstruido");
// Beside the file they stand for: the database replaced, kept until the new one opens; a file
// written under a second name and renamed once whole; a new database until it is complete.
inline const QString kSufixoAnterior = QStringLiteral(".anterior");
inline const QString kSufixoGravando = QStringLiteral(".gravando");
inline const QString kSufixoCriando = QStringLiteral(".criando");
// Beside a file received once taken, under this and a fresh part: the file set aside as it is
// removed, so that what is removed is what was compared.
inline const QString kSufixoExcluindo = QStringLiteral(".excluindo-");
// In the program's folder: the files being written elsewhere under their second name.
inline const QString kGravacoesAnotadas = QStringLiteral("dados.mdb.gravacoes");


// Sets the journal and the syncing of a connection just opened. False when the engine refused.
bool preparaGravacaoSegura(sqlite3* conexao);
// Moves every committed row from the log into the file itself and empties the log; false when
// any of those writes failed (the engine's error tells why).
bool consolidaGravacoes(sqlite3* conexao);
// Creates the file new at `caminho`, open as `modo` (O_WRONLY or O_RDWR) with `permissoes`, and
// gives its descriptor: -1 (errno telling why) when anything (a link too) is already at its name
// or it cannot be created. A temporary file of the program's (ArquivoTemporario) is noted by its
// identity as soon as it is made, so that only this very file is ever removed as the program's.
int criaArquivoNovo(const QString& caminho, int modo, mode_t permissoes);
// Creates the empty file readable and writable by its owner only (see criaArquivoNovo); false
// when it could not. With `criado`, the file made, to tell it from whatever takes its name
// later. The engine gives its side files (log, shared memory) the same mode.
bool criaArquivoPrivado(const QString& caminho, struct stat* criado = nullptr);
// How a private copy ended.
enum class ResultadoCopia {
    Feita,
    Falhou,            // a file could not be opened, read or written
    DiscoCheio,        // the disk of the copy had no room for it
    OrigemMudou,       // the source was written while it was copied
    OrigemEmGravacao,  // another program held the source open for writing (a copy onto the medium paused)
};
// Copies `origem` to the new file `destino`, created owner-only and synced, watching `origem`
// while it is read (see vigia_origem.h) and comparing the copy with it read again: a copy of a
// file written meanwhile, in whatever order, or held open or mapped for writing by another
// program, may blend two versions of it and is not kept. On any failure a part written is
// removed. Once done, `origemAberta` (if given) takes the descriptor the source was read by,
// still open, for the caller to close (-1 unless the copy was made).
ResultadoCopia copiaPrivada(const QString& origem, const QString& destino, int* origemAberta = nullptr);
// Removes a database file together with the side files the engine may leave beside it
// (journal, log, shared memory), so that a later file of the same name never picks them up.
void removeBanco(const QString& caminho);
// Removes the file at `caminho` only if it is still the very file the program made there, with
// the engine's files beside it; true when nothing of it is left at the name.
bool removeFeito(const QString& caminho, const IdentidadeArquivo& feito);
// One file, if it is there, announced first like every change to the program's files.
void removeArquivo(const QString& arquivo);
// A temporary file of the program (a copy beside the database, a file written under its second
// name and renamed once whole, a file set aside to be removed), noted in the program's folder
// with the identity of the very file made, as soon as it is made, and forgotten once it is
// renamed or removed: an operation stopped midway (a kill, a power cut) leaves it only until a
// start finds it again (see removeCopiasTemporarias).
void anotaGravacao(const QString& pastaPrograma, const QString& temporario, const IdentidadeArquivo& feito);
void esqueceGravacao(const QString& pastaPrograma, const QString& temporario, const IdentidadeArquivo& feito);
// Renames `de` to `para` only if nothing is at `para` (errno EEXIST otherwise).
bool renomeiaSemSobrescrever(const QByteArray& de, const QByteArray& para);
// The name of a temporary file to be made in place of `usual`: `usual` itself when nothing is
// there, nor at the names the engine gives the files beside a database; else a fresh name beside
// it, with its last part kept ("w.pdf.k3x9qa.gravando"). Whatever holds a name (another program's
// file, a user's, a link) is never opened nor removed.
QString nomeLivre(const QString& usual);
// A temporary file's name from before it is created until it is renamed into place or removed:
// chosen by nomeLivre. Whoever makes the file creates it new (criaArquivoNovo), so a name taken
// meanwhile fails the operation instead of being written through; the file made is noted
// (anotaGravacao) with its identity then.
class ArquivoTemporario {
public:
    // `renomeadoPara`: where the file goes once whole. Should a temporary file of the program be
    // at that name (a file made under a second name for it), it is that file from then on.
    ArquivoTemporario(const QString& pastaPrograma, const QString& usual, const QString& renomeadoPara = {});
    // Removes the very file made at the name (and the engine's files beside it), unless
    // forgotten before; whatever else holds the name (nothing was made, or another program's
    // file took it) stays.
    ~ArquivoTemporario();
    ArquivoTemporario(const ArquivoTemporario&) = delete;
    ArquivoTemporario& operator=(const ArquivoTemporario&) = delete;
    const QString& caminho() const { return caminho_; }
    // The file the program has just put at the name: noted by its identity, and removed at the
    // end unless forgotten. Called by criaArquivoNovo for the file it makes there.
    void anota(const IdentidadeArquivo& feito);
    // The same for the file now at the name, put there otherwise (a link just made), if one is.
    void anotaPresente();
    // The file is whole and written no more: noted again with its size and last write, which
    // tell it from another file that comes to have its device and inode.
    void anotaInteiro();
    // Nothing of it is at the name any more (renamed into its place, or never created), or it
    // is to stay where it is: forgotten, and nothing is removed.
    void esquece();

private:
    QString pasta_, caminho_, renomeadoPara_;
    std::optional<IdentidadeArquivo> feito_;
    bool esquecido_ = false;
};
// The temporary file of the program at `caminho`, if one is there, is whole (see
// ArquivoTemporario::anotaInteiro).
void anotaTemporarioInteiro(const QString& caminho);
// Settles the temporary files noted, which an operation ended midway (a kill, a power cut)
// left. Called at start-up only, under the folder's lock, while no other copy of the program can
// be using them. A note names a kind of file the program makes, where it makes it, with the
// identity of the file made: that very file is removed (with the files the engine left beside
// it), and nothing else; a note of a folder elsewhere that is not there (a medium not mounted)
// is kept for a later start. The database replaced by a swap cut short, kept beside `banco`, is
// put back when the database itself is missing; otherwise it is stale and goes too.
void removeCopiasTemporarias(const QString& banco);
// Syncs the file at `caminho` to the disk; false when it could not be opened or synced, with
// errno telling why.
bool sincroniza(const QString& caminho);
// Syncs the folder's entries (a file created, renamed or removed in it); false as above.
bool sincronizaPasta(const QString& pasta);
// The first column of the first row of a pragma, as text ("" when it gave none).
QByteArray textoPragma(sqlite3* conexao, const char* sql);
// Writes all `n` bytes to `fd`, going on after interruptions; false when a write failed.
bool escreveTudo(int fd, const char* dados, ssize_t n);
