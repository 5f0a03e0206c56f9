#pragma once
// The "Turnos" tab of the configuration window: every add and delete is stored at once and the
// main window's shift list follows.

#include "config/aba_configuracao.h"

class CampoDinheiro;
class CampoMascara;
class QLabel;
class QTableWidget;

class AbaTurnos : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaTurnos(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    CampoMascara* hor_ini_tur;
    QLabel* Label10;
    CampoMascara* hor_fim_tur;
    QLabel* Label3;
    CampoDinheiro* val_tur;
    QLabel* Label11;
    QTableWidget* grid_tur;
    QLabel* Label12;
    QPushButton* Command2;    // "Inserir Turno"
    QPushButton* Command6;    // "Excluir Turno"
    QPushButton* Command7;    // "Fechar"

    void carrega_turnos();
    void limpa_campos_turno();
    void Command2_Click();    // "Inserir Turno"
    void Command6_Click();    // "Excluir Turno"
};
