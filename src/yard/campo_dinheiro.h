#pragma once

class QKeyEvent;
class QLineEdit;

// Typing money: "." becomes ",", digits and "," go through, and the keys that move or erase
// (Tab, arrows, Backspace, Delete, Enter) keep their usual work; any other character is
// dropped. Returns true when the key was consumed here.
bool filtraTeclaDinheiro(QLineEdit* campo, QKeyEvent* tecla);
