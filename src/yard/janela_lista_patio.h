#pragma once
// The window `lis` "Lista de Pátio": the vehicles in the yard as they were when it opened, their
// count, and "Imprimir", which prints the yard as it is at that moment on the ticket printer.
// From the keyboard: Tab goes from the list to the buttons, Enter presses the focused button,
// Esc closes the window.

#include "app/contexto.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

class JanelaListaPatio : public QWidget {
    Q_OBJECT
public:
    explicit JanelaListaPatio(Contexto& ctx, QWidget* parent = nullptr);

    QTableWidget* grid1;
    QLabel* total;
    QPushButton* Command1;   // "Imprimir"
    QPushButton* Command2;   // "Fechar"

    void Form_Load();
    void Command1_Click();

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    Contexto& ctx_;
};
