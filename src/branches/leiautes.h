#pragma once
// The tables that travel between a branch and the office.

#include "branches/arquivos.h"

// The branch exchange file: seven tables of the branch, whole, in this order.
const LeiauteArquivo& leiauteTrocaFilial();
// The subscriber file: one branch's subscribers (a shorter row), their vehicles, every
// subscriber type and the branch's monthly fees.
const LeiauteArquivo& leiauteMensalistas();
// The whole main database: a backup holds every table of it.
const LeiauteArquivo& leiauteBanco();
