// The "Diária" tab of the configuration window.

#include "config/diaria_editor.h"
#include "config/janela_configuracao.h"
#include "widgets/campo_entrada.h"
#include "yard/janela_principal.h"

#include <QRadioButton>

void JanelaConfiguracao::Command18_Click() {
    const ResultadoEditor r = gravaDiaria(ctx_.estado.db, tem_dia->texto(), val_dia->text());
    if (r.gravado) a_.Option7->setEnabled(true);
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}
