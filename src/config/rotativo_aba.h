#pragma once
// The "Rotativo" tab of the configuration window: the grid is a working copy of the steps,
// stored with the further-period rule only by "Gravar".

#include "config/aba_configuracao.h"

class CampoDinheiro;
class CampoMascara;
class QLabel;
class QTableWidget;

class AbaRotativo : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaRotativo(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    CampoMascara* tem_rot;
    QLabel* Label4;
    CampoDinheiro* val_rot;
    QLabel* Label5;
    QPushButton* Command8;    // "Inserir"
    QPushButton* Command9;    // "Remover"
    QLabel* Label13;
    QTableWidget* grid_rot;
    CampoDinheiro* apo_cob;
    QLabel* Label14;
    CampoMascara* apo_cad;
    QLabel* Label15;
    QPushButton* Command10;   // "Gravar"
    QPushButton* Command11;   // "Fechar"

    void carrega_tabela_rotativo();
    void Command8_Click();    // "Inserir" a step
    void Command9_Click();    // "Remover" a step
    void Command10_Click();   // "Gravar"
};
