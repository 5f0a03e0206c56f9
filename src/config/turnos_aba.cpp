// The "Turnos" tab of the configuration window: every add and delete is stored at once and the
// main window's shift list follows.

#include "config/turnos_aba.h"

#include "config/controles_configuracao.h"
#include "config/listas_configuracao.h"
#include "config/grade_configuracao.h"
#include "config/turnos_editor.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "yard/listas_painel.h"
#include "yard/tela_principal.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

AbaTurnos::AbaTurnos(Contexto& ctx, TelaPrincipal& a, QWidget* pai) : AbaConfiguracao(ctx, a, pai) {
    Label10 = cria<QLabel>(this, "Label10", QStringLiteral("Hora Inicial:"));
    hor_ini_tur = campoMascara(this, "hor_ini_tur", QStringLiteral("##:##"), true);
    Label3 = cria<QLabel>(this, "Label3", QStringLiteral("Hora Final:"));
    hor_fim_tur = campoMascara(this, "hor_fim_tur", QStringLiteral("##:##"), true);
    Label11 = cria<QLabel>(this, "Label11", QStringLiteral("Valor:"));
    val_tur = campoDinheiro(this, "val_tur");
    Label12 = cria<QLabel>(this, "Label12", QStringLiteral("Turnos Cadastrados:"));
    grid_tur = gradeConfiguracao(this, "grid_tur", 3, 2);
    Command2 = criaBotao(this, "Command2", QStringLiteral("Inserir Turno"));
    Command6 = criaBotao(this, "Command6", QStringLiteral("Excluir Turno"));
    Command7 = botaoFechar("Command7");
    auto* g = new QGridLayout(this);
    rotulosECampos(g, {{Label10, hor_ini_tur}, {Label3, hor_fim_tur}, {Label11, val_tur}}, true);
    g->addWidget(Label12, 3, 0, 1, 2);
    g->addWidget(grid_tur, 4, 0, 1, 2);
    g->addLayout(linhaDe({Command2, Command6, Command7}), 5, 0, 1, 2);

    connect(Command2, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("inserir o turno"), [this] { Command2_Click(); }); });
    connect(Command6, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("excluir o turno"), [this] { Command6_Click(); }); });
}

void AbaTurnos::carrega(const CargaConfiguracao&) {
    grid_tur->setHorizontalHeaderLabels(
        {QStringLiteral("Hora Inicial"), QStringLiteral("Hora Final"), QStringLiteral("Valor")});
    carrega_turnos();
}

void AbaTurnos::carrega_turnos() { preencheGrade(grid_tur, linhasTurnos(ctx_.estado.db)); }

void AbaTurnos::limpa_campos_turno() {
    hor_ini_tur->limpa();
    hor_fim_tur->limpa();
    val_tur->clear();
}

void AbaTurnos::Command2_Click() {
    Plataforma& p = ctx_.plataforma;
    const ResultadoEditor r =
        insereTurno(ctx_.estado.db, hor_ini_tur->texto(), hor_fim_tur->texto(), val_tur->text(),
                    [&p](const QString& texto) { return p.pergunta(texto); });
    if (r.gravado) {
        carrega_turnos();
        limpa_campos_turno();
        a_.trocaTurnos(itensTurnos(ctx_.estado.db));
    }
    if (!r.mensagem.isEmpty()) p.mensagem(r.mensagem, Icone::Informacao);
    if (r.gravado) a_.ofereceModalidade(Modalidade::Turno, true);
    focaCampo(r.foco);
}

void AbaTurnos::Command6_Click() {
    const int atual = linhaAtual(grid_tur);
    const ResultadoEditor r = excluiTurno(ctx_.estado.db, atual, celula(grid_tur, 1, 0),
                                          celula(grid_tur, atual, 0), celula(grid_tur, atual, 1));
    if (r.gravado) {
        limpa_campos_turno();
        carrega_turnos();
        a_.trocaTurnos(itensTurnos(ctx_.estado.db));
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}
