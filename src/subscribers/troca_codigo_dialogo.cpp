#include "subscribers/troca_codigo_dialogo.h"

#include "subscribers/campo_selecionado.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/troca_codigo.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TrocaCodigoDialogo::TrocaCodigoDialogo(Contexto& ctx, JanelaMensalistas& registro, QWidget* parent)
    : QDialog(parent), ctx_(ctx), registro_(registro) {
    setObjectName(QStringLiteral("tro_cod"));
    setWindowTitle(QStringLiteral("Trocar código"));
    cod = new QLineEdit(this);
    cod->setObjectName(QStringLiteral("cod"));
    cod->setEnabled(false);
    nov = new CampoSelecionado(this);
    nov->setObjectName(QStringLiteral("nov"));
    nov->setInputMask(QStringLiteral("000000; "));
    Command1 = criaBotao(this, "Command1", QStringLiteral("OK"));
    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Código Atual:"), this), 0, 0);
    g->addWidget(cod, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Novo código:"), this), 1, 0);
    g->addWidget(nov, 1, 1);
    g->addWidget(Command1, 2, 1);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    cod->setText(registro_.cod->text());
    nov->setFocus();
}

void TrocaCodigoDialogo::Command1_Click() {
    ResultadoTroca r;
    // On a failure the dialog stays open, with the code typed, to try again.
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("alterar o código do mensalista"),
                      [&] {
                          const auto carregado = registro_.carregado();
                          r = troca_codigo(ctx_.estado.db, cod->text(),
                                           carregado ? carregado->filial : QVariant(),
                                           nov->displayText());
                      }))
        return;
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
    if (r.trocado) registro_.cod->setText(r.novo);
    accept();
}
