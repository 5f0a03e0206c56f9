#pragma once
// The main window as the tests and the benchmarks drive it: each control found by its object
// name when it is used, as the operator finds it on the screen, under the name it has in the
// window (`janela.pla`, `janela.Command5`). The lanes' lowering timers are found the same way,
// once the lanes are connected.

#include "widgets/controles.h"
#include "yard/janela_principal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <utility>

// A control of `janela` named `nome`; a name the window does not have stops the program.
template <typename T>
class Controle {
public:
    Controle(const QObject* janela, QString nome) : janela_(janela), nome_(std::move(nome)) {}
    T* get() const {
        T* c = janela_->findChild<T*>(nome_);
        if (!c) qFatal("A janela não tem o controle %s.", qPrintable(nome_));
        return c;
    }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }

private:
    const QObject* janela_;
    QString nome_;
};

// The controls `prefixo`1 to `prefixo`N of `janela`.
template <typename T, size_t N>
std::array<Controle<T>, N> controles(const QObject* janela, const char* prefixo) {
    return [&]<size_t... I>(std::index_sequence<I...>) {
        return std::array<Controle<T>, N>{Controle<T>(janela, prefixo + QString::number(I + 1))...};
    }(std::make_index_sequence<N>());
}

class JanelaPrincipalTeste : public JanelaPrincipal {
public:
    using JanelaPrincipal::JanelaPrincipal;

    // Lane panel.
    Controle<QGroupBox> Frame1{this, "Frame1"};
    Controle<QLineEdit> tic{this, "tic"}, pla{this, "pla"}, pri{this, "pri"}, vei{this, "vei"};
    Controle<QLabel> Label12{this, "Label12"}, LabelVeiculo{this, "LabelVeiculo"},
        Label17{this, "Label17"};
    Controle<QLineEdit> dat_ent{this, "dat_ent"}, hor_ent{this, "hor_ent"}, dat_sai{this, "dat_sai"},
        hor_sai{this, "hor_sai"};
    Controle<QRadioButton> Option1{this, "Option1"}, Option2{this, "Option2"};
    Controle<QPushButton> Command5{this, "Command5"}, Command6{this, "Command6"};

    // Payment panel.
    Controle<QGroupBox> Frame2{this, "Frame2"};
    Controle<QRadioButton> Option3{this, "Option3"}, Option4{this, "Option4"},
        Option5{this, "Option5"}, Option6{this, "Option6"}, Option7{this, "Option7"};
    Controle<QComboBox> tur{this, "tur"}, conv{this, "conv"}, cod_con{this, "cod_con"};
    Controle<QLineEdit> tot{this, "tot"}, val_pag{this, "val_pag"}, tro{this, "tro"};
    Controle<QCheckBox> Check1{this, "Check1"};
    Controle<QPushButton> Command3{this, "Command3"}, Command7{this, "Command7"};

    // Yard list.
    Controle<QGroupBox> Frame3{this, "Frame3"};
    Controle<GradePatio> grid1{this, "grid1"};
    Controle<QLabel> Label16{this, "Label16"}, tot_men{this, "tot_men"}, tot_avu{this, "tot_avu"},
        total{this, "total"};

    // Outside the frames.
    Controle<QPushButton> Command1{this, "Command1"}, Command2{this, "Command2"},
        Command4{this, "Command4"}, Command8{this, "Command8"}, Command9{this, "Command9"},
        Command10{this, "Command10"}, Command11{this, "Command11"};
    Controle<QLabel> mensagem{this, "mensagem"};
    Controle<QToolBar> Toolbar1{this, "Toolbar1"};
    std::array<Controle<QAction>, 8> botoes = controles<QAction, 8>(this, "Button");   // toolbar 1 to 8
    Controle<QStatusBar> StatusBar1{this, "StatusBar1"};
    std::array<Controle<QLabel>, 3> paineis = controles<QLabel, 3>(this, "Panel");   // status bar 1 to 3
    Controle<QTimer> Timer1{this, "Timer1"}, Timer2{this, "Timer2"};
    Controle<QTimer> timer_cancela_entrada{this, "timer_cancela_entrada"},
        timer_cancela_saida{this, "timer_cancela_saida"};
};
