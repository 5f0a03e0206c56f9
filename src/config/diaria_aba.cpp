#include "config/janela_configuracao.h"

void JanelaConfiguracao::Command18_Click() {}
