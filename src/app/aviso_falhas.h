#pragma once
// The failures of a device that arrive by themselves (a printout the printer did not take, a
// gate's pulse the port refused), each one told: one notice per device counts them from its
// first failure until the operator closes it, and the next failure after that opens a new one.
// A notice, never a message box: the keys typed for a car still reach the lane.

#include "app/plataforma.h"

#include <QMap>
#include <QString>

#include <memory>

// `abertos` holds, by notice, what failed since that notice opened. `soma` adds this failure to
// it and words the notice from all of it.
template <class Falhas, class Soma>
void avisaFalha(Plataforma& plataforma, const std::shared_ptr<QMap<QString, Falhas>>& abertos,
                const QString& chave, Soma soma) {
    plataforma.avisa(chave, soma((*abertos)[chave]), Icone::Exclamacao,
                     [vistos = std::weak_ptr<QMap<QString, Falhas>>(abertos), chave] {
                         if (const auto v = vistos.lock()) v->remove(chave);
                     });
}
