// The tab "Escrit/Pista" of the configuration window: office or branch lane, and its number.

#include "config/escritorio_aba.h"

#include "config/carga_configuracao.h"
#include "config/controles_configuracao.h"
#include "config/filial_config.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

AbaEscritorio::AbaEscritorio(Contexto& ctx, TelaPrincipal& a, qint16& filial, QWidget* pai)
    : AbaConfiguracao(ctx, a, pai), filial_carregada(filial) {
    Label40 = cria<QLabel>(this, "Label40", QStringLiteral("Escritório ou pista?"));
    esc = cria<QComboBox>(this, "esc");
    Label41 = cria<QLabel>(this, "Label41", QStringLiteral("Se for pista, qual filial?"));
    fil = campoMascara(this, "fil", QStringLiteral("##"), true);
    Command23 = criaBotao(this, "Command23", QStringLiteral("Gravar"));
    auto* g = new QGridLayout(this);
    rotulosECampos(g, {{Label40, esc}, {Label41, fil}}, true);
    g->addLayout(linhaDe({Command23}), 2, 0, 1, 2);
    g->setRowStretch(3, 1);

    connect(esc, &QComboBox::currentIndexChanged, this, [this] { esc_Click(); });
    connect(Command23, &QPushButton::clicked, this, [this] {
        executa(QStringLiteral("gravar o escritório ou a pista"), [this] { Command23_Click(); });
    });
}

void AbaEscritorio::carrega(const CargaConfiguracao& c) {
    esc->addItems({QStringLiteral("Escritório"), QStringLiteral("Pista")});
    if (c.escritorio) {
        esc->setCurrentIndex(0);
        fil->limpa();
        fil->setEnabled(false);
    } else {
        esc->setCurrentIndex(1);
        fil->setText(c.fil);
        if (c.filial) filial_carregada = *c.filial;
    }
}

void AbaEscritorio::esc_Click() {
    fil->setEnabled(esc->currentText() != QStringLiteral("Escritório"));
}

void AbaEscritorio::Command23_Click() {
    const ResultadoEscritorioPista r =
        grava_filial(ctx_, esc->currentText(), fil->texto(), filial_carregada);
    if (r.feito) {
        if (r.fil.trimmed().isEmpty()) fil->limpa();
        else fil->setText(r.fil);
    }
    if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
}
