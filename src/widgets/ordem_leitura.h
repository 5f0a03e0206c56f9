#pragma once
// Tab follows the controls of a window in the order the operator reads them: top to bottom,
// and left to right along a line. A block that stands beside others over several lines (a
// column of buttons at the right, a frame) is read whole, at its place along the line where
// it starts. The order comes from how the window lays its controls out, not from the order it
// built them in.

#include <QList>

class QWidget;

// The controls of `janela` that take the focus, in reading order; those of its other windows
// (dialogs it owns) apart.
QList<QWidget*> ordemDeLeitura(const QWidget* janela);
