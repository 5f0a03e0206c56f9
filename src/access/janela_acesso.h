#pragma once
// The start-up window `acesso` ("Acesso ao Sistema"): its load opens or creates the database,
// then the operator logs in through it; "Cancelar" ends the program.

#include "app/contexto.h"

#include <QWidget>

class CaixaTexto;
class TelaPrincipal;
class QLabel;
class QPushButton;

class JanelaAcesso : public QWidget {
    Q_OBJECT
public:
    // `a` is the main window, hidden until a login succeeds; the load has it show its print
    // buttons and the login hands it what the user may do.
    JanelaAcesso(Contexto& ctx, TelaPrincipal& a, QWidget* parent = nullptr);

    // The load of the window: opens, creates or upgrades `dados.mdb`. False when it failed: the
    // operator was told why and the program was asked to end.
    bool Form_Load();

    void Command1_Click();   // "OK": the login
    void Command2_Click();   // "Cancelar": ends the program

    int senhasErradas() const { return senhasErradas_; }
    QString versao() const { return versao_; }

    CaixaTexto* usu;
    CaixaTexto* sen;
    QPushButton* Command1;
    QPushButton* Command2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label10;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label_data;
    QLabel* Label9;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void montaControles();
    void ligaEventos();
    void usu_Enter();
    // The unload: from now on the main window keeps the program clock.
    void descarrega();

    Contexto& ctx_;
    TelaPrincipal& a_;
    int senhasErradas_ = 0;
    QString versao_;
    bool entrou_ = false;
    bool encerrando_ = false;
};
