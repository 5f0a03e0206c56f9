#pragma once
// The window `fil_env` ("Envio de Tickets à Filiais"): records a range of numbered tickets of a
// series handed to a branch.

#include "app/contexto.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class JanelaEnvioTickets : public QDialog {
    Q_OBJECT
public:
    explicit JanelaEnvioTickets(Contexto& ctx, QWidget* parent = nullptr);

    void fil_Click();
    void Command1_Click();   // "Enviar Tickets"
    void Command3_Click();   // "Fechar"

    QComboBox* fil;
    QComboBox* cod_fil;
    QLineEdit* dat;
    QLineEdit* ser;
    QLineEdit* tic_ini;
    QLineEdit* tic_fin;
    QTableWidget* grid1;
    QPushButton* Command1;
    QPushButton* Command2;   // "Excluir Tickets": no action
    QPushButton* Command3;

private:
    Contexto& ctx_;
};
