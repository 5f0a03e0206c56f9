// The "Diária" tab of the configuration window.

#include "config/diaria_aba.h"

#include "config/carga_configuracao.h"
#include "config/controles_configuracao.h"
#include "config/diaria_editor.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "yard/tela_principal.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

AbaDiaria::AbaDiaria(Contexto& ctx, TelaPrincipal& a, QWidget* pai) : AbaConfiguracao(ctx, a, pai) {
    Label16 = cria<QLabel>(this, "Label16", QStringLiteral("Tempo da diária (em horas):"));
    tem_dia = campoMascara(this, "tem_dia", QStringLiteral("##"), true);
    Label21 = cria<QLabel>(this, "Label21", QStringLiteral("Valor da diária:"));
    val_dia = campoDinheiro(this, "val_dia");
    Command18 = criaBotao(this, "Command18", QStringLiteral("Gravar"));
    Command19 = botaoFechar("Command19");
    auto* g = new QGridLayout(this);
    rotulosECampos(g, {{Label16, tem_dia}, {Label21, val_dia}}, true);
    g->addLayout(linhaDe({Command18, Command19}), 2, 0, 1, 2);
    g->setRowStretch(3, 1);

    connect(Command18, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("gravar a diária"), [this] { Command18_Click(); }); });
}

void AbaDiaria::carrega(const CargaConfiguracao& c) {
    tem_dia->setText(c.tem_dia);
    val_dia->setText(c.val_dia);
}

void AbaDiaria::Command18_Click() {
    const ResultadoEditor r = gravaDiaria(ctx_.estado.db, tem_dia->texto(), val_dia->text());
    if (r.gravado) a_.ofereceModalidade(Modalidade::Diarista, true);
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}
