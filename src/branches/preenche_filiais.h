#pragma once

#include <QString>

class Banco;
class Plataforma;
class QComboBox;

// Fills a window's pair of branch lists: the names shown and their codes at the same index,
// after a first blank entry whose code is `codigoVazio`. A failing read is told and leaves only
// the blank entry.
void preenche_filiais(Plataforma& plataforma, Banco& db, QComboBox* nomes, QComboBox* codigos,
                      const QString& codigoVazio);
