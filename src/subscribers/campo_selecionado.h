#pragma once
// A text field that selects its whole text when it gets the focus, as the register's masked
// fields and money fields do.

#include <QLineEdit>
#include <QTimer>

class CampoSelecionado : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        selectAll();
        // A mouse click places the caret after the focus arrives; select again after it.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) selectAll();
        });
    }
};
