#include "widgets/retoma_teclado.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

void retomaTeclado(QWidget* janela) {
    // The window that had the keyboard may be the dialog just hidden, until the display says
    // otherwise: only a window still shown keeps it.
    const QWindow* comTeclado = QGuiApplication::focusWindow();
    if ((comTeclado && comTeclado->isVisible()) || !janela->isVisible()) return;
    janela->activateWindow();
}
