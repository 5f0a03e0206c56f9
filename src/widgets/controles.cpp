#include "widgets/controles.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

namespace {

const QString kGrupo = QStringLiteral("grupoDeOpcoes");
const QString kParada = QStringLiteral("paradaDoGrupo");

// Tab enters a group of options on its chosen option; with none chosen (or the chosen one
// disabled), on the first that takes the focus. The others are reached with the arrows, as
// the display's own rule has it once the focus has been in the group; this keeps it so when
// the choice is made by the program, and after the focus was put on an option not chosen.
class ParadaDoGrupo : public QObject {
public:
    explicit ParadaDoGrupo(QButtonGroup* grupo) : QObject(grupo), grupo_(grupo) {
        setObjectName(kParada);
        connect(grupo, &QButtonGroup::buttonToggled, this, &ParadaDoGrupo::marca);
    }
    void inclui(QAbstractButton* opcao) {
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
        const QList<QAbstractButton*> opcoes = grupo_->buttons();
        QAbstractButton* parada = grupo_->checkedButton();
        if (!parada || !parada->isEnabled()) {
            parada = nullptr;
            for (QAbstractButton* o : opcoes)
                if (o->isEnabled()) {
                    parada = o;
                    break;
                }
        }
        for (QAbstractButton* o : opcoes)
            o->setFocusPolicy(o == parada ? Qt::FocusPolicy(o->focusPolicy() | Qt::TabFocus)
                                          : Qt::FocusPolicy(o->focusPolicy() & ~Qt::TabFocus));
    }

    QButtonGroup* grupo_;
};

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
        new ParadaDoGrupo(grupo);
    }
    grupo->addButton(opcao);
    static_cast<ParadaDoGrupo*>(grupo->findChild<QObject*>(kParada, Qt::FindDirectChildrenOnly))
        ->inclui(opcao);
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
