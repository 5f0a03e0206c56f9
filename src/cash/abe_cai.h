#pragma once
// "Abertura de Caixa": the operator types the change float and opens the cash register; the
// main window then switches to the open state.

#include "app/contexto.h"

#include <QDialog>

class TelaPrincipal;
class QLabel;
class QLineEdit;
class QPushButton;

class AberturaCaixa : public QDialog {
    Q_OBJECT
public:
    AberturaCaixa(Contexto& ctx, TelaPrincipal& janela, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* tro;
    QPushButton* Command1;   // "Abrir Caixa"
    QPushButton* Command2;   // "Cancelar"

    void Command1_Click();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    Contexto& ctx_;
    TelaPrincipal& janela_;
};
