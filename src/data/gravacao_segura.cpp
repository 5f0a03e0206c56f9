#include "data/gravacao_segura.h"

#include "data/banco.h"
#include "data/conexoes_abertas.h"
#include "data/nome_guardado.h"
#include "data/vigia_origem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr ssize_t kParte = 1 << 16;

// Reads up to `n` bytes (fewer only at the end of the file), from `posicao` when one is given
// (the descriptor's offset left where it is); -1 when the read failed.
ssize_t leParte(int fd, char* buffer, ssize_t n, off_t posicao = -1) {
    ssize_t lidos = 0;
    while (lidos < n) {
        const ssize_t r = posicao < 0 ? ::read(fd, buffer + lidos, size_t(n - lidos))
                                      : ::pread(fd, buffer + lidos, size_t(n - lidos), posicao + lidos);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return -1;
        if (r == 0) break;
        lidos += r;
    }
    return lidos;
}

ResultadoCopia falhaGravacao() {
    return semEspaco(errno) ? ResultadoCopia::DiscoCheio : ResultadoCopia::Falhou;
}

// Copies `origem` into `destino`, each part after the first announced.
ResultadoCopia copiaConteudo(int origem, int destino, const QString& nomeDestino) {
    std::vector<char> a(kParte);
    for (bool primeira = true;; primeira = false) {
        const ssize_t n = leParte(origem, a.data(), kParte);
        if (n < 0) return ResultadoCopia::Falhou;
        if (n == 0) return ResultadoCopia::Feita;
        if (!primeira) avisaMudanca(nomeDestino);
        if (!escreveTudo(destino, a.data(), n)) return falhaGravacao();
    }
}

// Reads `origem` again and compares it with the copy just written: a change made while the copy
// was read, by any road (a shared mapping writes with no call and no notice), leaves them apart.
ResultadoCopia comparaCopia(int origem, int copia) {
    std::vector<char> a(kParte), b(kParte);
    for (off_t posicao = 0;; posicao += kParte) {
        const ssize_t n = leParte(origem, a.data(), kParte, posicao);
        const ssize_t m = leParte(copia, b.data(), kParte, posicao);
        if (n < 0 || m < 0) return ResultadoCopia::Falhou;
        if (n != m || std::memcmp(a.data(), b.data(), size_t(n)) != 0) return ResultadoCopia::OrigemMudou;
        if (n < kParte) return ResultadoCopia::Feita;
    }
}

ResultadoCopia doEstado(EstadoOrigem e) {
    switch (e) {
    case EstadoOrigem::Intacta: return ResultadoCopia::Feita;
    case EstadoOrigem::Mudou: return ResultadoCopia::OrigemMudou;
    case EstadoOrigem::EmGravacao: return ResultadoCopia::OrigemEmGravacao;
    }
    return ResultadoCopia::Falhou;
}

}  // namespace

bool escreveTudo(int fd, const char* dados, ssize_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, dados, size_t(n));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        dados += w;
        n -= w;
    }
    return true;
}

QByteArray textoPragma(sqlite3* conexao, const char* sql) {
    sqlite3_stmt* st = nullptr;
    QByteArray r;
    if (sqlite3_prepare_v2(conexao, sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        r = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return r;
}

namespace {

bool sincroniza(const QString& caminho, int modo) {
    const int fd = ::open(QFile::encodeName(caminho).constData(), modo | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    const int erro = errno;
    ::close(fd);
    errno = erro;
    return ok;
}

}  // namespace

bool sincroniza(const QString& caminho) {
    // A file the engine holds for this process is synced through the engine's own open file: a
    // descriptor of ours, closed, would drop the connection's locks. Its shared memory holds
    // nothing that must reach the disk.
    sqlite3_file* f = nullptr;
    if (conexaoQueUsa(caminho, &f)) return !f || f->pMethods->xSync(f, SQLITE_SYNC_FULL) == SQLITE_OK;
    return sincroniza(caminho, O_RDONLY);
}

bool sincronizaPasta(const QString& pasta) { return sincroniza(pasta, O_RDONLY | O_DIRECTORY); }

bool preparaGravacaoSegura(sqlite3* conexao) {
    if (textoPragma(conexao, "PRAGMA journal_mode = WAL").toLower() == "wal")
        return sqlite3_exec(conexao, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr) ==
               SQLITE_OK;
    // A file system without the shared memory the log needs: the rollback journal, with its
    // folder synced after each commit deletes it.
    return sqlite3_exec(conexao, "PRAGMA synchronous = EXTRA", nullptr, nullptr, nullptr) ==
           SQLITE_OK;
}

bool consolidaGravacoes(sqlite3* conexao) {
    // A reader still open keeps part of the log; what it keeps is copied at the next close.
    return sqlite3_wal_checkpoint_v2(conexao, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) ==
           SQLITE_OK;
}

namespace {

// The program's temporary files whose names are chosen and not yet forgotten, by path: the file
// made at one of them is noted as soon as it is made, by whichever routine makes it.
QString chaveTemporario(const QString& caminho) { return QDir::cleanPath(QFileInfo(caminho).absoluteFilePath()); }

std::mutex& guardaTemporarios() {
    static std::mutex m;
    return m;
}

std::map<QString, ArquivoTemporario*>& temporarios() {
    static std::map<QString, ArquivoTemporario*> t;
    return t;
}

ArquivoTemporario* temporarioEm(const QString& caminho) {
    const std::lock_guard trava(guardaTemporarios());
    const auto t = temporarios().find(chaveTemporario(caminho));
    return t == temporarios().end() ? nullptr : t->second;
}

}  // namespace

int criaArquivoNovo(const QString& caminho, int modo, mode_t permissoes) {
    avisaMudanca(caminho);
    const int fd = ::open(QFile::encodeName(caminho).constData(), modo | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          permissoes);
    if (fd < 0) return -1;
    if (ArquivoTemporario* t = temporarioEm(caminho))
        if (const auto feito = identidadeDe(fd)) t->anota(feito->semConteudo());
    return fd;
}

bool criaArquivoPrivado(const QString& caminho, struct stat* criado) {
    const int fd = criaArquivoNovo(caminho, O_WRONLY, 0600);
    if (fd < 0) return false;
    const bool ok = !criado || ::fstat(fd, criado) == 0;
    ::close(fd);
    return ok;
}

ResultadoCopia copiaPrivada(const QString& origem, const QString& destino, int* origemAberta) {
    if (origemAberta) *origemAberta = -1;
    // A file the engine holds for this process is never read by hand (nor complete without its
    // log): only the engine copies it (a backup's compaction).
    if (conexaoQueUsa(origem)) return ResultadoCopia::Falhou;
    const QByteArray nomeOrigem = QFile::encodeName(origem);
    VigiaOrigem vigia(nomeOrigem);   // before it is opened: no write escapes
    const int de = ::open(nomeOrigem.constData(), O_RDONLY | O_CLOEXEC);
    if (de < 0) return ResultadoCopia::Falhou;
    if (const ResultadoCopia r = doEstado(vigia.comeca(de)); r != ResultadoCopia::Feita) {
        ::close(de);
        return r;
    }
    const int para = criaArquivoNovo(destino, O_RDWR, 0600);
    if (para < 0) {
        const ResultadoCopia r = falhaGravacao();
        ::close(de);
        return r;
    }
    avisaMudanca(destino);   // created, still empty
    ResultadoCopia r = copiaConteudo(de, para, destino);
    if (r == ResultadoCopia::Feita) r = comparaCopia(de, para);
    if (r == ResultadoCopia::Feita) r = doEstado(vigia.termina(de));
    if (r == ResultadoCopia::Feita && ::fsync(para) != 0) r = falhaGravacao();
    if (r == ResultadoCopia::Feita && origemAberta) *origemAberta = de;
    else ::close(de);
    const auto feito = identidadeDe(para);
    if (::close(para) != 0 && r == ResultadoCopia::Feita) r = falhaGravacao();
    if (r != ResultadoCopia::Feita && feito) removeFeito(destino, *feito);
    return r;
}

void removeArquivo(const QString& arquivo) {
    if (!QFileInfo::exists(arquivo)) return;
    avisaMudanca(arquivo);
    QFile::remove(arquivo);
}

namespace {

// The files the engine may put beside a database of a given name, and the file itself last: a
// removal cut short leaves a name the next one finds.
const char* const kLados[] = {"-journal", "-wal", "-shm", ""};

}  // namespace

void removeBanco(const QString& caminho) {
    for (const char* lado : kLados) removeArquivo(caminho + QLatin1String(lado));
}

bool renomeiaSemSobrescrever(const QByteArray& de, const QByteArray& para) {
    // A file system that cannot tell the kernel so (a network share) gets a look first: the
    // names used are unique, the window short.
    if (::renameat2(AT_FDCWD, de.constData(), AT_FDCWD, para.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat s {};
    if (::lstat(para.constData(), &s) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(de.constData(), para.constData()) == 0;
}

namespace {

// Nothing at all at `caminho` nor beside it: not a file, a folder, nor a link (even one that
// leads nowhere).
bool semNadaEm(const QString& caminho) {
    for (const char* lado : kLados) {
        struct stat s {};
        if (::lstat(QFile::encodeName(caminho + QLatin1String(lado)).constData(), &s) == 0 || errno != ENOENT)
            return false;
    }
    return true;
}

// A file of this user's at `caminho` (not a link, not another user's).
bool deste(const QString& caminho) {
    struct stat s {};
    return ::lstat(QFile::encodeName(caminho).constData(), &s) == 0 && S_ISREG(s.st_mode) &&
           s.st_uid == ::geteuid();
}

// The file the program made, still at `caminho`.
bool feitoEm(const QString& caminho, const IdentidadeArquivo& feito) {
    const auto agora = identidadeEm(caminho);
    return agora && agora->mesmoQue(feito) && deste(caminho);
}

}  // namespace

bool removeFeito(const QString& caminho, const IdentidadeArquivo& feito) {
    // What took the name meanwhile, and what the engine's names beside it hold then, are
    // someone else's and stay.
    if (!feitoEm(caminho, feito)) return true;
    for (const char* lado : kLados) {
        const QString arquivo = caminho + QLatin1String(lado);
        if (*lado ? deste(arquivo) : feitoEm(arquivo, feito)) removeArquivo(arquivo);
    }
    return !feitoEm(caminho, feito);
}

namespace {

// The part nomeLivre adds to a taken name, before its last part.
const QRegularExpression& parteNova() {
    static const QRegularExpression r(QStringLiteral("\\.[a-z0-9]{6}(?=\\.[^.]+$)"));
    return r;
}

// The name of a temporary file as noted, its fresh part taken out: "" for a name the program
// never notes (one going out of the folder it names, "../x"). A bare name is in the program's
// folder, a whole path elsewhere.
QString nomeDoTipo(const QString& anotado) {
    if (anotado.contains(u'/') && (!QDir::isAbsolutePath(anotado) || QDir::cleanPath(anotado) != anotado))
        return {};
    return QFileInfo(anotado).fileName().remove(parteNova());
}

// A name the program gives its temporary files, where it makes them: copies of the database and
// new databases in the program's folder only; a file written under its second name, or one set
// aside to be removed, wherever it goes. Only such a name noted is ever removed at the start,
// never the database or a file of the operator's.
bool nomeTemporario(const QString& anotado) {
    static const QRegularExpression excluindo(QRegularExpression::escape(kSufixoExcluindo) +
                                              QStringLiteral("[0-9a-z]+$"));
    const QString nome = nomeDoTipo(anotado);
    if (nome.isEmpty()) return false;
    if (nome.endsWith(kSufixoGravando) || excluindo.match(nome).hasMatch()) return true;
    return !anotado.contains(u'/') &&
           (nome.endsWith(kSufixoCriando) || nome.endsWith(kSufixoAnterior) ||
            QStringList{kCopiaCompacta, kCopiaRestauracao, kCopiaRecebida, kBancoReconstruido}.contains(nome));
}

// How a file is noted: by its name alone in the program's folder (the folder moved whole keeps
// finding its own), by its whole path elsewhere; percent-encoded.
QByteArray comoAnotado(const QString& pastaPrograma, const QString& temporario) {
    const QFileInfo f(temporario);
    const QString nome = f.absoluteDir() == QDir(pastaPrograma) ? f.fileName() : QDir::cleanPath(f.absoluteFilePath());
    return QFile::encodeName(nome).toPercentEncoding();
}

// A note as written after its sign: the file, and the identity of the file made there.
QByteArray nota(const QString& pastaPrograma, const QString& temporario, const IdentidadeArquivo& feito) {
    return comoAnotado(pastaPrograma, temporario) + ' ' + feito.texto();
}

// One line a change: "+" and the file noted, "-" and the file forgotten; false when it could not
// be written (the operation goes on: only its cleaning after a kill is lost).
bool acrescentaAnotacao(const QString& pastaPrograma, char sinal, const QByteArray& anotacao) {
    const QByteArray linha = sinal + anotacao + '\n';
    // Only into a file of its own: never through a link, into a file of another name, or waiting.
    const int fd = abreGuardado(QDir(pastaPrograma).filePath(kGravacoesAnotadas), O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0) return false;
    // On the disk before the file it names is created.
    const bool ok = escreveTudo(fd, linha.constData(), linha.size()) && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// A note still standing.
struct Anotacao {
    QByteArray linha;                       // as written after its sign
    QString arquivo;                        // as noted
    std::optional<IdentidadeArquivo> feito; // none in a note of a name alone (an older version's)
};

// The files noted and not yet forgotten.
QList<Anotacao> anotadas(const QString& registro) {
    const int fd = abreGuardado(registro, O_RDONLY);
    if (fd < 0) return {};
    QFile f;
    QList<Anotacao> r;
    if (f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        for (const QByteArray& linha : f.readAll().split('\n')) {
            if (linha.size() < 2) continue;
            const QByteArray resto = linha.mid(1);
            const qsizetype espaco = resto.indexOf(' ');
            if (linha[0] == '+')
                r.append({resto, QFile::decodeName(QByteArray::fromPercentEncoding(resto.left(espaco))),
                          espaco < 0 ? std::nullopt : IdentidadeArquivo::deTexto(resto.mid(espaco + 1))});
            else if (linha[0] == '-')
                for (qsizetype i = 0; i < r.size(); ++i)
                    if (r[i].linha == resto) {
                        r.removeAt(i);
                        break;
                    }
        }
    } else {
        ::close(fd);
    }
    return r;
}

// A file as noted, found again from the program's folder.
QString anotadoEm(const QDir& pastaPrograma, const QString& anotado) {
    return QFileInfo(anotado).isAbsolute() ? anotado : pastaPrograma.filePath(anotado);
}

enum class Situacao {
    Feito,     // the very file made is at the name
    Ausente,   // its folder is not there (a medium not mounted, or another one in its place)
    Resolvida, // nothing is at the name, or another file: nothing of the program's to remove
};

Situacao situacao(const QDir& pastaPrograma, const Anotacao& a) {
    // A name alone (an older version's note), or one the program never notes: nothing is known
    // of what is there.
    if (!a.feito || !nomeTemporario(a.arquivo)) return Situacao::Resolvida;
    const QString arquivo = anotadoEm(pastaPrograma, a.arquivo);
    if (QFileInfo(a.arquivo).isAbsolute()) {
        struct stat pasta {};
        if (::stat(QFile::encodeName(QFileInfo(arquivo).path()).constData(), &pasta) != 0 ||
            pasta.st_dev != a.feito->dispositivo)
            return Situacao::Ausente;
    }
    if (feitoEm(arquivo, *a.feito)) return Situacao::Feito;
    struct stat s {};
    // A medium that fails to answer is not taken for an empty one.
    return ::lstat(QFile::encodeName(arquivo).constData(), &s) == 0 || errno == ENOENT ? Situacao::Resolvida
                                                                                       : Situacao::Ausente;
}

// The notes' file once nothing is left noted: only the notes' own file goes, whatever else took
// its name stays, for the start to tell.
void removeRegistro(const QString& registro) {
    if (nomeOcupado(registro, true).isEmpty()) removeArquivo(registro);
}

}  // namespace

void anotaGravacao(const QString& pastaPrograma, const QString& temporario, const IdentidadeArquivo& feito) {
    acrescentaAnotacao(pastaPrograma, '+', nota(pastaPrograma, temporario, feito));
}

void esqueceGravacao(const QString& pastaPrograma, const QString& temporario, const IdentidadeArquivo& feito) {
    const QByteArray esquecida = nota(pastaPrograma, temporario, feito);
    const bool esquecido = acrescentaAnotacao(pastaPrograma, '-', esquecida);
    const QDir pasta{pastaPrograma};
    const QString registro = pasta.filePath(kGravacoesAnotadas);
    QList<Anotacao> resto = anotadas(registro);
    // Not written (a full disk): the notes go all the same once nothing they name is left to
    // find.
    if (!esquecido) {
        resto.removeIf([&](const Anotacao& a) {
            return a.linha == esquecida || situacao(pasta, a) == Situacao::Resolvida;
        });
    }
    if (resto.isEmpty()) removeRegistro(registro);
}

QString nomeLivre(const QString& usual) {
    if (semNadaEm(usual)) return usual;
    const QFileInfo f(usual);
    const QString nome = f.fileName();
    const qsizetype ponto = nome.lastIndexOf(u'.');
    const QString base = ponto > 0 ? nome.left(ponto) : nome;
    const QString fim = ponto > 0 ? nome.mid(ponto) : QString();
    static const char kLetras[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString outro;
    // A folder that cannot be read gives up: the creation then fails and says so.
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        QString parte;
        for (int i = 0; i < 6; ++i) parte += QLatin1Char(kLetras[QRandomGenerator::global()->bounded(36)]);
        outro = f.dir().filePath(base + u'.' + parte + fim);
        if (semNadaEm(outro)) break;
    }
    return outro;
}

ArquivoTemporario::ArquivoTemporario(const QString& pastaPrograma, const QString& usual, const QString& renomeadoPara)
    : pasta_(pastaPrograma), caminho_(nomeLivre(usual)), renomeadoPara_(renomeadoPara) {
    const std::lock_guard trava(guardaTemporarios());
    temporarios()[chaveTemporario(caminho_)] = this;
}

ArquivoTemporario::~ArquivoTemporario() {
    {
        const std::lock_guard trava(guardaTemporarios());
        const auto t = temporarios().find(chaveTemporario(caminho_));
        if (t != temporarios().end() && t->second == this) temporarios().erase(t);
    }
    if (esquecido_ || !feito_) return;
    // Kept noted while it could not be removed: the next start tries again.
    if (removeFeito(caminho_, *feito_)) esqueceGravacao(pasta_, caminho_, *feito_);
}

void ArquivoTemporario::anota(const IdentidadeArquivo& feito) {
    if (esquecido_) return;
    const std::optional<IdentidadeArquivo> antes = std::exchange(feito_, feito);
    anotaGravacao(pasta_, caminho_, feito);
    // The note it replaces goes once the new one is written: a kill between leaves two notes of
    // the one file.
    if (antes) acrescentaAnotacao(pasta_, '-', nota(pasta_, caminho_, *antes));
}

void ArquivoTemporario::anotaPresente() {
    if (const auto feito = identidadeEm(caminho_); feito && deste(caminho_)) anota(feito->semConteudo());
}

void ArquivoTemporario::anotaInteiro() {
    if (esquecido_ || !feito_ || !feitoEm(caminho_, *feito_)) return;
    if (const auto inteiro = identidadeEm(caminho_)) anota(*inteiro);
}

void anotaTemporarioInteiro(const QString& caminho) {
    if (ArquivoTemporario* t = temporarioEm(caminho)) t->anotaInteiro();
}

void ArquivoTemporario::esquece() {
    if (esquecido_) return;
    esquecido_ = true;
    if (!feito_) return;
    // Noted at its new name before it is forgotten at this one: a kill between leaves a note.
    if (!renomeadoPara_.isEmpty())
        if (ArquivoTemporario* t = temporarioEm(renomeadoPara_); t && t != this && feitoEm(renomeadoPara_, *feito_))
            t->anota(*feito_);
    esqueceGravacao(pasta_, caminho_, *feito_);
}

void removeCopiasTemporarias(const QString& banco) {
    const QDir pasta = QFileInfo(banco).dir();
    const QString registro = pasta.filePath(kGravacoesAnotadas);
    const QString nomeAnterior = QFileInfo(banco).fileName() + kSufixoAnterior;
    const QByteArray nomeBanco = QFile::encodeName(banco);
    QList<Anotacao> mantidas, feitas;
    for (const Anotacao& a : anotadas(registro)) {
        switch (situacao(pasta, a)) {
        case Situacao::Resolvida: feitas << a; break;
        case Situacao::Ausente: mantidas << a; break;
        case Situacao::Feito: {
            const QString arquivo = anotadoEm(pasta, a.arquivo);
            // The database a swap cut short kept: put back when nothing at all is at the
            // database's name (not even a link), never over anything, and never removed while it
            // is the only one; stale beside it otherwise.
            struct stat s {};
            if (nomeDoTipo(a.arquivo) == nomeAnterior && ::lstat(nomeBanco.constData(), &s) != 0 && errno == ENOENT) {
                avisaMudanca(banco);
                (renomeiaSemSobrescrever(QFile::encodeName(arquivo), nomeBanco) ? feitas : mantidas) << a;
                break;
            }
            (removeFeito(arquivo, *a.feito) ? feitas : mantidas) << a;
            break;
        }
        }
    }
    // Forgotten one by one, never rewritten: a kill midway leaves every note still standing.
    for (const Anotacao& a : feitas) acrescentaAnotacao(pasta.path(), '-', a.linha);
    if (mantidas.isEmpty()) removeRegistro(registro);
}
