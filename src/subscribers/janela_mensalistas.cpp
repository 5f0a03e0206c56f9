#include "subscribers/janela_mensalistas.h"

#include "branches/janela_arquivo_mensalistas.h"
#include "data/datas.h"
#include "data/dinheiro.h"
#include "subscribers/campo_selecionado.h"
#include "subscribers/campos_mensalista.h"
#include "subscribers/consulta_mensalistas.h"
#include "subscribers/grava_mensalista.h"
#include "subscribers/registro_mensalista.h"
#include "subscribers/troca_codigo_dialogo.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "widgets/ordem_teclado.h"
#include "widgets/trabalho_banco.h"
#include "yard/tela_principal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* texto(QWidget* pai, const char* nome, int limite) {
    auto* c = cria<QLineEdit>(pai, nome);
    c->setMaxLength(limite);
    return c;
}

QLineEdit* mascarado(QWidget* pai, const char* nome, const QString& mascara) {
    auto* c = cria<CampoSelecionado>(pai, nome);
    c->setInputMask(mascara);
    return c;
}

const QString kMascaraCpf = QStringLiteral("000.000.000-00; ");
const QString kMascaraCnpj = QStringLiteral("00.000.000/0000-00; ");

// Twips of the old layout to pixels, near enough for column widths.
int px(int twips) { return twips / 15; }

enum Foco { Nenhum, Dat, Nom, Tip, Dia, Vei, Num, DatIni, DatFim, HorIni, HorFim, Ani, Tol, Fil,
            Ano, Pla };

}  // namespace

JanelaMensalistas::JanelaMensalistas(Contexto& ctx, TelaPrincipal* principal, QWidget* parent)
    : QWidget(parent), ctx_(ctx), principal_(principal) {
    montaControles();
    ligaEventos();
    le(QStringLiteral("as filiais e os tipos de mensalista"), [this] { Form_Load(); });
}

void JanelaMensalistas::montaControles() {
    setObjectName(QStringLiteral("men"));
    setWindowTitle(QStringLiteral("Cadastro de Mensalistas"));

    Command1 = criaBotao(this, "Command1", QStringLiteral("&Novo"));
    cod = cria<QLineEdit>(this, "cod");
    cod->setEnabled(false);
    // Shown while the subscriber on screen is one marked deleted (loaded by its code).
    excluido = cria<QLabel>(this, "excluido", QStringLiteral("MENSALISTA EXCLUÍDO"));
    excluido->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    excluido->hide();
    dat = mascarado(this, "dat", QStringLiteral("00/00/0000; "));
    nom = texto(this, "nom", 50);
    ende = texto(this, "ende", 50);
    bai = texto(this, "bai", 30);
    cep = mascarado(this, "cep", QStringLiteral("00000-000; "));
    cid = texto(this, "cid", 30);
    ani = mascarado(this, "ani", QStringLiteral("00/00; "));
    tel_res = texto(this, "tel_res", 20);
    tel_com = texto(this, "tel_com", 20);
    tel_cel = texto(this, "tel_cel", 20);
    fax = texto(this, "fax", 20);
    rg = texto(this, "rg", 14);
    Combo1 = cria<QComboBox>(this, "Combo1");
    cpf = mascarado(this, "cpf", kMascaraCpf);
    tip = cria<QComboBox>(this, "tip");
    cod_tip = cria<QComboBox>(this, "cod_tip");
    dia_tip = cria<QComboBox>(this, "dia_tip");
    val_tip = cria<QComboBox>(this, "val_tip");
    dia = cria<QLineEdit>(this, "dia");
    dia->setInputMask(QStringLiteral("00; "));
    tol = mascarado(this, "tol", QStringLiteral("00; "));
    // Left empty it stays empty, so that saving refuses it instead of storing 0,00.
    valor = cria<CampoDinheiro>(this, "valor", QString());
    valor->setText(QStringLiteral("0,00"));
    fil = cria<QComboBox>(this, "fil");
    cod_fil = cria<QComboBox>(this, "cod_fil");
    for (QComboBox* gemea : {cod_tip, dia_tip, val_tip, cod_fil}) {
        gemea->hide();
        gemea->setFocusPolicy(Qt::NoFocus);
    }

    auto* frameVeiculos = cria<QGroupBox>(
        this, "Frame1", QStringLiteral("Veículos que possuem autorização para estacionar "));
    vei = texto(frameVeiculos, "vei", 40);
    ano = cria<QLineEdit>(frameVeiculos, "ano");
    ano->setInputMask(QStringLiteral("0000; "));
    pla = mascarado(frameVeiculos, "pla", QStringLiteral(">nnn-nnnn; "));
    Command6 = criaBotao(frameVeiculos, "Command6", QStringLiteral("Inserir"));
    Command7 = criaBotao(frameVeiculos, "Command7", QStringLiteral("Remover"));
    grid1 = cria<QTableWidget>(frameVeiculos, "grid1", 2, 3);
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    grid1->verticalHeader()->hide();
    grid1->setMinimumHeight(110);
    auto* gv = new QGridLayout(frameVeiculos);
    gv->addWidget(new QLabel(QStringLiteral("Veículo:"), frameVeiculos), 0, 0);
    gv->addWidget(vei, 0, 1);
    gv->addWidget(new QLabel(QStringLiteral("Ano:"), frameVeiculos), 0, 2);
    gv->addWidget(ano, 0, 3);
    gv->addWidget(new QLabel(QStringLiteral("Placa:"), frameVeiculos), 0, 4);
    gv->addWidget(pla, 0, 5);
    gv->addWidget(Command6, 0, 6);
    gv->addWidget(Command7, 0, 7);
    gv->addWidget(grid1, 1, 0, 1, 8);

    num = mascarado(this, "num", QStringLiteral("00; "));

    auto* frameDias = cria<QGroupBox>(this, "Frame2", QStringLiteral("Dias permitidos"));
    auto* hd = new QHBoxLayout(frameDias);
    const char* dias[] = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado",
                          "Todos"};
    for (int i = 0; i < 8; ++i) {
        checks[i] = new QCheckBox(QString::fromUtf8(dias[i]), frameDias);
        checks[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        hd->addWidget(checks[i]);
    }

    auto* frameHoras = cria<QGroupBox>(this, "Frame3", QStringLiteral("Horários permitidos "));
    hor_ini = mascarado(frameHoras, "hor_ini", QStringLiteral("00:00:00; "));
    hor_fim = mascarado(frameHoras, "hor_fim", QStringLiteral("00:00:00; "));
    auto* hh = new QHBoxLayout(frameHoras);
    hh->addWidget(new QLabel(QStringLiteral("Hora Início:"), frameHoras));
    hh->addWidget(hor_ini);
    hh->addWidget(new QLabel(QStringLiteral("Hora Fim:"), frameHoras));
    hh->addWidget(hor_fim);

    auto* frameFerias = cria<QGroupBox>(this, "Frame4", QStringLiteral("Férias"));
    dat_ini = mascarado(frameFerias, "dat_ini", QStringLiteral("00/00/0000; "));
    dat_fim = mascarado(frameFerias, "dat_fim", QStringLiteral("00/00/0000; "));
    auto* hf = new QHBoxLayout(frameFerias);
    hf->addWidget(new QLabel(QStringLiteral("Data Início:"), frameFerias));
    hf->addWidget(dat_ini);
    hf->addWidget(new QLabel(QStringLiteral("Data Fim:"), frameFerias));
    hf->addWidget(dat_fim);

    grid2 = cria<QTableWidget>(this, "grid2", 1, 3);
    grid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid2->verticalHeader()->hide();

    Command2 = criaBotao(this, "Command2", QStringLiteral("&Gravar"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("C&ancelar"));
    Command4 = criaBotao(this, "Command4", QStringLiteral("&Excluir"));
    Command5 = criaBotao(this, "Command5", QStringLiteral("&Consultar"));
    Command10 = criaBotao(this, "Command10", QStringLiteral("Fechar"));
    Command8 = criaBotao(this, "Command8", QStringLiteral("Gerar/Receber Arquivo"));
    Command9 = criaBotao(this, "Command9", QStringLiteral("Trocar código"));

    // Layout: the personal data on a grid of label and field pairs.
    auto* g = new QGridLayout;
    auto rotulo = [this](const char* t) { return new QLabel(QString::fromUtf8(t), this); };
    int l = 0;
    g->addWidget(rotulo("Código:"), l, 0);
    auto* codigoEMarca = new QHBoxLayout;
    codigoEMarca->addWidget(cod);
    codigoEMarca->addWidget(excluido);
    g->addLayout(codigoEMarca, l, 1);
    g->addWidget(rotulo("Data Início:"), l, 2);
    g->addWidget(dat, l, 3);
    ++l;
    g->addWidget(rotulo("Nome:"), l, 0);
    g->addWidget(nom, l, 1, 1, 3);
    ++l;
    g->addWidget(rotulo("Endereço:"), l, 0);
    g->addWidget(ende, l, 1, 1, 3);
    ++l;
    g->addWidget(rotulo("Bairro:"), l, 0);
    g->addWidget(bai, l, 1);
    g->addWidget(rotulo("CEP:"), l, 2);
    g->addWidget(cep, l, 3);
    ++l;
    g->addWidget(rotulo("Cidade/UF:"), l, 0);
    g->addWidget(cid, l, 1);
    g->addWidget(rotulo("Aniversário:"), l, 2);
    g->addWidget(ani, l, 3);
    ++l;
    g->addWidget(rotulo("Tel. Res.:"), l, 0);
    g->addWidget(tel_res, l, 1);
    g->addWidget(rotulo("Tel. Com.:"), l, 2);
    g->addWidget(tel_com, l, 3);
    ++l;
    g->addWidget(rotulo("Tel. Cel.:"), l, 0);
    g->addWidget(tel_cel, l, 1);
    g->addWidget(rotulo("FAX:"), l, 2);
    g->addWidget(fax, l, 3);
    ++l;
    g->addWidget(rotulo("RG:"), l, 0);
    g->addWidget(rg, l, 1);
    g->addWidget(Combo1, l, 2);
    g->addWidget(cpf, l, 3);
    ++l;
    g->addWidget(rotulo("Tipo:"), l, 0);
    g->addWidget(tip, l, 1);
    g->addWidget(rotulo("Vencto.:"), l, 2);
    g->addWidget(dia, l, 3);
    ++l;
    g->addWidget(rotulo("Tolerância:"), l, 0);
    g->addWidget(tol, l, 1);
    g->addWidget(rotulo("Valor:"), l, 2);
    g->addWidget(valor, l, 3);
    ++l;
    g->addWidget(rotulo("Filial:"), l, 0);
    g->addWidget(fil, l, 1, 1, 3);

    auto* historico = new QVBoxLayout;
    historico->addWidget(new QLabel(QStringLiteral("Mensalidades:"), this));
    historico->addWidget(grid2);

    auto* topo = new QHBoxLayout;
    topo->addLayout(g, 3);
    topo->addLayout(historico, 1);

    auto* linhaNum = new QHBoxLayout;
    linhaNum->addWidget(
        rotulo("Número máximo de veículos estacionados simultaneamente:"));
    linhaNum->addWidget(num);
    linhaNum->addStretch();

    auto* horasFerias = new QHBoxLayout;
    horasFerias->addWidget(frameHoras);
    horasFerias->addWidget(frameFerias);

    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command3, Command4, Command5, Command10, Command8,
                           Command9})
        botoes->addWidget(b);

    auto* principal = new QVBoxLayout(this);
    principal->addLayout(topo);
    principal->addWidget(frameVeiculos);
    principal->addLayout(linhaNum);
    principal->addWidget(frameDias);
    principal->addLayout(horasFerias);
    principal->addLayout(botoes);

    // Tab order as the operator walks the entry.
    const QList<QWidget*> ordem{Command1, dat,     nom,     ende,    bai,     cep,      cid,
                                ani,      tel_res, tel_com, tel_cel, fax,     rg,       Combo1,
                                cpf,      tip,     dia,     tol,     valor,   fil,      vei,
                                ano,      pla,     Command6, Command7, num,   checks[0], checks[1],
                                checks[2], checks[3], checks[4], checks[5], checks[6], checks[7],
                                hor_ini,  hor_fim, dat_ini, dat_fim, Command2, Command3, Command4,
                                Command5, Command10, Command8, grid1, grid2,  Command9};
    fixaOrdemDeTabulacao(this, ordem);
}

void JanelaMensalistas::ligaEventos() {
    auto botao = [this](QPushButton* b, void (JanelaMensalistas::*h)()) {
        connect(b, &QPushButton::clicked, this, [this, h] { (this->*h)(); });
    };
    auto grava = [this](QPushButton* b, const QString& acao, void (JanelaMensalistas::*h)()) {
        connect(b, &QPushButton::clicked, this, [this, acao, h] { executa(acao, [this, h] { (this->*h)(); }); });
    };
    botao(Command1, &JanelaMensalistas::Command1_Click);
    grava(Command2, QStringLiteral("gravar o mensalista"), &JanelaMensalistas::Command2_Click);
    botao(Command3, &JanelaMensalistas::limpa_campos);
    grava(Command4, QStringLiteral("excluir o mensalista"), &JanelaMensalistas::Command4_Click);
    // The consultation and the change of code handle their own database work.
    botao(Command5, &JanelaMensalistas::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, [this] {
        le(QStringLiteral("os veículos cadastrados"), [this] { Command6_Click(); });
    });
    botao(Command7, &JanelaMensalistas::Command7_Click);
    botao(Command9, &JanelaMensalistas::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &QWidget::close);
    // "Gerar/Receber Arquivo" opens the subscriber-file window, modeless.
    connect(Command8, &QPushButton::clicked, this, [this] { abre_ger_arq(ctx_, this); });

    connect(tip, &QComboBox::currentIndexChanged, this, [this] { tip_Click(); });
    connect(fil, &QComboBox::currentIndexChanged, this,
            [this] { cod_fil->setCurrentIndex(fil->currentIndex()); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(checks[7], &QCheckBox::toggled, this, [this] { Check8_Click(); });
    // The highlighted row is the current one, however it was reached (click, arrows, Home/End).
    connect(grid1, &QTableWidget::currentCellChanged, this, [this](int r, int) {
        if (r >= 0) linhaAtual_ = r + 1;
    });

    tol->installEventFilter(this);
}

bool JanelaMensalistas::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() == QEvent::FocusOut && alvo == tol) tol_LostFocus();
    return QWidget::eventFilter(alvo, evento);
}

void JanelaMensalistas::executa(const QString& acao, const std::function<void()>& trabalho) {
    gravaNoBanco(ctx_.plataforma, acao, trabalho);
}

void JanelaMensalistas::le(const QString& oQue, const std::function<void()>& trabalho) {
    leDoBanco(ctx_.plataforma, oQue, trabalho);
}

void JanelaMensalistas::Form_Load() {
    Banco& db = ctx_.estado.db;
    fil->addItem(QStringLiteral(" "));
    cod_fil->addItem(QStringLiteral("0"));
    QSqlQuery q = db.executa(QStringLiteral("SELECT codigo, nome FROM filiais ORDER BY nome"));
    while (q.next()) {
        fil->addItem(q.value(1).toString());
        cod_fil->addItem(q.value(0).toString());
    }
    fil->setCurrentIndex(0);
    grid1->setHorizontalHeaderLabels(
        {QStringLiteral("Veículo"), QStringLiteral("Ano"), QStringLiteral("Placa")});
    grid1->setColumnWidth(0, px(3200));
    grid2->setHorizontalHeaderLabels(
        {QStringLiteral("Mês"), QStringLiteral("Data Pgto."), QStringLiteral("Valor")});
    grid2->setColumnWidth(0, px(550) + 8);
    grid2->setColumnWidth(1, px(850) + 20);
    grid2->setColumnWidth(2, px(850) + 20);

    const QSignalBlocker bloqueioDoc(Combo1);
    Combo1->addItem(QStringLiteral("CPF:"));
    Combo1->addItem(QStringLiteral("CNPJ:"));
    Combo1->setCurrentIndex(0);
    dat->setText(dataBr(ctx_.plataforma.agora().date()));
    // Controls that are never typed into hold their empty masks from the start.
    limpa_campos();
    grid1->setRowCount(2);
    // Without a branch nothing can be saved, but the window looks as it always does: the
    // captions and masks above are set whatever the branches.
    if (fil->count() == 1) {
        ctx_.plataforma.mensagem(QStringLiteral(
            "Cadastre a(s) filial(is) e/ou matriz antes de cadastrar mensalistas."));
        Command2->setEnabled(false);
        return;
    }

    const QSignalBlocker bloqueio(tip);
    cod_tip->addItem(QStringLiteral(" "));
    tip->addItem(QStringLiteral(" "));
    dia_tip->addItem(QStringLiteral(" "));
    val_tip->addItem(QStringLiteral("0,00"));
    QSqlQuery t = db.executa(
        QStringLiteral("SELECT codigo, tipo, dia_vencto, valor FROM tipos_mensalistas ORDER BY tipo"));
    while (t.next()) {
        cod_tip->addItem(t.value(0).toString());
        tip->addItem(t.value(1).toString());
        dia_tip->addItem(t.value(2).isNull() ? QString()
                                             : QStringLiteral("%1").arg(t.value(2).toInt(), 2, 10,
                                                                        QLatin1Char('0')));
        val_tip->addItem(Dinheiro::doBanco(t.value(3)).value_or(Dinheiro{}).formata());
    }
    tip->setCurrentIndex(0);
    tip_Click();
}

int JanelaMensalistas::linhasGrid1() const { return grid1->rowCount() + 1; }

QString JanelaMensalistas::celula(QTableWidget* grid, int linha, int coluna) const {
    // Row 0 is the header row, which holds the column titles.
    const QTableWidgetItem* i =
        linha == 0 ? grid->horizontalHeaderItem(coluna) : grid->item(linha - 1, coluna);
    return i ? i->text() : QString();
}

void JanelaMensalistas::defineCelula(QTableWidget* grid, int linha, int coluna,
                                     const QString& texto) {
    QTableWidgetItem* i = grid->item(linha - 1, coluna);
    if (!i) {
        i = new QTableWidgetItem;
        grid->setItem(linha - 1, coluna, i);
    }
    i->setText(texto);
}

std::optional<ChaveMensalista> JanelaMensalistas::carregado() const {
    if (cod->text().isEmpty()) return std::nullopt;
    return ChaveMensalista{cod->text().toLongLong(), filialCarregada_};
}

void JanelaMensalistas::limpa_campos() {
    cod->clear();
    filialCarregada_ = QVariant();
    excluido->hide();
    dat->setText(dataBr(ctx_.plataforma.agora().date()));
    for (QLineEdit* c : {nom, ende, bai, cid, tel_res, tel_com, tel_cel, fax, rg, vei}) c->clear();
    cep->setText(kCepVazio);
    if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
    cpf->setInputMask(kMascaraCpf);
    cpf->setText(kCpfVazio);
    ani->setText(kAniversarioVazio);
    tol->setText(QStringLiteral("0 "));
    ano->setText(kAnoVazio);
    pla->setText(kPlacaMensalistaVazia);
    grid1->setRowCount(1);
    for (int c = 0; c < 3; ++c) defineCelula(grid1, 1, c, QString());
    defineLinhaAtualGrid1(1);
    if (tip->count() > 0) tip->setCurrentIndex(0);
    dia->setText(QStringLiteral("  "));
    valor->setText(QStringLiteral("0,00"));
    num->setText(QStringLiteral("  "));
    fil->setCurrentIndex(0);
    cod_fil->setCurrentIndex(0);
    dat_ini->setText(kDataVazia);
    dat_fim->setText(kDataVazia);
    for (QCheckBox* c : checks) c->setChecked(false);
    hor_ini->setText(kHoraLongaVazia);
    hor_fim->setText(kHoraLongaVazia);
    grid2->setRowCount(1);
    for (int c = 0; c < 3; ++c) {
        defineCelula(grid2, 1, c, QString());
        grid2->item(0, c)->setBackground(Qt::white);
        grid2->item(0, c)->setForeground(Qt::black);
    }
}

void JanelaMensalistas::Command1_Click() {
    limpa_campos();
    dat->setFocus();
}

void JanelaMensalistas::tip_Click() {
    const int i = tip->currentIndex();
    if (i < 0) return;
    cod_tip->setCurrentIndex(i);
    dia_tip->setCurrentIndex(i);
    val_tip->setCurrentIndex(i);
    dia->setText(dia_tip->currentText().leftJustified(2).left(2));
    valor->setText(val_tip->currentText());
}

void JanelaMensalistas::Combo1_Click() {
    cpf->setInputMask(Combo1->currentText() == QLatin1String("CPF:") ? kMascaraCpf : kMascaraCnpj);
    cpf->setText(Combo1->currentText() == QLatin1String("CPF:") ? kCpfVazio : kCnpjVazio);
}

void JanelaMensalistas::Check8_Click() {
    const bool todos = checks[7]->isChecked();
    for (int i = 0; i < 7; ++i) checks[i]->setChecked(todos);
}

void JanelaMensalistas::tol_LostFocus() {
    if (tol->displayText() == QLatin1String("  ")) tol->setText(QStringLiteral("0 "));
}

void JanelaMensalistas::foca(int campo) {
    QWidget* alvos[] = {nullptr, dat, nom, tip, dia, vei, num, dat_ini, dat_fim, hor_ini, hor_fim,
                        ani,     tol, fil, ano, pla, valor};
    if (campo > 0 && campo < int(std::size(alvos))) alvos[campo]->setFocus();
}

void JanelaMensalistas::Command2_Click() {
    EntradaMensalista e;
    e.cod = cod->text();
    e.filialCarregada = filialCarregada_;
    e.dat = dat->displayText();
    e.nom = nom->text();
    e.ende = ende->text();
    e.bai = bai->text();
    e.cep = cep->displayText();
    e.cid = cid->text();
    e.ani = ani->displayText();
    e.tel_res = tel_res->text();
    e.tel_com = tel_com->text();
    e.tel_cel = tel_cel->text();
    e.fax = fax->text();
    e.rg = rg->text();
    e.cnpj = Combo1->currentText() == QLatin1String("CNPJ:");
    e.cpf = cpf->displayText();
    e.tipoEscolhido = tip->currentIndex() > 0;
    e.cod_tip = cod_tip->currentText();
    e.dia = dia->displayText();
    e.tol = tol->displayText();
    e.valor = valor->text();
    e.num = num->displayText();
    e.filialEscolhida = fil->currentIndex() > 0;
    e.cod_fil = cod_fil->currentText();
    for (int i = 0; i < 7; ++i) e.dias[i] = checks[i]->isChecked();
    e.hor_ini = hor_ini->displayText();
    e.hor_fim = hor_fim->displayText();
    e.dat_ini = dat_ini->displayText();
    e.dat_fim = dat_fim->displayText();
    for (int r = 1; r < linhasGrid1(); ++r)
        e.veiculos.push_back({celula(grid1, r, 0), celula(grid1, r, 1), celula(grid1, r, 2)});

    const ResultadoMensalista r = grava_mensalista(ctx_.estado.db, e, ctx_.plataforma.agora().date());
    if (!r.feito) {
        ctx_.plataforma.mensagem(r.mensagem, r.icone);
        foca(int(r.foco));
        return;
    }
    cod->setText(QString::number(r.codigo));
    filialCarregada_ = ChaveMensalista::filialDoTexto(e.cod_fil);
    excluido->hide();   // saved, the subscriber is active again
    if (principal_) principal_->ofereceModalidade(Modalidade::Mensalista, true);
    ctx_.plataforma.mensagem(r.mensagem);
}

void JanelaMensalistas::Command4_Click() {
    if (cod->text().isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Escolha o mensalista a excluir."));
        return;
    }
    const ResultadoExclusaoMensalista r =
        exclui_mensalista(ctx_.estado.db, *carregado(), [this](const QString& nome) {
            return ctx_.plataforma.pergunta(
                QStringLiteral("Tem certeza que deseja excluir o mensalista %1?").arg(nome));
        });
    if (!r.encontrado) {
        ctx_.plataforma.mensagem(QStringLiteral("Mensalista não encontrado."));
        return;
    }
    if (!r.excluido) return;
    limpa_campos();
    ctx_.plataforma.mensagem(QStringLiteral("Mensalista excluído com sucesso."));
    if (!r.restamAtivos && principal_) principal_->ofereceModalidade(Modalidade::Mensalista, false);
}

void JanelaMensalistas::Command5_Click() {
    if (!consulta_) {
        auto* c = new ConsultaMensalistas(ctx_, this);
        c->setWindowFlag(Qt::Window);
        connect(c, &ConsultaMensalistas::escolhido, this,
                [this](const FichaMensalista& f) { mostra_mensalista(f); });
        c->setAttribute(Qt::WA_DeleteOnClose);
        consulta_ = c;
    }
    consulta_->show();
    consulta_->raise();
    consulta_->activateWindow();
}

void JanelaMensalistas::Command6_Click() {
    QStringList placas;
    for (int r = 1; r < linhasGrid1(); ++r) placas << celula(grid1, r, 2);
    const auto recusa =
        verifica_veiculo(ctx_.estado.db, carregado(), vei->text(), ano->displayText(),
                         pla->displayText(), placas, ctx_.plataforma.agora().date().year());
    if (recusa) {
        ctx_.plataforma.mensagem(recusa->mensagem);
        foca(int(recusa->foco));
        return;
    }
    insere_veiculo_grid();
    ctx_.plataforma.mensagem(QStringLiteral(
        "Veículo inserido com sucesso. Após inserir todos veículos, clique em 'Gravar'"));
    vei->clear();
    ano->setText(kAnoVazio);
    pla->setText(kPlacaMensalistaVazia);
    vei->setFocus();
    grid1->scrollToItem(grid1->item(grid1->rowCount() - 1, 0), QAbstractItemView::PositionAtTop);
}

void JanelaMensalistas::insere_veiculo_grid() {
    int linha;
    bool tornaAtual = true;
    const int ultima = linhasGrid1() - 1;
    if (linhasGrid1() == 2 && celula(grid1, 1, 0).isEmpty()) {
        linha = 1;
        tornaAtual = false;
    } else if (celula(grid1, ultima, 2).isEmpty()) {
        int r = ultima;
        while (r > 1 && celula(grid1, r, 2).isEmpty()) --r;
        linha = celula(grid1, r, 2).isEmpty() ? r : r + 1;
    } else {
        grid1->setRowCount(grid1->rowCount() + 1);
        linha = ultima + 1;
    }
    defineCelula(grid1, linha, 0, vei->text().trimmed());
    defineCelula(grid1, linha, 1, ano->displayText());
    defineCelula(grid1, linha, 2, pla->displayText());
    if (tornaAtual) defineLinhaAtualGrid1(linha);
}

void JanelaMensalistas::defineLinhaAtualGrid1(int linha) {
    linhaAtual_ = linha;
    grid1->setCurrentCell(linha - 1, 0);
}

void JanelaMensalistas::Command7_Click() {
    const int atual = linhaAtual_;
    if (atual < 1) {
        ctx_.plataforma.mensagem(QStringLiteral("Selecione o veículo a remover da lista."));
        return;
    }
    if (celula(grid1, atual, 0).isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Linha em branco. Não pode ser removida."));
        return;
    }
    const int ultima = linhasGrid1() - 1;
    if (linhasGrid1() == 2) {
        for (int c = 0; c < 3; ++c) defineCelula(grid1, 1, c, QString());
    } else {
        for (int r = atual + 1; r <= ultima; ++r)
            for (int c = 0; c < 3; ++c) defineCelula(grid1, r - 1, c, celula(grid1, r, c));
        defineLinhaAtualGrid1(ultima);
        for (int c = 0; c < 3; ++c) defineCelula(grid1, ultima, c, QString());
    }
    grid1->scrollToTop();
    ctx_.plataforma.mensagem(QStringLiteral("Veículo removido com sucesso. Após remover todos "
                                            "veículos desejados, clique em 'Gravar'"));
}

void JanelaMensalistas::Command9_Click() {
    TrocaCodigoDialogo dialogo(ctx_, *this, this);
    dialogo.exec();
}

void JanelaMensalistas::mostra_mensalista(const FichaMensalista& f) {
    cod->setText(f.cod);
    filialCarregada_ = ChaveMensalista::filialDoTexto(f.filial);
    excluido->setVisible(f.excluido);
    dat->setText(f.dat);
    nom->setText(f.nom);
    ende->setText(f.ende);
    bai->setText(f.bai);
    cep->setText(f.cep);
    cid->setText(f.cid);
    ani->setText(f.ani);
    tel_res->setText(f.tel_res);
    tel_com->setText(f.tel_com);
    tel_cel->setText(f.tel_cel);
    fax->setText(f.fax);
    rg->setText(f.rg);
    Combo1->setCurrentIndex(f.cnpj ? 1 : 0);
    Combo1_Click();
    cpf->setText(f.documento);
    const auto selecionaPorTexto = [](QComboBox* lista, const QString& texto) {
        const int i = lista->findText(texto);
        lista->setCurrentIndex(i < 0 ? 0 : i);
    };
    selecionaPorTexto(cod_tip, f.tipo);
    tip->setCurrentIndex(cod_tip->currentIndex());
    tip_Click();
    dia->setText(f.dia);
    valor->setText(f.valor);
    tol->setText(f.tol);
    selecionaPorTexto(cod_fil, f.filial);
    fil->setCurrentIndex(cod_fil->currentIndex());
    num->setText(f.num);
    vei->clear();
    ano->setText(kAnoVazio);
    pla->setText(kPlacaMensalistaVazia);
    dat_ini->setText(f.dat_ini);
    dat_fim->setText(f.dat_fim);
    const bool todos = std::all_of(f.dias.begin(), f.dias.end(), [](bool d) { return d; });
    for (int i = 0; i < 7; ++i) checks[i]->setChecked(f.dias[size_t(i)]);
    if (todos) checks[7]->setChecked(true);
    hor_ini->setText(f.hor_ini);
    hor_fim->setText(f.hor_fim);

    grid1->setRowCount(int(f.veiculos.size()));
    for (int i = 0; i < f.veiculos.size(); ++i)
        for (int c = 0; c < 3; ++c) defineCelula(grid1, i + 1, c, f.veiculos[i][c]);
    defineLinhaAtualGrid1(1);

    // The fee history, newest month first, unpaid months in white on red.
    grid2->setRowCount(1);
    for (int c = 0; c < 3; ++c) {
        defineCelula(grid2, 1, c, QString());
        grid2->item(0, c)->setBackground(Qt::white);
        grid2->item(0, c)->setForeground(Qt::black);
    }
    for (int i = 1; i <= f.historico.size(); ++i) {
        const MesHistorico& m = f.historico[i - 1];
        if (i > 1) grid2->setRowCount(i);
        for (int c = 0; c < 3; ++c) {
            defineCelula(grid2, i, c, m.celulas[c]);
            QTableWidgetItem* item = grid2->item(i - 1, c);
            item->setBackground(m.aberto ? QColor(255, 0, 0) : QColor(Qt::white));
            item->setForeground(m.aberto ? QColor(Qt::white) : QColor(Qt::black));
        }
    }
}
