#pragma once
// The money field's behaviour, shared by every window that takes an amount: the key filter
// while typing and the formatting when the field is left.

#include "data/dinheiro.h"

#include <optional>

class QKeyEvent;
class QLineEdit;

// Typing money: "." becomes ",", digits and "," go through, and the keys that move or erase
// (Tab, arrows, Backspace, Delete, Enter) keep their usual work; any other character is
// dropped. Returns true when the key was consumed here.
bool filtraTeclaDinheiro(QLineEdit* campo, QKeyEvent* tecla);

// The same rule for text pasted (context menu, Ctrl+V, Shift+Insert) or dropped into the field:
// a text holding anything but digits, "," and "." is refused whole and the field keeps what it
// had, so no sign or letter gets in by another way than typing.
void aplicaRegraDinheiro(QLineEdit* campo);

// Leaving a money field: an amount is rewritten "#,##0.00" and returned; any other text is
// cleared and nullopt returned.
std::optional<Dinheiro> formataCampoDinheiro(QLineEdit* campo);
