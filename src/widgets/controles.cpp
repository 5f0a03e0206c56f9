#include "widgets/controles.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace {
const QString kGrupo = QStringLiteral("grupoDeOpcoes");
}  // namespace

void entraNoGrupo(QRadioButton* opcao) {
    // Qt's own grouping takes every option under the parent, those of the frames inside it too:
    // a choice made in an inner frame would let the outer choice be cleared by a click. A group of
    // the parent's own options keeps each choice apart.
    QWidget* pai = opcao->parentWidget();
    if (!pai) return;
    auto* grupo = pai->findChild<QButtonGroup*>(kGrupo, Qt::FindDirectChildrenOnly);
    if (!grupo) {
        grupo = new QButtonGroup(pai);
        grupo->setObjectName(kGrupo);
    }
    grupo->addButton(opcao);
}

void marcaOpcao(QRadioButton* opcao, bool marcada) {
    if (opcao->isChecked() == marcada) return;
    if (marcada) {
        opcao->setChecked(true);
        return;
    }
    // An exclusive group refuses to leave every option unselected.
    QButtonGroup* grupo = opcao->group();
    if (grupo) grupo->setExclusive(false);
    else opcao->setAutoExclusive(false);
    opcao->setChecked(false);
    if (grupo) grupo->setExclusive(true);
    else opcao->setAutoExclusive(true);
}

bool aceitaFoco(const QWidget* w) { return !w->isHidden() && w->isEnabled(); }
