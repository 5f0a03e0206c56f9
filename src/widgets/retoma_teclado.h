#pragma once
// After a modal dialog closes, the window under it takes the keyboard back. A window manager
// does it by itself; without one (a kiosk lane PC) the keys typed next would go nowhere until
// the operator clicked: the cashier's F2 would be lost.

class QWidget;

// Gives `janela` the keyboard when no window of the program has it, as after its dialog closed.
void retomaTeclado(QWidget* janela);
