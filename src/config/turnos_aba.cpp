// The "Turnos" tab of the configuration window: every add and delete is stored at once and the
// main window's shift list follows.

#include "config/atualiza_principal.h"
#include "config/grade_configuracao.h"
#include "config/janela_configuracao.h"
#include "config/turnos_editor.h"
#include "widgets/campo_entrada.h"
#include "yard/janela_principal.h"

#include <QRadioButton>
#include <QTableWidget>

void JanelaConfiguracao::limpa_campos_turno() {
    hor_ini_tur->limpa();
    hor_fim_tur->limpa();
    val_tur->clear();
}

void JanelaConfiguracao::Command2_Click() {
    Plataforma& p = ctx_.plataforma;
    const ResultadoEditor r =
        insereTurno(ctx_.estado.db, hor_ini_tur->texto(), hor_fim_tur->texto(), val_tur->text(),
                    [&p](const QString& texto) { return p.pergunta(texto); });
    if (r.gravado) {
        carrega_turnos();
        limpa_campos_turno();
        atualizaTurnosDaPrincipal(a_, ctx_.estado.db);
    }
    if (!r.mensagem.isEmpty()) p.mensagem(r.mensagem, Icone::Informacao);
    if (r.gravado) a_.Option4->setEnabled(true);
    focaCampo(r.foco);
}

void JanelaConfiguracao::Command6_Click() {
    const int atual = linhaAtual(grid_tur);
    const ResultadoEditor r = excluiTurno(ctx_.estado.db, atual, celula(grid_tur, 1, 0),
                                          celula(grid_tur, atual, 0), celula(grid_tur, atual, 1));
    if (r.gravado) {
        limpa_campos_turno();
        carrega_turnos();
        atualizaTurnosDaPrincipal(a_, ctx_.estado.db);
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}
