#pragma once
// The lookup of a parked vehicle at the exit: the `veiculos_patio` row whose ticket, plate or
// tag holds a value, through the lanes' indexes and a statement prepared once.

#include "data/banco.h"

#include <QVariant>

#include <array>
#include <optional>

// A row of `veiculos_patio`, its fields read by name as from a record of the table.
class RegistroPatio {
public:
    static const std::array<const char*, 8> kCampos;
    // NULL, or not a field of the table: an invalid value.
    QVariant value(QStringView campo) const;
    std::array<QVariant, 8> valores;
};

// `campo` is "ticket", "placa" or "prisma"; the first row found, or nothing.
std::optional<RegistroPatio> busca_no_patio(Banco& db, const char* campo, const QVariant& valor);
