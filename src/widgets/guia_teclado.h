#pragma once
// Where the keys go, on a display without a window manager (a kiosk lane PC) as with one. A
// window manager hands the keyboard on by itself; without one the keys typed next would go
// nowhere until the operator clicked (the cashier's F2, the login typed after the date notice).
// Installed once on the application, so that every window has it:
// - every window that opens takes the keyboard, but for what arrives by itself (a notice shown
//   without being activated, a printer's failure): the keys typed for a car still reach the lane;
// - a window that closes while it holds the keyboard hands it to the window it returns to: its
//   parent's window, else the window that held it before, else another window still shown;
// - keys the display had already sent to a window that has closed since (typed right after the
//   Enter that closed a message box) reach the window that holds the keyboard now: none is lost.
//   The window that closed must still exist when they arrive: the prompts keep the last box.

class QApplication;

void instalaGuiaDoTeclado(QApplication& aplicacao);
