#pragma once
// The small window that shows how far a merge or an import has gone, with "Cancelar". It stays
// hidden for the first moments, so a quick file shows nothing. While it answers, only the
// window system's events are served: no timer of another window runs (the program clock writes
// to the database, which the operation holds).

#include "branches/andamento.h"

#include <QDialog>
#include <QElapsedTimer>

class QProgressBar;

class JanelaAndamento : public QDialog {
public:
    JanelaAndamento(QWidget* pai, const QString& texto);
    Andamento& andamento() { return andamento_; }

private:
    bool aviso(int milesimos);

    QProgressBar* barra_;
    QElapsedTimer desde_;
    Andamento andamento_;
};
