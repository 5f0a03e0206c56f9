// The "Convênios" tab of the configuration window: the partner list, the editor with its option
// buttons and time-value table, and "Inserir Convênio", "Alterar Convênio", "Excluir Convênio".

#include "config/convenio_editor.h"
#include "config/convenios_gravacao.h"
#include "config/grade_convenio.h"
#include "config/janela_configuracao.h"
#include "widgets/lista_escolha.h"
#include "config/principal_convenios_geral.h"
#include "widgets/campo_entrada.h"
#include "yard/janela_principal.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace {

std::array<QCheckBox*, 7> diasDa(JanelaConfiguracao& j) {
    return {j.dom, j.seg, j.ter, j.qua, j.qui, j.sex, j.sab};
}

EdicaoConvenio edicao(JanelaConfiguracao& j) {
    EdicaoConvenio e;
    e.con = j.con->text();
    e.cod_con = j.cod_con->text();
    e.tipo = j.Option1->isChecked() ? u'I' : j.Option2->isChecked() ? u'F' : u'V';
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

void JanelaConfiguracao::ligaConvenios() {
    auto aoMarcar = [this](QRadioButton* o, void (JanelaConfiguracao::*h)()) {
        connect(o, &QRadioButton::toggled, this, [this, h](bool marcado) { if (marcado) (this->*h)(); });
    };
    aoMarcar(Option1, &JanelaConfiguracao::Option1_Click);
    aoMarcar(Option2, &JanelaConfiguracao::Option2_Click);
    aoMarcar(Option3, &JanelaConfiguracao::Option3_Click);
    aoMarcar(Option4, &JanelaConfiguracao::Option4_Click);
    aoMarcar(Option5, &JanelaConfiguracao::Option5_Click);
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
    connect(Command20, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("gravar as configurações"), [this] { Command20_Click(); }); });
    connect(Command22, &QPushButton::clicked, this, [this] {
        executa(QStringLiteral("alterar a numeração dos tickets"), [this] { Command22_Click(); });
    });
    connect(Command23, &QPushButton::clicked, this, [this] {
        executa(QStringLiteral("gravar o escritório ou a pista"), [this] { Command23_Click(); });
    });
}

// Enabling rules of the kind, of the charge after the steps and of the charging window.
void JanelaConfiguracao::Option1_Click() {
    val_fix->setEnabled(false);
    Frame1->setEnabled(false);
}
void JanelaConfiguracao::Option2_Click() {
    val_fix->setEnabled(true);
    Frame1->setEnabled(false);
}
void JanelaConfiguracao::Option3_Click() {
    val_fix->setEnabled(false);
    Frame1->setEnabled(true);
}
void JanelaConfiguracao::Option4_Click() {
    apo_fix->setEnabled(true);
    apo_var->setEnabled(false);
    apo_tem->setEnabled(false);
}
void JanelaConfiguracao::Option5_Click() {
    apo_fix->setEnabled(false);
    apo_var->setEnabled(true);
    apo_tem->setEnabled(true);
}
void JanelaConfiguracao::Check1_Click() {
    const bool marcado = Check1->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{hor_ini, hor_fim, cob}) w->setEnabled(marcado);
    if (!marcado) {
        hor_ini->limpa();
        hor_fim->limpa();
        cob->clear();
    }
}
void JanelaConfiguracao::tod_Click() {
    for (QCheckBox* d : diasDa(*this)) d->setChecked(tod->isChecked());
}

void JanelaConfiguracao::limpa_campos_convenio() {
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

void JanelaConfiguracao::List1_Click() {
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

void JanelaConfiguracao::Command1_Click() {
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

void JanelaConfiguracao::Command3_Click() {
    const ResultadoAba r = remove_linha_convenio(grid_con);
    if (!r.feito) ctx_.plataforma.mensagem(r.mensagem, r.icone);
}

// After inserting or changing an agreement: a refusal is told and its field focused; a saved
// agreement reloads the list, clears the fields and refreshes the main window's agreements
// before its message. True when it was saved.
bool JanelaConfiguracao::mostra_gravacao_convenio(const ResultadoAba& r) {
    if (!r.feito) {
        ctx_.plataforma.mensagem(r.mensagem, r.icone);
        focaCampo(r.foco);
        return false;
    }
    carrega_convenios();
    limpa_campos_convenio();
    atualizaConveniosDaPrincipal(a_, lista_convenios(ctx_.estado.db));
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
    return true;
}

void JanelaConfiguracao::Command4_Click() {
    if (!mostra_gravacao_convenio(insere_convenio(ctx_.estado.db, edicao(*this)))) return;
    a_.Option5->setEnabled(true);
    con->setFocus();
}

void JanelaConfiguracao::Command17_Click() {
    mostra_gravacao_convenio(altera_convenio(ctx_.estado.db, edicao(*this)));
}

void JanelaConfiguracao::Command16_Click() {
    const ResultadoExclusao r = exclui_convenio(ctx_.estado.db, cod_con->text());
    if (!r.feito) {
        ctx_.plataforma.mensagem(r.mensagem, r.icone);
        return;
    }
    carrega_convenios();
    limpa_campos_convenio();
    atualizaConveniosDaPrincipal(a_, lista_convenios(ctx_.estado.db));
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
    if (List1->count() == 0) {
        a_.Option5->setEnabled(false);
        JanelaPrincipal::marca(a_.Option5, false);
    }
}
