#include "widgets/guia_teclado.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace {

// A window the operator opened, which takes the keyboard: not a notice shown without being
// activated, a menu, a list's drop-down or a tip, and not a window that a modal dialog blocks
// (`fechando`, a dialog on its way out, blocks none).
bool tomaTeclado(const QWidget* w, const QWidget* fechando = nullptr) {
    if (!w->isWindow() || w->testAttribute(Qt::WA_ShowWithoutActivating) ||
        w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return false;
    switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
        return false;
    default:
        break;
    }
    const QWidget* modal = QApplication::activeModalWidget();
    return !modal || modal == fechando || modal == w || modal->isAncestorOf(w);
}

class GuiaDoTeclado : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::Show:
            if (auto* w = qobject_cast<QWidget*>(alvo); w && tomaTeclado(w)) w->activateWindow();
            break;
        case QEvent::WindowActivate:
            // A window closed as soon as it opened may be activated after it has closed (the
            // display answers late): it hands the keyboard on as on closing.
            if (auto* w = qobject_cast<QWidget*>(alvo); w && w->isWindow()) {
                if (w->isVisible()) lembra(w);
                else devolve(w);
            }
            break;
        case QEvent::Hide:
            if (auto* w = qobject_cast<QWidget*>(alvo); w && w->isWindow()) devolve(w);
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Keys reach a window as the display sent them: to one closed since, they are
            // passed on.
            if (auto* janela = qobject_cast<QWindow*>(alvo); janela && !janela->isVisible())
                return repassa(janela, evento);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void lembra(QWidget* w) {
        ativadas_.removeAll(w);
        ativadas_.removeAll(nullptr);
        ativadas_.append(w);
        if (ativadas_.size() > 16) ativadas_.removeFirst();
    }

    // The window `fechada` returns the keyboard to, when it held it.
    void devolve(QWidget* fechada) {
        const QWidget* ativa = QApplication::activeWindow();
        if (ativa && ativa != fechada && ativa->isVisible()) return;   // another window has it
        QWidget* alvo = nullptr;
        auto serve = [fechada](QWidget* w) {
            return w && w != fechada && w->isVisible() && tomaTeclado(w, fechada);
        };
        if (QWidget* pai = fechada->parentWidget(); pai && serve(pai->window())) alvo = pai->window();
        for (qsizetype i = ativadas_.size() - 1; !alvo && i >= 0; --i)
            if (serve(ativadas_[i])) alvo = ativadas_[i];
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!alvo && serve(w)) alvo = w;
        if (!alvo) return;
        retorno_ = alvo;
        alvo->activateWindow();
    }

    bool repassa(const QWindow* fechada, QEvent* tecla) {
        QWidget* para = QApplication::activeWindow();
        if (!para || !para->isVisible()) para = retorno_;
        if (!para || !para->isVisible() || !para->windowHandle() || para->windowHandle() == fechada)
            return false;
        const std::unique_ptr<QEvent> copia(tecla->clone());
        QCoreApplication::sendEvent(para->windowHandle(), copia.get());
        return true;
    }

    QList<QPointer<QWidget>> ativadas_;   // the windows that held the keyboard, the last at the end
    QPointer<QWidget> retorno_;           // the window the last one to close returned it to
};

}  // namespace

void instalaGuiaDoTeclado(QApplication& aplicacao) {
    aplicacao.installEventFilter(new GuiaDoTeclado(&aplicacao));
}
