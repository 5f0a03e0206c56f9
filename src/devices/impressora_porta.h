#pragma once

#include "devices/fila_impressao.h"
#include "devices/saida_impressora.h"

#include <atomic>
#include <functional>
#include <memory>

// The ticket printer on Linux: "LPT1" is /dev/lp0, "LPT2" /dev/lp1 and "COM1" /dev/ttyS0. The device
// is opened without blocking for each printout and closed after it. Printouts go through a queue
// of their own thread (`envia`), so that a printer that is off or stuck never freezes the window.
// The folder of the devices and the clock that times the printer are given for tests, which put
// plain files and pipes there and let time pass at their pace.
class ImpressoraPorta : public SaidaImpressora {
public:
    // How long a printer may go without taking a byte before its printout fails.
    static constexpr int kPrazoMs = 5000;

    explicit ImpressoraPorta(QString pastaDispositivos = QStringLiteral("/dev"),
                             std::function<qint64()> relogioMs = {});
    bool presente(const QString& porta) const override;
    void envia(const QString& porta, const QByteArray& bytes, Feito feito) override;
    // Gives up the printout being written and drops those waiting, as the program does when it
    // ends: returns within a moment, whatever the printer does.
    void abandona() { fila_.reset(); }

    // Writes one printout and returns when it is done: empty, or why it failed. A printer that
    // does not open gets `prazoMs` in all (an open refused because nothing answers is tried again
    // meanwhile); one that opens may take its bytes as slowly as it likes, and fails only after
    // `prazoMs` without taking any. `desiste` turning true gives up at once. A port whose other
    // end has gone (a pipe or a socket nobody reads any more) fails like any other: it never
    // ends the program.
    QString imprime(const QString& porta, const QByteArray& bytes, int prazoMs = kPrazoMs,
                    const std::atomic<bool>* desiste = nullptr) const;
    // The device file of a port ("LPT1:" and "lpt1" alike); empty for a port it does not know.
    QString dispositivo(const QString& porta) const;

private:
    QString pasta_;
    std::function<qint64()> relogioMs_;
    std::unique_ptr<FilaImpressao> fila_;   // made at the first printout
};
