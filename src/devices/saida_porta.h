#pragma once

#include <QString>
#include <QtGlobal>

// Output to the data register of a parallel port, addressed as on the PC: 0x378 or 0x278.
class SaidaPorta {
public:
    virtual ~SaidaPorta() = default;
    // Writes `valor` to the data lines; false when the port cannot be reached.
    virtual bool escreve(quint16 endereco, quint8 valor) = 0;
    // Opens the port named as on the PC ("LPT1:", "LPT2:") and closes it at once: false when
    // no such port can be opened.
    virtual bool testa(const QString& nome) = 0;
};
