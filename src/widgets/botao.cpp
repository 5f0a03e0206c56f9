#include "widgets/cria.h"

#include <QEvent>
#include <QKeyEvent>

namespace {

// Enter or Return on the focused button clicks it.
class EnterPressiona : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress) return false;
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return false;
        auto* botao = static_cast<QPushButton*>(alvo);
        if (botao->isEnabled()) botao->click();
        return true;
    }
};

}  // namespace

QPushButton* criaBotao(QWidget* pai, const char* nome, const QString& texto) {
    auto* b = cria<QPushButton>(pai, nome, texto);
    // Not a dialog's default button: Enter typed in a field of a dialog presses nothing.
    b->setAutoDefault(false);
    b->installEventFilter(new EnterPressiona(b));
    return b;
}
