#include "access/janela_usuarios.h"

#include "data/datas.h"
#include "widgets/caixa_texto.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kTitulosPermissao[] = {"Usuários", "Mensalistas",  "Configurações",
                                         "Lista de Pátio", "Relatórios", "Filiais",
                                         "Backup",   "Tela Principal"};

}  // namespace

JanelaUsuarios::JanelaUsuarios(Contexto& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    montaControles();
    ligaEventos();
    Form_Load();
}

void JanelaUsuarios::montaControles() {
    setObjectName(QStringLiteral("usu"));
    setWindowTitle(QStringLiteral("Cadastro de Usuários"));

    auto nomeia = [](QWidget* w, const char* nome) { w->setObjectName(QLatin1String(nome)); };

    cod = new QLineEdit(this);
    nomeia(cod, "cod");
    cod->setEnabled(false);
    usu = new CaixaTexto(this);
    nomeia(usu, "usu");
    usu->setMaxLength(10);
    sen = new CaixaTexto(this);
    nomeia(sen, "sen");
    sen->setMaxLength(10);
    sen->mostraAsteriscos();
    cad = new QLineEdit(this);
    nomeia(cad, "cad");
    cad->setInputMask(QStringLiteral("99/99/9999; "));

    Frame1 = new QGroupBox(QStringLiteral("Permissões de Acesso"), this);
    nomeia(Frame1, "Frame1");
    auto* grade = new QGridLayout(Frame1);
    for (int i = 0; i < 8; ++i) {
        checks[i] = new QCheckBox(QString::fromUtf8(kTitulosPermissao[i]), Frame1);
        checks[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        grade->addWidget(checks[i], i / 2, i % 2);
    }

    List1 = new QListWidget(this);
    nomeia(List1, "List1");
    List2 = new QListWidget(this);
    nomeia(List2, "List2");
    List2->hide();

    Command1 = criaBotao(this, "Command1", QStringLiteral("&Novo"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("&Gravar"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("C&ancelar"));
    Command4 = criaBotao(this, "Command4", QStringLiteral("&Excluir"));
    Command10 = criaBotao(this, "Command10", QStringLiteral("Fechar"));

    auto* campos = new QGridLayout;
    const struct {
        const char* rotulo;
        QWidget* campo;
    } linhas[] = {{"Código:", cod}, {"Usuário:", usu}, {"Senha:", sen}, {"Cadastro:", cad}};
    int linha = 0;
    for (const auto& l : linhas) {
        auto* r = new QLabel(QString::fromUtf8(l.rotulo), this);
        r->setBuddy(l.campo);
        campos->addWidget(r, linha, 0);
        campos->addWidget(l.campo, linha, 1);
        ++linha;
    }

    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(campos);
    esquerda->addWidget(Frame1);
    auto* direita = new QVBoxLayout;
    direita->addWidget(new QLabel(QStringLiteral("Usuários cadastrados:"), this));
    direita->addWidget(List1);
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(esquerda);
    corpo->addLayout(direita);

    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command3, Command4}) botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(Command10);

    auto* tudo = new QVBoxLayout(this);
    tudo->addLayout(corpo);
    tudo->addLayout(botoes);
}

void JanelaUsuarios::ligaEventos() {
    connect(List1, &QListWidget::currentRowChanged, this, [this] {
        if (!mudandoLista_) List1_Click();
    });
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
}

QString JanelaUsuarios::hoje() const { return dataBr(ctx_.plataforma.agora().date()); }

void JanelaUsuarios::Form_Load() {
    mudandoLista_ = true;
    leDoBanco(ctx_.plataforma, QStringLiteral("a lista de usuários"), [this] {
        for (const UsuarioListado& u : usuarios_listados(ctx_.estado.db)) {
            List1->addItem(u.usuario);
            List2->addItem(QString::number(u.codigo));
        }
    });
    mudandoLista_ = false;
    cad->setText(hoje());
}

void JanelaUsuarios::limpa_campos() {
    cod->clear();
    usu->clear();
    sen->clear();
    cad->setText(hoje());
    for (QCheckBox* c : checks) c->setChecked(false);
}

void JanelaUsuarios::List1_Click() {
    const int i = List1->currentRow();
    if (i < 0 || i >= List2->count()) return;
    List2->setCurrentRow(i);
    std::optional<Usuario> u;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("o usuário escolhido"),
                   [&] { u = le_usuario(ctx_.estado.db, List2->item(i)->text().toInt()); }))
        return;
    if (!u) return;
    cod->setText(QString::number(u->codigo));
    usu->setText(u->usuario);
    sen->setText(u->senha);
    // A user saved without a date shows the empty date.
    cad->setText(u->data_cadastro.isValid() ? dataBr(u->data_cadastro) : QString());
    for (int k = 0; k < 8; ++k) checks[k]->setChecked(u->permissoes[k]);
}

void JanelaUsuarios::Command1_Click() {
    limpa_campos();
    usu->setFocus();
}

void JanelaUsuarios::Command2_Click() {
    FichaUsuario f;
    f.cod = cod->text();
    f.usuario = usu->text();
    f.senha = sen->text();
    f.cad = cad->displayText();
    for (int k = 0; k < 8; ++k) f.permissoes[k] = checks[k]->isChecked();

    ResultadoGravacao r;
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("gravar o usuário"),
                      [&] { r = grava_usuario(ctx_.estado.db, f); }))
        return;
    if (r.cadReescrito) cad->setText(*r.cadReescrito);
    if (!r.gravado) {
        ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
        if (r.focoCadastro) cad->setFocus();
        return;
    }
    if (r.novo) {
        mudandoLista_ = true;
        List1->addItem(f.usuario);
        List2->addItem(QString::number(r.codigo));
        mudandoLista_ = false;
    }
    cod->setText(QString::number(r.codigo));
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}

void JanelaUsuarios::Command3_Click() { limpa_campos(); }

void JanelaUsuarios::Command4_Click() {
    if (cod->text().isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Escolha o usuário a excluir."), Icone::Informacao);
        return;
    }
    std::optional<QString> recusa;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("os acessos dos usuários"),
                   [&] { recusa = recusa_exclusao_usuario(ctx_.estado.db, cod->text().toInt()); }))
        return;
    if (recusa) {
        ctx_.plataforma.mensagem(*recusa, Icone::Exclamacao);
        return;
    }
    if (!ctx_.plataforma.pergunta(QStringLiteral("Você confirma a exclusão?"))) return;
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("excluir o usuário"),
                      [this] { exclui_usuario(ctx_.estado.db, cod->text().toInt()); }))
        return;
    // The entry of the deleted user leaves the list, whichever entry happens to be selected.
    mudandoLista_ = true;
    for (int i = 0; i < List2->count(); ++i) {
        if (List2->item(i)->text() == cod->text()) {
            delete List2->takeItem(i);
            delete List1->takeItem(i);
            break;
        }
    }
    List1->setCurrentRow(-1);
    List2->setCurrentRow(-1);
    mudandoLista_ = false;
    limpa_campos();
}

void JanelaUsuarios::Command10_Click() { close(); }
