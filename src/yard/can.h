#pragma once
// "Cancelar": takes a parked vehicle out of the yard without an exit, named by its ticket or,
// for a subscriber's vehicle, by its plate.

#include "app/contexto.h"

#include <QDialog>

#include <functional>

class JanelaPrincipal;
class QLabel;
class QLineEdit;
class QPushButton;

class Cancelamento : public QDialog {
    Q_OBJECT
public:
    Cancelamento(Contexto& ctx, JanelaPrincipal& janela, QWidget* parent = nullptr);

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
    void executa(const std::function<void()>& acao);

    Contexto& ctx_;
    JanelaPrincipal& janela_;
};
