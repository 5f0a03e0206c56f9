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
#include <cstring>
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

bool criaArquivoPrivado(const QString& caminho, struct stat* criado) {
    avisaMudanca(caminho);
    const int fd = ::open(QFile::encodeName(caminho).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
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
    const QByteArray nome = QFile::encodeName(destino);
    avisaMudanca(destino);
    const int para = ::open(nome.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
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
    if (::close(para) != 0 && r == ResultadoCopia::Feita) r = falhaGravacao();
    if (r != ResultadoCopia::Feita) ::unlink(nome.constData());
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

// A file of this user's at `caminho` (not a link, not another user's): the program's own, made
// at a name nobody held. What took such a name meanwhile is someone else's and stays.
bool deste(const QString& caminho) {
    struct stat s {};
    return ::lstat(QFile::encodeName(caminho).constData(), &s) == 0 && S_ISREG(s.st_mode) &&
           s.st_uid == ::geteuid();
}

// A temporary file of the program's and the files the engine left beside it, those of them that
// are this user's files, the file itself last.
void removeDeste(const QString& caminho) {
    for (const char* lado : kLados)
        if (deste(caminho + QLatin1String(lado))) removeArquivo(caminho + QLatin1String(lado));
}

// The part nomeLivre adds to a taken name, before its last part.
const QRegularExpression& parteNova() {
    static const QRegularExpression r(QStringLiteral("\\.[a-z0-9]{6}(?=\\.[^.]+$)"));
    return r;
}

// A name the program gives its temporary files, with or without a fresh part: only such a name
// noted is ever removed at the start, never the database or a file of the operator's.
bool nomeTemporario(const QString& caminho) {
    const QString nome = QFileInfo(caminho).fileName().remove(parteNova());
    return nome.endsWith(kSufixoGravando) || nome.endsWith(kSufixoCriando) ||
           QStringList{kCopiaCompacta, kCopiaRestauracao, kCopiaRecebida, kBancoReconstruido}.contains(nome);
}

// How a file is noted: by its name alone in the program's folder (moved or copied whole, the
// folder keeps finding its own), by its whole path elsewhere; percent-encoded.
QByteArray comoAnotado(const QString& pastaPrograma, const QString& temporario) {
    const QFileInfo f(temporario);
    const QString nome = f.absoluteDir() == QDir(pastaPrograma) ? f.fileName() : f.absoluteFilePath();
    return QFile::encodeName(nome).toPercentEncoding();
}

// One line a change: "+" and the file noted, "-" and the file forgotten; false when it could not
// be written (the operation goes on: only its cleaning after a kill is lost).
bool acrescentaAnotacao(const QString& pastaPrograma, char sinal, const QString& temporario) {
    const QByteArray linha = sinal + comoAnotado(pastaPrograma, temporario) + '\n';
    // Only into a file of its own: never through a link, into a file of another name, or waiting.
    const int fd = abreGuardado(QDir(pastaPrograma).filePath(kGravacoesAnotadas), O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0) return false;
    // On the disk before the file it names is created.
    const bool ok = escreveTudo(fd, linha.constData(), linha.size()) && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// A file as noted, found again from the program's folder.
QString anotadoEm(const QDir& pastaPrograma, const QString& anotado) {
    return QFileInfo(anotado).isAbsolute() ? anotado : pastaPrograma.filePath(anotado);
}

// The files noted and not yet forgotten, as noted.
QStringList anotadas(const QString& registro) {
    const int fd = abreGuardado(registro, O_RDONLY);
    if (fd < 0) return {};
    QFile f;
    QStringList r;
    if (f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        for (const QByteArray& linha : f.readAll().split('\n')) {
            if (linha.size() < 2) continue;
            const QString arquivo = QFile::decodeName(QByteArray::fromPercentEncoding(linha.mid(1)));
            if (linha[0] == '+') r << arquivo;
            else if (linha[0] == '-') r.removeOne(arquivo);
        }
    } else {
        ::close(fd);
    }
    return r;
}

}  // namespace

void anotaGravacao(const QString& pastaPrograma, const QString& temporario) {
    acrescentaAnotacao(pastaPrograma, '+', temporario);
}

void esqueceGravacao(const QString& pastaPrograma, const QString& temporario) {
    const bool esquecido = acrescentaAnotacao(pastaPrograma, '-', temporario);
    const QDir pasta{pastaPrograma};
    const QString registro = pasta.filePath(kGravacoesAnotadas);
    QStringList resto = anotadas(registro);
    // Not written (a full disk): the notes go all the same once nothing they name is left.
    if (!esquecido) {
        resto.removeOne(QFile::decodeName(QByteArray::fromPercentEncoding(comoAnotado(pastaPrograma, temporario))));
        resto.removeIf([&](const QString& a) { return !deste(anotadoEm(pasta, a)); });
    }
    if (resto.isEmpty()) QFile::remove(registro);
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

ArquivoTemporario::ArquivoTemporario(const QString& pastaPrograma, const QString& usual)
    : pasta_(pastaPrograma), caminho_(nomeLivre(usual)) {
    anotaGravacao(pasta_, caminho_);
}

ArquivoTemporario::~ArquivoTemporario() {
    if (esquecido_) return;
    removeDeste(caminho_);
    esqueceGravacao(pasta_, caminho_);
}

void ArquivoTemporario::esquece() {
    if (esquecido_) return;
    esquecido_ = true;
    esqueceGravacao(pasta_, caminho_);
}

void removeCopiasTemporarias(const QString& banco) {
    const QDir pasta = QFileInfo(banco).dir();
    const QString registro = pasta.filePath(kGravacoesAnotadas);
    for (const QString& anotado : anotadas(registro)) {
        const QString arquivo = anotadoEm(pasta, anotado);
        if (nomeTemporario(arquivo)) removeDeste(arquivo);
    }
    removeArquivo(registro);
    const QString anterior = banco + kSufixoAnterior;
    if (QFileInfo::exists(anterior) && !QFileInfo::exists(banco))
        renomeiaSemSobrescrever(anterior, banco);
    if (QFileInfo::exists(banco)) removeBanco(anterior);
}
