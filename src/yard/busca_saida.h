#pragma once
// Finding a parked vehicle at the exit, by the ticket, the plate or the tag typed in the lane
// panel, or by the plate of the yard-list row clicked.

#include "data/banco.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

enum class CampoBusca { Ticket, Placa, Prisma };

// The lane texts of the vehicle found.
struct VeiculoEncontrado {
    QString tic;       // the ticket left-aligned in 10 characters; "0000000000" without one
    QString pla;       // as stored, with its hyphen
    QString dat_ent;   // "dd/mm/yyyy"
    QString hor_ent;   // "HH:MM:SS"
    QString dat_sai;   // the program date
    QString hor_sai;   // the program clock
    QString vei;       // empty when not stored
    // A subscriber's vehicle carries no ticket: the panel charges it as "Mensalista".
    bool mensalista = false;
};

// The vehicle in the yard whose ticket, plate or tag is `texto` (as the field shows it), with
// the exit stamped `data_atual` / `hora_atual`; nullopt when none is parked, and for an empty
// or unfilled field.
std::optional<VeiculoEncontrado> busca_saida(Banco& db, CampoBusca campo, const QString& texto,
                                             const QDate& data_atual, const QTime& hora_atual);
