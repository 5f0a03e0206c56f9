#include "branches/janela_filiais.h"

#include "branches/janela_cadastro_filiais.h"
#include "branches/janela_envio_tickets.h"
#include "widgets/cria.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

JanelaFiliais::JanelaFiliais(Contexto& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("ger"));
    setWindowTitle(QStringLiteral("Filiais"));
    // Top to bottom, with the number of each button's name.
    const struct {
        int numero;
        const char* texto;
    } ordem[] = {{1, "Cadastro de Filiais"},
                 {4, "Valores das Filiais"},
                 {2, "Envio de Tickets às Filiais"},
                 {3, "Recebimento de Tickets das Filiais"},
                 {5, "Despesas das Filiais"},
                 {6, "Depósito Bancário/Responsável nas Filiais"},
                 {7, "Mensalidades a Serem Pagas nas Filiais"},
                 {8, "Lançamento de Pgto. de Mensalidades"},
                 {9, "Relatório de Fechamento de Caixa"},
                 {10, "Fechar"}};
    auto* coluna = new QVBoxLayout(this);
    for (const auto& b : ordem) {
        const QByteArray nome = "Command" + QByteArray::number(b.numero);
        auto* botao = criaBotao(this, nome.constData(), QString::fromUtf8(b.texto));
        botao->setEnabled(b.numero == 1 || b.numero == 10);
        botoes[b.numero - 1] = botao;
        coluna->addWidget(botao);
    }
    connect(botoes[0], &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(botoes[1], &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(botoes[2], &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(botoes[9], &QPushButton::clicked, this, [this] { Command10_Click(); });
}

void JanelaFiliais::Command1_Click() {
    JanelaCadastroFiliais j(ctx_, this);
    j.exec();
}

void JanelaFiliais::Command2_Click() {
    JanelaEnvioTickets j(ctx_, this);
    j.exec();
}

void JanelaFiliais::Command3_Click() {
    JanelaRecebimentoTickets j(this);
    j.exec();
}

void JanelaFiliais::Command10_Click() { close(); }

JanelaRecebimentoTickets::JanelaRecebimentoTickets(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fil_rec"));
    setWindowTitle(QStringLiteral("Recebimento de Tickets das Filiais"));
    auto* grade = new QVBoxLayout(this);
    for (const char* t : {"Data Entrada:", "Data Saída:", "Série:", "Nº Ticket:", "Placa:",
                          "Hora Entrada:", "Hora Saída:", "Valor Calculado:", "Valor Pago:"})
        grade->addWidget(new QLabel(QString::fromUtf8(t), this));
}
