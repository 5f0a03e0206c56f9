// The tab "Geral" of the configuration window: "Gravar" of the general settings, and the box
// "Numeração Tickets" with its "Alterar".

#include "config/geral_config.h"
#include "config/janela_configuracao.h"
#include "config/numeracao_ticket.h"
#include "config/principal_convenios_geral.h"
#include "widgets/campo_entrada.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

void JanelaConfiguracao::Command20_Click() {
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
    if (r.feito) aplicaGeralNaPrincipal(a_, r.efeitos);
    if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
    focaCampo(r.foco);
}

void JanelaConfiguracao::Command22_Click() {
    const ResultadoNumeracao r = altera_numeracao(ctx_.estado.db, pro->texto());
    if (r.feito) {
        tic->setText(r.tic);
        pro->setText(r.pro);
    }
    ctx_.plataforma.mensagem(r.mensagem, r.icone);
}
