#pragma once
// A window of the toolbar opens beside the main window, one at a time: pressed again while it
// is open, its button brings it forward as it is, without loading it again. Closing destroys
// it, so the next opening starts afresh.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

// The button's action: `cria` makes the window (with its parent and flags) when none is open.
template <typename Janela>
std::function<void()> abreUmaVez(std::function<Janela*()> cria) {
    auto aberta = std::make_shared<QPointer<Janela>>();
    return [aberta, cria = std::move(cria)] {
        if (!*aberta) {
            Janela* j = cria();
            j->setAttribute(Qt::WA_DeleteOnClose);
            *aberta = j;
        }
        (*aberta)->show();
        (*aberta)->raise();
        (*aberta)->activateWindow();
    };
}

// The same for a window made from the context and the main window as its parent, shown as a
// window of its own; `prepara`, when given, finishes each new one.
template <typename Janela, typename Contexto, typename Principal>
std::function<void()> abreUmaVez(Contexto& ctx, Principal& a, std::function<void(Janela&)> prepara = {}) {
    return abreUmaVez<Janela>([&ctx, &a, prepara] {
        auto* j = new Janela(ctx, &a);
        j->setWindowFlag(Qt::Window);
        if (prepara) prepara(*j);
        return j;
    });
}
