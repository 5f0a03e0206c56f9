#include "cash/val_cai.h"

#include "cash/valor_caixa.h"
#include "widgets/campo_dinheiro.h"
#include "widgets/cria.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* caixaValor(QWidget* pai, const char* nome) {
    auto* c = new QLineEdit(pai);
    c->setObjectName(QLatin1String(nome));
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::NoFocus);
    c->setAlignment(Qt::AlignRight);
    c->setFixedWidth(larguraDeValor(c));
    return c;
}

QLabel* rotulo(QWidget* pai, const char* nome, const QString& texto) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(QLatin1String(nome));
    return l;
}

}  // namespace

ValorCaixa::ValorCaixa(Contexto& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("val_cai"));
    setWindowTitle(QStringLiteral("Valor em Caixa"));
    setModal(true);

    Label3 = rotulo(this, "Label3", QStringLiteral("Valor recebido de mensalidades:"));
    Text1 = caixaValor(this, "Text1");
    Label2 = rotulo(this, "Label2", QStringLiteral("Valor recebido de não mensalistas:"));
    Text2 = caixaValor(this, "Text2");
    Label4 = rotulo(this, "Label4", QStringLiteral("Troco:"));
    tro = caixaValor(this, "tro");
    Label1 = rotulo(this, "Label1", QStringLiteral("Total em Caixa:"));
    Text3 = caixaValor(this, "Text3");
    Command1 = criaBotao(this, "Command1", QStringLiteral("Fechar"));

    auto* regua = new QFrame(this);
    regua->setFrameShape(QFrame::HLine);

    auto* grade = new QGridLayout(this);
    grade->addWidget(Label3, 0, 0);
    grade->addWidget(Text1, 0, 1);
    grade->addWidget(Label2, 1, 0);
    grade->addWidget(Text2, 1, 1);
    grade->addWidget(Label4, 2, 0);
    grade->addWidget(tro, 2, 1);
    grade->addWidget(regua, 3, 0, 1, 2);
    grade->addWidget(Label1, 4, 0);
    grade->addWidget(Text3, 4, 1);
    grade->addWidget(Command1, 5, 0, 1, 2, Qt::AlignCenter);

    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
}

void ValorCaixa::Form_Load() {
    ValoresCaixa v;
    try {
        v = valores_caixa(ctx_.estado.db, ctx_.estado.numero_caixa);
    } catch (const ErroBanco& erro) {
        ctx_.plataforma.mensagem(
            QStringLiteral("Não foi possível calcular o valor em caixa.\n%1").arg(erro.mensagem()),
            Icone::Critico);
        return;
    }
    Text1->setText(v.mensalidades.formata());
    Text2->setText(v.estadias.formata());
    tro->setText(v.troco.formata());
    Text3->setText(v.total().formata());
}
