#pragma once
// Whether a field shows its whole text at once: with the cursor at the end, the first character
// still stands at the field's left edge and the last at its right edge.

#include <QLineEdit>
#include <QPoint>
#include <QRect>
#include <QString>

inline bool mostraInteiro(QLineEdit* c, const QString& texto) {
    c->setText(texto);
    c->end(false);
    const QRect r = c->contentsRect();
    return c->cursorPositionAt(QPoint(r.left() + 3, r.center().y())) == 0 &&
           c->cursorPositionAt(QPoint(r.right() - 1, r.center().y())) == texto.size();
}
