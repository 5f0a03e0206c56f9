#pragma once

#include "devices/saida_porta.h"

#include <QString>

// The Linux parallel-port driver in place of direct port output: 0x378 is /dev/parport0 and
// 0x278 is /dev/parport1. Each write claims the port, sets the data lines and releases it.
class PortaParalela : public SaidaPorta {
public:
    bool escreve(quint16 endereco, quint8 valor) override;
    // "LPT1:" is the port of /dev/parport0 (a printer on it is /dev/lp0), "LPT2:" that of
    // /dev/parport1 (/dev/lp1): the port is there when either device opens.
    bool testa(const QString& nome) override;
    static QString dispositivo(quint16 endereco);
};
