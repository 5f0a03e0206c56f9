#pragma once
// A program context over a fresh database with its first rows, as after a first start.

#include "app/contexto.h"
#include "support/plataforma_falsa.h"

#include <QStringList>

class Ambiente {
public:
    Ambiente();
    PlataformaFalsa plataforma;
    Contexto ctx{plataforma};
    Banco& db() { return ctx.estado.db; }
    // The number of rows of a table.
    int conta(const QString& tabela);
    // The first row of a query, every field as text ("NULL" for none); empty without a row.
    QStringList linha(const QString& sql, const QVariantList& valores = {});
};

// Every insert into `tabela` fails from now on, as with a full disk.
void falhaAoGravar(Ambiente& a, const char* tabela);
