#pragma once
// Small rules about the controls of any window.

class QRadioButton;
class QWidget;

// Every option joins the group of the options of its own parent: the options side by side in one
// frame or panel are one choice, those of a frame inside it another. Once one is chosen the
// group keeps a choice (a click on the chosen option changes nothing); only the program clears
// it (`marcaOpcao`). Tab enters the group on its chosen option. `cria` does it for every option
// it builds.
void entraNoGrupo(QRadioButton* opcao);

// Selects or deselects an option; deselected, no other option of its exclusive group is forced
// on in its place, so that a group may be left with none chosen.
void marcaOpcao(QRadioButton* opcao, bool marcada);

// A control that is shown and enabled, to which Enter may move the focus.
bool aceitaFoco(const QWidget* w);
