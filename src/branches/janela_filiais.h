#pragma once
// The branches menu `ger` ("Filiais"): of its ten buttons only "Cadastro de Filiais" and
// "Fechar" are available. The window `fil_rec` that one of the disabled buttons would show holds
// labels only.

#include "app/contexto.h"

#include <QDialog>
#include <QWidget>

#include <array>

class QPushButton;

class JanelaFiliais : public QWidget {
    Q_OBJECT
public:
    explicit JanelaFiliais(Contexto& ctx, QWidget* parent = nullptr);

    void Command1_Click();    // "Cadastro de Filiais": `fil_cad`, modal
    void Command2_Click();    // "Envio de Tickets às Filiais": `fil_env`, modal
    void Command3_Click();    // "Recebimento de Tickets das Filiais": `fil_rec`, modal
    void Command10_Click();   // "Fechar"

    // Command1 to Command10, by number (index 0 is Command1).
    std::array<QPushButton*, 10> botoes;

private:
    Contexto& ctx_;
};

class JanelaRecebimentoTickets : public QDialog {
    Q_OBJECT
public:
    explicit JanelaRecebimentoTickets(QWidget* parent = nullptr);
};
