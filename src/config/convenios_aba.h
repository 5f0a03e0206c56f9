#pragma once
// The "Convênios" tab of the configuration window: the partner list, the editor with its option
// buttons and time-value table, and the buttons that insert, change and delete an agreement.

#include "config/aba_configuracao.h"

class CampoDinheiro;
class CampoMascara;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTableWidget;
struct ResultadoAba;

class AbaConvenios : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaConvenios(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    QLineEdit* con;
    QLineEdit* cod_con;
    QLabel* Label1;
    QRadioButton* Option1;    // "Isento"
    QRadioButton* Option2;    // "Valor Fixo:"
    CampoDinheiro* val_fix;
    QRadioButton* Option3;    // "Valor Variável (intervalo de tempo/valor)"
    QGroupBox* Frame1;        // "Valor Variável"
    CampoMascara* tem;
    QLabel* Label2;
    CampoDinheiro* val_con;
    QLabel* Label6;
    QPushButton* Command1;    // "Inserir"
    QPushButton* Command3;    // "Remover"
    QTableWidget* grid_con;
    QRadioButton* Option4;    // "Após tempo acima, cobrar o valor fixo de R$"
    CampoDinheiro* apo_fix;
    QRadioButton* Option5;    // "Após tempo acima, cobrar  R$"
    CampoDinheiro* apo_var;
    QLabel* Label23;
    CampoMascara* apo_tem;
    QCheckBox* Check1;        // "Das"
    CampoMascara* hor_ini;
    QLabel* Label7;
    CampoMascara* hor_fim;
    QLabel* Label8;
    CampoDinheiro* cob;
    QGroupBox* Frame7;        // "Horário permitido"
    QLabel* Label37;
    CampoMascara* hora_inicio;
    QLabel* Label38;
    CampoMascara* hora_fim;
    QGroupBox* Frame8;        // "Dias permitidos"
    QCheckBox* dom;
    QCheckBox* seg;
    QCheckBox* ter;
    QCheckBox* qua;
    QCheckBox* qui;
    QCheckBox* sex;
    QCheckBox* sab;
    QCheckBox* tod;
    QListWidget* List1;
    QLabel* Label9;
    QPushButton* Command4;    // "Inserir Convênio"
    QPushButton* Command16;   // "Excluir Convênio"
    QPushButton* Command17;   // "Alterar Convênio"
    QPushButton* Command5;    // "Fechar"


    void carrega_convenios();
    void List1_Click();
    void Command1_Click();    // "Inserir" a step
    void Command3_Click();    // "Remover" a step
    void Command4_Click();    // "Inserir Convênio"
    void Command17_Click();   // "Alterar Convênio"
    void Command16_Click();   // "Excluir Convênio"
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Check1_Click();
    void tod_Click();
    void limpa_campos_convenio();

private:
    bool mostra_gravacao_convenio(const ResultadoAba& r);
};
