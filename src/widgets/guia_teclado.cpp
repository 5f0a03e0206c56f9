#include "widgets/guia_teclado.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <vector>

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
                if (!w->isVisible()) {
                    devolve(w);
                } else {
                    lembra(w);
                    // Its field has the focus (and selects its text) right after: then the keys.
                    if (w == aguardada_) QTimer::singleShot(0, this, [this] { entrega(true); });
                }
            }
            break;
        case QEvent::Hide:
            if (auto* w = qobject_cast<QWidget*>(alvo); w && w->isWindow()) devolve(w);
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Keys reach a window as the display sent them: to one closed since, they are
            // passed on, and those that follow wait behind them, in the order typed.
            if (auto* janela = qobject_cast<QWindow*>(alvo);
                janela && (!janela->isVisible() || !pendentes_.empty()))
                return repassa(evento);
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

    // The keys go on once the code that closed the window has run to its end (after a message,
    // the window under it has put the focus where the next key belongs, the field refused) and
    // the window that takes them holds the keyboard, its field ready; a display that does not
    // answer is not waited for long.
    bool repassa(QEvent* tecla) {
        pendentes_.emplace_back(tecla->clone());
        if (pendentes_.size() == 1) QTimer::singleShot(0, this, [this] { entrega(false); });
        return true;
    }

    void entrega(bool semEsperar) {
        if (pendentes_.empty()) return;
        QWidget* para = QApplication::activeWindow();
        if (!para || !para->isVisible()) para = retorno_;
        if (para && para->isVisible() && para != QApplication::activeWindow() && !semEsperar) {
            aguardada_ = para;
            QTimer::singleShot(kEsperaAtivacaoMs, this, [this] { entrega(true); });
            return;
        }
        aguardada_ = nullptr;
        const std::vector<std::unique_ptr<QEvent>> teclas = std::move(pendentes_);
        pendentes_.clear();
        if (!para || !para->isVisible() || !para->windowHandle()) return;
        for (const auto& t : teclas) QCoreApplication::sendEvent(para->windowHandle(), t.get());
    }

    static constexpr int kEsperaAtivacaoMs = 500;
    QList<QPointer<QWidget>> ativadas_;   // the windows that held the keyboard, the last at the end
    QPointer<QWidget> retorno_;           // the window the last one to close returned it to
    std::vector<std::unique_ptr<QEvent>> pendentes_;   // keys that reached a closed window
    QPointer<QWidget> aguardada_;   // the window they wait for, until it holds the keyboard
};

}  // namespace

void instalaGuiaDoTeclado(QApplication& aplicacao) {
    aplicacao.installEventFilter(new GuiaDoTeclado(&aplicacao));
}
