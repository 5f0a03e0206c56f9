#include "branches/janela_cadastro_filiais.h"

#include "branches/filiais.h"
#include "widgets/caixa_texto.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

JanelaCadastroFiliais::JanelaCadastroFiliais(Contexto& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("fil_cad"));
    setWindowTitle(QStringLiteral("Cadastro de Filiais"));

    auto campo = [this](const char* nome, int tamanho) {
        auto* c = new QLineEdit(this);
        c->setObjectName(QLatin1String(nome));
        if (tamanho) c->setMaxLength(tamanho);
        return c;
    };
    cod = campo("cod", 0);
    cod->setEnabled(false);
    nom = campo("nom", 50);
    ende = campo("ende", 50);
    tel = campo("tel", 15);
    fax = campo("fax", 15);
    cnp = new CaixaTexto(this);
    cnp->setObjectName(QStringLiteral("cnp"));
    cnp->setInputMask(QStringLiteral("99.999.999/9999-99; "));

    grid1 = cria<QTableWidget>(this, "grid1", 1, 2);
    grid1->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nome")});
    grid1->verticalHeader()->hide();
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setColumnWidth(1, 283);   // 4250 twips
    grid1->setMinimumWidth(380);

    Command1 = criaBotao(this, "Command1", QStringLiteral("&Novo"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("&Gravar"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("C&ancelar"));
    Command4 = criaBotao(this, "Command4", QStringLiteral("&Excluir"));
    Command10 = criaBotao(this, "Command10", QStringLiteral("Fechar"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Código:"), cod);
    campos->addRow(QStringLiteral("Nome:"), nom);
    campos->addRow(QStringLiteral("Endereço:"), ende);
    campos->addRow(QStringLiteral("Telefone:"), tel);
    campos->addRow(QStringLiteral("FAX:"), fax);
    campos->addRow(QStringLiteral("CNPJ:"), cnp);
    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(campos);
    esquerda->addWidget(new QLabel(QStringLiteral("Filiais cadastradas:"), this));
    esquerda->addWidget(grid1);
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command3, Command4, Command10}) botoes->addWidget(b);
    botoes->addStretch();
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(esquerda, 1);
    tudo->addLayout(botoes);

    connect(grid1, &QTableWidget::cellClicked, this, [this](int linha) { grid1_Click(linha); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });

    limpa_campos();
    carrega_grid();
}

void JanelaCadastroFiliais::informa(const QString& texto) {
    ctx_.plataforma.mensagem(texto, Icone::Informacao);
}

void JanelaCadastroFiliais::carrega_grid() {
    std::vector<FilialListada> filiais;
    leDoBanco(ctx_.plataforma, QStringLiteral("a lista de filiais"),
              [&] { filiais = lista_filiais(ctx_.estado.db); });
    grid1->clearContents();
    grid1->setRowCount(filiais.empty() ? 1 : int(filiais.size()));
    for (int i = 0; i < int(filiais.size()); ++i) {
        grid1->setItem(i, 0, new QTableWidgetItem(QString::number(filiais[i].codigo)));
        grid1->setItem(i, 1, new QTableWidgetItem(filiais[i].nome));
    }
}

void JanelaCadastroFiliais::limpa_campos() {
    for (QLineEdit* c : {cod, nom, ende, tel, fax}) c->clear();
    cnp->setText(QString());
}

void JanelaCadastroFiliais::grid1_Click(int linha) {
    const QTableWidgetItem* celula = grid1->item(linha, 0);
    if (!celula || celula->text().isEmpty()) {
        informa(QStringLiteral("Linha em branco."));
        return;
    }
    std::optional<Filial> f;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("os dados da filial"),
                   [&] { f = le_filial(ctx_.estado.db, celula->text().toInt()); }) ||
        !f)
        return;
    cod->setText(QString::number(f->codigo));
    nom->setText(f->nome);
    ende->setText(f->endereco);
    tel->setText(f->telefone);
    fax->setText(f->fax);
    cnp->setText(f->cnpj);
}

void JanelaCadastroFiliais::Command1_Click() {
    limpa_campos();
    nom->setFocus();
}

void JanelaCadastroFiliais::Command2_Click() {
    ResultadoCadastroFilial r;
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("gravar a filial"), [&] {
            r = grava_filial(ctx_.estado.db, {cod->text(), nom->text(), ende->text(), tel->text(),
                                              fax->text(), cnp->displayText()});
        }))
        return;
    if (!r.ok) {
        informa(r.mensagem);
        if (r.focoNome) nom->setFocus();
        return;
    }
    cod->setText(QString::number(r.codigo));
    carrega_grid();
    informa(r.mensagem);
}

void JanelaCadastroFiliais::Command3_Click() { limpa_campos(); }

void JanelaCadastroFiliais::Command4_Click() {
    ResultadoCadastroFilial r;
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("excluir a filial"),
                      [&] { r = exclui_filial(ctx_.estado.db, cod->text()); }))
        return;
    if (r.ok) {
        limpa_campos();
        carrega_grid();
    }
    informa(r.mensagem);
}

void JanelaCadastroFiliais::Command10_Click() { close(); }
