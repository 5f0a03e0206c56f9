#pragma once
// Renumbering a subscriber: its code in every table that refers to it, in one transaction.

#include "app/plataforma.h"
#include "data/banco.h"

#include <QString>

struct ResultadoTroca {
    bool trocado = false;
    QString mensagem;
    Icone icone = Icone::Exclamacao;
    QString novo;   // the new code as the register shows it
};

// `atual` is the register's code (empty with no subscriber loaded), `novo` the typed text.
ResultadoTroca troca_codigo(Banco& db, const QString& atual, const QString& novo);
