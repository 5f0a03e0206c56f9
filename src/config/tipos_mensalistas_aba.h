#pragma once
// The "Mensalistas" tab of the configuration window: the subscriber types, each change stored
// at once. `cod` holds the type loaded from the list until the next change empties it.

#include "config/aba_configuracao.h"

class CampoDinheiro;
class CampoMascara;
class QLabel;
class QLineEdit;
class QListWidget;

class AbaMensalistas : public AbaConfiguracao {
    Q_OBJECT
public:
    AbaMensalistas(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);
    void carrega(const CargaConfiguracao& c) override;

    QLineEdit* cod;
    QLineEdit* tip;
    CampoDinheiro* valor;
    CampoMascara* dia;
    QListWidget* List3;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label19;
    QLabel* Label20;
    QPushButton* Command12;   // "Inserir Mensalista"
    QPushButton* Command13;   // "Excluir Mensalista"
    QPushButton* Command15;   // "Alterar Mensalista"
    QPushButton* Command14;   // "Fechar"

    void carrega_tipos_mensalistas();
    void limpa_campos_tipo_mensalista();
    void List3_Click();
    void Command12_Click();
    void Command15_Click();
    void Command13_Click();
};
