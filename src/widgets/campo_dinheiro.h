#pragma once
// The money field's behaviour, shared by every window that takes an amount: the key filter
// while typing, what pasted or dropped text becomes, and the formatting when the field is left.

#include "data/dinheiro.h"

#include <optional>

class QKeyEvent;
class QLineEdit;

// Typing money: "." becomes ",", digits and "," go through, and the keys that move or erase
// (Tab, arrows, Backspace, Delete, Enter) and the shortcuts (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+Z)
// keep their usual work; any other character is dropped. Ctrl+V and Shift+Insert paste as the
// paste rule below says. Returns true when the key was consumed here.
bool filtraTeclaDinheiro(QLineEdit* campo, QKeyEvent* tecla);

// The rule for text pasted (Ctrl+V, Shift+Insert, the context menu) or dropped into the field:
// an amount copied from elsewhere is taken as the amount it is ("120.50" goes in as "120,50");
// a text that is no amount is refused whole, the field keeps what it had and the operator is
// told so beside the field. Typing obeys the same characters: no sign or letter gets in.
void aplicaRegraDinheiro(QLineEdit* campo);

// What a pasted text becomes in a money field: the amount in the field's notation, or nothing
// when it is no amount. "1.234,56", "120,50" and "R$ 7,00" are kept in the regional notation;
// "120.50" and "1,234.56", an amount written with a decimal point, become "120,50" and
// "1234,56".
std::optional<QString> textoDinheiroColado(const QString& texto);

// The notice beside a money field whose pasted text was refused.
inline const QString kMsgColadoNaoEValor =
    QStringLiteral("O texto colado não é um valor. O campo ficou como estava.");

// The width an amount field needs to show the largest amount the program takes whole, the
// cursor after it.
int larguraDeValor(const QLineEdit* campo);

// Leaving a money field: an amount is rewritten "#,##0.00" and returned; any other text is
// cleared and nullopt returned.
std::optional<Dinheiro> formataCampoDinheiro(QLineEdit* campo);
