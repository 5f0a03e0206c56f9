#include "branches/janela_envio_tickets.h"

#include "branches/filiais.h"
#include "branches/preenche_filiais.h"
#include "widgets/caixa_texto.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

JanelaEnvioTickets::JanelaEnvioTickets(Contexto& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("fil_env"));
    setWindowTitle(QStringLiteral("Envio de Tickets à Filiais"));

    fil = new QComboBox(this);
    fil->setObjectName(QStringLiteral("fil"));
    cod_fil = new QComboBox(this);
    cod_fil->setObjectName(QStringLiteral("cod_fil"));
    cod_fil->hide();
    auto mascara = [this](const char* nome, const QString& m) {
        auto* c = new CaixaTexto(this);
        c->setObjectName(QLatin1String(nome));
        c->setInputMask(m);
        return c;
    };
    dat = mascara("dat", QStringLiteral("99/99/9999; "));
    ser = new QLineEdit(this);
    ser->setObjectName(QStringLiteral("ser"));
    ser->setMaxLength(5);
    tic_ini = mascara("tic_ini", QStringLiteral("99999; "));
    tic_fin = mascara("tic_fin", QStringLiteral("99999; "));

    grid1 = cria<QTableWidget>(this, "grid1", 1, 5);
    grid1->setHorizontalHeaderLabels({QStringLiteral("Filial"), QStringLiteral("Data"),
                                      QStringLiteral("Série"), QStringLiteral("Ticket Inic."),
                                      QStringLiteral("Ticket Fim")});
    grid1->verticalHeader()->hide();
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    Command1 = criaBotao(this, "Command1", QStringLiteral("Enviar Tickets"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Excluir Tickets"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("Fechar"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Filial:"), fil);
    campos->addRow(QStringLiteral("Data:"), dat);
    campos->addRow(QStringLiteral("Série:"), ser);
    campos->addRow(QStringLiteral("Ticket Inicial:"), tic_ini);
    campos->addRow(QStringLiteral("Ticket Final:"), tic_fin);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command3}) botoes->addWidget(b);
    auto* tudo = new QVBoxLayout(this);
    tudo->addLayout(campos);
    tudo->addWidget(grid1);
    tudo->addLayout(botoes);

    preenche_filiais(ctx_.plataforma, ctx_.estado.db, fil, cod_fil, QStringLiteral(" "));
    fil->setCurrentIndex(0);
    cod_fil->setCurrentIndex(0);

    connect(fil, &QComboBox::currentIndexChanged, this, [this] { fil_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void JanelaEnvioTickets::fil_Click() { cod_fil->setCurrentIndex(fil->currentIndex()); }

void JanelaEnvioTickets::Command1_Click() {
    FichaEnvio f;
    if (fil->currentIndex() > 0) f.filial = cod_fil->currentText().toInt();
    f.dat = dat->displayText();
    f.ser = ser->text();
    f.tic_ini = tic_ini->displayText();
    f.tic_fin = tic_fin->displayText();
    ResultadoEnvio r;
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("registrar o envio dos tickets"),
                      [&] { r = envia_tickets(ctx_.estado.db, f); }))
        return;
    ctx_.plataforma.mensagem(r.mensagem, r.exclamacao ? Icone::Exclamacao : Icone::Informacao);
    switch (r.foco) {
    case CampoEnvio::Filial: fil->setFocus(); break;
    case CampoEnvio::Data: dat->setFocus(); break;
    case CampoEnvio::Serie: ser->setFocus(); break;
    case CampoEnvio::TicketInicial: tic_ini->setFocus(); break;
    case CampoEnvio::TicketFinal: tic_fin->setFocus(); break;
    case CampoEnvio::Nenhum: break;
    }
    if (!r.ok) return;
    fil->setCurrentIndex(0);
    for (QLineEdit* c : {dat, ser, tic_ini, tic_fin}) c->setText(QString());
}

void JanelaEnvioTickets::Command3_Click() { close(); }
