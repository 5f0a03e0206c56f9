#pragma once
// The branch register `fil_cad` ("Cadastro de Filiais"): code, name, address, telephone, fax
// and CNPJ of each branch, listed by name.

#include "app/contexto.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;

class JanelaCadastroFiliais : public QDialog {
    Q_OBJECT
public:
    explicit JanelaCadastroFiliais(Contexto& ctx, QWidget* parent = nullptr);

    void carrega_grid();
    void limpa_campos();
    void grid1_Click(int linha);
    void Command1_Click();    // "&Novo"
    void Command2_Click();    // "&Gravar"
    void Command3_Click();    // "C&ancelar"
    void Command4_Click();    // "&Excluir"
    void Command10_Click();   // "Fechar"

    QLineEdit* cod;
    QLineEdit* nom;
    QLineEdit* ende;
    QLineEdit* tel;
    QLineEdit* fax;
    QLineEdit* cnp;
    QTableWidget* grid1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command10;

private:
    void informa(const QString& texto);
    Contexto& ctx_;
};
