#pragma once
// Ticket cancellation: a parked vehicle leaves the yard without an exit, found by its ticket or,
// for a subscriber's vehicle that has none, by its plate; the cancellation is logged under the
// open cash register, so that its closing report lists it.

#include "app/contexto.h"

#include <QString>
#include <QVariant>

#include <optional>

// The parked vehicle that holds the ticket typed (the field's text, blanks included).
struct VeiculoCancelavel {
    qint64 linha = 0;     // the yard row
    QVariant ticket;      // NULL for a subscriber's vehicle
    QVariant placa;
};
std::optional<VeiculoCancelavel> veiculo_do_ticket(Banco& db, const QString& tic);
std::optional<VeiculoCancelavel> veiculo_da_placa(Banco& db, const QString& pla);

// The ticket field's text for a parked vehicle: its number left-aligned in 10 positions, or
// "0000000000" for a subscriber's vehicle.
QString texto_ticket(const VeiculoCancelavel& v);

enum class CampoCancelamento { Nenhum, tic };

struct ResultadoCancelamento {
    bool cancelado = false;
    QString mensagem;
    Icone icone = Icone::Informacao;
    CampoCancelamento foco = CampoCancelamento::Nenhum;
};

// Cancels the vehicle named by the dialog's fields. The yard row is deleted and the log row
// written together or not at all; the log keeps the ticket and plate of the row removed.
ResultadoCancelamento cancela_ticket(Contexto& ctx, const QString& tic, const QString& pla);
