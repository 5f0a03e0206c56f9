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

// Leaving a money field: an amount is rewritten "#,##0.00" and returned; any other text is
// cleared and nullopt returned.
std::optional<Dinheiro> formataCampoDinheiro(QLineEdit* campo);
