#pragma once
// What the open cash register holds so far: monthly fees, the net amounts of the stays that
// ended (every kind), the float and their sum.

#include "data/banco.h"
#include "data/dinheiro.h"

struct ValoresCaixa {
    Dinheiro mensalidades;
    Dinheiro estadias;
    Dinheiro troco;
    Dinheiro total() const { return mensalidades + estadias + troco; }
};

ValoresCaixa valores_caixa(Banco& db, qint32 caixa);

// The monthly fees register `caixa` took at this installation, as the closing stores them too.
Dinheiro mensalidades_caixa(Banco& db, qint32 caixa);
