#pragma once
// The users window `usu` ("Cadastro de Usuários"): lists the users that are not deleted, loads
// one when it is clicked, saves a new or changed user and deletes one by marking its row.
// Modeless: the main window goes on working beside it.

#include "access/usuarios.h"
#include "app/contexto.h"

#include <QWidget>

#include <array>

class CaixaTexto;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class JanelaUsuarios : public QWidget {
    Q_OBJECT
public:
    explicit JanelaUsuarios(Contexto& ctx, QWidget* parent = nullptr);

    void limpa_campos();
    void List1_Click();
    void Command1_Click();   // "&Novo"
    void Command2_Click();   // "&Gravar"
    void Command3_Click();   // "C&ancelar"
    void Command4_Click();   // "&Excluir"
    void Command10_Click();  // "Fechar"

    QLineEdit* cod;
    CaixaTexto* usu;
    CaixaTexto* sen;
    QLineEdit* cad;
    QGroupBox* Frame1;
    std::array<QCheckBox*, 8> checks;   // Check1 to Check8
    QListWidget* List1;
    QListWidget* List2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command10;

private:
    void montaControles();
    void ligaEventos();
    void Form_Load();
    QString hoje() const;

    Contexto& ctx_;
    bool mudandoLista_ = false;
};
