#pragma once
// The lookup `cons_men`: finds a subscriber by code or by the first letters of its name and
// loads it into the register.

#include "app/contexto.h"

#include <QWidget>

class JanelaMensalistas;
class QLineEdit;
class QListWidget;
class QPushButton;

class ConsultaMensalistas : public QWidget {
    Q_OBJECT
public:
    ConsultaMensalistas(Contexto& ctx, JanelaMensalistas& registro, QWidget* parent = nullptr);

    QLineEdit* codigo;
    QPushButton* Command3;   // OK by code
    QPushButton* Command4;   // Fechar
    QLineEdit* Text1;
    QPushButton* Command1;   // OK by name
    QPushButton* Command2;   // Fechar
    QListWidget* List1;
    QListWidget* List2;
    QLineEdit* cod;

    void Text1_Change();
    void List1_Click();
    void Command1_Click();
    void Command3_Click();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void carrega(qint64 codigo);

    Contexto& ctx_;
    JanelaMensalistas& registro_;
    bool listaComFoco_ = false;
};

// Shows the subscriber in the register: its fields, its vehicles and its fee history. False when
// there is no subscriber with that code.
bool carrega_mensalista(Banco& db, qint64 codigo, JanelaMensalistas& men);
