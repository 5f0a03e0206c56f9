#include "subscribers/janela_pagamento.h"

#include "app/imprime_bobina.h"
#include "data/datas.h"
#include "subscribers/campo_selecionado.h"
#include "subscribers/campos_mensalista.h"
#include "subscribers/comprovante_mensalidade.h"
#include "subscribers/pagamento_mensalidade.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>

namespace {

QLineEdit* leitura(QWidget* pai, const char* nome) {
    auto* c = cria<QLineEdit>(pai, nome);
    c->setEnabled(false);
    return c;
}

const QString kZero = QStringLiteral("0,00");

}  // namespace

JanelaPagamento::JanelaPagamento(Contexto& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("pag_men"));
    setWindowTitle(QStringLiteral("Pagamento de Mensalista"));

    men = cria<QComboBox>(this, "men");
    cod = cria<QComboBox>(this, "cod");
    cod->hide();
    cod_fil_men = cria<QComboBox>(this, "cod_fil_men");
    cod_fil_men->hide();
    Command1 = criaBotao(this, "Command1", QStringLiteral("OK"));
    tip = leitura(this, "tip");
    dia = leitura(this, "dia");
    fil = leitura(this, "fil");
    cod_fil = leitura(this, "cod_fil");
    cod_fil->hide();
    grid2 = cria<QTableWidget>(this, "grid2", 1, 4);
    grid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid2->verticalHeader()->hide();
    grid2->setHorizontalHeaderLabels({QStringLiteral("Mês"), QStringLiteral("Data Pgto."),
                                      QStringLiteral("Hora Pgto."), QStringLiteral("Valor Pago")});
    grid2->setColumnWidth(0, 60);
    grid2->setColumnWidth(1, 80);
    grid2->setColumnWidth(2, 80);
    grid2->setColumnWidth(3, 90);
    grid2->setMinimumWidth(330);
    mes = cria<CampoSelecionado>(this, "mes");
    mes->setInputMask(QStringLiteral("00/00; "));
    valor = leitura(this, "valor");
    des = cria<CampoDinheiro>(this, "des", kZero);
    adi = cria<CampoDinheiro>(this, "adi", kZero);
    Command2 = criaBotao(this, "Command2", QStringLiteral("Efetuar Pagamento"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("Fechar"));

    auto* g = new QGridLayout(this);
    auto rotulo = [this](const char* t) { return new QLabel(QString::fromUtf8(t), this); };
    g->addWidget(rotulo("Mensalista:"), 0, 0);
    g->addWidget(men, 0, 1, 1, 2);
    g->addWidget(Command1, 0, 3);
    g->addWidget(rotulo("Tipo Mensalista:"), 1, 0);
    g->addWidget(tip, 1, 1);
    g->addWidget(rotulo("Dia Vencto.:"), 1, 2);
    g->addWidget(dia, 1, 3);
    g->addWidget(rotulo("Filial:"), 2, 0);
    g->addWidget(fil, 2, 1, 1, 3);
    g->addWidget(rotulo("Mensalidades:"), 3, 0);
    g->addWidget(grid2, 4, 0, 1, 4);
    g->addWidget(rotulo("Mês a Pagar:"), 5, 0);
    g->addWidget(mes, 5, 1);
    g->addWidget(rotulo("Valor:"), 5, 2);
    g->addWidget(valor, 5, 3);
    g->addWidget(rotulo("Desconto (R$):"), 6, 0);
    g->addWidget(des, 6, 1);
    g->addWidget(rotulo("Adicional (R$):"), 6, 2);
    g->addWidget(adi, 6, 3);
    g->addWidget(Command2, 7, 1);
    g->addWidget(Command3, 7, 3);

    connect(men, &QComboBox::currentIndexChanged, this, [this] { men_Click(); });
    connect(Command1, &QPushButton::clicked, this,
            [this] { le(QStringLiteral("os dados do mensalista"), [this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid2, &QTableWidget::cellClicked, this, [this](int r, int) {
        le(QStringLiteral("o valor da mensalidade"), [this, r] { grid2_Click(r + 1); });
    });
    for (QWidget* w : {static_cast<QWidget*>(men), static_cast<QWidget*>(mes),
                       static_cast<QWidget*>(des), static_cast<QWidget*>(adi)})
        w->installEventFilter(this);

    le(QStringLiteral("a lista de mensalistas"), [this] {
        const QSignalBlocker b(men);
        men->addItem(QStringLiteral(" "));
        cod->addItem(QStringLiteral(" "));
        cod_fil_men->addItem(QString());
        QSqlQuery q = ctx_.estado.db.executa(QStringLiteral(
            "SELECT codigo, nome, filial FROM mensalistas WHERE excluido = 0 ORDER BY nome"));
        while (q.next()) {
            cod->addItem(q.value(0).toString());
            men->addItem(q.value(1).toString());
            cod_fil_men->addItem(q.value(2).toString());
        }
    });
    men->setCurrentIndex(0);
    men_Click();
    mes->setText(kMesVazio);
}

bool JanelaPagamento::executa(const QString& acao, const std::function<void()>& trabalho) {
    return gravaNoBanco(ctx_.plataforma, acao, trabalho);
}

bool JanelaPagamento::le(const QString& oQue, const std::function<void()>& trabalho) {
    return leDoBanco(ctx_.plataforma, oQue, trabalho);
}

bool JanelaPagamento::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(evento)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (alvo == men) Command1->setFocus();
            else if (alvo == mes) Command2->setFocus();
            else return QDialog::eventFilter(alvo, evento);
            return true;
        }
    } else if (evento->type() == QEvent::FocusOut) {
        le(QStringLiteral("o valor da mensalidade"), [&] {
            if (alvo == mes) mes_LostFocus();
            if (alvo == des) des_LostFocus();
            if (alvo == adi) adi_LostFocus();
        });
    }
    return QDialog::eventFilter(alvo, evento);
}

ChaveMensalista JanelaPagamento::escolhido() const {
    return {cod->currentText().toLongLong(),
            ChaveMensalista::filialDoTexto(cod_fil_men->currentText())};
}

void JanelaPagamento::men_Click() {
    cod->setCurrentIndex(men->currentIndex());
    cod_fil_men->setCurrentIndex(men->currentIndex());
    // Another name chosen: what the window shows belongs to the previous subscriber, so no
    // amount stands until "OK" loads the new one.
    if (carregado_ && *carregado_ != escolhido()) {
        carregado_.reset();
        valor->clear();
    }
}

void JanelaPagamento::Command1_Click() {
    if (cod->currentText() == QLatin1String(" ")) {
        ctx_.plataforma.mensagem(QStringLiteral("Escolha o mensalista."));
        men->setFocus();
        return;
    }
    const ChaveMensalista chave = escolhido();
    const CargaPagamento c = carrega_mensalista_pagamento(ctx_.estado.db, chave);
    if (!c.mensalista) {
        ctx_.plataforma.mensagem(c.recusa);
        return;
    }
    const MensalistaPagamento& m = *c.mensalista;
    tip->setText(m.tipo);
    dia->setText(m.dia);
    valor_mensalista = m.valor;
    valorMes_ = m.valor;
    valor->setText(m.valor.formata());
    cod_fil->setText(m.filial.toString());
    // A branch that is not registered shows no name, not the previous subscriber's.
    fil->setText(m.nomeFilial);
    des->setText(kZero);
    adi->setText(kZero);
    carregado_ = chave;
    carrega_historico(chave);
    mes->setFocus();
}

void JanelaPagamento::carrega_historico(const ChaveMensalista& m) {
    grid2->setRowCount(1);
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem;
        item->setBackground(Qt::white);
        item->setForeground(Qt::black);
        grid2->setItem(0, c, item);
    }
    const CondicaoMensalista meses = dasLinhas(ctx_.estado.db, m, QStringLiteral("mensalidades"));
    QSqlQuery q = ctx_.estado.db.executa(
        QStringLiteral("SELECT mes, pago, data_pgto, hora_pgto, valor FROM mensalidades WHERE %1 "
                       "ORDER BY mes DESC")
            .arg(meses.sql),
        meses.valores);
    int linha = 0;
    while (q.next()) {
        if (linha > 0) grid2->setRowCount(linha + 1);
        const auto v = Dinheiro::doBanco(q.value(4));
        const QString celulas[] = {dataDoBanco(q.value(0)).toString(QStringLiteral("MM/yy")),
                                   dataDoBanco(q.value(2)).toString(QStringLiteral("dd/MM/yy")),
                                   horaDoBanco(q.value(3)).toString(QStringLiteral("HH:mm:ss")),
                                   v ? v->formata() : QString()};
        const bool aberto = !q.value(1).toBool();
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(celulas[c]);
            item->setBackground(aberto ? QColor(255, 0, 0) : QColor(Qt::white));
            item->setForeground(aberto ? QColor(Qt::white) : QColor(Qt::black));
            grid2->setItem(linha, c, item);
        }
        ++linha;
    }
}

void JanelaPagamento::calcula_mensalidade() {
    if (!carregado_) return;
    const auto primeiro = mesDoTexto(mes->displayText());
    if (!primeiro) return;
    valorMes_ = ::calcula_mensalidade(ctx_.estado.db, *carregado_, *primeiro, valor_mensalista);
    aplicaDescontoAdicional();
}

void JanelaPagamento::mes_LostFocus() {
    if (mes->displayText().trimmed().size() == 5 && mesDoTexto(mes->displayText()))
        calcula_mensalidade();
}

void JanelaPagamento::grid2_Click(int linha) {
    const QTableWidgetItem* item = grid2->item(linha - 1, 0);
    if (linha < 1 || !item || item->text().isEmpty()) return;
    mes->setText(item->text());
    des->setText(kZero);
    adi->setText(kZero);
    calcula_mensalidade();
}

// The discount and the additional apply to the month's amount as computed. What the window
// shows is what the payment would store; a discount that no longer fits (the month or the
// additional changed after it) leaves no amount to show, never one below zero: the payment
// refuses that discount with its message.
void JanelaPagamento::aplicaDescontoAdicional() {
    if (!carregado_) return;
    const Dinheiro d = Dinheiro::ler(des->text()).value_or(Dinheiro{});
    const Dinheiro a = Dinheiro::ler(adi->text()).value_or(Dinheiro{});
    const Dinheiro aPagar = valorMes_ - d + a;
    valor->setText(aPagar < Dinheiro{} ? QString() : aPagar.formata());
}

void JanelaPagamento::des_LostFocus() {
    des->setText(textoDinheiroAoSair(des->text(), kZero));
    const Dinheiro a = Dinheiro::ler(adi->text()).value_or(Dinheiro{});
    // A discount larger than what is owed is dropped.
    if (carregado_ && Dinheiro::ler(des->text()).value_or(Dinheiro{}) > valorMes_ + a)
        des->setText(kZero);
    aplicaDescontoAdicional();
}

void JanelaPagamento::adi_LostFocus() {
    adi->setText(textoDinheiroAoSair(adi->text(), kZero));
    aplicaDescontoAdicional();
}

void JanelaPagamento::Command2_Click() {
    Plataforma& p = ctx_.plataforma;
    if (cod->currentText() == QLatin1String(" ")) {
        p.mensagem(QStringLiteral("Escolha o mensalista."));
        men->setFocus();
        return;
    }
    if (!carregado_) {
        p.mensagem(QStringLiteral("Clique em OK para carregar os dados do mensalista escolhido."));
        Command1->setFocus();
        return;
    }
    const auto primeiro = mesDoTexto(mes->displayText());
    if (!primeiro) {
        p.mensagem(QStringLiteral("Mês/ano inválido."));
        mes->setFocus();
        return;
    }
    // The month's amount and the discount checked now, at the moment of payment: whatever was
    // typed or changed in between, what is stored is what the month costs, never below zero.
    // Netting the discount against the additional below leaves the amount as it is.
    ValorAPagar aPagar;
    if (!le(QStringLiteral("o valor da mensalidade"), [&] {
            valorMes_ = ::calcula_mensalidade(ctx_.estado.db, *carregado_, *primeiro, valor_mensalista);
            aPagar = valor_a_pagar(valorMes_, des->text(), adi->text());
        }))
        return;
    aplicaDescontoAdicional();
    if (!aPagar.valor) {
        p.mensagem(aPagar.recusa);
        QLineEdit* campo = aPagar.foco == FocoPagamento::adi ? adi : des;
        campo->setFocus();
        campo->selectAll();   // what is typed next replaces the amount refused
        return;
    }
    if (adi->text() != kZero && des->text() != kZero) {
        if (!p.pergunta(QStringLiteral("Valores do adicional e desconto são maiores que ZERO. Eles "
                                       "serão ajustados automaticamente. Clique em SIM para o ajuste "
                                       "ou NÃO para cancelar o pagamento.")))
            return;
        const DescontoAdicional c = compensa_desconto_adicional(des->text(), adi->text());
        des->setText(c.des);
        adi->setText(c.adi);
        aPagar = valor_a_pagar(valorMes_, des->text(), adi->text());
    }

    PedidoPagamento pedido;
    pedido.codigo = carregado_->codigo;
    pedido.mes = *primeiro;
    pedido.valor = *aPagar.valor;
    pedido.desconto = aPagar.desconto;
    pedido.adicional = aPagar.adicional;
    pedido.filial = ChaveMensalista::filialDoTexto(cod_fil->text());
    pedido.caixa = ctx_.estado.numero_caixa;
    pedido.data = ctx_.estado.data_atual;
    pedido.hora = ctx_.estado.hora_atual;
    ResultadoPagamento r;
    if (!executa(QStringLiteral("registrar o pagamento da mensalidade"),
                 [&] { r = efetua_pagamento(ctx_.estado.db, pedido); }))
        return;
    if (!r.pago) {
        p.mensagem(r.mensagem);
        if (r.foco == FocoPagamento::mes) mes->setFocus();
        if (r.foco == FocoPagamento::des) des->setFocus();
        if (r.foco == FocoPagamento::adi) adi->setFocus();
        return;
    }
    // The payment is stored: what follows only reads.
    const ChaveMensalista pagou = *carregado_;
    le(QStringLiteral("os pagamentos do mensalista"), [&] { carrega_historico(pagou); });
    p.mensagem(r.mensagem);
    le(QStringLiteral("o pagamento para imprimir o comprovante"),
       [&] { imprimeComprovante(pagou, pedido.mes); });
    mes->setText(kMesVazio);
    mes->setFocus();
}

void JanelaPagamento::imprimeComprovante(const ChaveMensalista& m, const QDate& mes) {
    const Estado& e = ctx_.estado;
    if (!ha_impressora(e)) return;
    // A printer counts as installed when a device stands behind the configured port.
    if (!ctx_.plataforma.impressora().presente(e.impressora.trimmed())) {
        ctx_.plataforma.mensagem(QStringLiteral("Não há impressora instalada."), Icone::Exclamacao);
        return;
    }
    Comprovante c;
    if (!le_comprovante(ctx_.estado.db, m, mes, c)) {
        ctx_.plataforma.mensagem(QStringLiteral("Registro não encontrado."));
        return;
    }
    c.linha1 = e.linha1;
    c.linha2 = e.linha2;
    c.linha3 = e.linha3;
    c.linha4 = e.linha4;
    c.cnpj = e.cnpj;
    c.data = e.data_atual;
    c.hora = e.hora_atual;
    c.des = des->text();
    c.adi = adi->text();
    imprime_bobina(ctx_, Impresso::ComprovanteMensalidade,
                   comprovante_pgto_mensalidade(c, e.bobina, e.avanco_bobina));
}
