#include "config/atualiza_principal.h"

#include "config/listas_configuracao.h"
#include "config/turnos_editor.h"
#include "yard/janela_principal.h"

#include <QComboBox>
#include <QRadioButton>

void atualizaTurnosDaPrincipal(JanelaPrincipal& a, Banco& db) {
    a.tur->clear();
    a.tur->addItems(itensTurnos(db));
    a.tur->setCurrentIndex(-1);
    if (haTurnos(db)) return;
    // The list goes with its option: with "Turno" off, no shift can be chosen.
    a.tur->setEnabled(false);
    a.Option4->setEnabled(false);
    JanelaPrincipal::marca(a.Option4, false);
}
