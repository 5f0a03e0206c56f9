#pragma once
// "Valor em Caixa": what the open register holds so far, shown read-only.

#include "app/contexto.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class ValorCaixa : public QDialog {
    Q_OBJECT
public:
    ValorCaixa(Contexto& ctx, QWidget* parent = nullptr);

    QLabel* Label3;
    QLineEdit* Text1;   // monthly fees
    QLabel* Label2;
    QLineEdit* Text2;   // stays
    QLabel* Label4;
    QLineEdit* tro;     // float
    QLabel* Label1;
    QLineEdit* Text3;   // total
    QPushButton* Command1;   // "Fechar"

    void Form_Load();

private:
    Contexto& ctx_;
};
