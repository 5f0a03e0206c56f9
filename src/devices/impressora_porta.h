#pragma once

#include "devices/fila_impressao.h"
#include "devices/saida_impressora.h"

#include <atomic>
#include <memory>

// The ticket printer on Linux: "LPT1" is /dev/lp0, "LPT2" /dev/lp1 and "COM1" /dev/ttyS0. The device
// is opened without blocking for each printout and closed after it. Printouts go through a queue
// of their own thread (`envia`), so that a printer that is off or stuck never freezes the window.
// The folder of the devices is given for tests, which put plain files there.
class ImpressoraPorta : public SaidaImpressora {
public:
    explicit ImpressoraPorta(QString pastaDispositivos = QStringLiteral("/dev"));
    bool presente(const QString& porta) const override;
    void envia(const QString& porta, const QByteArray& bytes, Feito feito) override;
    // Waits for the printouts handed so far, as the program does before it ends.
    void conclui();

    // Writes one printout and returns when it is done: empty, or why it failed. A printer that
    // does not take the port or the bytes gets `prazoMs` in all (an open refused because nothing
    // answers is tried again meanwhile); `desiste` turning true gives up at once.
    QString imprime(const QString& porta, const QByteArray& bytes, int prazoMs = 5000,
                    const std::atomic<bool>* desiste = nullptr) const;
    // The device file of a port ("LPT1:" and "lpt1" alike); empty for a port it does not know.
    QString dispositivo(const QString& porta) const;

private:
    QString pasta_;
    std::unique_ptr<FilaImpressao> fila_;   // made at the first printout
};
