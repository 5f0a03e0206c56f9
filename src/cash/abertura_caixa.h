#pragma once
// Opening a cash register: the change float is checked and a `caixa` row is added for the
// operator, stamped with the program clock; its number becomes the open register's number.

#include "app/contexto.h"

#include <QString>

struct ResultadoAbertura {
    bool aberto = false;
    QString mensagem;
    Icone icone = Icone::Informacao;
};

// `troco` is the float as typed, with a decimal comma. On success `numero_caixa` holds the new
// register's number; otherwise nothing is written and it keeps its value.
ResultadoAbertura abre_caixa(Contexto& ctx, const QString& troco);
