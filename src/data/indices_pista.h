#pragma once
// Indexes for the lookups the lanes make at every vehicle: the plate, ticket and tag of the
// vehicles in the yard (the tag with the plate, in the yard list's order) and the plate and code
// of the subscribers' vehicles. They are not part of the layout's seven `indice` indexes: they
// are added to any file that lacks them each time it is opened, older files included.

#include "data/banco.h"

#include <QStringList>

// "name table fields" of each lane index, in creation order.
QStringList indicesPista();
// Creates the lane indexes that are missing and whose fields the file already has (an older
// layout gains the tag field only with its upgrade, which calls this again).
void criaIndicesPista(Banco& db);
