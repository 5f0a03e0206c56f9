#pragma once

#include "devices/saida_impressora.h"

// The ticket printer on Linux: "LPT1" is /dev/lp0, "LPT2" /dev/lp1 and "COM1" /dev/ttyS0. The device
// is opened without blocking, so a printer that is off never freezes the window.
class ImpressoraPorta : public SaidaImpressora {
public:
    bool presente(const QString& porta) const override;
    QString imprime(const QString& porta, const QByteArray& bytes) override;
    static QString dispositivo(const QString& porta);
};
