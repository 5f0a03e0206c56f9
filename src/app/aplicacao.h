#pragma once
// The program's application object: every event is delivered under the last guard, so that a
// failure no window caught is told to the operator instead of ending the program.

#include "app/plataforma.h"

#include <QApplication>

class Aplicacao : public QApplication {
public:
    using QApplication::QApplication;
    // The seam the guard speaks through; until it is set, failures pass on as before.
    void definePlataforma(Plataforma* plataforma) { plataforma_ = plataforma; }
    bool notify(QObject* receptor, QEvent* evento) override;

private:
    Plataforma* plataforma_ = nullptr;
};
