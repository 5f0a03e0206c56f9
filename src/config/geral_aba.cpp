// The tab "Geral" of the configuration window: "Gravar" of the general settings, and the box
// "Numeração Tickets" with its "Alterar".

#include "config/geral_aba.h"

#include "config/carga_configuracao.h"
#include "config/controles_configuracao.h"
#include "config/geral_config.h"
#include "config/numeracao_ticket.h"
#include "yard/tela_principal.h"
#include "widgets/campo_entrada.h"
#include "widgets/cria.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Two boxes that exclude each other: checking one, by hand or by the program, unchecks the other.
void excluemSe(QCheckBox* a, QCheckBox* b) {
    QObject::connect(a, &QCheckBox::toggled, b, [b](bool marcado) { if (marcado) b->setChecked(false); });
    QObject::connect(b, &QCheckBox::toggled, a, [a](bool marcado) { if (marcado) a->setChecked(false); });
}

}  // namespace

AbaGeral::AbaGeral(Contexto& ctx, TelaPrincipal& a, QWidget* pai) : AbaConfiguracao(ctx, a, pai) {
    Label27 = cria<QLabel>(this, "Label27", QStringLiteral("CNPJ:"));
    cnp = campoMascara(this, "cnp", QStringLiteral("##.###.###/####-##"), true);
    Check2 = cria<QCheckBox>(this, "Check2",
                             QStringLiteral("Mostrar a lista de pátio na tela principal"));
    Check7 = cria<QCheckBox>(this, "Check7", QStringLiteral("Mostrar campo Prisma"));
    Check11 = cria<QCheckBox>(this, "Check11", QStringLiteral("Estacionamento 24 horas"));
    Check8 = cria<QCheckBox>(this, "Check8", QStringLiteral(
        "Quando mensalista estiver em atraso, permitir apenas entrada como avulso"));
    Check14 = cria<QCheckBox>(this, "Check14",
                              QStringLiteral("Imprimir relatório analítico no fechamento de caixa"));
    Check15 = cria<QCheckBox>(this, "Check15", QStringLiteral("Mostrar campo Veículo"));

    Frame2 = cria<QGroupBox>(this, "Frame2", QStringLiteral(
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
    for (QLineEdit* campo : {lin1, lin2, lin3, lin4, pen, ult}) campo->setMaxLength(40);
    rotulosECampos(new QGridLayout(Frame2), {{Label22, lin1}, {Label24, lin2}, {Label25, lin3},
                                             {Label26, lin4}, {Label31, pen}, {Label32, ult}},
                   false);

    Frame5 = cria<QGroupBox>(this, "Frame5", QStringLiteral("Impressão Bobina"));
    Option8 = cria<QRadioButton>(Frame5, "Option8", QStringLiteral("36 colunas"));
    Option6 = cria<QRadioButton>(Frame5, "Option6", QStringLiteral("40 colunas"));
    Option7 = cria<QRadioButton>(Frame5, "Option7", QStringLiteral("48 colunas"));
    Label42 = cria<QLabel>(Frame5, "Label42", QStringLiteral("Avanço:"));
    ava = campoMascara(Frame5, "ava", QStringLiteral("##"), true);
    Label43 = cria<QLabel>(Frame5, "Label43", QStringLiteral("linhas"));
    auto* f5 = new QVBoxLayout(Frame5);
    f5->addWidget(Option8);
    f5->addWidget(Option6);
    f5->addWidget(Option7);
    f5->addLayout(linhaDe({Label42, ava, Label43}));

    Frame9 = cria<QGroupBox>(this, "Frame9", QStringLiteral("Impressora Fiscal"));
    Label46 = cria<QLabel>(Frame9, "Label46", QStringLiteral("Impressora:"));
    imp_fis = cria<QComboBox>(Frame9, "imp_fis");
    Label45 = cria<QLabel>(Frame9, "Label45", QStringLiteral("Alíquota:"));
    ali = cria<QComboBox>(Frame9, "ali");
    Check12 = cria<QCheckBox>(Frame9, "Check12", QStringLiteral("Leitura X no fechamento do caixa"));
    Check13 = cria<QCheckBox>(Frame9, "Check13", QStringLiteral("Redução Z antes das "));
    hor_red = campoMascara(Frame9, "hor_red", QStringLiteral("##:##"), false);
    auto* f9 = new QVBoxLayout(Frame9);
    f9->addLayout(linhaDe({Label46, imp_fis}));
    f9->addLayout(linhaDe({Label45, ali}));
    f9->addWidget(Check12);
    f9->addLayout(linhaDe({Check13, hor_red}));

    Frame6 = cria<QGroupBox>(this, "Frame6", QStringLiteral("Numeração Tickets"));
    Label36 = cria<QLabel>(Frame6, "Label36", QStringLiteral("Tic. atual:"));
    const QString casas(kCasasTicket, u'#');
    tic = campoMascara(Frame6, "tic", casas, false);
    tic->setEnabled(false);
    Label35 = cria<QLabel>(Frame6, "Label35", QStringLiteral("Próx. tic.:"));
    pro = campoMascara(Frame6, "pro", casas, true);
    Command22 = criaBotao(Frame6, "Command22", QStringLiteral("Alterar"));
    auto* f6 = new QGridLayout(Frame6);
    rotulosECampos(f6, {{Label36, tic}, {Label35, pro}}, false);
    f6->addWidget(Command22, 2, 0, 1, 2);

    Frame3 = cria<QGroupBox>(this, "Frame3", QStringLiteral("Portas Paralelas"));
    Label28 = cria<QLabel>(Frame3, "Label28", QStringLiteral("Impressora:"));
    impr = cria<QComboBox>(Frame3, "impr");
    Label29 = cria<QLabel>(Frame3, "Label29", QStringLiteral("Cancela Entrada:"));
    can_ent = cria<QComboBox>(Frame3, "can_ent");
    Label30 = cria<QLabel>(Frame3, "Label30", QStringLiteral("Cancela Saída:"));
    can_sai = cria<QComboBox>(Frame3, "can_sai");
    rotulosECampos(new QGridLayout(Frame3), {{Label28, impr}, {Label29, can_ent}, {Label30, can_sai}},
                   false);

    Frame4 = cria<QGroupBox>(this, "Frame4", QStringLiteral("Opções da Cancela"));
    Check3 = cria<QCheckBox>(Frame4, "Check3", QStringLiteral("Ativar a Cancela de Entrada após "));
    tem_ent = campoMascara(Frame4, "tem_ent", QStringLiteral("#"), true);
    Label33 = cria<QLabel>(Frame4, "Label33", QStringLiteral("seg."));
    Check5 = cria<QCheckBox>(Frame4, "Check5",
                             QStringLiteral("Ativar a Cancela de Entrada manualmente"));
    Check4 = cria<QCheckBox>(Frame4, "Check4", QStringLiteral("Ativar a Cancela de Saída após "));
    tem_sai = campoMascara(Frame4, "tem_sai", QStringLiteral("#"), true);
    Label34 = cria<QLabel>(Frame4, "Label34", QStringLiteral("seg."));
    Check6 = cria<QCheckBox>(Frame4, "Check6", QStringLiteral("Ativar Cancela de Saída manualmente"));
    Check9 = cria<QCheckBox>(Frame4, "Check9", QStringLiteral("As cancelas baixam automaticamente"));
    Check10 = cria<QCheckBox>(Frame4, "Check10", QStringLiteral("Baixar as cancelas após "));
    bai = campoMascara(Frame4, "bai", QStringLiteral("##"), false);
    Label44 = cria<QLabel>(Frame4, "Label44", QStringLiteral("seg."));
    auto* f4 = new QVBoxLayout(Frame4);
    f4->addLayout(linhaDe({Check3, tem_ent, Label33}));
    f4->addWidget(Check5);
    f4->addLayout(linhaDe({Check4, tem_sai, Label34}));
    f4->addWidget(Check6);
    f4->addWidget(Check9);
    f4->addLayout(linhaDe({Check10, bai, Label44}));

    Command20 = criaBotao(this, "Command20", QStringLiteral("Gravar"));
    QFont negrito = Command20->font();
    negrito.setBold(true);
    Command20->setFont(negrito);
    Command21 = botaoFechar("Command21");

    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(linhaDe({Label27, cnp}));
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
    direita->addLayout(linhaDe({Command20, Command21}));
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(esquerda, 3);
    tudo->addLayout(direita, 2);

    excluemSe(Check3, Check5);   // entry gate: automatic or manual
    excluemSe(Check4, Check6);   // exit gate: automatic or manual
    excluemSe(Check9, Check10);  // gates lowered on their own or after a time
    connect(Command20, &QPushButton::clicked, this,
            [this] { executa(QStringLiteral("gravar as configurações"), [this] { Command20_Click(); }); });
    connect(Command22, &QPushButton::clicked, this, [this] {
        executa(QStringLiteral("alterar a numeração dos tickets"), [this] { Command22_Click(); });
    });
}

void AbaGeral::carrega(const CargaConfiguracao& c) {
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

}

void AbaGeral::Command20_Click() {
    DadosGeral d;
    d.cnp = cnp->texto();
    d.mostrar_lista = Check2->isChecked();
    d.habilitar_prisma = Check7->isChecked();
    d.men_atraso_tranca = Check8->isChecked();
    d.estacionamento24h = Check11->isChecked();
    d.rel_analitico = Check14->isChecked();
    d.habilitar_veiculo = Check15->isChecked();
    d.lin1 = lin1->text();
    d.lin2 = lin2->text();
    d.lin3 = lin3->text();
    d.lin4 = lin4->text();
    d.pen = pen->text();
    d.ult = ult->text();
    d.impr = impr->currentText();
    d.can_ent = can_ent->currentText();
    d.can_sai = can_sai->currentText();
    d.ativar_cancela_ent = Check3->isChecked();
    d.tem_ent = tem_ent->texto();
    d.ativar_cancela_sai = Check4->isChecked();
    d.tem_sai = tem_sai->texto();
    d.ativar_cancela_ent_manual = Check5->isChecked();
    d.ativar_cancela_sai_manual = Check6->isChecked();
    d.baixam_sozinhas = Check9->isChecked();
    d.baixar_apos = Check10->isChecked();
    d.bai = bai->texto();
    d.bobina = Option8->isChecked() ? 36 : Option6->isChecked() ? 40 : Option7->isChecked() ? 48 : 0;
    d.ava = ava->texto();
    d.imp_fis = imp_fis->currentText();
    d.ali = ali->currentText();
    d.leiturax = Check12->isChecked();
    d.reducaoz = Check13->isChecked();
    d.hor_red = hor_red->texto();

    const ResultadoGeral r = grava_geral(ctx_, d);
    if (r.feito) a_.aplicaGeral(r.efeitos);
    if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
    focaCampo(r.foco);
}

void AbaGeral::Command22_Click() {
    const ResultadoNumeracao r = altera_numeracao(ctx_.estado.db, pro->texto(), pro->isModified());
    if (r.feito) {
        tic->setText(r.tic);
        pro->setText(r.pro);   // the box shows the counter again: nothing typed since
    }
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
}
