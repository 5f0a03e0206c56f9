#include "devices/impressora_porta.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Why the device refused, in the operator's words.
QString motivo(int erro) {
    switch (erro) {
    case ENOENT: return QStringLiteral("o dispositivo não existe");
    case ENXIO:
    case ENODEV: return QStringLiteral("a impressora não responde (desligada ou desconectada)");
    case EACCES:
    case EPERM: return QStringLiteral("sem permissão de escrita");
    case EBUSY: return QStringLiteral("a porta está ocupada");
    case EAGAIN: return QStringLiteral("a impressora parou de receber os dados");
    case EISDIR: return QStringLiteral("o caminho não é um dispositivo");
    case ENOSPC: return QStringLiteral("sem espaço");
    case EIO: return QStringLiteral("erro de entrada e saída (sem papel ou desligada)");
    case EPIPE:
    case ECONNRESET:
        return QStringLiteral("a ligação com a impressora caiu (desligada ou desconectada durante a "
                              "impressão)");
    default: return QStringLiteral("erro %1 do sistema").arg(erro);
    }
}

// While alive, a write to a pipe or a socket whose reader has gone fails with EPIPE on this
// thread instead of the signal ending the program: SIGPIPE is held back, and the one such a
// write raised is taken off before it is let through again.
class SemSigpipe {
public:
    SemSigpipe() {
        sigemptyset(&sigpipe_);
        sigaddset(&sigpipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &sigpipe_, &antes_);
        sigset_t pendentes;
        sigpending(&pendentes);
        jaPendente_ = sigismember(&pendentes, SIGPIPE) == 1;
    }
    ~SemSigpipe() {
        sigset_t pendentes;
        sigpending(&pendentes);
        if (!jaPendente_ && sigismember(&pendentes, SIGPIPE) == 1) {
            const timespec agora{0, 0};
            while (sigtimedwait(&sigpipe_, nullptr, &agora) < 0 && errno == EINTR) {}
        }
        pthread_sigmask(SIG_SETMASK, &antes_, nullptr);
    }
    SemSigpipe(const SemSigpipe&) = delete;
    SemSigpipe& operator=(const SemSigpipe&) = delete;

private:
    sigset_t sigpipe_{};
    sigset_t antes_{};
    bool jaPendente_ = false;
};

// The bytes handed to the port that its other end has not taken yet, where the device tells
// (a pipe, a socket, a serial line); -1 where it does not (a parallel printer).
long naoLidos(int fd, mode_t tipo) {
    int n = 0;
    if (S_ISFIFO(tipo)) return ::ioctl(fd, FIONREAD, &n) == 0 ? n : -1;
    return ::ioctl(fd, TIOCOUTQ, &n) == 0 ? n : -1;
}

qint64 relogioDoSistema() {
    static QElapsedTimer relogio = [] {
        QElapsedTimer r;
        r.start();
        return r;
    }();
    return relogio.elapsed();
}

}  // namespace

QString ImpressoraPorta::dispositivo(const QString& porta) const {
    const QString p = porta.trimmed().toUpper().remove(QLatin1Char(':'));
    QString nome;
    if (p == QLatin1String("LPT1")) nome = QStringLiteral("lp0");
    if (p == QLatin1String("LPT2")) nome = QStringLiteral("lp1");
    if (p == QLatin1String("COM1")) nome = QStringLiteral("ttyS0");
    return nome.isEmpty() ? QString() : QDir(pasta_).filePath(nome);
}

ImpressoraPorta::ImpressoraPorta(QString pastaDispositivos, std::function<qint64()> relogioMs)
    : pasta_(std::move(pastaDispositivos)),
      relogioMs_(relogioMs ? std::move(relogioMs) : std::function<qint64()>(relogioDoSistema)) {}

bool ImpressoraPorta::presente(const QString& porta) const {
    const QString d = dispositivo(porta);
    return !d.isEmpty() && QFileInfo::exists(d);
}

void ImpressoraPorta::envia(const QString& porta, const QByteArray& bytes, Feito feito) {
    if (!fila_)
        fila_ = std::make_unique<FilaImpressao>(
            [this](const QString& p, const QByteArray& b, const std::atomic<bool>& desiste) {
                return imprime(p, b, kPrazoMs, &desiste);
            });
    fila_->envia(porta, bytes, std::move(feito));
}

QString ImpressoraPorta::imprime(const QString& porta, const QByteArray& bytes, int prazoMs,
                                 const std::atomic<bool>* desiste) const {
    const QString d = dispositivo(porta);
    const QString nome = porta.trimmed();
    if (d.isEmpty())
        return QStringLiteral("A porta da impressora \"%1\" não é conhecida.").arg(nome);
    // The time runs from the last sign of life: the open, each byte taken.
    qint64 andou = relogioMs_();
    auto esperaMais = [&] { return !(desiste && *desiste) && relogioMs_() - andou < prazoMs; };
    // A printer that is off or busy may come ready within the time it is given.
    int fd = -1;
    for (;;) {
        fd = ::open(d.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_APPEND);
        const int falha = fd < 0 ? errno : 0;
        if (fd >= 0) break;
        if (falha == EINTR) continue;
        const bool passageira = falha == ENXIO || falha == EAGAIN || falha == EBUSY;
        if (passageira && esperaMais()) {
            ::usleep(100 * 1000);
            continue;
        }
        return QStringLiteral("Não foi possível abrir a impressora em %1 (%2): %3.")
            .arg(nome, d, motivo(falha));
    }
    struct stat s {};
    ::fstat(fd, &s);
    const SemSigpipe semSigpipe;
    andou = relogioMs_();
    long aLer = -1;   // what the other end had not taken at the last look
    qsizetype feito = 0;
    QString erro;
    while (feito < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + feito, size_t(bytes.size() - feito));
        const int falha = n < 0 ? errno : 0;
        if (n > 0) {
            feito += n;
            andou = relogioMs_();
            aLer = -1;
            continue;
        }
        if (falha == EINTR) continue;
        if (falha == EAGAIN || falha == EWOULDBLOCK) {
            // A slow printer still taking what it was handed is alive, however full its buffer.
            const long agora = naoLidos(fd, s.st_mode);
            if (agora >= 0 && aLer >= 0 && agora < aLer) andou = relogioMs_();
            aLer = agora;
            if (esperaMais()) {
                pollfd p{fd, POLLOUT, 0};
                ::poll(&p, 1, 100);
                continue;
            }
        }
        const QString porque = falha ? motivo(falha) : QStringLiteral("sem resposta");
        erro = feito > 0 ? QStringLiteral("A impressora em %1 (%2) parou no meio da impressão: %3.")
                               .arg(nome, d, porque)
                         : QStringLiteral("A impressora em %1 (%2) não recebeu a impressão: %3.")
                               .arg(nome, d, porque);
        break;
    }
    ::close(fd);
    return erro;
}
