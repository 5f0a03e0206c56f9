#pragma once
// What every fee routine reads from the lane panel and the shared state, and what it hands back
// to the main window, which writes the total into `tot` and shows the message.

#include "app/plataforma.h"
#include "data/dinheiro.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QTime>

#include <optional>

class Banco;

struct PedidoTarifa {          // what the fee routines read from the lane panel and shared state
    QString modalidade;        // "R", "T", "C", "M" or "D" (no kind selected computes as "D")
    QString tic, pla, dat_ent, hor_ent, dat_sai, hor_sai;  // texts as shown ("dd/MM/yyyy", "HH:mm:ss")
    QString tur;               // text of the chosen shift, e.g. "08:00 - 12:00"
    QString conv;              // text of `conv`: the chosen partner's name, by which its tariff is found
    QString cod_con;           // partner code text (stored by the exit, not read by the fee)
    QDate data_atual; QTime hora_atual; bool estacionamento24h = false;
};

struct ResultadoTarifa {
    // false: no vehicle is loaded (`hor_ent` empty); `tot` and `tro` keep their text and nothing
    // else happens.
    bool calculado = true;
    std::optional<Dinheiro> total;   // nullopt: "ERRO" goes into `tot`
    QString mensagem;                // shown in a message box when not empty
    Icone icone = Icone::Informacao;
    // objectName of the control that gets the focus, or empty. A disabled control does not take
    // it (Qt ignores setFocus on it), which is what "Rotativo" and "Diarista" need.
    QString foco;
    bool limpaMemoria = false;       // empty ultima_modalidade / ultima_data_ent / ultima_hora_ent
    QList<QPair<QString, QString>> campos;  // other lane fields left changed (objectName -> text), in order
    QByteArray termos;               // the terms it was computed under (`termosEmVigor`)
};

// True when both ask the same fee: the same kind, vehicle, entry and exit texts, and the same
// shift or partner where the kind uses one. The program clock is not compared.
bool mesmoCalculo(const PedidoTarifa& a, const PedidoTarifa& b);

// A fee shown in the lane panel, as computed, with what it was computed for and under which
// terms: the exit stores a total only for the vehicle, times and kind it belongs to, and only
// as the terms in force charge it.
struct TotalCalculado {
    Dinheiro total;
    PedidoTarifa pedido;
    QByteArray termos;
};
