#include "widgets/ordem_teclado.h"

#include "widgets/ordem_leitura.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

const char* const kOrdemFixa = "ordemDeTabulacaoFixa";
const char* const kBotaoDoEnter = "botaoDoEnter";

// A control the operator types into or picks a value in, shown and enabled; the field inside
// a list box or a number box is the box's own.
bool campoQueRecebeDigitacao(const QWidget* w) {
    if (!w->isVisibleTo(w->window()) || !w->isEnabled()) return false;
    if (auto* linha = qobject_cast<const QLineEdit*>(w)) {
        const QWidget* pai = w->parentWidget();
        return !linha->isReadOnly() && !qobject_cast<const QComboBox*>(pai) &&
               !qobject_cast<const QAbstractSpinBox*>(pai);
    }
    if (auto* texto = qobject_cast<const QTextEdit*>(w)) return !texto->isReadOnly();
    if (auto* texto = qobject_cast<const QPlainTextEdit*>(w)) return !texto->isReadOnly();
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// A window of the program's own, not a menu, a list's drop-down or a tip; Qt's own dialogs
// (message boxes, file and print choosers) keep the order and the keys Qt gives them.
bool janelaDoPrograma(const QWidget* w) {
    if (!w->isWindow() || (w->windowType() != Qt::Window && w->windowType() != Qt::Dialog))
        return false;
    const QLatin1String classe(w->metaObject()->className());
    return !classe.startsWith(u'Q') || classe == QLatin1String("QWidget") ||
           classe == QLatin1String("QDialog") || classe == QLatin1String("QMainWindow");
}

// The button Enter typed in `campo` presses: the one its window names (`enterPressiona`); in
// a dialog whose only field is `campo`, the first button shown and enabled after it in the Tab
// order; else none.
QPushButton* botaoDoEnter(const QWidget* campo) {
    const QWidget* janela = campo->window();
    if (!janelaDoPrograma(janela) || !campoQueRecebeDigitacao(campo)) return nullptr;
    for (QPushButton* b : janela->findChildren<QPushButton*>())
        if (b->window() == janela && b->property(kBotaoDoEnter).toBool()) return b;
    if (!qobject_cast<const QDialog*>(janela)) return nullptr;
    for (const QWidget* w : janela->findChildren<QWidget*>())
        if (w != campo && w->window() == janela && campoQueRecebeDigitacao(w)) return nullptr;
    for (QWidget* w = campo->nextInFocusChain(); w != campo; w = w->nextInFocusChain()) {
        auto* botao = qobject_cast<QPushButton*>(w);
        if (botao && botao->window() == janela && botao->isVisible() && botao->isEnabled())
            return botao;
    }
    return nullptr;
}

void encadeia(const QList<QWidget*>& ordem) {
    for (qsizetype i = 1; i < ordem.size(); ++i) QWidget::setTabOrder(ordem[i - 1], ordem[i]);
}

// Sets the Tab order of each window of the program's own as it shows, and takes Enter in a
// field that has a button to press.
class OrdemDoTeclado : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
        if (evento->type() == QEvent::Show) {
            auto* w = qobject_cast<QWidget*>(alvo);
            if (w && janelaDoPrograma(w) && !w->property(kOrdemFixa).toBool()) encadeia(ordemDeLeitura(w));
            return false;
        }
        return evento->type() == QEvent::KeyPress &&
               enterNoCampo(alvo, static_cast<QKeyEvent*>(evento));
    }

private:
    // An Enter that the field left unanswered reaches its window.
    static bool enterNoCampo(QObject* alvo, const QKeyEvent* tecla) {
        if (tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter) return false;
        if (tecla->modifiers() & ~Qt::KeypadModifier) return false;
        QWidget* campo = QApplication::focusWidget();
        if (!campo || campo->window() != alvo) return false;
        QPushButton* ok = botaoDoEnter(campo);
        if (ok) ok->click();
        return ok != nullptr;
    }
};

}  // namespace

void instalaOrdemDoTeclado(QApplication& aplicacao) {
    aplicacao.installEventFilter(new OrdemDoTeclado(&aplicacao));
}

void fixaOrdemDeTabulacao(QWidget* janela, const QList<QWidget*>& ordem) {
    janela->setProperty(kOrdemFixa, true);
    encadeia(ordem);
}

void enterPressiona(QPushButton* botao) { botao->setProperty(kBotaoDoEnter, true); }
