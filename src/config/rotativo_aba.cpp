// The "Rotativo" tab of the configuration window: the grid is a working copy of the steps,
// stored with the further-period rule only by "Gravar".

#include "config/rotativo_aba.h"

#include "config/carga_configuracao.h"
#include "config/controles_configuracao.h"
#include "config/grade_configuracao.h"
#include "config/listas_configuracao.h"
#include "config/rotativo_editor.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "yard/tela_principal.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
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

AbaRotativo::AbaRotativo(Contexto& ctx, TelaPrincipal& a, QWidget* pai) : AbaConfiguracao(ctx, a, pai) {
    Label4 = cria<QLabel>(this, "Label4", QStringLiteral("Tempo:"));
    tem_rot = campoMascara(this, "tem_rot", QStringLiteral("##:##"), true);
    Label5 = cria<QLabel>(this, "Label5", QStringLiteral("Valor:"));
    val_rot = campoDinheiro(this, "val_rot");
    Command8 = criaBotao(this, "Command8", QStringLiteral("Inserir"));
    Command9 = criaBotao(this, "Command9", QStringLiteral("Remover"));
    Label13 = cria<QLabel>(this, "Label13",
                           QStringLiteral("Obs.: O tempo e valor devem estar em ordem."));
    grid_rot = gradeConfiguracao(this, "grid_rot", 2, 2);
    Label14 = cria<QLabel>(this, "Label14", QStringLiteral("Após o tempo acima, cobrar R$"));
    apo_cob = campoDinheiro(this, "apo_cob");
    Label15 = cria<QLabel>(this, "Label15", QStringLiteral("a cada"));
    apo_cad = campoMascara(this, "apo_cad", QStringLiteral("##:##"), true);
    Command10 = criaBotao(this, "Command10", QStringLiteral("Gravar"));
    Command11 = botaoFechar("Command11");
    auto* tudo = new QVBoxLayout(this);
    tudo->addLayout(linhaDe({Label4, tem_rot, Label5, val_rot, Command8, Command9}));
    tudo->addWidget(Label13);
    tudo->addWidget(grid_rot);
    tudo->addLayout(linhaDe({Label14, apo_cob, Label15, apo_cad}));
    tudo->addLayout(linhaDe({Command10, Command11}));

    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command10, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("gravar a tabela do rotativo"), [this] { Command10_Click(); }); });
}

void AbaRotativo::carrega(const CargaConfiguracao& c) {
    grid_rot->setHorizontalHeaderLabels({QStringLiteral("Tempo"), QStringLiteral("Valor")});
    carrega_tabela_rotativo();
    apo_cob->setText(c.apo_cob);
    apo_cad->setText(c.apo_cad);
}

void AbaRotativo::carrega_tabela_rotativo() { preencheGrade(grid_rot, linhasRotativo(ctx_.estado.db)); }

void AbaRotativo::Command8_Click() {
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

void AbaRotativo::Command9_Click() {
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

void AbaRotativo::Command10_Click() {
    const ResultadoEditor r = gravaRotativo(ctx_.estado.db, leGrade(grid_rot), apo_cob->text(),
                                            apo_cad->texto(), ctx_.estado.estacionamento24h);
    if (r.gravado) a_.ofereceModalidade(Modalidade::Rotativo, true);
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}
