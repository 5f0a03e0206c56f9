// The "Rotativo" tab of the configuration window: the grid is a working copy of the steps,
// stored with the further-period rule only by "Gravar".

#include "config/grade_configuracao.h"
#include "config/janela_configuracao.h"
#include "config/rotativo_editor.h"
#include "widgets/campo_entrada.h"
#include "yard/janela_principal.h"

#include <QRadioButton>
#include <QTableWidget>

namespace {

GradeRotativo leGrade(const QTableWidget* g) {
    GradeRotativo r;
    for (int i = 1; i <= g->rowCount(); ++i) r.append(PassoRotativo{celula(g, i, 0), celula(g, i, 1)});
    return r;
}

void escreveGrade(QTableWidget* g, const GradeRotativo& grade) {
    g->setRowCount(int(grade.size()));
    for (int i = 1; i <= grade.size(); ++i) {
        escreveCelula(g, i, 0, grade[i - 1].tempo);
        escreveCelula(g, i, 1, grade[i - 1].valor);
    }
}

}  // namespace

void JanelaConfiguracao::Command8_Click() {
    GradeRotativo grade = leGrade(grid_rot);
    const ResultadoEditor r = insereRotativo(grade, tem_rot->texto(), val_rot->text());
    if (r.gravado) {
        escreveGrade(grid_rot, grade);
        tornaAtual(grid_rot, 0);
        grid_rot->scrollToItem(grid_rot->item(grid_rot->rowCount() - 1, 0),
                               QAbstractItemView::PositionAtTop);
        tem_rot->limpa();
        val_rot->clear();
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}

void JanelaConfiguracao::Command9_Click() {
    GradeRotativo grade = leGrade(grid_rot);
    int atual = linhaAtual(grid_rot);
    const ResultadoEditor r = removeRotativo(grade, atual);
    if (r.gravado) {
        escreveGrade(grid_rot, grade);
        tornaAtual(grid_rot, atual);
        grid_rot->scrollToTop();
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}

void JanelaConfiguracao::Command10_Click() {
    const ResultadoEditor r = gravaRotativo(ctx_.estado.db, leGrade(grid_rot), apo_cob->text(),
                                            apo_cad->texto(), ctx_.estado.estacionamento24h);
    if (r.gravado) a_.Option3->setEnabled(true);
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}
