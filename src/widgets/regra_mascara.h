#pragma once
// What a masked field takes, wherever a window built it: where a typed key lands, and which
// characters its places take. The rules of every field (`regras_campos.h`) apply them.

#include <QString>

// Where a key typed into the masked text `texto` (Qt input mask `mascara`) lands with the cursor
// at `cursor`: the cursor itself, or, when no character was typed at or after it, right after the
// last character typed and the literals that follow it (the field's first place when empty).
// A cursor standing past everything typed so far (in the blanks of an empty field, or after its
// last character, where a click left it) is so brought back to where the typed text ends, and
// no digit is dropped past the mask's blanks.
int posicaoDeDigitacao(const QString& mascara, const QString& texto, int cursor);

// True when each place of the masked text `texto` (Qt input mask `mascara`) holds a blank or what
// the ticket printer prints and the operator can type again: a letter place A to Z, a digit
// place 0 to 9, a letter-or-digit place either (Qt's own mask takes any alphabet's letters).
bool cabeNaMascara(const QString& mascara, const QString& texto);

// Whether the text `colado`, pasted (or dropped) into a field of mask `mascara` at `posicao`, goes
// in whole: only letters A to Z (either case: the mask sets it) and digits, and each of them
// finding its place in the mask from there, none dropped nor cut at the field's end. The field
// would otherwise pass over what does not fit and keep the rest, a plate "AB C1234" becoming
// "AB -C123".
bool coladoEntraInteiro(const QString& mascara, int posicao, const QString& colado);
