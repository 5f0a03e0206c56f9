#pragma once
// Renumbering a subscriber: its code in every table that refers to it, in one transaction.

#include "app/plataforma.h"
#include "data/banco.h"

#include <QString>
#include <QVariant>

struct ResultadoTroca {
    bool trocado = false;
    QString mensagem;
    Icone icone = Icone::Exclamacao;
    QString novo;   // the new code as the register shows it
};

// `atual` is the register's code (empty with no subscriber loaded) and `filial` the loaded
// subscriber's branch (null for none); `novo` is the typed text. Only that subscriber's rows
// change. At the office a branch's subscriber is refused: its code is the branch's.
ResultadoTroca troca_codigo(Banco& db, const QString& atual, const QVariant& filial,
                            const QString& novo);
