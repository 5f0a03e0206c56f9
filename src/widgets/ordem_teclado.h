#pragma once
// Where Tab and Enter take the operator, the same in every window. Installed once on the
// application, so that every window has it:
// - Tab follows the controls in reading order (`ordemDeLeitura`), set each time a window
//   shows, unless the window gives an order of its own (`fixaOrdemDeTabulacao`);
// - Enter typed in a field, when the field makes nothing of it, presses the button its window
//   names (`enterPressiona`); in a dialog with a single field, the first button after the
//   field, its "OK": the code typed, Enter, done.

#include <QList>

class QApplication;
class QPushButton;
class QWidget;

void instalaOrdemDoTeclado(QApplication& aplicacao);

// Tab runs through `ordem` in that order, kept whenever the window shows: for a window whose
// order is not its reading order (the lanes, whose fields come before the modes above them).
void fixaOrdemDeTabulacao(QWidget* janela, const QList<QWidget*>& ordem);

// Enter typed in any field of the button's window presses it, as in a dialog of one field.
void enterPressiona(QPushButton* botao);
