#pragma once
// Builds a control of a window under its parent and gives it its control name, so that every
// window names its controls the same way: `cria<QLineEdit>(this, "pla")`. Arguments before the
// parent go to the control's constructor. An option joins the group of its parent's options.

#include "widgets/controles.h"

#include <QAbstractItemView>
#include <QLatin1String>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <type_traits>
#include <utility>

template <typename W, typename... A>
W* cria(QWidget* pai, const char* nome, A&&... args) {
    auto* w = new W(std::forward<A>(args)..., pai);
    w->setObjectName(QLatin1String(nome));
    // Every grid and list: Tab and Shift+Tab leave it for the controls around it, the arrows
    // move within it, as the operator walks a window with the keyboard.
    if constexpr (std::is_base_of_v<QAbstractItemView, W>) w->setTabKeyNavigation(false);
    if constexpr (std::is_base_of_v<QRadioButton, W>) entraNoGrupo(w);
    return w;
}

// A window's push button, the one way every window makes them: Enter on it, once focused,
// presses it, as the operator expects, in a plain window and in a dialog alike; Enter typed in
// a field presses no button, but in a dialog of one field (`ordem_teclado.h`).
QPushButton* criaBotao(QWidget* pai, const char* nome, const QString& texto);
