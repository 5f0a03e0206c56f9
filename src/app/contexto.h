#pragma once

#include "app/estado.h"
#include "app/plataforma.h"

// What every window and routine is given: the shared state and the seam to the outside world.
struct Contexto {
    explicit Contexto(Plataforma& p) : plataforma(p) {}
    Estado estado;
    Plataforma& plataforma;
};
