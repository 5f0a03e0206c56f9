#pragma once
// The "Escrit/Pista" tab of the configuration window: office or branch lane, and its number.
// The branch number the window remembers is shared with it and kept across openings.

#include "config/aba_configuracao.h"

class CampoMascara;
class QComboBox;
class QLabel;

class AbaEscritorio : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaEscritorio(Contexto& ctx, TelaPrincipal& a, qint16& filial_carregada, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    QLabel* Label40;
    QComboBox* esc;
    QLabel* Label41;
    CampoMascara* fil;
    QPushButton* Command23;   // "Gravar"

    // The branch number `geral.filial` holds, as last loaded or saved.
    qint16& filial_carregada;

    void esc_Click();
    void Command23_Click();   // "Gravar"
};
