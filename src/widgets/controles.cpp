#include "widgets/controles.h"

#include <QRadioButton>

void marcaOpcao(QRadioButton* opcao, bool marcada) {
    if (opcao->isChecked() == marcada) return;
    if (marcada) {
        opcao->setChecked(true);
        return;
    }
    // An exclusive group refuses to leave every option unselected.
    opcao->setAutoExclusive(false);
    opcao->setChecked(false);
    opcao->setAutoExclusive(true);
}

bool aceitaFoco(const QWidget* w) { return !w->isHidden() && w->isEnabled(); }
