#include "devices/porta_paralela.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

bool abreEFecha(const char* caminho) {
    // Without blocking: a printer that is off must not hold the window.
    const int fd = ::open(caminho, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

}  // namespace

bool PortaParalela::testa(const QString& nome) {
    const QString p = nome.trimmed().toUpper();
    if (p == QLatin1String("LPT1:")) return abreEFecha("/dev/parport0") || abreEFecha("/dev/lp0");
    if (p == QLatin1String("LPT2:")) return abreEFecha("/dev/parport1") || abreEFecha("/dev/lp1");
    return false;
}
