#include "subscribers/consulta_mensalistas.h"

#include "subscribers/campo_selecionado.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>

ConsultaMensalistas::ConsultaMensalistas(Contexto& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("cons_men"));
    setWindowTitle(QStringLiteral("Consulta Mensalistas"));
    auto nomeia = [](QWidget* w, const char* n) { w->setObjectName(QLatin1String(n)); };

    codigo = new CampoSelecionado(this);
    nomeia(codigo, "codigo");
    codigo->setInputMask(QStringLiteral("00000000; "));
    Command3 = criaBotao(this, "Command3", QStringLiteral("OK"));
    Command4 = criaBotao(this, "Command4", QStringLiteral("Fechar"));
    Text1 = new QLineEdit(this);
    nomeia(Text1, "Text1");
    Command1 = criaBotao(this, "Command1", QStringLiteral("OK"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Fechar"));
    List1 = new QListWidget(this);
    nomeia(List1, "List1");
    List2 = new QListWidget(this);
    nomeia(List2, "List2");
    List2->hide();
    List2->setEnabled(false);
    List3 = new QListWidget(this);
    nomeia(List3, "List3");
    List3->hide();
    List3->setEnabled(false);
    cod = new QLineEdit(this);
    nomeia(cod, "cod");
    cod->hide();
    cod->setEnabled(false);

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Código:"), this), 0, 0);
    g->addWidget(codigo, 0, 1);
    g->addWidget(Command3, 0, 2);
    g->addWidget(Command4, 0, 3);
    auto* linha = new QFrame(this);
    linha->setObjectName(QStringLiteral("Line1"));
    linha->setFrameShape(QFrame::HLine);
    g->addWidget(linha, 1, 0, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("Digite as iniciais abaixo ou selecione da lista. Tecle "
                                           "ENTER ou pressione OK."),
                            this),
                 2, 0, 1, 4);
    g->addWidget(Text1, 3, 0, 1, 2);
    g->addWidget(Command1, 3, 2);
    g->addWidget(Command2, 3, 3);
    g->addWidget(List1, 4, 0, 1, 4);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(Command4, &QPushButton::clicked, this, &QWidget::close);
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(codigo, &QLineEdit::returnPressed, this, [this] { Command3_Click(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { Command1_Click(); });
    List1->installEventFilter(this);

    leDoBanco(ctx_.plataforma, QStringLiteral("a lista de mensalistas"), [this] {
        QSqlQuery q = ctx_.estado.db.executa(QStringLiteral(
            "SELECT codigo, nome, filial FROM mensalistas WHERE excluido = 0 ORDER BY nome"));
        while (q.next()) {
            List1->addItem(q.value(1).toString());
            List2->addItem(q.value(0).toString());
            List3->addItem(q.value(2).toString());
        }
    });
    List1->setCurrentRow(-1);
    codigo->setFocus();
}

bool ConsultaMensalistas::eventFilter(QObject* alvo, QEvent* evento) {
    if (alvo == List1) {
        if (evento->type() == QEvent::FocusIn) listaComFoco_ = true;
        if (evento->type() == QEvent::FocusOut) listaComFoco_ = false;
        if (evento->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(evento)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                if (!cod->text().isEmpty()) Command1_Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(alvo, evento);
}

void ConsultaMensalistas::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void ConsultaMensalistas::Text1_Change() {
    int achado = -1;
    const QString busca = Text1->text();
    if (!busca.isEmpty())
        for (int i = 0; i < List1->count(); ++i)
            if (List1->item(i)->text().startsWith(busca, Qt::CaseInsensitive)) {
                achado = i;
                break;
            }
    if (List1->currentRow() == achado)
        List1_Click();
    else
        List1->setCurrentRow(achado);
}

void ConsultaMensalistas::List1_Click() {
    const int i = List1->currentRow();
    if (listaComFoco_ && i >= 0 && Text1->text() != List1->item(i)->text())
        Text1->setText(List1->item(i)->text());
    const int j = List1->currentRow();
    cod->setText(j >= 0 && j < List2->count() ? List2->item(j)->text() : QString());
}

void ConsultaMensalistas::Command1_Click() {
    if (cod->text().isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Selecione o mensalista a consultar."));
        Text1->setFocus();
        return;
    }
    const int i = List1->currentRow();
    carrega(ChaveMensalista{cod->text().toLongLong(),
                            ChaveMensalista::filialDoTexto(List3->item(i)->text())});
}

void ConsultaMensalistas::Command3_Click() {
    const QString texto = codigo->displayText().trimmed();
    if (texto.isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Digite o código do mensalista."));
        codigo->setFocus();
        return;
    }
    bool numero = true;
    for (QChar c : texto) numero = numero && c.isDigit();
    // Digits with blanks between them name no subscriber.
    if (!numero) return carrega(std::nullopt);
    // At an office two branches may have given the same code: each of them is offered in turn.
    struct Candidato {
        ChaveMensalista chave;
        QString nome, filial;
    };
    std::vector<Candidato> candidatos;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("os dados do mensalista"), [&] {
            QSqlQuery q = ctx_.estado.db.executa(
                QStringLiteral("SELECT mensalistas.filial, mensalistas.nome, filiais.nome FROM "
                               "mensalistas LEFT JOIN filiais ON filiais.codigo = mensalistas.filial "
                               "WHERE mensalistas.codigo = ? ORDER BY mensalistas.filial"),
                {texto.toLongLong()});
            while (q.next()) {
                // A branch not registered here is named by its code.
                const QVariant filial = q.value(0);
                const QString nome = q.value(2).isNull() ? filial.toString() : q.value(2).toString();
                candidatos.push_back({{texto.toLongLong(), filial},
                                      q.value(1).toString(),
                                      filial.isNull() ? QStringLiteral("sem filial")
                                                      : QStringLiteral("filial %1").arg(nome)});
            }
        }))
        return;
    if (candidatos.size() <= 1)
        return carrega(candidatos.empty() ? std::nullopt : std::optional(candidatos.front().chave));
    for (const Candidato& c : candidatos)
        if (ctx_.plataforma.pergunta(
                QStringLiteral("O código %1 é de %2 mensalistas, de filiais diferentes. Consultar %3 "
                               "(%4)?")
                    .arg(texto)
                    .arg(candidatos.size())
                    .arg(c.nome, c.filial)))
            return carrega(c.chave);
}

void ConsultaMensalistas::carrega(const std::optional<ChaveMensalista>& m) {
    std::optional<FichaMensalista> ficha;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("os dados do mensalista"), [&] {
            if (m) ficha = leFichaMensalista(ctx_.estado.db, *m);
        }))
        return;
    if (!ficha) {
        ctx_.plataforma.mensagem(QStringLiteral("Mensalista não encontrado."));
        return;
    }
    emit escolhido(*ficha);
    close();
}
