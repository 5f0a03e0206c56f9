#pragma once
// Every masked field of the program takes what is typed wherever a click left the cursor: a
// cursor standing past everything typed so far (in the blanks of an empty field, or after its
// last character) is brought back to where the typed text ends, so that no digit is dropped
// past the mask's blanks. Installed once on the application, so that every window has it.

#include <QString>

class QCoreApplication;

void instalaRegraMascara(QCoreApplication& aplicacao);

// Where a key typed into the masked text `texto` (Qt input mask `mascara`) lands with the cursor
// at `cursor`: the cursor itself, or, when no character was typed at or after it, right after the
// last character typed and the literals that follow it (the field's first place when empty).
int posicaoDeDigitacao(const QString& mascara, const QString& texto, int cursor);
