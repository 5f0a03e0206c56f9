#pragma once
// The cash-closing report on the paper roll: the register's summary and partner rows as the
// closing stored them, then the date changes, clock changes and cancelled tickets logged while
// the register was open, in the 36-, 40- or 48-column layout. Only this installation's own: a
// branch's closing and cancelled tickets merged under the same number are the branch's (the
// date and clock logs never travel).

#include "data/banco.h"
#include "data/dinheiro.h"

#include <QByteArray>
#include <QString>

struct DadosRelatorioFechamento {
    qint32 caixa = 0;
    QString usuario_atual;   // who closes the register
    int bobina = 0;
    int avanco_bobina = 0;
    Dinheiro troco;          // the float of the register just closed
};

// The printout's bytes, ready for the ticket printer.
QByteArray impressao_fechamento_caixa(Banco& db, const DadosRelatorioFechamento& d);
