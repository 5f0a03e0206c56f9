#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The ticket printer's port ("LPT1", "LPT2", "COM1"). A printout is handed over whole: the port is
// opened for it and closed after it, as the roll printer expects one job at a time.
class SaidaImpressora {
public:
    // Runs on the window thread: empty when the printer took every byte, else why it failed, in
    // Portuguese, naming the port.
    using Feito = std::function<void(const QString& falha)>;

    virtual ~SaidaImpressora() = default;
    // Whether a device stands behind the port at all (a printer attached counts as installed).
    virtual bool presente(const QString& porta) const = 0;
    // Hands one printout to the port and returns at once: the window never waits for the paper.
    // Printouts go out in the order handed; `feito` tells how each ended, once it is known. When
    // one fails, those already waiting behind it on the same port fail with it, at once.
    virtual void envia(const QString& porta, const QByteArray& bytes, Feito feito) = 0;
};
