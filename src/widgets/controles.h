#pragma once
// Two small rules about the controls of any window.

class QRadioButton;
class QWidget;

// Selects or deselects an option; deselected, no other option of its exclusive group is forced
// on in its place, so that a group may be left with none chosen.
void marcaOpcao(QRadioButton* opcao, bool marcada);

// A control that is shown and enabled, to which Enter may move the focus.
bool aceitaFoco(const QWidget* w);
