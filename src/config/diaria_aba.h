#pragma once
// The "Diária" tab of the configuration window: the hours of one day-rate unit and its price.

#include "config/aba_configuracao.h"

class CampoDinheiro;
class CampoMascara;
class QLabel;

class AbaDiaria : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaDiaria(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    CampoMascara* tem_dia;
    QLabel* Label16;
    CampoDinheiro* val_dia;
    QLabel* Label21;
    QPushButton* Command18;   // "Gravar"
    QPushButton* Command19;   // "Fechar"

    void Command18_Click();   // "Gravar"
};
