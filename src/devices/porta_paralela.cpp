#include "devices/porta_paralela.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

QString PortaParalela::dispositivo(quint16 endereco) {
    return endereco == 0x378 ? QStringLiteral("/dev/parport0") : QStringLiteral("/dev/parport1");
}

bool PortaParalela::escreve(quint16 endereco, quint8 valor) {
    const int fd = ::open(dispositivo(endereco).toLocal8Bit().constData(), O_RDWR);
    if (fd < 0) return false;
    bool ok = ::ioctl(fd, PPCLAIM) == 0;
    if (ok) {
        unsigned char dado = valor;
        ok = ::ioctl(fd, PPWDATA, &dado) == 0;
        ::ioctl(fd, PPRELEASE);
    }
    ::close(fd);
    return ok;
}
