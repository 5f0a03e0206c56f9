#pragma once
// "Cancelar": takes a parked vehicle out of the yard without an exit, named by its ticket or,
// for a subscriber's vehicle, by its plate.

#include "app/contexto.h"

#include <QDialog>

#include <functional>

class TelaPrincipal;
class QLabel;
class QLineEdit;
class QPushButton;

class Cancelamento : public QDialog {
    Q_OBJECT
public:
    Cancelamento(Contexto& ctx, TelaPrincipal& janela, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* tic;
    QLabel* Label2;
    QLineEdit* pla;
    QPushButton* Command1;   // "Cancelar Ticket"
    QPushButton* Command2;   // "Fechar"

    void Command1_Click();
    void tic_LostFocus();
    void pla_LostFocus();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    // Runs a lookup under the hourglass; a failure is told as what could not be read.
    void le(const QString& oQue, const std::function<void()>& trabalho);

    Contexto& ctx_;
    TelaPrincipal& janela_;
};
