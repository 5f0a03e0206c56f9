// The "Convênios" tab of the configuration window: the partner list, the editor with its option
// buttons and time-value table, and "Inserir Convênio", "Alterar Convênio", "Excluir Convênio".

#include "config/convenios_aba.h"

#include "config/carga_configuracao.h"
#include "config/controles_configuracao.h"
#include "config/convenio_editor.h"
#include "config/convenios_gravacao.h"
#include "config/grade_convenio.h"
#include "config/listas_configuracao.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"
#include "widgets/lista_escolha.h"
#include "yard/listas_painel.h"
#include "yard/tela_principal.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

std::array<QCheckBox*, 7> diasDa(AbaConvenios& j) {
    return {j.dom, j.seg, j.ter, j.qua, j.qui, j.sex, j.sab};
}

EdicaoConvenio edicao(AbaConvenios& j) {
    EdicaoConvenio e;
    e.con = j.con->text();
    e.cod_con = j.cod_con->text();
    // No kind chosen is no kind: the save refuses it rather than taking it for one.
    e.tipo = j.Option1->isChecked()   ? u'I'
             : j.Option2->isChecked() ? u'F'
             : j.Option3->isChecked() ? u'V'
                                      : QChar();
    e.val_fix = j.val_fix->text();
    e.apos_fixo = j.Option4->isChecked();
    e.apo_fix = j.apo_fix->text();
    e.apo_var = j.apo_var->text();
    e.apo_tem = j.apo_tem->texto();
    e.janela = j.Check1->isChecked();
    e.hor_ini = j.hor_ini->texto();
    e.hor_fim = j.hor_fim->texto();
    e.cob = j.cob->text();
    e.hora_inicio = j.hora_inicio->texto();
    e.hora_fim = j.hora_fim->texto();
    const auto dias = diasDa(j);
    for (size_t i = 0; i < dias.size(); ++i) e.dias[i] = dias[i]->isChecked();
    e.passos = passos_da_grade(j.grid_con);
    return e;
}

}  // namespace

AbaConvenios::AbaConvenios(Contexto& ctx, TelaPrincipal& a, QWidget* pai)
    : AbaConfiguracao(ctx, a, pai) {
    Label1 = cria<QLabel>(this, "Label1", QStringLiteral("Convênio:"));
    con = cria<QLineEdit>(this, "con");
    cod_con = cria<QLineEdit>(this, "cod_con");
    cod_con->setVisible(false);
    cod_con->setEnabled(false);
    Option1 = cria<QRadioButton>(this, "Option1", QStringLiteral("Isento"));
    Option2 = cria<QRadioButton>(this, "Option2", QStringLiteral("Valor Fixo:"));
    val_fix = campoDinheiro(this, "val_fix");
    Option3 = cria<QRadioButton>(this, "Option3",
                                 QStringLiteral("Valor Variável (intervalo de tempo/valor)"));

    Frame1 = cria<QGroupBox>(this, "Frame1", QStringLiteral("Valor Variável"));
    Label2 = cria<QLabel>(Frame1, "Label2", QStringLiteral("Tempo:"));
    tem = campoMascara(Frame1, "tem", QStringLiteral("##:##"), true);
    Label6 = cria<QLabel>(Frame1, "Label6", QStringLiteral("Valor:"));
    val_con = campoDinheiro(Frame1, "val_con");
    Command1 = criaBotao(Frame1, "Command1", QStringLiteral("Inserir"));
    Command3 = criaBotao(Frame1, "Command3", QStringLiteral("Remover"));
    grid_con = gradeConfiguracao(Frame1, "grid_con", 2, 3);
    Option4 = cria<QRadioButton>(Frame1, "Option4",
                                 QStringLiteral("Após tempo acima, cobrar o valor fixo de R$"));
    apo_fix = campoDinheiro(Frame1, "apo_fix");
    Option5 = cria<QRadioButton>(Frame1, "Option5", QStringLiteral("Após tempo acima, cobrar  R$"));
    apo_var = campoDinheiro(Frame1, "apo_var");
    Label23 = cria<QLabel>(Frame1, "Label23", QStringLiteral("a cada"));
    apo_tem = campoMascara(Frame1, "apo_tem", QStringLiteral("##:##"), true);
    auto* f1 = new QGridLayout(Frame1);
    f1->addLayout(linhaDe({Label2, tem, Label6, val_con, Command1, Command3}), 0, 0);
    f1->addWidget(grid_con, 1, 0);
    f1->addLayout(linhaDe({Option4, apo_fix}), 2, 0);
    f1->addLayout(linhaDe({Option5, apo_var, Label23, apo_tem}), 3, 0);

    Check1 = cria<QCheckBox>(this, "Check1", QStringLiteral("Das"));
    hor_ini = campoMascara(this, "hor_ini", QStringLiteral("##:##"), true);
    Label7 = cria<QLabel>(this, "Label7", QStringLiteral("às"));
    hor_fim = campoMascara(this, "hor_fim", QStringLiteral("##:##"), true);
    Label8 = cria<QLabel>(this, "Label8", QStringLiteral("R$"));
    cob = campoDinheiro(this, "cob");

    Frame7 = cria<QGroupBox>(this, "Frame7", QStringLiteral("Horário permitido"));
    Label37 = cria<QLabel>(Frame7, "Label37", QStringLiteral("Das"));
    hora_inicio = campoMascara(Frame7, "hora_inicio", QStringLiteral("##:##:##"), true);
    Label38 = cria<QLabel>(Frame7, "Label38", QStringLiteral("às"));
    hora_fim = campoMascara(Frame7, "hora_fim", QStringLiteral("##:##:##"), true);
    auto* f7 = new QHBoxLayout(Frame7);
    f7->addLayout(linhaDe({Label37, hora_inicio, Label38, hora_fim}));

    Frame8 = cria<QGroupBox>(this, "Frame8", QStringLiteral("Dias permitidos"));
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

    Label9 = cria<QLabel>(this, "Label9", QStringLiteral("Convênios cadastrados:"));
    List1 = cria<QListWidget>(this, "List1");
    Command4 = criaBotao(this, "Command4", QStringLiteral("Inserir Convênio"));
    Command16 = criaBotao(this, "Command16", QStringLiteral("Excluir Convênio"));
    Command17 = criaBotao(this, "Command17", QStringLiteral("Alterar Convênio"));
    Command5 = botaoFechar("Command5");

    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(linhaDe({Label1, con}, false));
    esquerda->addWidget(Option1);
    esquerda->addLayout(linhaDe({Option2, val_fix}));
    esquerda->addWidget(Option3);
    esquerda->addWidget(Frame1);
    esquerda->addLayout(linhaDe({Check1, hor_ini, Label7, hor_fim, Label8, cob}));
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
    auto* tudo = new QVBoxLayout(this);
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

    auto aoMarcar = [this](QRadioButton* o, void (AbaConvenios::*h)()) {
        connect(o, &QRadioButton::toggled, this, [this, h](bool marcado) { if (marcado) (this->*h)(); });
    };
    aoMarcar(Option1, &AbaConvenios::Option1_Click);
    aoMarcar(Option2, &AbaConvenios::Option2_Click);
    aoMarcar(Option3, &AbaConvenios::Option3_Click);
    aoMarcar(Option4, &AbaConvenios::Option4_Click);
    aoMarcar(Option5, &AbaConvenios::Option5_Click);
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(tod, &QCheckBox::toggled, this, [this] { tod_Click(); });
    aoEscolher(List1, this,
               [this] { le(QStringLiteral("o convênio escolhido"), [this] { List1_Click(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("inserir o convênio"), [this] { Command4_Click(); }); });
    connect(Command17, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("alterar o convênio"), [this] { Command17_Click(); }); });
    connect(Command16, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("excluir o convênio"), [this] { Command16_Click(); }); });
}

void AbaConvenios::carrega(const CargaConfiguracao&) {
    grid_con->setHorizontalHeaderLabels({QStringLiteral("Tempo"), QStringLiteral("Valor")});
    carrega_convenios();
}

void AbaConvenios::carrega_convenios() {
    List1->clear();
    List1->addItems(nomesConvenios(ctx_.estado.db));
}

// Enabling rules of the kind, of the charge after the steps and of the charging window.
void AbaConvenios::Option1_Click() {
    val_fix->setEnabled(false);
    Frame1->setEnabled(false);
}
void AbaConvenios::Option2_Click() {
    val_fix->setEnabled(true);
    Frame1->setEnabled(false);
}
void AbaConvenios::Option3_Click() {
    val_fix->setEnabled(false);
    Frame1->setEnabled(true);
}
void AbaConvenios::Option4_Click() {
    apo_fix->setEnabled(true);
    apo_var->setEnabled(false);
    apo_tem->setEnabled(false);
}
void AbaConvenios::Option5_Click() {
    apo_fix->setEnabled(false);
    apo_var->setEnabled(true);
    apo_tem->setEnabled(true);
}
void AbaConvenios::Check1_Click() {
    const bool marcado = Check1->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{hor_ini, hor_fim, cob}) w->setEnabled(marcado);
    if (!marcado) {
        hor_ini->limpa();
        hor_fim->limpa();
        cob->clear();
    }
}
void AbaConvenios::tod_Click() {
    for (QCheckBox* d : diasDa(*this)) d->setChecked(tod->isChecked());
}

void AbaConvenios::limpa_campos_convenio() {
    cod_con->clear();
    con->clear();
    // Already chosen options raise no signal: their rule is run here all the same.
    Option1->setChecked(true);
    Option1_Click();
    val_fix->clear();
    val_con->clear();
    tem->limpa();
    preenche_grade_convenio(grid_con, {});
    Option4->setChecked(true);
    Option4_Click();
    apo_fix->clear();
    apo_var->clear();
    apo_tem->limpa();
    Check1->setChecked(false);
    Check1_Click();
    hora_inicio->limpa();
    hora_fim->limpa();
    for (QCheckBox* d : diasDa(*this)) d->setChecked(false);
    tod->setChecked(false);
    cob->clear();
}

void AbaConvenios::List1_Click() {
    const QListWidgetItem* item = List1->currentItem();
    if (!item) return;
    const auto e = le_convenio(ctx_.estado.db, item->text());
    if (!e) return;
    limpa_campos_convenio();
    con->setText(e->con);
    cod_con->setText(e->cod_con);
    if (e->tipo == u'F') {
        Option2->setChecked(true);
        val_fix->setText(e->val_fix);
    } else if (e->tipo == u'V') {
        Option3->setChecked(true);
        if (e->apos_fixo) {
            Option4->setChecked(true);
            apo_fix->setText(e->apo_fix);
        } else {
            Option5->setChecked(true);
            apo_var->setText(e->apo_var);
            apo_tem->setText(e->apo_tem);
        }
    }
    if (e->janela) {
        Check1->setChecked(true);
        hor_ini->setText(e->hor_ini);
        hor_fim->setText(e->hor_fim);
        cob->setText(e->cob);
    }
    hora_inicio->setText(e->hora_inicio);
    hora_fim->setText(e->hora_fim);
    if (std::all_of(e->dias.begin(), e->dias.end(), [](bool d) { return d; })) {
        tod->setChecked(true);
    } else {
        const auto dias = diasDa(*this);
        for (size_t i = 0; i < dias.size(); ++i) dias[i]->setChecked(e->dias[i]);
    }
    if (e->tipo == u'V') preenche_grade_convenio(grid_con, e->passos);
}

void AbaConvenios::Command1_Click() {
    const ResultadoAba r = valida_passo(tem->texto(), val_con->text());
    if (!r.feito) {
        ctx_.plataforma.mensagem(r.mensagem, r.icone);
        focaCampo(r.foco);
        return;
    }
    adiciona_linha_convenio(grid_con, tem->texto(), val_con->text());
    tem->limpa();
    val_con->clear();
    tem->setFocus();
}

void AbaConvenios::Command3_Click() {
    const ResultadoAba r = remove_linha_convenio(grid_con);
    if (!r.feito) ctx_.plataforma.mensagem(r.mensagem, r.icone);
}

// After inserting or changing an agreement: a refusal is told and its field focused; a saved
// agreement reloads the list, clears the fields and refreshes the main window's agreements
// before its message. True when it was saved.
bool AbaConvenios::mostra_gravacao_convenio(const ResultadoAba& r) {
    if (!r.feito) {
        ctx_.plataforma.mensagem(r.mensagem, r.icone);
        focaCampo(r.foco);
        return false;
    }
    carrega_convenios();
    limpa_campos_convenio();
    a_.trocaConvenios(lista_convenios(ctx_.estado.db));
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
    return true;
}

void AbaConvenios::Command4_Click() {
    if (!mostra_gravacao_convenio(insere_convenio(ctx_.estado.db, edicao(*this)))) return;
    a_.ofereceModalidade(Modalidade::Convenio, true);
    con->setFocus();
}

void AbaConvenios::Command17_Click() {
    mostra_gravacao_convenio(altera_convenio(ctx_.estado.db, edicao(*this)));
}

void AbaConvenios::Command16_Click() {
    const ResultadoExclusaoConvenio r = exclui_convenio(ctx_.estado.db, cod_con->text());
    if (!r.feito) {
        ctx_.plataforma.mensagem(r.mensagem, r.icone);
        return;
    }
    carrega_convenios();
    limpa_campos_convenio();
    a_.trocaConvenios(lista_convenios(ctx_.estado.db));
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
    if (List1->count() == 0) a_.ofereceModalidade(Modalidade::Convenio, false);
}
