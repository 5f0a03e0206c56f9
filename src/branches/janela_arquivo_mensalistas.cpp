#include "branches/janela_arquivo_mensalistas.h"

#include "branches/arquivo_mensalistas.h"
#include "branches/janela_andamento.h"
#include "branches/preenche_filiais.h"
#include "widgets/cria.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

JanelaArquivoMensalistas::JanelaArquivoMensalistas(Contexto& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("ger_arq"));
    setWindowTitle(QStringLiteral("Gerar/Receber Arquivo de Mensalistas"));

    Label2 = new QLabel(QStringLiteral("Escolha a Filial:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    fil = new QComboBox(this);
    fil->setObjectName(QStringLiteral("fil"));
    cod_fil = new QComboBox(this);
    cod_fil->setObjectName(QStringLiteral("cod_fil"));
    cod_fil->hide();
    Label1 = new QLabel(QStringLiteral("Escolha o drive:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Command1 = criaBotao(this, "Command1", QStringLiteral("Gerar Arquivo"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("Receber Arquivo"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Fechar"));

    auto* grade = new QGridLayout;
    grade->addWidget(Label2, 0, 0);
    grade->addWidget(fil, 0, 1);
    grade->addWidget(Label1, 1, 0);
    grade->addWidget(Drive1, 1, 1);
    grade->setColumnMinimumWidth(1, 260);
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {Command1, Command3, Command2}) botoes->addWidget(b);
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(grade, 1);
    tudo->addLayout(botoes);

    preenche_filiais(ctx_.plataforma, ctx_.estado.db, fil, cod_fil, QStringLiteral("0"));
    Drive1->addItems(ctx_.plataforma.discos().unidades(ctx_.plataforma.pastaPrograma()));
    connect(fil, &QComboBox::currentIndexChanged, this, [this] { fil_Click(); });
    fil->setCurrentIndex(0);
    fil_Click();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void JanelaArquivoMensalistas::fil_Click() { cod_fil->setCurrentIndex(fil->currentIndex()); }

QString JanelaArquivoMensalistas::pastaEscolhida() const {
    // The program's own drive means its folder, as for the backup: its root is no place for
    // the program's files, and an ordinary user may not write there.
    return Drive1->currentIndex() <= 0 ? ctx_.plataforma.pastaPrograma() : Drive1->currentText();
}

void JanelaArquivoMensalistas::Command1_Click() {
    std::optional<qint32> filial;
    if (fil->currentIndex() > 0) filial = cod_fil->currentText().toInt();
    const QString unidade = pastaEscolhida();
    const ResultadoArquivo r = gera_arquivo_mensalistas(
        ctx_.estado.db, filial, unidade, ctx_.plataforma.discos().espacoLivre(unidade));
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    if (r.focoFilial) fil->setFocus();
}

void JanelaArquivoMensalistas::Command3_Click() {
    const QString unidade = pastaEscolhida();
    JanelaAndamento andamento(this, QStringLiteral("Recebendo arquivo de mensalistas..."));
    const ResultadoArquivo r = recebe_arquivo_mensalistas(
        ctx_.estado.db, unidade, Drive1->currentIndex() > 0,
        ctx_.plataforma.discos().espacoLivre(unidade), &andamento.andamento());
    andamento.hide();
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}

void JanelaArquivoMensalistas::Command2_Click() { close(); }

void abre_ger_arq(Contexto& ctx, QWidget* pai) {
    static QPointer<JanelaArquivoMensalistas> aberta;
    if (!aberta) {
        aberta = new JanelaArquivoMensalistas(ctx, pai);
        aberta->setWindowFlag(Qt::Window);
        aberta->setAttribute(Qt::WA_DeleteOnClose);
    }
    aberta->show();
    aberta->raise();
    aberta->activateWindow();
}
