#include "cash/abe_cai.h"

#include "cash/abertura_caixa.h"
#include "data/dinheiro.h"
#include "widgets/campo_dinheiro.h"
#include "widgets/cria.h"
#include "widgets/cursor_ocupado.h"
#include "yard/tela_principal.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AberturaCaixa::AberturaCaixa(Contexto& ctx, TelaPrincipal& janela, QWidget* parent)
    : QDialog(parent), ctx_(ctx), janela_(janela) {
    setObjectName(QStringLiteral("abe_cai"));
    setWindowTitle(QStringLiteral("Abertura de Caixa"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Troco:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    tro = new QLineEdit(this);
    aplicaRegraDinheiro(tro);
    tro->setObjectName(QStringLiteral("tro"));
    Label1->setBuddy(tro);
    // Enter in the float, its only field, opens the register; on a focused button it presses
    // that one.
    Command1 = criaBotao(this, "Command1", QStringLiteral("Abrir Caixa"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Cancelar"));

    auto* linha = new QHBoxLayout;
    linha->addWidget(Label1);
    linha->addWidget(tro);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(Command1);
    botoes->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linha);
    layout->addLayout(botoes);

    tro->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &AberturaCaixa::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    tro->setFocus();
}

void AberturaCaixa::Command1_Click() {
    ResultadoAbertura r;
    {
        CursorOcupado ampulheta;
        r = abre_caixa(ctx_, tro->text());
    }
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
    if (!r.aberto) {
        tro->setFocus();
        return;
    }
    janela_.mostraCaixa();
    accept();
}

bool AberturaCaixa::eventFilter(QObject* alvo, QEvent* evento) {
    if (alvo == tro) {
        switch (evento->type()) {
        case QEvent::FocusIn:
            tro->selectAll();
            break;
        case QEvent::FocusOut:
            formataCampoDinheiro(tro);
            break;
        case QEvent::KeyPress: {
            if (filtraTeclaDinheiro(tro, static_cast<QKeyEvent*>(evento))) return true;
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(alvo, evento);
}
