#pragma once

#include "devices/saida_impressora.h"

// The ticket printer on Linux: "LPT1" is /dev/lp0, "LPT2" /dev/lp1 and "COM1" /dev/ttyS0. The device
// is opened without blocking, so a printer that is off never freezes the window, and closed after
// each printout. The folder of the devices is given for tests, which put plain files there.
class ImpressoraPorta : public SaidaImpressora {
public:
    explicit ImpressoraPorta(QString pastaDispositivos = QStringLiteral("/dev"))
        : pasta_(std::move(pastaDispositivos)) {}
    bool presente(const QString& porta) const override;
    QString imprime(const QString& porta, const QByteArray& bytes) override;
    // The device file of a port ("LPT1:" and "lpt1" alike); empty for a port it does not know.
    QString dispositivo(const QString& porta) const;

private:
    QString pasta_;
};
