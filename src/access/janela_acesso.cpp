#include "access/janela_acesso.h"

#include "access/carga_acesso.h"
#include "access/login.h"
#include "data/datas.h"
#include "widgets/caixa_texto.h"
#include "widgets/cria.h"
#include "yard/tela_principal.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QDate kDataVersao(2008, 3, 24);
}

JanelaAcesso::JanelaAcesso(Contexto& ctx, TelaPrincipal& a, QWidget* parent)
    : QWidget(parent), ctx_(ctx), a_(a) {
    montaControles();
    ligaEventos();
}

void JanelaAcesso::montaControles() {
    setObjectName(QStringLiteral("acesso"));
    setWindowTitle(QStringLiteral("Acesso ao Sistema"));

    auto rotulo = [this](const char* nome, const QString& texto) {
        auto* l = new QLabel(texto, this);
        l->setObjectName(QLatin1String(nome));
        return l;
    };
    Label10 = rotulo("Label10", QStringLiteral("Sistema de Gerenciamento de Estacionamento"));
    Label3 = rotulo("Label3", QStringLiteral("Quelmar - Versão"));
    Label4 = rotulo("Label4", QString());
    Label_data = rotulo("Label_data", QString());
    Label1 = rotulo("Label1", QStringLiteral("Usuário:"));
    Label2 = rotulo("Label2", QStringLiteral("Senha:"));
    Label9 = rotulo("Label9", QString());

    usu = new CaixaTexto(this);
    usu->setObjectName(QStringLiteral("usu"));
    sen = new CaixaTexto(this);
    sen->setObjectName(QStringLiteral("sen"));
    sen->mostraAsteriscos();
    Label1->setBuddy(usu);
    Label2->setBuddy(sen);

    Command1 = criaBotao(this, "Command1", QStringLiteral("OK"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Cancelar"));

    auto* versao = new QHBoxLayout;
    versao->addWidget(Label3);
    versao->addWidget(Label4);
    versao->addStretch();

    auto* campos = new QGridLayout;
    campos->addWidget(Label1, 0, 0);
    campos->addWidget(usu, 0, 1);
    campos->addWidget(Label2, 1, 0);
    campos->addWidget(sen, 1, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(Command1);
    botoes->addWidget(Command2);

    auto* tudo = new QVBoxLayout(this);
    tudo->addWidget(Label10);
    tudo->addLayout(versao);
    tudo->addWidget(Label_data);
    tudo->addLayout(campos);
    tudo->addWidget(Label9);
    tudo->addLayout(botoes);
}

void JanelaAcesso::ligaEventos() {
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(usu, &QLineEdit::returnPressed, this, [this] { usu_Enter(); });
    connect(sen, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
}

bool JanelaAcesso::Form_Load() {
    Label_data->setText(QStringLiteral("Data da última atualização: ") + dataBr(kDataVersao));
    senhasErradas_ = 0;
    versao_ = QString::number(kVersaoPrograma);
    Label4->setText(texto_versao(versao_));

    const ResultadoCarga r = carrega_banco(ctx_);
    if (r.semUsuarios) {
        Label9->setText(kAvisoSemUsuarios);
        usu->setEnabled(false);
        sen->setEnabled(false);
    }
    if (!r.ok) {
        ctx_.plataforma.mensagem(r.falha, Icone::Critico);
        encerrando_ = true;
        ctx_.plataforma.encerra();
        return false;
    }
    if (r.configuracoesLidas) a_.mostraImpressoras();
    return true;
}

void JanelaAcesso::usu_Enter() {
    if (!sen->text().isEmpty())
        Command1_Click();
    else
        sen->setFocus();
}

void JanelaAcesso::Command1_Click() {
    switch (faz_login(usu->text(), sen->text(), ctx_, a_, senhasErradas_)) {
    case ResultadoLogin::Entrou:
        descarrega();
        entrou_ = true;
        a_.abre();
        close();
        break;
    case ResultadoLogin::FocoUsuario:
        usu->setFocus();
        break;
    case ResultadoLogin::FocoSenha:
        sen->setFocus();
        break;
    case ResultadoLogin::Encerrar:
        encerrando_ = true;
        ctx_.plataforma.encerra();
        break;
    case ResultadoLogin::Falhou:
        break;
    }
}

void JanelaAcesso::Command2_Click() {
    encerrando_ = true;
    ctx_.plataforma.encerra();
}

void JanelaAcesso::descarrega() {
    const QDateTime agora = ctx_.plataforma.agora();
    ctx_.estado.data_atual = agora.date();
    const QTime t = agora.time();
    ctx_.estado.hora_atual = QTime(t.hour(), t.minute(), t.second());
}

void JanelaAcesso::closeEvent(QCloseEvent* e) {
    // Closing the window without logging in is the same as "Cancelar".
    if (!entrou_ && !encerrando_) {
        encerrando_ = true;
        ctx_.plataforma.encerra();
    }
    e->accept();
}
