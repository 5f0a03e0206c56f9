#include "config/tipos_mensalistas_aba.h"

#include "config/controles_configuracao.h"
#include "config/listas_configuracao.h"
#include "config/tipos_mensalistas_editor.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "widgets/lista_escolha.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

AbaMensalistas::AbaMensalistas(Contexto& ctx, TelaPrincipal& a, QWidget* pai)
    : AbaConfiguracao(ctx, a, pai) {
    cod = cria<QLineEdit>(this, "cod");
    cod->setVisible(false);
    cod->setEnabled(false);
    Label17 = cria<QLabel>(this, "Label17", QStringLiteral("Tipo Mensalista:"));
    tip = cria<QLineEdit>(this, "tip");
    tip->setMaxLength(30);
    Label18 = cria<QLabel>(this, "Label18", QStringLiteral("Valor Mensalidade:"));
    valor = campoDinheiro(this, "valor", QStringLiteral("0,00"));
    Label19 = cria<QLabel>(this, "Label19", QStringLiteral("Dia Vencimento:"));
    dia = campoMascara(this, "dia", QStringLiteral("##"), false);
    Label20 = cria<QLabel>(this, "Label20", QStringLiteral("Tipos de Mensalista cadastrados:"));
    List3 = cria<QListWidget>(this, "List3");
    Command12 = criaBotao(this, "Command12", QStringLiteral("Inserir Mensalista"));
    Command13 = criaBotao(this, "Command13", QStringLiteral("Excluir Mensalista"));
    Command15 = criaBotao(this, "Command15", QStringLiteral("Alterar Mensalista"));
    Command14 = botaoFechar("Command14");

    auto* g = new QGridLayout(this);
    rotulosECampos(g, {{Label17, tip}}, false);
    rotulosECampos(g, {{Label18, valor}, {Label19, dia}}, true, 1);
    g->addWidget(Label20, 3, 0, 1, 2);
    g->addWidget(List3, 4, 0, 1, 2);
    g->addLayout(linhaDe({Command12, Command13, Command15, Command14}, false), 5, 0, 1, 2);

    aoEscolher(List3, this,
               [this] { le(QStringLiteral("o tipo de mensalista escolhido"), [this] { List3_Click(); }); });
    connect(Command12, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("inserir o tipo de mensalista"), [this] { Command12_Click(); }); });
    connect(Command15, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("alterar o tipo de mensalista"), [this] { Command15_Click(); }); });
    connect(Command13, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("excluir o tipo de mensalista"), [this] { Command13_Click(); }); });
}

void AbaMensalistas::carrega(const CargaConfiguracao&) { carrega_tipos_mensalistas(); }

void AbaMensalistas::carrega_tipos_mensalistas() {
    List3->clear();
    // Each entry carries its type's code: the one highlighted is the one loaded and acted on,
    // whatever names stored types share.
    for (const auto& [nome, codigo] : tiposMensalistas(ctx_.estado.db)) {
        auto* item = new QListWidgetItem(nome, List3);
        item->setData(Qt::UserRole, codigo);
    }
}

void AbaMensalistas::limpa_campos_tipo_mensalista() {
    cod->clear();
    tip->clear();
    valor->setText(QStringLiteral("0,00"));
    dia->limpa();
}

void AbaMensalistas::List3_Click() {
    const QListWidgetItem* item = List3->currentItem();
    if (!item || !item->isSelected()) return;
    const auto t = buscaTipoMensalista(ctx_.estado.db, item->data(Qt::UserRole).toLongLong());
    if (!t) return;
    cod->setText(t->cod);
    tip->setText(t->tip);
    valor->setText(t->valor);
    dia->setText(t->dia);
}

void AbaMensalistas::Command12_Click() {
    Plataforma& p = ctx_.plataforma;
    const ResultadoEditor r =
        insereTipoMensalista(ctx_.estado.db, tip->text(), valor->text(), dia->texto(),
                             [&p](const QString& texto) { return p.pergunta(texto); });
    if (r.gravado) {
        carrega_tipos_mensalistas();
        limpa_campos_tipo_mensalista();
    }
    focaCampo(r.foco);
    if (!r.mensagem.isEmpty()) p.mensagem(r.mensagem, Icone::Informacao);
}

void AbaMensalistas::Command15_Click() {
    const ResultadoEditor r =
        alteraTipoMensalista(ctx_.estado.db, cod->text(), tip->text(), valor->text(), dia->texto());
    if (r.gravado) {
        limpa_campos_tipo_mensalista();
        carrega_tipos_mensalistas();
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}

void AbaMensalistas::Command13_Click() {
    const ResultadoEditor r = excluiTipoMensalista(ctx_.estado.db, cod->text());
    if (r.gravado) {
        limpa_campos_tipo_mensalista();
        carrega_tipos_mensalistas();
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}
