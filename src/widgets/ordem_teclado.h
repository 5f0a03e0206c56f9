#pragma once
// Where Tab and Enter take the operator, the same in every window. Installed once on the
// application, so that every window has it:
// - Tab follows the controls in reading order (`ordemDeLeitura`), set each time a window
//   shows, unless the window gives an order of its own (`fixaOrdemDeTabulacao`);
// - in a dialog with a single field, Enter typed in it, when the field makes nothing of it,
//   presses the first button after the field, its "OK": the code typed, Enter, done.

#include <QList>

class QApplication;
class QWidget;

void instalaOrdemDoTeclado(QApplication& aplicacao);

// Tab runs through `ordem` in that order, kept whenever the window shows: for a window whose
// order is not its reading order (the lanes, whose fields come before the modes above them).
void fixaOrdemDeTabulacao(QWidget* janela, const QList<QWidget*>& ordem);
