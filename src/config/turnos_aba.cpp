#include "config/janela_configuracao.h"

void JanelaConfiguracao::Command2_Click() {}
void JanelaConfiguracao::Command6_Click() {}
void JanelaConfiguracao::limpa_campos_turno() {}
