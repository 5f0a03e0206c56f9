#include "config/janela_configuracao.h"

#include "config/carga_configuracao.h"
#include "config/listas_configuracao.h"
#include "config/numeracao_ticket.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "widgets/lista_escolha.h"
#include "widgets/trabalho_banco.h"
#include "yard/janela_principal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

// Fields as wide as what they take.
CampoMascara* mascara(QWidget* pai, const char* nome, const char* mascara, bool seleciona) {
    auto* c = cria<CampoMascara>(pai, nome, QLatin1String(mascara), seleciona);
    c->setMaximumWidth(c->fontMetrics().horizontalAdvance(QString(c->comprimentoMascara() + 2, u'0')) + 12);
    return c;
}

CampoDinheiro* dinheiro(QWidget* pai, const char* nome, const QString& reserva = QString()) {
    auto* c = cria<CampoDinheiro>(pai, nome, reserva);
    c->setMaximumWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("000.000,00")) + 16);
    return c;
}

QTableWidget* grade(QWidget* pai, const char* nome, int colunas, int linhas) {
    auto* g = cria<QTableWidget>(pai, nome, linhas, colunas);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->setVisible(false);
    return g;
}

// Fields side by side with their captions.
QHBoxLayout* linha(std::initializer_list<QWidget*> ws, bool estica = true) {
    auto* l = new QHBoxLayout;
    for (QWidget* w : ws) l->addWidget(w);
    if (estica) l->addStretch();
    return l;
}

void selecionaItem(QComboBox* lista, const QString& texto) {
    const int i = lista->findText(texto);
    lista->setCurrentIndex(i >= 0 ? i : 0);
}

}  // namespace

JanelaConfiguracao::JanelaConfiguracao(Contexto& ctx, JanelaPrincipal& a,
                                       MemoriaConfiguracao& memoria, QWidget* parent)
    : QWidget(parent), filial_carregada(memoria.filial_carregada), ctx_(ctx), a_(a) {
    setObjectName(QStringLiteral("con"));
    setWindowTitle(QStringLiteral("Configurações"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    montaControles();
    ligaEventos();
    le(QStringLiteral("as configurações"), [this] { Form_Load(); });
}

JanelaConfiguracao::~JanelaConfiguracao() = default;

void JanelaConfiguracao::executa(const QString& acao, const std::function<void()>& trabalho) {
    gravaNoBanco(ctx_.plataforma, acao, trabalho);
}

void JanelaConfiguracao::le(const QString& oQue, const std::function<void()>& trabalho) {
    leDoBanco(ctx_.plataforma, oQue, trabalho);
}

void JanelaConfiguracao::montaControles() {
    SSTab1 = cria<QTabWidget>(this, "SSTab1");
    SSTab1->addTab(montaMensalistas(), QStringLiteral("Mensalistas"));
    SSTab1->addTab(montaConvenios(), QStringLiteral("Convênios"));
    SSTab1->addTab(montaTurnos(), QStringLiteral("Turnos"));
    SSTab1->addTab(montaRotativo(), QStringLiteral("Rotativo"));
    SSTab1->addTab(montaDiaria(), QStringLiteral("Diária"));
    SSTab1->addTab(montaGeral(), QStringLiteral("Geral"));
    SSTab1->addTab(montaEscritorio(), QStringLiteral("Escrit/Pista"));
    SSTab1->setCurrentIndex(5);
    auto* tudo = new QVBoxLayout(this);
    tudo->addWidget(SSTab1);
    // 9420 by 5808 twips at 15 twips a pixel; the tabs' contents may ask for more.
    setMinimumSize(628, 387);
}

QWidget* JanelaConfiguracao::montaMensalistas() {
    auto* aba = new QWidget;
    cod = cria<QLineEdit>(aba, "cod");
    cod->setVisible(false);
    cod->setEnabled(false);
    Label17 = cria<QLabel>(aba, "Label17", QStringLiteral("Tipo Mensalista:"));
    tip = cria<QLineEdit>(aba, "tip");
    tip->setMaxLength(30);
    Label18 = cria<QLabel>(aba, "Label18", QStringLiteral("Valor Mensalidade:"));
    valor = dinheiro(aba, "valor", QStringLiteral("0,00"));
    Label19 = cria<QLabel>(aba, "Label19", QStringLiteral("Dia Vencimento:"));
    dia = mascara(aba, "dia", "##", false);
    Label20 = cria<QLabel>(aba, "Label20", QStringLiteral("Tipos de Mensalista cadastrados:"));
    List3 = cria<QListWidget>(aba, "List3");
    Command12 = criaBotao(aba, "Command12", QStringLiteral("Inserir Mensalista"));
    Command13 = criaBotao(aba, "Command13", QStringLiteral("Excluir Mensalista"));
    Command15 = criaBotao(aba, "Command15", QStringLiteral("Alterar Mensalista"));
    Command14 = criaBotao(aba, "Command14", QStringLiteral("Fechar"));

    auto* g = new QGridLayout(aba);
    g->addWidget(Label17, 0, 0);
    g->addWidget(tip, 0, 1);
    g->addWidget(Label18, 1, 0);
    g->addLayout(linha({valor}), 1, 1);
    g->addWidget(Label19, 2, 0);
    g->addLayout(linha({dia}), 2, 1);
    g->addWidget(Label20, 3, 0, 1, 2);
    g->addWidget(List3, 4, 0, 1, 2);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {Command12, Command13, Command15, Command14}) botoes->addWidget(b);
    g->addLayout(botoes, 5, 0, 1, 2);
    return aba;
}

QWidget* JanelaConfiguracao::montaConvenios() {
    auto* aba = new QWidget;
    Label1 = cria<QLabel>(aba, "Label1", QStringLiteral("Convênio:"));
    con = cria<QLineEdit>(aba, "con");
    cod_con = cria<QLineEdit>(aba, "cod_con");
    cod_con->setVisible(false);
    cod_con->setEnabled(false);
    Option1 = cria<QRadioButton>(aba, "Option1", QStringLiteral("Isento"));
    Option2 = cria<QRadioButton>(aba, "Option2", QStringLiteral("Valor Fixo:"));
    val_fix = dinheiro(aba, "val_fix");
    Option3 = cria<QRadioButton>(aba, "Option3",
                                 QStringLiteral("Valor Variável (intervalo de tempo/valor)"));

    Frame1 = cria<QGroupBox>(aba, "Frame1", QStringLiteral("Valor Variável"));
    Label2 = cria<QLabel>(Frame1, "Label2", QStringLiteral("Tempo:"));
    tem = mascara(Frame1, "tem", "##:##", true);
    Label6 = cria<QLabel>(Frame1, "Label6", QStringLiteral("Valor:"));
    val_con = dinheiro(Frame1, "val_con");
    Command1 = criaBotao(Frame1, "Command1", QStringLiteral("Inserir"));
    Command3 = criaBotao(Frame1, "Command3", QStringLiteral("Remover"));
    grid_con = grade(Frame1, "grid_con", 2, 3);
    Option4 = cria<QRadioButton>(Frame1, "Option4",
                                 QStringLiteral("Após tempo acima, cobrar o valor fixo de R$"));
    apo_fix = dinheiro(Frame1, "apo_fix");
    Option5 = cria<QRadioButton>(Frame1, "Option5", QStringLiteral("Após tempo acima, cobrar  R$"));
    apo_var = dinheiro(Frame1, "apo_var");
    Label23 = cria<QLabel>(Frame1, "Label23", QStringLiteral("a cada"));
    apo_tem = mascara(Frame1, "apo_tem", "##:##", true);
    auto* f1 = new QGridLayout(Frame1);
    f1->addLayout(linha({Label2, tem, Label6, val_con, Command1, Command3}), 0, 0);
    f1->addWidget(grid_con, 1, 0);
    f1->addLayout(linha({Option4, apo_fix}), 2, 0);
    f1->addLayout(linha({Option5, apo_var, Label23, apo_tem}), 3, 0);

    Check1 = cria<QCheckBox>(aba, "Check1", QStringLiteral("Das"));
    hor_ini = mascara(aba, "hor_ini", "##:##", true);
    Label7 = cria<QLabel>(aba, "Label7", QStringLiteral("às"));
    hor_fim = mascara(aba, "hor_fim", "##:##", true);
    Label8 = cria<QLabel>(aba, "Label8", QStringLiteral("R$"));
    cob = dinheiro(aba, "cob");

    Frame7 = cria<QGroupBox>(aba, "Frame7", QStringLiteral("Horário permitido"));
    Label37 = cria<QLabel>(Frame7, "Label37", QStringLiteral("Das"));
    hora_inicio = mascara(Frame7, "hora_inicio", "##:##:##", true);
    Label38 = cria<QLabel>(Frame7, "Label38", QStringLiteral("às"));
    hora_fim = mascara(Frame7, "hora_fim", "##:##:##", true);
    auto* f7 = new QHBoxLayout(Frame7);
    f7->addLayout(linha({Label37, hora_inicio, Label38, hora_fim}));

    Frame8 = cria<QGroupBox>(aba, "Frame8", QStringLiteral("Dias permitidos"));
    dom = cria<QCheckBox>(Frame8, "dom", QStringLiteral("Domingo"));
    seg = cria<QCheckBox>(Frame8, "seg", QStringLiteral("Segunda"));
    ter = cria<QCheckBox>(Frame8, "ter", QStringLiteral("Terça"));
    qua = cria<QCheckBox>(Frame8, "qua", QStringLiteral("Quarta"));
    qui = cria<QCheckBox>(Frame8, "qui", QStringLiteral("Quinta"));
    sex = cria<QCheckBox>(Frame8, "sex", QStringLiteral("Sexta"));
    sab = cria<QCheckBox>(Frame8, "sab", QStringLiteral("Sábado"));
    tod = cria<QCheckBox>(Frame8, "tod", QStringLiteral("Todos"));
    auto* f8 = new QGridLayout(Frame8);
    int i = 0;
    for (QCheckBox* c : {dom, seg, ter, qua, qui, sex, sab, tod}) {
        f8->addWidget(c, i / 4, i % 4);
        ++i;
    }

    Label9 = cria<QLabel>(aba, "Label9", QStringLiteral("Convênios cadastrados:"));
    List1 = cria<QListWidget>(aba, "List1");
    Command4 = criaBotao(aba, "Command4", QStringLiteral("Inserir Convênio"));
    Command16 = criaBotao(aba, "Command16", QStringLiteral("Excluir Convênio"));
    Command17 = criaBotao(aba, "Command17", QStringLiteral("Alterar Convênio"));
    Command5 = criaBotao(aba, "Command5", QStringLiteral("Fechar"));

    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(linha({Label1, con}, false));
    esquerda->addWidget(Option1);
    esquerda->addLayout(linha({Option2, val_fix}));
    esquerda->addWidget(Option3);
    esquerda->addWidget(Frame1);
    esquerda->addLayout(linha({Check1, hor_ini, Label7, hor_fim, Label8, cob}));
    auto* direita = new QVBoxLayout;
    direita->addWidget(Frame7);
    direita->addWidget(Frame8);
    direita->addWidget(Label9);
    direita->addWidget(List1);
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(esquerda, 3);
    corpo->addLayout(direita, 2);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {Command4, Command16, Command17, Command5}) botoes->addWidget(b);
    auto* tudo = new QVBoxLayout(aba);
    tudo->addLayout(corpo);
    tudo->addLayout(botoes);

    // The tab opens with "Isento" and the fixed amount after the steps chosen, and the fields
    // those choices leave out disabled.
    Option1->setChecked(true);
    Option4->setChecked(true);
    val_fix->setEnabled(false);
    Frame1->setEnabled(false);
    apo_var->setEnabled(false);
    apo_tem->setEnabled(false);
    hor_ini->setEnabled(false);
    hor_fim->setEnabled(false);
    cob->setEnabled(false);
    return aba;
}

QWidget* JanelaConfiguracao::montaTurnos() {
    auto* aba = new QWidget;
    Label10 = cria<QLabel>(aba, "Label10", QStringLiteral("Hora Inicial:"));
    hor_ini_tur = mascara(aba, "hor_ini_tur", "##:##", true);
    Label3 = cria<QLabel>(aba, "Label3", QStringLiteral("Hora Final:"));
    hor_fim_tur = mascara(aba, "hor_fim_tur", "##:##", true);
    Label11 = cria<QLabel>(aba, "Label11", QStringLiteral("Valor:"));
    val_tur = dinheiro(aba, "val_tur");
    Label12 = cria<QLabel>(aba, "Label12", QStringLiteral("Turnos Cadastrados:"));
    grid_tur = grade(aba, "grid_tur", 3, 2);
    Command2 = criaBotao(aba, "Command2", QStringLiteral("Inserir Turno"));
    Command6 = criaBotao(aba, "Command6", QStringLiteral("Excluir Turno"));
    Command7 = criaBotao(aba, "Command7", QStringLiteral("Fechar"));
    auto* g = new QGridLayout(aba);
    g->addWidget(Label10, 0, 0);
    g->addLayout(linha({hor_ini_tur}), 0, 1);
    g->addWidget(Label3, 1, 0);
    g->addLayout(linha({hor_fim_tur}), 1, 1);
    g->addWidget(Label11, 2, 0);
    g->addLayout(linha({val_tur}), 2, 1);
    g->addWidget(Label12, 3, 0, 1, 2);
    g->addWidget(grid_tur, 4, 0, 1, 2);
    g->addLayout(linha({Command2, Command6, Command7}), 5, 0, 1, 2);
    return aba;
}

QWidget* JanelaConfiguracao::montaRotativo() {
    auto* aba = new QWidget;
    Label4 = cria<QLabel>(aba, "Label4", QStringLiteral("Tempo:"));
    tem_rot = mascara(aba, "tem_rot", "##:##", true);
    Label5 = cria<QLabel>(aba, "Label5", QStringLiteral("Valor:"));
    val_rot = dinheiro(aba, "val_rot");
    Command8 = criaBotao(aba, "Command8", QStringLiteral("Inserir"));
    Command9 = criaBotao(aba, "Command9", QStringLiteral("Remover"));
    Label13 = cria<QLabel>(aba, "Label13",
                           QStringLiteral("Obs.: O tempo e valor devem estar em ordem."));
    grid_rot = grade(aba, "grid_rot", 2, 2);
    Label14 = cria<QLabel>(aba, "Label14", QStringLiteral("Após o tempo acima, cobrar R$"));
    apo_cob = dinheiro(aba, "apo_cob");
    Label15 = cria<QLabel>(aba, "Label15", QStringLiteral("a cada"));
    apo_cad = mascara(aba, "apo_cad", "##:##", true);
    Command10 = criaBotao(aba, "Command10", QStringLiteral("Gravar"));
    Command11 = criaBotao(aba, "Command11", QStringLiteral("Fechar"));
    auto* tudo = new QVBoxLayout(aba);
    tudo->addLayout(linha({Label4, tem_rot, Label5, val_rot, Command8, Command9}));
    tudo->addWidget(Label13);
    tudo->addWidget(grid_rot);
    tudo->addLayout(linha({Label14, apo_cob, Label15, apo_cad}));
    tudo->addLayout(linha({Command10, Command11}));
    return aba;
}

QWidget* JanelaConfiguracao::montaDiaria() {
    auto* aba = new QWidget;
    Label16 = cria<QLabel>(aba, "Label16", QStringLiteral("Tempo da diária (em horas):"));
    tem_dia = mascara(aba, "tem_dia", "##", true);
    Label21 = cria<QLabel>(aba, "Label21", QStringLiteral("Valor da diária:"));
    val_dia = dinheiro(aba, "val_dia");
    Command18 = criaBotao(aba, "Command18", QStringLiteral("Gravar"));
    Command19 = criaBotao(aba, "Command19", QStringLiteral("Fechar"));
    auto* g = new QGridLayout(aba);
    g->addWidget(Label16, 0, 0);
    g->addLayout(linha({tem_dia}), 0, 1);
    g->addWidget(Label21, 1, 0);
    g->addLayout(linha({val_dia}), 1, 1);
    g->addLayout(linha({Command18, Command19}), 2, 0, 1, 2);
    g->setRowStretch(3, 1);
    return aba;
}

QWidget* JanelaConfiguracao::montaGeral() {
    auto* aba = new QWidget;
    Label27 = cria<QLabel>(aba, "Label27", QStringLiteral("CNPJ:"));
    cnp = mascara(aba, "cnp", "##.###.###/####-##", true);
    Check2 = cria<QCheckBox>(aba, "Check2",
                             QStringLiteral("Mostrar a lista de pátio na tela principal"));
    Check7 = cria<QCheckBox>(aba, "Check7", QStringLiteral("Mostrar campo Prisma"));
    Check11 = cria<QCheckBox>(aba, "Check11", QStringLiteral("Estacionamento 24 horas"));
    Check8 = cria<QCheckBox>(aba, "Check8", QStringLiteral(
        "Quando mensalista estiver em atraso, permitir apenas entrada como avulso"));
    Check14 = cria<QCheckBox>(aba, "Check14",
                              QStringLiteral("Imprimir relatório analítico no fechamento de caixa"));
    Check15 = cria<QCheckBox>(aba, "Check15", QStringLiteral("Mostrar campo Veículo"));

    Frame2 = cria<QGroupBox>(aba, "Frame2", QStringLiteral(
        "Texto a ser impresso nos comprovantes de entrada/saída/pgto. de mensalidade"));
    Label22 = cria<QLabel>(Frame2, "Label22", QStringLiteral("1ª Linha:"));
    lin1 = cria<QLineEdit>(Frame2, "lin1");
    Label24 = cria<QLabel>(Frame2, "Label24", QStringLiteral("2ª Linha:"));
    lin2 = cria<QLineEdit>(Frame2, "lin2");
    Label25 = cria<QLabel>(Frame2, "Label25", QStringLiteral("3ª Linha:"));
    lin3 = cria<QLineEdit>(Frame2, "lin3");
    Label26 = cria<QLabel>(Frame2, "Label26", QStringLiteral("4ª Linha:"));
    lin4 = cria<QLineEdit>(Frame2, "lin4");
    Label31 = cria<QLabel>(Frame2, "Label31", QStringLiteral("Penúlt. Linha:"));
    pen = cria<QLineEdit>(Frame2, "pen");
    Label32 = cria<QLabel>(Frame2, "Label32", QStringLiteral("Última Linha:"));
    ult = cria<QLineEdit>(Frame2, "ult");
    auto* f2 = new QGridLayout(Frame2);
    const std::pair<QLabel*, QLineEdit*> linhas[] = {{Label22, lin1}, {Label24, lin2},
                                                     {Label25, lin3}, {Label26, lin4},
                                                     {Label31, pen},  {Label32, ult}};
    int l = 0;
    for (const auto& [rotulo, campo] : linhas) {
        campo->setMaxLength(40);
        f2->addWidget(rotulo, l, 0);
        f2->addWidget(campo, l++, 1);
    }

    Frame5 = cria<QGroupBox>(aba, "Frame5", QStringLiteral("Impressão Bobina"));
    Option8 = cria<QRadioButton>(Frame5, "Option8", QStringLiteral("36 colunas"));
    Option6 = cria<QRadioButton>(Frame5, "Option6", QStringLiteral("40 colunas"));
    Option7 = cria<QRadioButton>(Frame5, "Option7", QStringLiteral("48 colunas"));
    Label42 = cria<QLabel>(Frame5, "Label42", QStringLiteral("Avanço:"));
    ava = mascara(Frame5, "ava", "##", true);
    Label43 = cria<QLabel>(Frame5, "Label43", QStringLiteral("linhas"));
    auto* f5 = new QVBoxLayout(Frame5);
    f5->addWidget(Option8);
    f5->addWidget(Option6);
    f5->addWidget(Option7);
    f5->addLayout(linha({Label42, ava, Label43}));

    Frame9 = cria<QGroupBox>(aba, "Frame9", QStringLiteral("Impressora Fiscal"));
    Label46 = cria<QLabel>(Frame9, "Label46", QStringLiteral("Impressora:"));
    imp_fis = cria<QComboBox>(Frame9, "imp_fis");
    Label45 = cria<QLabel>(Frame9, "Label45", QStringLiteral("Alíquota:"));
    ali = cria<QComboBox>(Frame9, "ali");
    Check12 = cria<QCheckBox>(Frame9, "Check12", QStringLiteral("Leitura X no fechamento do caixa"));
    Check13 = cria<QCheckBox>(Frame9, "Check13", QStringLiteral("Redução Z antes das "));
    hor_red = mascara(Frame9, "hor_red", "##:##", false);
    auto* f9 = new QVBoxLayout(Frame9);
    f9->addLayout(linha({Label46, imp_fis}));
    f9->addLayout(linha({Label45, ali}));
    f9->addWidget(Check12);
    f9->addLayout(linha({Check13, hor_red}));

    Frame6 = cria<QGroupBox>(aba, "Frame6", QStringLiteral("Numeração Tickets"));
    Label36 = cria<QLabel>(Frame6, "Label36", QStringLiteral("Tic. atual:"));
    const QString casas(kCasasTicket, u'#');
    tic = mascara(Frame6, "tic", qPrintable(casas), false);
    tic->setEnabled(false);
    Label35 = cria<QLabel>(Frame6, "Label35", QStringLiteral("Próx. tic.:"));
    pro = mascara(Frame6, "pro", qPrintable(casas), true);
    Command22 = criaBotao(Frame6, "Command22", QStringLiteral("Alterar"));
    auto* f6 = new QGridLayout(Frame6);
    f6->addWidget(Label36, 0, 0);
    f6->addWidget(tic, 0, 1);
    f6->addWidget(Label35, 1, 0);
    f6->addWidget(pro, 1, 1);
    f6->addWidget(Command22, 2, 0, 1, 2);

    Frame3 = cria<QGroupBox>(aba, "Frame3", QStringLiteral("Portas Paralelas"));
    Label28 = cria<QLabel>(Frame3, "Label28", QStringLiteral("Impressora:"));
    impr = cria<QComboBox>(Frame3, "impr");
    Label29 = cria<QLabel>(Frame3, "Label29", QStringLiteral("Cancela Entrada:"));
    can_ent = cria<QComboBox>(Frame3, "can_ent");
    Label30 = cria<QLabel>(Frame3, "Label30", QStringLiteral("Cancela Saída:"));
    can_sai = cria<QComboBox>(Frame3, "can_sai");
    auto* f3 = new QGridLayout(Frame3);
    f3->addWidget(Label28, 0, 0);
    f3->addWidget(impr, 0, 1);
    f3->addWidget(Label29, 1, 0);
    f3->addWidget(can_ent, 1, 1);
    f3->addWidget(Label30, 2, 0);
    f3->addWidget(can_sai, 2, 1);

    Frame4 = cria<QGroupBox>(aba, "Frame4", QStringLiteral("Opções da Cancela"));
    Check3 = cria<QCheckBox>(Frame4, "Check3", QStringLiteral("Ativar a Cancela de Entrada após "));
    tem_ent = mascara(Frame4, "tem_ent", "#", true);
    Label33 = cria<QLabel>(Frame4, "Label33", QStringLiteral("seg."));
    Check5 = cria<QCheckBox>(Frame4, "Check5",
                             QStringLiteral("Ativar a Cancela de Entrada manualmente"));
    Check4 = cria<QCheckBox>(Frame4, "Check4", QStringLiteral("Ativar a Cancela de Saída após "));
    tem_sai = mascara(Frame4, "tem_sai", "#", true);
    Label34 = cria<QLabel>(Frame4, "Label34", QStringLiteral("seg."));
    Check6 = cria<QCheckBox>(Frame4, "Check6", QStringLiteral("Ativar Cancela de Saída manualmente"));
    Check9 = cria<QCheckBox>(Frame4, "Check9", QStringLiteral("As cancelas baixam automaticamente"));
    Check10 = cria<QCheckBox>(Frame4, "Check10", QStringLiteral("Baixar as cancelas após "));
    bai = mascara(Frame4, "bai", "##", false);
    Label44 = cria<QLabel>(Frame4, "Label44", QStringLiteral("seg."));
    auto* f4 = new QVBoxLayout(Frame4);
    f4->addLayout(linha({Check3, tem_ent, Label33}));
    f4->addWidget(Check5);
    f4->addLayout(linha({Check4, tem_sai, Label34}));
    f4->addWidget(Check6);
    f4->addWidget(Check9);
    f4->addLayout(linha({Check10, bai, Label44}));

    Command20 = criaBotao(aba, "Command20", QStringLiteral("Gravar"));
    QFont negrito = Command20->font();
    negrito.setBold(true);
    Command20->setFont(negrito);
    Command21 = criaBotao(aba, "Command21", QStringLiteral("Fechar"));

    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(linha({Label27, cnp}));
    for (QCheckBox* c : {Check2, Check7, Check11, Check8, Check14, Check15}) esquerda->addWidget(c);
    esquerda->addWidget(Frame2);
    auto* meio = new QHBoxLayout;
    meio->addWidget(Frame5);
    meio->addWidget(Frame9, 1);
    esquerda->addLayout(meio);
    auto* direita = new QVBoxLayout;
    direita->addWidget(Frame3);
    direita->addWidget(Frame4);
    direita->addWidget(Frame6);
    direita->addStretch();
    direita->addLayout(linha({Command20, Command21}));
    auto* tudo = new QHBoxLayout(aba);
    tudo->addLayout(esquerda, 3);
    tudo->addLayout(direita, 2);
    return aba;
}

QWidget* JanelaConfiguracao::montaEscritorio() {
    auto* aba = new QWidget;
    Label40 = cria<QLabel>(aba, "Label40", QStringLiteral("Escritório ou pista?"));
    esc = cria<QComboBox>(aba, "esc");
    Label41 = cria<QLabel>(aba, "Label41", QStringLiteral("Se for pista, qual filial?"));
    fil = mascara(aba, "fil", "##", true);
    Command23 = criaBotao(aba, "Command23", QStringLiteral("Gravar"));
    auto* g = new QGridLayout(aba);
    g->addWidget(Label40, 0, 0);
    g->addLayout(linha({esc}), 0, 1);
    g->addWidget(Label41, 1, 0);
    g->addLayout(linha({fil}), 1, 1);
    g->addLayout(linha({Command23}), 2, 0, 1, 2);
    g->setRowStretch(3, 1);
    return aba;
}

void JanelaConfiguracao::ligaEventos() {
    // A box set by the program runs its handler as a click would.
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });
    connect(Check5, &QCheckBox::toggled, this, [this] { Check5_Click(); });
    connect(Check6, &QCheckBox::toggled, this, [this] { Check6_Click(); });
    connect(Check9, &QCheckBox::toggled, this, [this] { Check9_Click(); });
    connect(Check10, &QCheckBox::toggled, this, [this] { Check10_Click(); });
    connect(esc, &QComboBox::currentIndexChanged, this, [this] { esc_Click(); });

    for (QPushButton* fechar : {Command14, Command5, Command7, Command11, Command19, Command21})
        connect(fechar, &QPushButton::clicked, this, &QWidget::close);

    aoEscolher(List3, this,
               [this] { le(QStringLiteral("o tipo de mensalista escolhido"), [this] { List3_Click(); }); });
    connect(Command12, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("inserir o tipo de mensalista"), [this] { Command12_Click(); }); });
    connect(Command15, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("alterar o tipo de mensalista"), [this] { Command15_Click(); }); });
    connect(Command13, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("excluir o tipo de mensalista"), [this] { Command13_Click(); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("inserir o turno"), [this] { Command2_Click(); }); });
    connect(Command6, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("excluir o turno"), [this] { Command6_Click(); }); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command10, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("gravar a tabela do rotativo"), [this] { Command10_Click(); }); });
    connect(Command18, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("gravar a diária"), [this] { Command18_Click(); }); });
    ligaConvenios();
}

void JanelaConfiguracao::focaCampo(const QString& nome) {
    if (nome.isEmpty()) return;
    if (auto* w = findChild<QWidget*>(nome)) w->setFocus();
}

// Ticking one box of a gate pair unticks the other; unticking changes nothing.
void JanelaConfiguracao::Check3_Click() { if (Check3->isChecked()) Check5->setChecked(false); }
void JanelaConfiguracao::Check5_Click() { if (Check5->isChecked()) Check3->setChecked(false); }
void JanelaConfiguracao::Check4_Click() { if (Check4->isChecked()) Check6->setChecked(false); }
void JanelaConfiguracao::Check6_Click() { if (Check6->isChecked()) Check4->setChecked(false); }
void JanelaConfiguracao::Check9_Click() { if (Check9->isChecked()) Check10->setChecked(false); }
void JanelaConfiguracao::Check10_Click() { if (Check10->isChecked()) Check9->setChecked(false); }

void JanelaConfiguracao::esc_Click() {
    fil->setEnabled(esc->currentText() != QStringLiteral("Escritório"));
}

void JanelaConfiguracao::Form_Load() {
    carrega_tipos_mensalistas();
    grid_con->setHorizontalHeaderLabels({QStringLiteral("Tempo"), QStringLiteral("Valor")});
    carrega_convenios();
    grid_tur->setHorizontalHeaderLabels(
        {QStringLiteral("Hora Inicial"), QStringLiteral("Hora Final"), QStringLiteral("Valor")});
    carrega_turnos();
    grid_rot->setHorizontalHeaderLabels({QStringLiteral("Tempo"), QStringLiteral("Valor")});
    carrega_tabela_rotativo();

    const CargaConfiguracao c = leCargaConfiguracao(ctx_.estado.db);
    apo_cob->setText(c.apo_cob);
    apo_cad->setText(c.apo_cad);
    tem_dia->setText(c.tem_dia);
    val_dia->setText(c.val_dia);

    cnp->setText(c.cnp);
    Check2->setChecked(c.mostrar_lista);
    Check7->setChecked(c.habilitar_prisma);
    Check11->setChecked(c.estacionamento24h);
    Check8->setChecked(c.men_atraso_tranca);
    Check14->setChecked(c.rel_analitico);
    Check15->setChecked(c.habilitar_veiculo);
    lin1->setText(c.lin1);
    lin2->setText(c.lin2);
    lin3->setText(c.lin3);
    lin4->setText(c.lin4);
    pen->setText(c.pen);
    ult->setText(c.ult);
    impr->addItems({QStringLiteral(" "), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
                    QStringLiteral("COM1")});
    for (QComboBox* l : {can_ent, can_sai})
        l->addItems({QStringLiteral(" "), QStringLiteral("LPT1"), QStringLiteral("LPT2")});
    selecionaItem(impr, c.impr);
    selecionaItem(can_ent, c.can_ent);
    selecionaItem(can_sai, c.can_sai);
    // Automatic before manual: when both are stored, the manual box wins.
    Check3->setChecked(c.ativar_cancela_ent);
    tem_ent->setText(c.tem_ent);
    Check4->setChecked(c.ativar_cancela_sai);
    tem_sai->setText(c.tem_sai);
    Check5->setChecked(c.ativar_cancela_ent_manual);
    Check6->setChecked(c.ativar_cancela_sai_manual);
    if (c.baixam_sozinhas) {
        Check9->setChecked(true);
    } else {
        Check10->setChecked(true);
        bai->setText(c.bai);
    }
    (c.bobina == 40 ? Option6 : c.bobina == 48 ? Option7 : Option8)->setChecked(true);
    ava->setText(c.ava);
    ali->addItems({QStringLiteral(" "), QStringLiteral("3,0"), QStringLiteral("12,0"),
                   QStringLiteral("17,0"), QStringLiteral("25,0"), QStringLiteral("ST"),
                   QStringLiteral("Isento")});
    imp_fis->addItems({QStringLiteral(" "), QStringLiteral("Daruma FS345")});
    selecionaItem(imp_fis, c.imp_fis);
    selecionaItem(ali, c.ali);
    Check12->setChecked(c.leiturax);
    Check13->setChecked(c.reducaoz);
    hor_red->setText(c.hor_red);
    tic->setText(c.tic);
    pro->setText(c.pro);

    esc->addItems({QStringLiteral("Escritório"), QStringLiteral("Pista")});
    if (c.escritorio) {
        esc->setCurrentIndex(0);
        fil->limpa();
        fil->setEnabled(false);
    } else {
        esc->setCurrentIndex(1);
        fil->setText(c.fil);
        if (c.filial) filial_carregada = *c.filial;
    }
}

void JanelaConfiguracao::carrega_tipos_mensalistas() {
    List3->clear();
    List3->addItems(tiposMensalistas(ctx_.estado.db));
}

void JanelaConfiguracao::carrega_convenios() {
    List1->clear();
    List1->addItems(nomesConvenios(ctx_.estado.db));
}

namespace {

// Writes the rows under the header, or one blank row when there are none; no row is current.
void preencheGrade(QTableWidget* g, const QList<QStringList>& linhas) {
    g->clearContents();
    g->setRowCount(linhas.isEmpty() ? 1 : int(linhas.size()));
    for (int i = 0; i < linhas.size(); ++i)
        for (int j = 0; j < linhas[i].size(); ++j)
            g->setItem(i, j, new QTableWidgetItem(linhas[i][j]));
    g->setCurrentCell(-1, -1);
    g->clearSelection();
}

}  // namespace

void JanelaConfiguracao::carrega_turnos() { preencheGrade(grid_tur, linhasTurnos(ctx_.estado.db)); }

void JanelaConfiguracao::carrega_tabela_rotativo() {
    preencheGrade(grid_rot, linhasRotativo(ctx_.estado.db));
}

void liga_janela_configuracao(Contexto& ctx, JanelaPrincipal& a) {
    auto memoria = std::make_shared<MemoriaConfiguracao>();
    auto aberta = std::make_shared<QPointer<JanelaConfiguracao>>();
    a.abreJanelaBarra[2] = [&ctx, &a, memoria, aberta] {
        if (!*aberta) {
            auto* j = new JanelaConfiguracao(ctx, a, *memoria, &a);
            j->setAttribute(Qt::WA_DeleteOnClose);
            j->adjustSize();
            if (QScreen* tela = j->screen())
                j->move(tela->availableGeometry().center() - j->rect().center());
            *aberta = j;
        }
        (*aberta)->show();
        (*aberta)->raise();
        (*aberta)->activateWindow();
    };
}
