#pragma once
// The dialog `tro_cod`: renumbers the subscriber loaded in the register.

#include "app/contexto.h"

#include <QDialog>

class JanelaMensalistas;
class QLineEdit;
class QPushButton;

class TrocaCodigoDialogo : public QDialog {
    Q_OBJECT
public:
    TrocaCodigoDialogo(Contexto& ctx, JanelaMensalistas& registro, QWidget* parent = nullptr);

    QLineEdit* cod;
    QLineEdit* nov;
    QPushButton* Command1;

    void Command1_Click();

private:
    Contexto& ctx_;
    JanelaMensalistas& registro_;
};
