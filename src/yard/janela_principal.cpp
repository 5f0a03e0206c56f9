#include "yard/janela_principal.h"

#include "app/imprime_bobina.h"
#include "data/datas.h"
#include "widgets/campo_dinheiro.h"
#include "widgets/campo_entrada.h"
#include "widgets/controles.h"
#include "widgets/cria.h"
#include "widgets/ordem_teclado.h"
#include "widgets/trabalho_banco.h"
#include "yard/entrada.h"
#include "yard/modelo_patio.h"
#include "yard/cancelas.h"
#include "yard/proximo_ticket.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kAtenderTecla = QStringLiteral("atender à tecla");
const QString kBuscarVeiculo = QStringLiteral("buscar o veículo no pátio");

// Puts `w` first in the tab order of its window: the window gives the focus to the first
// control of the chain when it shows, and Tab goes on from there in the old order.
void primeiroNaTabulacao(QWidget* w) {
    QWidget* janela = w->window();
    QList<QWidget*> ordem{w};
    for (QWidget* x = janela->nextInFocusChain(); x != janela; x = x->nextInFocusChain())
        if (x != w && x->window() == janela && (x->focusPolicy() & Qt::TabFocus)) ordem << x;
    for (qsizetype i = 1; i < ordem.size(); ++i) QWidget::setTabOrder(ordem[i - 1], ordem[i]);
}

// A field the lanes fill and the operator only reads: no tab stop, and a click does not take
// the focus from where the keys work.
QLineEdit* campoLeitura(QWidget* pai, const char* nome) {
    auto* c = cria<QLineEdit>(pai, nome);
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::NoFocus);
    return c;
}

}  // namespace

JanelaPrincipal::JanelaPrincipal(Contexto& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("a"));
    setWindowTitle(QStringLiteral("Quelmar - Sistema de Gerenciamento de Estacionamentos"));
    montaControles();
    ligaEventos();
}

JanelaPrincipal::~JanelaPrincipal() = default;

void JanelaPrincipal::montaControles() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* principal = new QHBoxLayout(central);

    // Lane panel.
    Frame1 = cria<QGroupBox>(central, "Frame1");
    auto* g1 = new QGridLayout(Frame1);
    // The lane fields select all they hold when they get the focus: what is typed replaces it.
    tic = cria<CampoMascara>(Frame1, "tic", QStringLiteral("##########"), true);
    pla = cria<CampoMascara>(Frame1, "pla", QStringLiteral(">aaa-aaaa"), true);
    pri = cria<CampoMascara>(Frame1, "pri", QStringLiteral("###"), true);
    vei = cria<QLineEdit>(Frame1, "vei");
    vei->setMaxLength(20);
    Label12 = cria<QLabel>(Frame1, "Label12", QStringLiteral("Prisma:"));
    LabelVeiculo = cria<QLabel>(Frame1, "LabelVeiculo", QStringLiteral("Veículo:"));
    dat_ent = campoLeitura(Frame1, "dat_ent");
    hor_ent = campoLeitura(Frame1, "hor_ent");
    dat_sai = campoLeitura(Frame1, "dat_sai");
    hor_sai = campoLeitura(Frame1, "hor_sai");
    Option1 = cria<QRadioButton>(Frame1, "Option1", QStringLiteral("(F2) Entrada"));
    Option2 = cria<QRadioButton>(Frame1, "Option2", QStringLiteral("(F4) Saída"));
    Label17 = cria<QLabel>(Frame1, "Label17", QStringLiteral("( ESC) = Limpa campos"));
    Command5 = criaBotao(Frame1, "Command5", QStringLiteral("Registrar Entrada"));
    Command6 = criaBotao(Frame1, "Command6", QStringLiteral("Registrar e Imprimir"));
    int l = 0;
    g1->addWidget(Option1, l, 0);
    g1->addWidget(Option2, l, 1);
    g1->addWidget(Label17, l++, 2, 1, 2);
    g1->addWidget(new QLabel(QStringLiteral("Ticket nº:"), Frame1), l, 0);
    g1->addWidget(tic, l++, 1);
    g1->addWidget(new QLabel(QStringLiteral("Placa:"), Frame1), l, 0);
    g1->addWidget(pla, l++, 1);
    g1->addWidget(Label12, l, 0);
    g1->addWidget(pri, l++, 1);
    g1->addWidget(LabelVeiculo, l, 0);
    g1->addWidget(vei, l++, 1);
    g1->addWidget(new QLabel(QStringLiteral("Data Ent.:"), Frame1), l, 0);
    g1->addWidget(dat_ent, l, 1);
    g1->addWidget(new QLabel(QStringLiteral("Hora Ent.:"), Frame1), l, 2);
    g1->addWidget(hor_ent, l++, 3);
    g1->addWidget(new QLabel(QStringLiteral("Data Saída:"), Frame1), l, 0);
    g1->addWidget(dat_sai, l, 1);
    g1->addWidget(new QLabel(QStringLiteral("Hora Saída:"), Frame1), l, 2);
    g1->addWidget(hor_sai, l++, 3);
    g1->addWidget(Command5, l, 0, 1, 2);
    g1->addWidget(Command6, l++, 2, 1, 2);

    // Payment panel, inside the lane panel.
    Frame2 = cria<QGroupBox>(Frame1, "Frame2", QStringLiteral("Saída de Veículo "));
    auto* g2 = new QGridLayout(Frame2);
    Option3 = cria<QRadioButton>(Frame2, "Option3", QStringLiteral("Rotativo"));
    Option4 = cria<QRadioButton>(Frame2, "Option4", QStringLiteral("Turno"));
    Option5 = cria<QRadioButton>(Frame2, "Option5", QStringLiteral("Convênio"));
    Option6 = cria<QRadioButton>(Frame2, "Option6", QStringLiteral("Mensalista"));
    Option7 = cria<QRadioButton>(Frame2, "Option7", QStringLiteral("Diarista"));
    tur = cria<QComboBox>(Frame2, "tur");
    conv = cria<QComboBox>(Frame2, "conv");
    cod_con = cria<QComboBox>(Frame2, "cod_con");
    tot = campoLeitura(Frame2, "tot");
    val_pag = cria<CampoDinheiro>(Frame2, "val_pag", QString());
    tro = campoLeitura(Frame2, "tro");
    Check1 = cria<QCheckBox>(Frame2, "Check1", QStringLiteral("Imprimir apenas autenticação"));
    Command3 = criaBotao(Frame2, "Command3", QStringLiteral("Registrar  Saída"));
    Command7 = criaBotao(Frame2, "Command7", QStringLiteral("Registrar e Imprimir"));
    tur->setEnabled(false);
    conv->setEnabled(false);
    cod_con->setVisible(false);
    g2->addWidget(Option3, 0, 0);
    g2->addWidget(Option4, 1, 0);
    g2->addWidget(tur, 1, 1);
    g2->addWidget(Option5, 2, 0);
    g2->addWidget(conv, 2, 1);
    g2->addWidget(cod_con, 2, 2);
    g2->addWidget(Option6, 3, 0);
    g2->addWidget(Option7, 4, 0);
    g2->addWidget(new QLabel(QStringLiteral("Total:"), Frame2), 0, 2);
    g2->addWidget(tot, 0, 3);
    g2->addWidget(new QLabel(QStringLiteral("Val. Pago:"), Frame2), 1, 2);
    g2->addWidget(val_pag, 1, 3);
    g2->addWidget(new QLabel(QStringLiteral("Troco:"), Frame2), 3, 2);
    g2->addWidget(tro, 3, 3);
    g2->addWidget(Check1, 5, 0, 1, 2);
    g2->addWidget(Command3, 6, 0, 1, 2);
    g2->addWidget(Command7, 6, 2, 1, 2);
    Frame2->setEnabled(false);
    g1->addWidget(Frame2, l, 0, 1, 4);
    // The lane fields hold plates, numbers, dates and amounts, which need no text shaping: each
    // vehicle found rewrites several of them, and they are laid out again at every write.
    // The ticket, the dates and the times hold only digits, "/", ":" and blanks, which every
    // font has: they are laid out in the field's own font without looking through the others.
    for (QLineEdit* c : {tic, pla, pri, vei, dat_ent, hor_ent, dat_sai, hor_sai, tot, val_pag, tro}) {
        const bool algarismos = c == tic || c == dat_ent || c == hor_ent || c == dat_sai || c == hor_sai;
        QFont f = c->font();
        f.setStyleStrategy(algarismos ? QFont::StyleStrategy(QFont::PreferNoShaping | QFont::NoFontMerging)
                                      : QFont::PreferNoShaping);
        c->setFont(f);
    }
    for (QLineEdit* c : {tot, val_pag, tro}) c->setMinimumWidth(larguraDeValor(c));

    // Yard list.
    Frame3 = cria<QGroupBox>(central, "Frame3", QStringLiteral("Lista de Pátio "));
    auto* g3 = new QGridLayout(Frame3);
    grid1 = cria<GradePatio>(Frame3, "grid1");
    grid1->verticalHeader()->setVisible(false);
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label16 = cria<QLabel>(Frame3, "Label16", QStringLiteral("Pr. = Prisma"));
    tot_men = cria<QLabel>(Frame3, "tot_men");
    tot_avu = cria<QLabel>(Frame3, "tot_avu");
    total = cria<QLabel>(Frame3, "total");
    g3->addWidget(grid1, 0, 0, 1, 2);
    g3->addWidget(Label16, 1, 0, 1, 2);
    g3->addWidget(new QLabel(QStringLiteral("Mensalistas:"), Frame3), 2, 0);
    g3->addWidget(tot_men, 2, 1);
    g3->addWidget(new QLabel(QStringLiteral("Avulsos:"), Frame3), 3, 0);
    g3->addWidget(tot_avu, 3, 1);
    g3->addWidget(new QLabel(QStringLiteral("Total:"), Frame3), 4, 0);
    g3->addWidget(total, 4, 1);
    // 340, 840, 780 and 750 twips at 15 twips a pixel; widened where this system's font needs
    // more when the list is shown.
    const int larguras[] = {23, 56, 52, 50};
    for (int i = 0; i < 4; ++i) grid1->setColumnWidth(i, larguras[i]);

    // Cash-register and gate buttons.
    auto* botoesCaixa = new QVBoxLayout;
    Command1 = criaBotao(central, "Command1", QStringLiteral("Abert. de Caixa"));
    Command2 = criaBotao(central, "Command2", QStringLiteral("Fecham. de Caixa"));
    Command4 = criaBotao(central, "Command4", QStringLiteral("Cancelar Ticket (F5)"));
    Command8 = criaBotao(central, "Command8", QStringLiteral("Pgto. de Mensalista"));
    Command9 = criaBotao(central, "Command9", QStringLiteral("Valor em Caixa"));
    Command10 = criaBotao(central, "Command10", QStringLiteral("Ativar Cancela"));
    Command11 = criaBotao(central, "Command11", QStringLiteral("Ativar Cancela"));
    Command10->setEnabled(false);
    Command11->setEnabled(false);
    mensagem = cria<QLabel>(central, "mensagem");
    mensagem->setStyleSheet(QStringLiteral("color: red"));
    mensagem->setWordWrap(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Command1, Command2, Command4, Command8,
                                                      Command9, Command10, Command11, mensagem})
        botoesCaixa->addWidget(w);
    botoesCaixa->addStretch();

    principal->addWidget(Frame1, 3);
    principal->addWidget(Frame3, 2);
    principal->addLayout(botoesCaixa, 1);

    // Toolbar.
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Toolbar1);
    const char* rotulos[8][2] = {
        {"Usuários", "Cadastro de Usuários"},
        {"Mensalistas", "Cadastro de Mensalistas"},
        {"Configurações", "Configurações de Rotativo, Turnos, Convênios, etc."},
        {"Lista de Pátio", "Lista dos Veículos Estacionados"},
        {"Relatórios", "Impressão de Relatórios"},
        {"Filiais", "Cadastro e Controle Manual das Filiais"},
        {"Backup", "Cópia de Segurança"},
        {"Sair", "Sair do Quelmar"},
    };
    for (int i = 0; i < 8; ++i) {
        botoes[i] = Toolbar1->addAction(QString::fromUtf8(rotulos[i][0]));
        botoes[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        botoes[i]->setToolTip(QString::fromUtf8(rotulos[i][1]));
    }

    // Status bar.
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
    for (int i = 0; i < 3; ++i) {
        paineis[i] = new QLabel(StatusBar1);
        paineis[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        StatusBar1->addWidget(paineis[i], 1);
    }

    // Timers: the program clock and its audit.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(985);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(30000);

    // Tab order: the lane fields first, then the modes, the payment panel, the yard list and
    // the buttons outside the frames. The read-only fields are no stops.
    const QList<QWidget*> ordem{tic,     pla,      pri,      vei,      Option1,  Option2,
                                Command5, Command6, Option3,  Option4,  tur,      Option5,
                                conv,    Option6,  Option7,  val_pag,  Check1,   Command3,
                                Command7, grid1,    Command1, Command2, Command4, Command8,
                                Command9, Command10, Command11};
    fixaOrdemDeTabulacao(this, ordem);
}

void JanelaPrincipal::executa(const QString& acao, const std::function<void()>& f) {
    gravaNoBanco(ctx_.plataforma, acao, f);
}

void JanelaPrincipal::ligaEventos() {
    // The hooks are set after the window is built, so each button reads its hook when clicked.
    auto abre = [this](const std::function<void()>& gancho) {
        return [this, f = &gancho] {
            if (!*f) return;
            // No hourglass over the window while it is open: it shows its own while it works.
            try {
                (*f)();
            } catch (const ErroBanco& e) {
                ctx_.plataforma.mensagem(e.mensagemLeitura(QStringLiteral("os dados da janela")),
                                         Icone::Critico);
            }
        };
    };
    for (int i = 0; i < 7; ++i)
        connect(botoes[i], &QAction::triggered, this, abre(abreJanelaBarra[i]));
    connect(botoes[7], &QAction::triggered, this, [this] { sai_do_programa(ctx_); });
    connect(Command1, &QPushButton::clicked, this, abre(abreAberturaCaixa));
    connect(Command2, &QPushButton::clicked, this, abre(abreFechamentoCaixa));
    connect(Command4, &QPushButton::clicked, this, abre(abreCancelamento));
    connect(Command8, &QPushButton::clicked, this, abre(abrePagamentoMensalista));
    connect(Command9, &QPushButton::clicked, this, abre(abreValorCaixa));
    connect(Command10, &QPushButton::clicked, this, abre(abreListaEntrada));
    connect(Command11, &QPushButton::clicked, this, abre(abreListaSaida));

    connect(Command5, &QPushButton::clicked, this, [this] { registra(true, false); });
    connect(Command6, &QPushButton::clicked, this, [this] { registra(true, true); });
    connect(Command3, &QPushButton::clicked, this, [this] { registra(false, false); });
    connect(Command7, &QPushButton::clicked, this, [this] { registra(false, true); });

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) executa(QStringLiteral("passar para a entrada de veículos"), [this] { modoEntrada(); });
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) executa(QStringLiteral("passar para a saída de veículos"), [this] { modoSaida(); });
    });

    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { passoDoRelogio(); });

    connect(grid1, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        executa(QStringLiteral("buscar o veículo escolhido na lista"),
                [=, this] { grid1_Click(i.row()); });
    });
    ligaPainelPagamento();

    for (QWidget* w : std::initializer_list<QWidget*>{
             tic, pla, pri, vei, val_pag, tur, conv, grid1, Option1, Option2, Option3, Option4,
             Option5, Option6, Option7, Command1, Command2, Command3, Command4, Command5,
             Command6, Command7, Command8, Command9, Command10, Command11, Check1})
        w->installEventFilter(this);
}

CamposEntrada JanelaPrincipal::camposEntrada() const {
    return {pla->displayText(), pri->displayText(), vei->text(), !pri->isHidden(), !vei->isHidden()};
}

CamposSaida JanelaPrincipal::camposSaida() const {
    CamposSaida c;
    c.tic = tic->displayText();
    c.pla = pla->displayText();
    c.dat_ent = dat_ent->text();
    c.hor_ent = hor_ent->text();
    c.dat_sai = dat_sai->text();
    c.hor_sai = hor_sai->text();
    c.val_pag = val_pag->text();
    c.modalidade = modalidadeEscolhida();
    c.tur = tur->currentText();
    c.cod_con = cod_con->currentText();
    c.calculo = calculo_;
    c.pri = pri->displayText();
    c.vei = vei->text();
    c.priVisivel = !pri->isHidden();
    c.veiVisivel = !vei->isHidden();
    c.soAutenticacao = Check1->isChecked();
    return c;
}

void JanelaPrincipal::registra(bool entrada, bool imprime) {
    executa(QStringLiteral("preparar a pista para o próximo veículo"), [=, this] {
        if (entrada && registraEntrada) mostraRegistro(registraEntrada(camposEntrada(), imprime), true);
        if (!entrada && registraSaida) mostraRegistro(registraSaida(camposSaida(), imprime), false);
    });
}

void JanelaPrincipal::mostraRegistro(const ResultadoPista& r, bool entrada) {
    if (!r.registrado) {
        // No message after the operator's No.
        if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
        if (r.calculaDeNovo) {
            // The fee shown is not what the tariffs in force charge: it is computed again.
            mostraTotal(QString());
            esqueceCalculo();
            calculaNoValorPago();
            return;
        }
        const std::pair<CampoPista, QWidget*> campos[] = {
            {CampoPista::tic, tic}, {CampoPista::pla, pla}, {CampoPista::pri, pri},
            {CampoPista::vei, vei}, {CampoPista::tur, tur}, {CampoPista::val_pag, val_pag}};
        for (const auto& [campo, controle] : campos)
            if (campo == r.foco) controle->setFocus();
        return;
    }
    if (r.enfileirado) (entrada ? Command10 : Command11)->setEnabled(true);
    // The vehicle is registered: a list that cannot be refreshed must not read as a failed
    // registration.
    if (!Frame3->isHidden()) {
        try {
            if (entrada) entrouNoPatio(r.linhaPatio);
            else saiuDoPatio(r.linhaPatio);
        } catch (const ErroBanco& e) {
            ctx_.plataforma.mensagem(
                QStringLiteral("O veículo foi registrado, mas não foi possível atualizar a lista de "
                               "pátio.\n%1").arg(e.mensagem()),
                Icone::Exclamacao);
        }
    }
    if (r.autenticacaoImpressa) Check1->setChecked(false);
    // After a fiscal coupon the exit panel keeps the vehicle just registered.
    if (r.cupomFiscal) return;
    pla->setText(kPlacaVazia);
    pri->setText(kPrismaVazio);
    if (entrada) {
        vei->clear();
        marcaOpcao(Option1, false);
        marcaOpcao(Option1, true);
        pla->setFocus();
    } else {
        tic->setText(kTicketVazio);
        marcaOpcao(Option2, false);
        marcaOpcao(Option2, true);
        tic->setFocus();
    }
}

void JanelaPrincipal::showEvent(QShowEvent* evento) {
    // The clock starts with the window: while the start-up window waits for the login it must
    // not rewrite `data_hora`, which the login's clock check compares with the computer clock.
    // The clock is shown from the first moment, not only from its first tick.
    if (!Timer1->isActive()) {
        paineis[2]->setText(QStringLiteral("Hora: ") + horaHms(ctx_.estado.hora_atual));
        Timer1->start();
    }
    if (!Timer2->isActive()) Timer2->start();
    QMainWindow::showEvent(evento);
}

void JanelaPrincipal::closeEvent(QCloseEvent* evento) {
    evento->ignore();
    sai_do_programa(ctx_);
}

void JanelaPrincipal::keyPressEvent(QKeyEvent* evento) {
    // Keys reach the window itself when no control has the focus, as right after the login.
    // A key handed up by a control of the window is no shortcut: the controls that take the
    // shortcuts do so in eventFilter, and "Abert. de Caixa", the check box and the read-only
    // fields do not take them.
    const QWidget* comFoco = QApplication::focusWidget();
    const bool deUmControle = comFoco && comFoco != this && isAncestorOf(comFoco);
    const int k = evento->key();
    if (!deUmControle &&
        (k == Qt::Key_F2 || k == Qt::Key_F4 || k == Qt::Key_F5 || k == Qt::Key_Escape)) {
        executa(kAtenderTecla, [=, this] { trata_tecla(k); });
        return;
    }
    QMainWindow::keyPressEvent(evento);
}

void JanelaPrincipal::modoEntrada() {
    // The focus moves below: the field it leaves was emptied here, and no lookup of it may
    // take the focus elsewhere.
    const QScopedValueRollback trocando(trocandoModo_, true);
    calculo_.reset();
    tic->setEnabled(false);
    Frame2->setEnabled(false);
    Command5->setEnabled(true);
    Command6->setEnabled(ctx_.estado.imprimeEntrada());
    pla->setText(kPlacaVazia);
    pri->setText(kPrismaVazio);
    for (QLineEdit* c : {dat_ent, hor_ent, dat_sai, hor_sai, tot, val_pag, tro}) c->clear();
    esqueceCalculo();
    mostraProximoTicket();
    pla->setFocus();
    pla->selectAll();  // it may have had the focus already: typing must replace the blanks
}

void JanelaPrincipal::mostraProximoTicket() {
    // The number shown is a preview; the entry takes its own from the counter. Past the last
    // number nothing is shown, and the notice says why.
    const qint64 ultimo = ultimo_ticket(ctx_.estado.db);
    const ProximoTicket proximo = proximo_ticket(ultimo);
    tic->setText(proximo.numero ? QString::number(*proximo.numero).leftJustified(10, u' ') : kTicketVazio);
    avisoFimTickets_.atualiza(ctx_.plataforma, ultimo, proximo);
}

void JanelaPrincipal::mostraImpressoras() {
    Command6->setEnabled(ctx_.estado.imprimeEntrada());
    Command7->setEnabled(ctx_.estado.imprimeSaida());
}

void JanelaPrincipal::aplicaAcesso(const AcessoTela& a) {
    paineis[0]->setText(QStringLiteral("Usuário: ") + a.usuario);
    paineis[1]->setText(QStringLiteral("Data: ") + dataBr(a.data));
    // The program clock is set only when the start-up window closes.
    paineis[2]->setText(QStringLiteral("Hora: ") + horaHms(a.hora));
    for (int i = 0; i < 7; ++i) botoes[i]->setEnabled(a.janelas[i]);
    podeAbrirCaixa_ = a.pista || a.semUsuarios;
    if (!podeAbrirCaixa_) {
        // Without the right to the main screen nothing of the lane or the register is offered:
        // no register is opened, no car or payment registered.
        Frame1->setEnabled(false);
        for (QPushButton* b : {Command1, Command2, Command3, Command4, Command5, Command6, Command7,
                               Command8, Command9})
            b->setEnabled(false);
    } else {
        mostraCaixa();
    }
    if (a.semUsuarios) {
        Frame3->setEnabled(false);
        grid1->setEnabled(false);
    }
    if (a.pista) {
        if (a.caixaDeOutro) {
            mensagem->setText(QStringLiteral(
                "Último caixa aberto é de outro usuário. Feche o caixa e abra o seu."));
            Frame2->setEnabled(false);
        } else if (!ctx_.estado.caixaAberto()) {
            primeiroNaTabulacao(Command1);
            Command1->setFocus();
        }
        trocaTurnos(a.turnos);
        trocaConvenios(a.convenios);
    }

    pri->setVisible(a.prisma);
    Label12->setVisible(a.prisma);
    vei->setVisible(a.veiculo);
    LabelVeiculo->setVisible(a.veiculo);
    mostrarLista_ = a.mostrarLista;
    caixaDeOutro_ = a.caixaDeOutro;
    mostraListaPatio();
    if (a.filaEntrada) Command10->setEnabled(true);
    if (a.filaSaida) Command11->setEnabled(true);
    for (int i = 0; i < 5; ++i)
        if (!a.modalidades[i]) ofereceModalidade(Modalidade(i), false);
}

void JanelaPrincipal::abre() {
    // The cashier types the first car right away: shown, the window takes the keyboard, not
    // wherever the start-up window leaves it (the keyboard's guide).
    show();
}

void JanelaPrincipal::trocaTurnos(const QStringList& turnos) {
    tur->clear();
    tur->addItems(turnos);
    tur->setCurrentIndex(-1);
    if (!turnos.isEmpty()) return;
    // The list goes with its option: with "Turno" off, no shift can be chosen.
    tur->setEnabled(false);
    ofereceModalidade(Modalidade::Turno, false);
}

void JanelaPrincipal::trocaConvenios(const ListaConvenios& convenios) {
    // The hidden code list follows the partner shown, index for index.
    conv->clear();
    cod_con->clear();
    conv->addItems(convenios.nomes);
    cod_con->addItems(convenios.codigos);
    conv->setCurrentIndex(-1);
    cod_con->setCurrentIndex(-1);
}

void JanelaPrincipal::ofereceModalidade(Modalidade modalidade, bool oferecida) {
    QRadioButton* const opcoes[] = {Option3, Option4, Option5, Option6, Option7};
    QRadioButton* o = opcoes[int(modalidade)];
    o->setEnabled(oferecida);
    if (!oferecida) marcaOpcao(o, false);
}

void JanelaPrincipal::aplicaGeral(const EfeitosGeral& e) {
    mostrarLista_ = e.mostrar_lista;
    mostraListaPatio();
    if (!e.habilitar_prisma) pri->setText(kPrismaVazio);
    pri->setVisible(e.habilitar_prisma);
    Label12->setVisible(e.habilitar_prisma);
    vei->setVisible(e.habilitar_veiculo);
    LabelVeiculo->setVisible(e.habilitar_veiculo);
    // Each lane's "Registrar e Imprimir" follows the printers only in its own mode: the entry's
    // button stays off at the exit and the exit's at the entry, as the mode left them.
    Command6->setEnabled(e.imprime_entrada && Option1->isChecked());
    Command7->setEnabled(e.imprime_saida && Option2->isChecked());
    Command10->setEnabled(e.lista_entrada);
    Command11->setEnabled(e.lista_saida);
}

void JanelaPrincipal::filaCancelaVazia(Lado lado) {
    (lado == Lado::Entrada ? Command10 : Command11)->setEnabled(false);
}

void JanelaPrincipal::bancoTrocado() {
    if (Option1->isChecked()) mostraProximoTicket();
}

void JanelaPrincipal::mostraCaixa() {
    // Opened, closed or restored here, the register is no longer another user's: the yard list
    // comes back as the setting asks, and the notice of the other user's register goes.
    if (caixaDeOutro_) {
        caixaDeOutro_ = false;
        mensagem->clear();
        mostraListaPatio();
    }
    const bool aberto = ctx_.estado.caixaAberto();
    Command1->setEnabled(!aberto && podeAbrirCaixa_);
    for (QPushButton* b : {Command2, Command8, Command9}) b->setEnabled(aberto);
    Frame1->setEnabled(aberto);
    if (!aberto) return;
    mensagem->clear();
    // "Abert. de Caixa", which may have had the focus, is off: the lane takes it.
    tic->setFocus();
}

void JanelaPrincipal::modoSaida() {
    const QScopedValueRollback trocando(trocandoModo_, true);
    calculo_.reset();
    tic->setEnabled(true);
    Command5->setEnabled(false);
    Command6->setEnabled(false);
    Frame2->setEnabled(true);
    for (QLineEdit* c : {dat_ent, hor_ent, dat_sai, hor_sai}) c->clear();
    tic->setText(kTicketVazio);
    pla->setText(kPlacaVazia);
    pri->setText(kPrismaVazio);
    for (QLineEdit* c : {tot, val_pag, tro}) c->clear();
    esqueceCalculo();
    if (ctx_.estado.caixaAberto()) {
        tic->setFocus();
        tic->selectAll();
    }
    Command7->setEnabled(ctx_.estado.imprimeSaida());
}

void JanelaPrincipal::trata_tecla(int tecla) {
    // The shortcuts act only while a cash register is open for this login: a user without the
    // lane's right has none, with "Abert. de Caixa" disabled all the same.
    if (!ctx_.estado.caixaAberto()) return;
    switch (tecla) {
    case Qt::Key_F2:
        marcaOpcao(Option1, false);
        marcaOpcao(Option1, true);
        vei->setEnabled(true);
        break;
    case Qt::Key_F4:
        marcaOpcao(Option2, false);
        marcaOpcao(Option2, true);
        vei->setEnabled(false);
        break;
    case Qt::Key_F5:
        if (abreCancelamento) abreCancelamento();
        break;
    case Qt::Key_Escape:
        tic->setText(kTicketVazio);
        pla->setText(kPlacaVazia);
        pri->setText(kPrismaVazio);
        for (QLineEdit* c : {dat_ent, dat_sai, hor_ent, hor_sai}) c->clear();
        Check1->setChecked(false);
        for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7}) marcaOpcao(o, false);
        for (QLineEdit* c : {tot, val_pag, tro}) c->clear();
        calculo_.reset();
        break;
    default:
        break;
    }
}

void JanelaPrincipal::enterEm(QObject* alvo) {
    const bool entrada = Option1->isChecked();
    const bool saida = Option2->isChecked();
    auto botaoEntrada = [this]() -> QWidget* {
        return Command6->isEnabled() ? static_cast<QWidget*>(Command6) : Command5;
    };
    auto primeiraModalidade = [this]() -> QWidget* {
        for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7})
            if (o->isEnabled()) return o;
        return nullptr;
    };
    QWidget* destino = nullptr;
    if (alvo == Option1 || alvo == tic) destino = pla;
    else if (alvo == Option2) destino = tic;
    else if (alvo == pla) {
        // The next field shown that takes the focus: at the exit the vehicle field is shown
        // but disabled, and the plate goes on to the payment kind.
        if (aceitaFoco(pri)) destino = pri;
        else if (aceitaFoco(vei)) destino = vei;
        else if (entrada) destino = botaoEntrada();
        else if (saida) destino = primeiraModalidade();
    } else if (alvo == pri) {
        if (entrada) destino = botaoEntrada();
        else if (saida) destino = primeiraModalidade();
    } else if (alvo == vei) destino = botaoEntrada();
    else if (alvo == Option3 || alvo == Option6 || alvo == Option7 || alvo == tur || alvo == conv)
        destino = val_pag;
    else if (alvo == Option4) destino = tur;
    else if (alvo == Option5) destino = conv;
    else if (alvo == val_pag)
        destino = Command7->isEnabled() ? static_cast<QWidget*>(Command7) : Command3;
    if (destino) destino->setFocus();
}

static bool mudancaDeJanela(const QFocusEvent* foco) {
    return foco->reason() == Qt::ActiveWindowFocusReason || foco->reason() == Qt::PopupFocusReason;
}

bool JanelaPrincipal::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        const int k = tecla->key();
        if (alvo != Command1 && alvo != Check1 &&
            (k == Qt::Key_F2 || k == Qt::Key_F4 || k == Qt::Key_F5 || k == Qt::Key_Escape)) {
            executa(kAtenderTecla, [=, this] { trata_tecla(k); });
            return true;
        }
        // Enter on a focused button presses it (the button builder's rule); in a lane field or
        // an option it moves the focus on.
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (alvo == val_pag || alvo == tic || alvo == pla || alvo == pri || alvo == vei ||
                alvo == tur || alvo == conv || qobject_cast<QRadioButton*>(alvo)) {
                enterEm(alvo);
                return true;
            }
        }
    } else if ((evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut) &&
               mudancaDeJanela(static_cast<QFocusEvent*>(evento))) {
        // A message box or a menu taking the focus for a moment is not the operator moving
        // between fields: running the lookups or the fee again would repeat the message.
    } else if (evento->type() == QEvent::FocusIn) {
        if (alvo == tic || alvo == pla) {
            if (alvo == pla && tic->displayText() == kTicketMensalista) tic->setText(kTicketVazio);
            esqueceCalculo();
        }
        if (alvo == val_pag) {
            ++focosValorPago_;
            executa(kCalcularTotal, [this] { val_pag_GotFocus(); });
        }
        if (alvo == Command1 && ctx_.estado.numero_caixa == 0) Frame1->setEnabled(false);
    } else if (evento->type() == QEvent::FocusOut) {
        // A field the operator clicked keeps the focus: the lookup of the field left does not
        // send it on to the payment kind, where the ticket typed next would be lost.
        const QScopedValueRollback clicado(
            saidaPeloMouse_, static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason);
        if (alvo == tic) executa(kBuscarVeiculo, [this] { tic_LostFocus(); });
        else if (alvo == pla) executa(kBuscarVeiculo, [this] { pla_LostFocus(); });
        else if (alvo == pri) executa(kBuscarVeiculo, [this] { pri_LostFocus(); });
        else if (alvo == val_pag) val_pag_LostFocus();
    }
    return QMainWindow::eventFilter(alvo, evento);
}
