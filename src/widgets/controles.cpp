#include "widgets/controles.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

#include <algorithm>

namespace {

const QString kGrupo = QStringLiteral("grupoDeOpcoes");

// The options of one parent, one choice. Tab enters it on its chosen option; with none chosen
// (or the chosen one disabled), on the first that takes the focus. The others are reached with
// the arrows, as the display's own rule has it once the focus has been in the group; this keeps
// it so when the choice is made by the program, and after the focus was put on an option not
// chosen.
class GrupoDeOpcoes : public QButtonGroup {
public:
    explicit GrupoDeOpcoes(QWidget* pai) : QButtonGroup(pai) {
        setObjectName(kGrupo);
        connect(this, &QButtonGroup::buttonToggled, this, &GrupoDeOpcoes::marca);
    }
    void inclui(QAbstractButton* opcao) {
        addButton(opcao);
        opcao->installEventFilter(this);
        marca();
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::FocusOut || evento->type() == QEvent::EnabledChange) marca();
        return false;
    }

private:
    void marca() {
        const QList<QAbstractButton*> opcoes = buttons();
        QAbstractButton* parada = checkedButton();
        if (!parada || !parada->isEnabled()) {
            const auto ativa = std::find_if(opcoes.cbegin(), opcoes.cend(),
                                            [](const QAbstractButton* o) { return o->isEnabled(); });
            parada = ativa == opcoes.cend() ? nullptr : *ativa;
        }
        for (QAbstractButton* o : opcoes)
            o->setFocusPolicy(o == parada ? Qt::FocusPolicy(o->focusPolicy() | Qt::TabFocus)
                                          : Qt::FocusPolicy(o->focusPolicy() & ~Qt::TabFocus));
    }
};

}  // namespace

void entraNoGrupo(QRadioButton* opcao) {
    // Qt's own grouping takes every option under the parent, those of the frames inside it too:
    // a choice made in an inner frame would let the outer choice be cleared by a click. A group of
    // the parent's own options keeps each choice apart.
    QWidget* pai = opcao->parentWidget();
    if (!pai) return;
    auto* grupo = static_cast<GrupoDeOpcoes*>(
        pai->findChild<QButtonGroup*>(kGrupo, Qt::FindDirectChildrenOnly));
    if (!grupo) grupo = new GrupoDeOpcoes(pai);
    grupo->inclui(opcao);
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
