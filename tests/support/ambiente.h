#pragma once
// A program context over a fresh database with its first rows, as after a first start.

#include "app/contexto.h"
#include "support/plataforma_falsa.h"

class Ambiente {
public:
    Ambiente();
    PlataformaFalsa plataforma;
    Contexto ctx{plataforma};
    Banco& db() { return ctx.estado.db; }
};
