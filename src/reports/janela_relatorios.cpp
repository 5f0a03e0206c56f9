#include "reports/janela_relatorios.h"

#include "reports/catalogo.h"
#include "widgets/cria.h"
#include "widgets/ordem_teclado.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit* campoData(QWidget* pai, const char* nome) {
    auto* c = cria<QLineEdit>(pai, nome);
    c->setInputMask(QStringLiteral("00/00/0000; "));
    c->setText(kDataVazia);
    c->setFixedWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    return c;
}

// A typed day/month/year, as the operator may leave blanks around the numbers; a year of one or
// two digits is read as 1930 to 2029.
QDate leData(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral("^\\s*(\\d{1,2})\\s*/\\s*(\\d{1,2})\\s*/\\s*(\\d{1,4})\\s*$"));
    const auto m = forma.match(texto);
    if (!m.hasMatch()) return {};
    int ano = m.captured(3).toInt();
    if (m.captured(3).size() <= 2) ano += ano < 30 ? 2000 : 1900;
    if (ano < 100) return {};
    return QDate(ano, m.captured(2).toInt(), m.captured(1).toInt());
}

}  // namespace

JanelaRelatorios::JanelaRelatorios(Contexto& ctx, QWidget* parent)
    : QWidget(parent), cr(ctx.estado.db, ctx.plataforma), ctx_(ctx) {
    montaControles();
    ligaEventos();
}

void JanelaRelatorios::montaControles() {
    setObjectName(QStringLiteral("rel"));
    setWindowTitle(QStringLiteral("Relatórios"));

    Frame1 = cria<QGroupBox>(this, "Frame1");
    Option1 = cria<QRadioButton>(Frame1, "Option1", QStringLiteral("Usuários"));
    Option2 = cria<QRadioButton>(Frame1, "Option2", QStringLiteral("Tabela de Preços"));
    Option3 = cria<QRadioButton>(Frame1, "Option3", QStringLiteral("Convênios"));
    Option4 = cria<QRadioButton>(Frame1, "Option4", QStringLiteral("Mensalistas"));
    Option7 = cria<QRadioButton>(Frame1, "Option7", QStringLiteral("Mensalistas com Veículos"));
    Option5 = cria<QRadioButton>(Frame1, "Option5", QStringLiteral("Faturamento entre:"));
    Option6 = cria<QRadioButton>(Frame1, "Option6", QStringLiteral("Faturamento detalhado entre:"));
    Check1 = cria<QCheckBox>(Frame1, "Check1", QStringLiteral("Ordenado por tipo"));
    Check2 = cria<QCheckBox>(Frame1, "Check2", QStringLiteral("Ordenado por data vencto."));
    dat_ini = campoData(Frame1, "dat_ini");
    dat_fim = campoData(Frame1, "dat_fim");
    dat_ini_det = campoData(Frame1, "dat_ini_det");
    dat_fim_det = campoData(Frame1, "dat_fim_det");
    fil = cria<QLineEdit>(Frame1, "fil");
    fil->setInputMask(QStringLiteral("00; "));
    fil->setText(kFilialVazia);
    fil->setFixedWidth(fil->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    Command1 = criaBotao(Frame1, "Command1", QStringLiteral("Imprimir"));
    Command2 = criaBotao(Frame1, "Command2", QStringLiteral("Fechar"));
    progresso = cria<QProgressBar>(Frame1, "progresso");
    progresso->setRange(0, 0);
    lidas = cria<QLabel>(Frame1, "lidas");
    lidas->setMinimumHeight(2 * lidas->fontMetrics().lineSpacing());
    cancelar = criaBotao(Frame1, "cancelar", QStringLiteral("Cancelar"));
    // Their room is kept while hidden, so the window does not change size when a build starts.
    for (QWidget* w : std::initializer_list<QWidget*>{progresso, lidas, cancelar}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
        w->hide();
    }

    Option1->setChecked(true);
    Check1->setEnabled(false);
    Check2->setEnabled(false);
    for (QLineEdit* d : {dat_ini, dat_fim, dat_ini_det, dat_fim_det}) d->setEnabled(false);

    // The options in one column; the sort boxes beside the subscriber options; each revenue
    // option with its dates; the branch and the buttons at the top right.
    auto* grade = new QGridLayout(Frame1);
    const auto datas = [this](QLineEdit* ini, QLineEdit* fim) {
        auto* l = new QHBoxLayout;
        l->addWidget(ini);
        l->addWidget(new QLabel(QStringLiteral("e"), Frame1));
        l->addWidget(fim);
        l->addStretch();
        return l;
    };
    grade->addWidget(Option1, 0, 0);
    grade->addWidget(Option2, 1, 0);
    grade->addWidget(Option3, 2, 0);
    grade->addWidget(Option4, 3, 0);
    grade->addWidget(Check1, 3, 1);
    grade->addWidget(Option7, 4, 0);
    grade->addWidget(Check2, 4, 1);
    grade->addWidget(Option5, 5, 0);
    grade->addLayout(datas(dat_ini, dat_fim), 6, 0, 1, 2);
    grade->addWidget(Option6, 7, 0);
    grade->addLayout(datas(dat_ini_det, dat_fim_det), 8, 0, 1, 2);
    auto* direita = new QVBoxLayout;
    auto* filial = new QHBoxLayout;
    filial->addWidget(new QLabel(QStringLiteral("Filial:"), Frame1));
    filial->addWidget(fil);
    filial->addStretch();
    direita->addLayout(filial);
    direita->addWidget(Command1);
    direita->addWidget(Command2);
    direita->addWidget(progresso);
    direita->addWidget(lidas);
    direita->addWidget(cancelar);
    direita->addStretch();
    grade->addLayout(direita, 0, 2, 9, 1);
    grade->setColumnMinimumWidth(1, 40);

    auto* fora = new QVBoxLayout(this);
    fora->addWidget(Frame1);
}

void JanelaRelatorios::ligaEventos() {
    const std::pair<QRadioButton*, void (JanelaRelatorios::*)()> opcoes[] = {
        {Option1, &JanelaRelatorios::Option1_Click}, {Option2, &JanelaRelatorios::Option2_Click},
        {Option3, &JanelaRelatorios::Option3_Click}, {Option4, &JanelaRelatorios::Option4_Click},
        {Option5, &JanelaRelatorios::Option5_Click}, {Option6, &JanelaRelatorios::Option6_Click},
        {Option7, &JanelaRelatorios::Option7_Click}};
    for (auto [opcao, handler] : opcoes)
        connect(opcao, &QRadioButton::toggled, this, [this, h = handler] { (this->*h)(); });
    connect(Check1, &QCheckBox::toggled, this, &JanelaRelatorios::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &JanelaRelatorios::Check2_Click);
    connect(Command1, &QPushButton::clicked, this, &JanelaRelatorios::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &JanelaRelatorios::Command2_Click);
    connect(cancelar, &QPushButton::clicked, this, [this] { cr.cancela(); });
    cr.aoConstruir = [this](bool construindo) { mostraConstrucao(construindo); };
    cr.aoProgredir = [this](qint64 linhas, int paginas) {
        lidas->setText(QStringLiteral("%1 linha(s)\n%2 página(s)").arg(linhas).arg(paginas));
    };
    for (QLineEdit* d : {dat_ini, dat_fim, dat_ini_det, dat_fim_det}) d->installEventFilter(this);
    // The dates and the branch typed, Enter asks for the report as "Imprimir" does.
    enterPressiona(Command1);
}

bool JanelaRelatorios::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn) {
        // The whole date is selected, also after the click that gave the focus.
        auto* campo = static_cast<QLineEdit*>(alvo);
        QTimer::singleShot(0, campo, [campo] { campo->setSelection(0, 10); });
    }
    return QWidget::eventFilter(alvo, evento);
}

void JanelaRelatorios::closeEvent(QCloseEvent* evento) {
    // Closing while a report is built stops it first; the window closes once the build is over.
    if (cr.construindo()) {
        cr.cancela();
        evento->ignore();
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    QWidget::closeEvent(evento);
}

void JanelaRelatorios::mostraConstrucao(bool construindo) {
    lidas->setText(QStringLiteral("Lendo..."));
    progresso->setVisible(construindo);
    lidas->setVisible(construindo);
    cancelar->setVisible(construindo);
    Command1->setEnabled(!construindo);
    // The hourglass over this window only: the lanes go on taking cars meanwhile.
    if (construindo) setCursor(Qt::WaitCursor);
    else unsetCursor();
}

void JanelaRelatorios::habilitaSemFiltro() {
    for (QLineEdit* d : {dat_ini, dat_fim, dat_ini_det, dat_fim_det}) d->setEnabled(false);
    fil->setText(kFilialVazia);
    fil->setEnabled(false);
}

void JanelaRelatorios::habilitaMensalistas() {
    for (QLineEdit* d : {dat_ini, dat_fim, dat_ini_det, dat_fim_det}) d->setEnabled(false);
    Check1->setEnabled(true);
    Check2->setEnabled(true);
    fil->setEnabled(true);
}

void JanelaRelatorios::Option1_Click() { if (Option1->isChecked()) habilitaSemFiltro(); }
void JanelaRelatorios::Option2_Click() { if (Option2->isChecked()) habilitaSemFiltro(); }
void JanelaRelatorios::Option3_Click() { if (Option3->isChecked()) habilitaSemFiltro(); }
void JanelaRelatorios::Option4_Click() { if (Option4->isChecked()) habilitaMensalistas(); }
void JanelaRelatorios::Option7_Click() { if (Option7->isChecked()) habilitaMensalistas(); }

void JanelaRelatorios::Option5_Click() {
    if (!Option5->isChecked()) return;
    dat_ini->setEnabled(true);
    dat_fim->setEnabled(true);
    dat_ini_det->setEnabled(false);
    dat_fim_det->setEnabled(false);
    fil->setEnabled(true);
}

void JanelaRelatorios::Option6_Click() {
    if (!Option6->isChecked()) return;
    dat_ini_det->setEnabled(true);
    dat_fim_det->setEnabled(true);
    dat_ini->setEnabled(false);
    dat_fim->setEnabled(false);
    fil->setEnabled(true);
}

void JanelaRelatorios::Check1_Click() { if (Check1->isChecked()) Check2->setChecked(false); }
void JanelaRelatorios::Check2_Click() { if (Check2->isChecked()) Check1->setChecked(false); }

void JanelaRelatorios::Command2_Click() { close(); }

void JanelaRelatorios::Command1_Click() {
    // The report is built beside the windows' events: this returns at once.
    try {
        imprime();
    } catch (const ErroBanco& e) {
        ctx_.plataforma.mensagem(e.mensagemLeitura(QStringLiteral("os dados do relatório")),
                                 Icone::Critico);
    }
}

QString JanelaRelatorios::caminho(const QString& arquivo) const {
    return ctx_.plataforma.pastaPrograma() + QLatin1Char('/') + arquivo;
}

bool JanelaRelatorios::dataValida(QLineEdit* campo, const QString& mensagem, QDate& data) {
    data = leData(campo->displayText());
    if (data.isValid()) return true;
    ctx_.plataforma.mensagem(mensagem, Icone::Informacao);
    campo->setFocus();
    return false;
}

void JanelaRelatorios::imprime() {
    cr.defineSelecao(QString());

    int opcao = 7;
    const QRadioButton* ordem[] = {Option1, Option2, Option3, Option4, Option5, Option6};
    for (int i = 0; i < 6; ++i)
        if (ordem[i]->isChecked()) {
            opcao = i + 1;
            break;
        }

    QDate inicio, fim;
    if (opcao == 5 || opcao == 6) {
        QLineEdit* ini = opcao == 5 ? dat_ini : dat_ini_det;
        QLineEdit* fin = opcao == 5 ? dat_fim : dat_fim_det;
        if (!dataValida(ini, QStringLiteral("Data Inicial inválida."), inicio)) return;
        if (!dataValida(fin, QStringLiteral("Data Final inválida."), fim)) return;
    }

    QString arquivo;
    switch (opcao) {
    case 1: arquivo = QStringLiteral("rel_usu.rpt"); break;
    case 2: arquivo = QStringLiteral("rel_tab.rpt"); break;
    case 3: arquivo = QStringLiteral("rel_con.rpt"); break;
    case 4: arquivo = Check2->isChecked() ? QStringLiteral("rel_men_ven.rpt") : QStringLiteral("rel_men.rpt"); break;
    case 5: arquivo = QStringLiteral("rel_fat.rpt"); break;
    case 6: arquivo = QStringLiteral("rel_fat_det.rpt"); break;
    default:
        arquivo = Check2->isChecked() ? QStringLiteral("rel_men_vei_ven.rpt") : QStringLiteral("rel_men_vei.rpt");
    }
    if (!QFileInfo(caminho(arquivo)).isFile()) {
        ctx_.plataforma.mensagem(QStringLiteral("Arquivo ") + caminho(arquivo) + QStringLiteral(" não encontrado."),
                                 Icone::Informacao);
        return;
    }

    Banco& db = ctx_.estado.db;
    const QString filial = fil->displayText();
    const bool filtraFilial = filial != kFilialVazia;
    cr.defineArquivo(caminho(arquivo));
    if (opcao <= 3) {
        const char* titulos[] = {"Relatório de Usuários", "Tabela de Preços", "Relatório de Convênios"};
        cr.defineTitulo(QString::fromUtf8(titulos[opcao - 1]));
        cr.defineFormula(0, QStringLiteral("titulo=''"));
        cr.defineFormula(1, QString());
        cr.defineFormula(2, formulaRodape(db));
    } else if (opcao == 4 || opcao == 7) {
        cr.defineFormula(2, formulaRodape(db));
        const bool porTipo = Check1->isChecked();
        cr.defineOrdem(0, porTipo ? QStringLiteral("+{tipos_mensalistas.tipo}") : QString());
        cr.defineOrdem(1, porTipo ? QStringLiteral("+{mensalistas.nome}") : QString());
        cr.defineTitulo(opcao == 4 ? QStringLiteral("Relatório de Mensalistas")
                                   : QStringLiteral("Relatório de Mensalistas com Veículos"));
        cr.defineSelecao(QStringLiteral("{mensalistas.excluido}=FALSE"));
        if (filtraFilial) cr.defineSelecao(cr.selecao() + QStringLiteral(" and {mensalistas.filial}=") + filial);
        cr.defineFormula(0, QStringLiteral("titulo=''"));
        cr.defineFormula(1, QString());
    } else {
        pedidoFaturamento(cr.pedido(), db, opcao == 6, inicio, fim, filial);
    }
    cr.defineAjuste(34, true);
    cr.defineAjuste(67, 2);
    cr.executa();
}
