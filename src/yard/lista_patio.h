#pragma once
// The yard list of the window "Lista de Pátio" and its printout on the ticket printer.

#include "data/banco.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

struct VeiculoPatio {
    QString prisma;   // empty when the vehicle has no tag
    QString placa;
    QDate data_entrada;
    QTime hora_entrada;
};

// The vehicles in the yard, by tag then plate, or by plate alone.
QList<VeiculoPatio> veiculos_no_patio(Banco& db, bool porPlaca);

// "Nenhum Veículo", "1 Veículo", "5 Veículos".
QString texto_total_patio(qsizetype n);

// Whether the printout of the `bobina` layout lists the vehicles by plate alone (48 columns).
bool lista_por_placa(int bobina);

// The printout: title, column headings and rule of the roll's layout, one line a vehicle in the
// order given, the rule again, the total line and the feed. No header or footer lines.
QByteArray impressao_lista_patio(int bobina, int avanco, const QList<VeiculoPatio>& veiculos);
