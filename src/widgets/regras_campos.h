#pragma once
// The rules every typed field of the program obeys, whichever window built it and however its
// text arrives (typed, pasted, dropped). Installed once on the application, so that every window
// has them:
// - a masked field takes at each place only what the ticket printer prints and the operator can
//   type again (`cabeNaMascara`): a plate pasted as "ΩЖ日1234" is refused whole and the field
//   keeps what it had; and a key typed past the blanks lands where the typed text ends
//   (`posicaoDeDigitacao`);
// - a text that arrives whole in a masked field (pasted by keys, menu or middle button, dropped,
//   from an input method) goes in only when every character of it is a letter A to Z or a digit
//   and finds its place (`coladoEntraInteiro`); otherwise it is refused whole, the field keeps
//   what it had and the operator is told beside it;
// - any other text field takes one line: a line break pasted into it, or a tab or another
//   control character, becomes a blank, and none is kept at either end of the text. An amount
//   field keeps its own rule, which takes digits and the comma only.

#include <QString>

class QCoreApplication;
class QLineEdit;

void instalaRegrasDosCampos(QCoreApplication& aplicacao);

// The notice beside a masked field whose pasted or dropped text was refused.
inline const QString kMsgColadoNaoCabe =
    QStringLiteral("O texto colado não entra inteiro no campo, que só aceita letras de A a Z e "
                   "algarismos. O campo ficou como estava.");

// Gives `campo` the character rule of its kind now, even before it is first shown.
void aplicaRegraDoCampo(QLineEdit* campo);
