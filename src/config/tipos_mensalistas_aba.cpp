#include "config/janela_configuracao.h"

void JanelaConfiguracao::List3_Click() {}
void JanelaConfiguracao::Command12_Click() {}
void JanelaConfiguracao::Command15_Click() {}
void JanelaConfiguracao::Command13_Click() {}
void JanelaConfiguracao::limpa_campos_tipo_mensalista() {}
