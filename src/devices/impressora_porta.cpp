#include "devices/impressora_porta.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
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
    case EAGAIN: return QStringLiteral("a impressora não recebeu os dados a tempo");
    case EISDIR: return QStringLiteral("o caminho não é um dispositivo");
    case ENOSPC: return QStringLiteral("sem espaço");
    case EIO: return QStringLiteral("erro de entrada e saída (sem papel ou desligada)");
    default: return QStringLiteral("erro %1 (%2)").arg(erro).arg(QString::fromLocal8Bit(std::strerror(erro)));
    }
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

ImpressoraPorta::ImpressoraPorta(QString pastaDispositivos) : pasta_(std::move(pastaDispositivos)) {}

bool ImpressoraPorta::presente(const QString& porta) const {
    const QString d = dispositivo(porta);
    return !d.isEmpty() && QFileInfo::exists(d);
}

void ImpressoraPorta::envia(const QString& porta, const QByteArray& bytes, Feito feito) {
    if (!fila_)
        fila_ = std::make_unique<FilaImpressao>(
            [this](const QString& p, const QByteArray& b, const std::atomic<bool>& desiste) {
                return imprime(p, b, 5000, &desiste);
            });
    fila_->envia(porta, bytes, std::move(feito));
}

void ImpressoraPorta::conclui() {
    if (fila_) fila_->conclui();
}

QString ImpressoraPorta::imprime(const QString& porta, const QByteArray& bytes, int prazoMs,
                                 const std::atomic<bool>* desiste) const {
    const QString d = dispositivo(porta);
    const QString nome = porta.trimmed();
    if (d.isEmpty())
        return QStringLiteral("A porta da impressora \"%1\" não é conhecida.").arg(nome);
    QElapsedTimer relogio;
    relogio.start();
    auto esperaMais = [&] {
        if ((desiste && *desiste) || relogio.elapsed() >= prazoMs) return false;
        return true;
    };
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
    qsizetype feito = 0;
    QString erro;
    while (feito < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + feito, size_t(bytes.size() - feito));
        const int falha = n < 0 ? errno : 0;
        if (n > 0) {
            feito += n;
            continue;
        }
        if (falha == EINTR) continue;
        if ((falha == EAGAIN || falha == EWOULDBLOCK) && esperaMais()) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        erro = QStringLiteral("A impressora em %1 (%2) não recebeu a impressão: %3.")
                   .arg(nome, d, falha ? motivo(falha) : QStringLiteral("sem resposta"));
        break;
    }
    ::close(fd);
    return erro;
}
