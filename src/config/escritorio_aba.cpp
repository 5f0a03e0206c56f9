// The tab "Escrit/Pista" of the configuration window: office or branch lane, and its number.

#include "config/filial_config.h"
#include "config/janela_configuracao.h"
#include "widgets/campo_entrada.h"

#include <QComboBox>

void JanelaConfiguracao::Command23_Click() {
    const ResultadoFilial r = grava_filial(ctx_, esc->currentText(), fil->texto(), filial_carregada);
    if (r.feito) {
        if (r.fil.trimmed().isEmpty()) fil->limpa();
        else fil->setText(r.fil);
    }
    if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
}
