#pragma once
// A text box that selects its whole text whenever it gets the focus, as the operator expects
// of the login and register boxes.

#include <QLineEdit>

class CaixaTexto : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    // Shows each typed character as "*".
    void mostraAsteriscos() {
        setEchoMode(QLineEdit::Password);
        setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        selectAll();
    }
};
