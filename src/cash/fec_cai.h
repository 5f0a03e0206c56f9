#pragma once
// "Fechamento de Caixa": after the operator's confirmation the open register is closed with its
// summary, the fiscal printer makes its reading, the closing report is printed and the main
// window goes back to the state it has while no register is open.

#include "app/contexto.h"
#include "data/dinheiro.h"

#include <QDialog>

class TelaPrincipal;
class QPushButton;

class FechamentoCaixa : public QDialog {
    Q_OBJECT
public:
    FechamentoCaixa(Contexto& ctx, TelaPrincipal& janela, QWidget* parent = nullptr);

    QPushButton* Command1;   // "Fechar Caixa"
    QPushButton* Command2;   // "Cancelar"

    void Command1_Click();

private:
    void imprimeFechamento(const Dinheiro& troco);

    Contexto& ctx_;
    TelaPrincipal& janela_;
};
