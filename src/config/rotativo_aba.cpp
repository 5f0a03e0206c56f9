#include "config/janela_configuracao.h"

void JanelaConfiguracao::Command8_Click() {}
void JanelaConfiguracao::Command9_Click() {}
void JanelaConfiguracao::Command10_Click() {}
