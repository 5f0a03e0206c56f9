#include "devices/impressora_porta.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

QString ImpressoraPorta::dispositivo(const QString& porta) const {
    const QString p = porta.trimmed().toUpper().remove(QLatin1Char(':'));
    QString nome;
    if (p == QLatin1String("LPT1")) nome = QStringLiteral("lp0");
    if (p == QLatin1String("LPT2")) nome = QStringLiteral("lp1");
    if (p == QLatin1String("COM1")) nome = QStringLiteral("ttyS0");
    return nome.isEmpty() ? QString() : QDir(pasta_).filePath(nome);
}

bool ImpressoraPorta::presente(const QString& porta) const {
    const QString d = dispositivo(porta);
    return !d.isEmpty() && QFileInfo::exists(d);
}

QString ImpressoraPorta::imprime(const QString& porta, const QByteArray& bytes) {
    const QString d = dispositivo(porta);
    const QString nome = porta.trimmed();
    if (d.isEmpty())
        return QStringLiteral("A porta da impressora \"%1\" não é conhecida.").arg(nome);
    const int fd = ::open(d.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_APPEND);
    if (fd < 0)
        return QStringLiteral("Não foi possível abrir a impressora em %1 (%2): %3.")
            .arg(nome, d, QString::fromLocal8Bit(std::strerror(errno)));
    // A printer that takes the bytes slowly gets a few seconds in all; one that stops answering
    // ends the printout with a message instead of holding the window.
    qsizetype feito = 0;
    int esperas = 0;
    QString erro;
    while (feito < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + feito, size_t(bytes.size() - feito));
        if (n > 0) {
            feito += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && esperas < 50) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
            ++esperas;
            continue;
        }
        erro = QStringLiteral("A impressora em %1 (%2) não recebeu a impressão: %3.")
                   .arg(nome, d, n < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                       : QStringLiteral("sem resposta"));
        break;
    }
    ::close(fd);
    return erro;
}
