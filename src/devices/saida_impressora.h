#pragma once

#include <QByteArray>
#include <QString>

// The ticket printer's port ("LPT1", "LPT2", "COM1"). A printout is handed over whole: the port is
// opened for it and closed after it, as the roll printer expects one job at a time.
class SaidaImpressora {
public:
    virtual ~SaidaImpressora() = default;
    // Whether a device stands behind the port at all (a printer attached counts as installed).
    virtual bool presente(const QString& porta) const = 0;
    // Writes the printout's bytes; an empty text when done, else why it failed, in Portuguese.
    virtual QString imprime(const QString& porta, const QByteArray& bytes) = 0;
};
