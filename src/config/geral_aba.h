#pragma once
// The "Geral" tab of the configuration window: the general settings with their "Gravar", and
// the box "Numeração Tickets" with its "Alterar".

#include "config/aba_configuracao.h"

class CampoMascara;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class AbaGeral : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaGeral(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    CampoMascara* cnp;
    QLabel* Label27;
    QCheckBox* Check2;
    QCheckBox* Check7;
    QCheckBox* Check11;
    QCheckBox* Check8;
    QCheckBox* Check14;
    QCheckBox* Check15;
    QGroupBox* Frame2;
    QLineEdit* lin1;
    QLineEdit* lin2;
    QLineEdit* lin3;
    QLineEdit* lin4;
    QLineEdit* pen;
    QLineEdit* ult;
    QLabel* Label22;
    QLabel* Label24;
    QLabel* Label25;
    QLabel* Label26;
    QLabel* Label31;
    QLabel* Label32;
    QGroupBox* Frame5;        // "Impressão Bobina"
    QRadioButton* Option8;    // "36 colunas"
    QRadioButton* Option6;    // "40 colunas"
    QRadioButton* Option7;    // "48 colunas"
    QLabel* Label42;
    CampoMascara* ava;
    QLabel* Label43;
    QGroupBox* Frame9;        // "Impressora Fiscal"
    QLabel* Label46;
    QComboBox* imp_fis;
    QLabel* Label45;
    QComboBox* ali;
    QCheckBox* Check12;
    QCheckBox* Check13;
    CampoMascara* hor_red;
    QGroupBox* Frame6;        // "Numeração Tickets"
    QLabel* Label36;
    CampoMascara* tic;
    QLabel* Label35;
    CampoMascara* pro;
    QPushButton* Command22;   // "Alterar"
    QGroupBox* Frame3;        // "Portas Paralelas"
    QLabel* Label28;
    QComboBox* impr;
    QLabel* Label29;
    QComboBox* can_ent;
    QLabel* Label30;
    QComboBox* can_sai;
    QGroupBox* Frame4;        // "Opções da Cancela"
    QCheckBox* Check3;
    CampoMascara* tem_ent;
    QLabel* Label33;
    QCheckBox* Check5;
    QCheckBox* Check4;
    CampoMascara* tem_sai;
    QLabel* Label34;
    QCheckBox* Check6;
    QCheckBox* Check9;
    QCheckBox* Check10;
    CampoMascara* bai;
    QLabel* Label44;
    QPushButton* Command20;   // "Gravar"
    QPushButton* Command21;   // "Fechar"

    void Command20_Click();   // "Gravar"
    void Command22_Click();   // "Alterar" the next ticket
};
