#include "yard/can.h"

#include "widgets/cria.h"
#include "widgets/cursor_ocupado.h"
#include "widgets/trabalho_banco.h"
#include "yard/cancelamento.h"
#include "yard/tela_principal.h"
#include "yard/resultado_pista.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

Cancelamento::Cancelamento(Contexto& ctx, TelaPrincipal& janela, QWidget* parent)
    : QDialog(parent), ctx_(ctx), janela_(janela) {
    setObjectName(QStringLiteral("can"));
    setWindowTitle(QStringLiteral("Cancelar"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Ticket:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    tic = new QLineEdit(this);
    tic->setObjectName(QStringLiteral("tic"));
    tic->setInputMask(QStringLiteral("0000000000; "));
    Label1->setBuddy(tic);
    Label2 = new QLabel(QStringLiteral("Placa:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    pla = new QLineEdit(this);
    pla->setObjectName(QStringLiteral("pla"));
    pla->setInputMask(QStringLiteral(">nnn-nnnn; "));
    Label2->setBuddy(pla);
    Command1 = criaBotao(this, "Command1", QStringLiteral("Cancelar Ticket"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Fechar"));

    auto* grade = new QGridLayout;
    grade->addWidget(Label1, 0, 0);
    grade->addWidget(tic, 0, 1);
    grade->addWidget(Label2, 1, 0);
    grade->addWidget(pla, 1, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(Command1);
    botoes->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grade);
    layout->addLayout(botoes);

    for (QWidget* w : {static_cast<QWidget*>(tic), static_cast<QWidget*>(pla),
                       static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2)})
        w->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    tic->setFocus();
}

void Cancelamento::le(const QString& oQue, const std::function<void()>& trabalho) {
    leDoBanco(ctx_.plataforma, oQue, trabalho);
}

void Cancelamento::tic_LostFocus() {
    if (tic->displayText().trimmed().isEmpty()) return;
    const std::optional<VeiculoCancelavel> v = veiculo_do_ticket(ctx_.estado.db, tic->displayText());
    if (!v) {
        tic->setText(QString());
        return;
    }
    pla->setText(v->placa.toString());
}

void Cancelamento::pla_LostFocus() {
    if (placaEmBranco(pla->displayText())) {
        tic->setText(QString());
        return;
    }
    const std::optional<VeiculoCancelavel> v = veiculo_da_placa(ctx_.estado.db, pla->displayText());
    if (!v) {
        tic->setText(QString());
        pla->setText(QString());
        return;
    }
    tic->setText(texto_ticket(*v));
}

void Cancelamento::Command1_Click() {
    ResultadoCancelamento r;
    {
        CursorOcupado ampulheta;
        r = cancela_ticket(ctx_, tic->displayText(), pla->displayText());
    }
    if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
    if (r.foco == CampoCancelamento::tic) tic->setFocus();
    // The yard list follows whatever happened, shown or not.
    le(QStringLiteral("a lista de pátio"), [this] { janela_.atualiza_lista_patio(); });
    if (r.cancelado) accept();
}

bool Cancelamento::eventFilter(QObject* alvo, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress: {
        const int k = static_cast<QKeyEvent*>(evento)->key();
        if (k == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (alvo == tic) {
                pla->setFocus();
                return true;
            }
            if (alvo == pla) {
                Command1->setFocus();
                return true;
            }
        }
        break;
    }
    case QEvent::FocusIn:
        if (alvo == tic || alvo == pla) {
            auto* campo = static_cast<QLineEdit*>(alvo);
            QTimer::singleShot(0, campo, [campo] { campo->selectAll(); });
        }
        break;
    case QEvent::FocusOut: {
        // A message box taking the focus for a moment is not the operator leaving the field.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason) break;
        if (alvo == tic) le(QStringLiteral("o veículo do ticket"), [this] { tic_LostFocus(); });
        else if (alvo == pla) le(QStringLiteral("o veículo da placa"), [this] { pla_LostFocus(); });
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(alvo, evento);
}
