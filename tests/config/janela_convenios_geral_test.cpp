#include "janela_config.h"
#include "cash/abe_cai.h"
#include "programa/liga_pista.h"
#include "support/mostra_inteiro.h"
#include "yard/cancelas.h"
#include "yard/entrada.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

namespace {

using JanelaParte2Test = ConfigTest;

// Every amount field of the window, on whichever tab, shows the largest amount whole.
TEST_F(JanelaParte2Test, ValoresDasAbasAparecemInteiros) {
    abre();
    const auto campos = con->findChildren<CampoDinheiro*>();
    ASSERT_GE(campos.size(), 5);
    for (CampoDinheiro* c : campos) {
        mostraAba(c);
        QApplication::processEvents();
        EXPECT_TRUE(mostraInteiro(c, QStringLiteral("99.999.999,99"))) << c->objectName().toStdString();
    }
}

TEST_F(JanelaParte2Test, ConvenioPelaJanelaChegaAPrincipal) {
    principal.Option5->setEnabled(false);
    abre();
    // The enabling rules follow the option buttons and the window box.
    con->convenios->Option3->setChecked(true);
    EXPECT_TRUE(con->convenios->Frame1->isEnabled());
    EXPECT_FALSE(con->convenios->val_fix->isEnabled());
    con->convenios->Option5->setChecked(true);
    EXPECT_TRUE(con->convenios->apo_var->isEnabled() && con->convenios->apo_tem->isEnabled() && !con->convenios->apo_fix->isEnabled());
    con->convenios->Check1->setChecked(true);
    con->convenios->hor_ini->setText("12:00");
    con->convenios->Check1->setChecked(false);
    EXPECT_EQ(con->convenios->hor_ini->texto(), "  :  ");
    EXPECT_FALSE(con->convenios->hor_ini->isEnabled());
    con->convenios->tod->setChecked(true);
    EXPECT_TRUE(con->convenios->dom->isChecked() && con->convenios->sab->isChecked());

    con->convenios->con->setText("Padaria");
    con->convenios->tem->setText("12:60");
    clica(con->convenios->Command1);
    EXPECT_EQ(mensagem(), "O valor máximo para os minutos é 59.");
    for (const char* t : {"01:00", "01:00"}) {
        con->convenios->tem->setText(t);
        con->convenios->val_con->setText("4,00");
        clica(con->convenios->Command1);
    }
    EXPECT_EQ(linhas(con->convenios->grid_con), (QStringList{"01:00|4,00", "01:00|4,00", "|"}));
    EXPECT_EQ(con->convenios->tem->texto(), "  :  ");
    clica(con->convenios->Command3);   // removes the step just inserted
    EXPECT_EQ(linhas(con->convenios->grid_con), (QStringList{"01:00|4,00", "|", "|"}));
    con->convenios->tem->setText("01:00");
    con->convenios->val_con->setText("2,00");
    clica(con->convenios->Command1);
    con->convenios->apo_var->setText("1,50");
    con->convenios->apo_tem->setText("00:30");
    clica(con->convenios->Command4);
    EXPECT_EQ(mensagem(), "Dados gravados com sucesso.");
    EXPECT_EQ(valor("SELECT group_concat(valor, ' ') FROM convenios_variaveis"), "40000 20000");

    // The editor is reset, the list and the main window's lists are refilled.
    EXPECT_TRUE(con->convenios->con->text().isEmpty() && con->convenios->cod_con->text().isEmpty());
    EXPECT_TRUE(con->convenios->Option1->isChecked() && con->convenios->Option4->isChecked());
    EXPECT_EQ(linhas(con->convenios->grid_con), QStringList{"|"});
    EXPECT_EQ(con->convenios->List1->count(), 1);
    EXPECT_EQ(itens(principal.conv), QStringList{"Padaria"});
    EXPECT_EQ(itens(principal.cod_con), QStringList{valor("SELECT codigo FROM convenios")});
    EXPECT_EQ(principal.conv->currentIndex(), -1);
    EXPECT_TRUE(habilitada(principal.Option5));

    // Chosen from the list it comes back whole.
    con->convenios->List1->setCurrentRow(0);
    con->convenios->List1_Click();
    EXPECT_EQ(con->convenios->con->text(), "Padaria");
    EXPECT_TRUE(con->convenios->Option3->isChecked() && con->convenios->Option5->isChecked() && con->convenios->tod->isChecked());
    EXPECT_EQ((QStringList{con->convenios->apo_var->text(), con->convenios->apo_tem->texto(), con->convenios->hora_inicio->texto()}),
              (QStringList{"1,50", "00:30", "  :  :  "}));
    EXPECT_EQ(linhas(con->convenios->grid_con), (QStringList{"01:00|4,00", "01:00|2,00"}));

    // A second click on the kind or the charge after the steps already chosen changes nothing:
    // each group keeps its choice, apart from the other. Chosen "Valor Fixo" with two clicks,
    // the agreement is saved fixed, its steps no longer charged.
    AbaConvenios& c = *con->convenios;
    for (QRadioButton* o : {c.Option5, c.Option5, c.Option2, c.Option2}) o->click();
    EXPECT_TRUE(c.Option2->isChecked() && c.Option5->isChecked());
    EXPECT_TRUE(c.val_fix->isEnabled() && !c.Frame1->isEnabled());
    c.val_fix->setText("3,00");
    clica(c.Command17);
    EXPECT_EQ(mensagem(), "Dados gravados com sucesso.");
    EXPECT_EQ(valor("SELECT isento_fixo_variavel || ' ' || valor_fixo || ' ' || "
                    "coalesce(apos_cobrar, 'nulo') FROM convenios"), "F 30000 nulo");
    // With no kind chosen, nothing is saved and the operator is told.
    clicaItem(c.List1, "Padaria");
    marcaOpcao(c.Option2, false);
    clica(c.Command17);
    EXPECT_EQ(mensagem(), "Escolha o tipo do convênio: Isento, Valor Fixo ou Valor Variável.");
    EXPECT_EQ(valor("SELECT isento_fixo_variavel FROM convenios"), "F");
    clicaItem(c.List1, "Padaria");

    // Deleting the last agreement takes the kind away from the lanes.
    principal.Option5->setChecked(true);
    clica(con->convenios->Command16);
    EXPECT_EQ(mensagem(), "Convênio excluído com sucesso.");
    EXPECT_FALSE(habilitada(principal.Option5) || principal.Option5->isChecked());
    EXPECT_EQ(principal.conv->count(), 0);
}

// Must show: saving the general settings changes the lanes and the main window at once.
TEST_F(JanelaParte2Test, GravarGeralAtualizaPrincipalNaHora) {
    amb.db().executa("UPDATE geral SET bobina = 36, avanco_bobina = 10, mostrar_lista = 1, "
                     "habilitar_prisma = 1");
    amb.db().executa("INSERT INTO veiculos_patio (placa, ticket) VALUES ('ABC-1234', 7)");
    amb.db().executa("INSERT INTO lista_entrada (placa) VALUES ('ABC-1234')");
    amb.ctx.estado.bobina = 36;
    principal.pri->setText("12 ");
    abre();
    con->geral->Option6->setChecked(true);   // "40 colunas"
    con->geral->Check2->setChecked(true);
    con->geral->Check7->setChecked(false);
    con->geral->Check15->setChecked(true);
    con->geral->impr->setCurrentText(" ");
    con->geral->imp_fis->setCurrentText("Daruma FS345");
    con->geral->ali->setCurrentText("Isento");
    con->geral->Check3->setChecked(true);
    con->geral->tem_ent->setText("2");
    // A receipt line pasted from two lines prints as one.
    con->geral->lin2->insert("Rua A, 10\nCentro\n");
    clica(con->geral->Command20);
    EXPECT_EQ(mensagem(), "Dados gravados com sucesso.");
    EXPECT_EQ(valor("SELECT linha2 FROM geral") + "|" + amb.ctx.estado.linha2, "Rua A, 10 Centro|Rua A, 10 Centro");
    EXPECT_EQ(amb.ctx.estado.bobina, 40);
    EXPECT_EQ(valor("SELECT bobina FROM geral"), "40");
    EXPECT_EQ(amb.ctx.estado.codigo_aliquota, "II");
    EXPECT_TRUE(principal.Frame3->isVisibleTo(&principal));
    EXPECT_EQ(principal.grid1->rowCount(), 1);
    EXPECT_FALSE(principal.pri->isVisibleTo(&principal) || principal.Label12->isVisibleTo(&principal));
    EXPECT_EQ(principal.pri->displayText(), "   ");
    EXPECT_TRUE(principal.vei->isVisibleTo(&principal));
    // The entry gate button follows its waiting vehicle.
    EXPECT_TRUE(habilitada(principal.Command10));
    EXPECT_FALSE(habilitada(principal.Command11));
    // The fiscal printer alone offers both print buttons (the entry then registers without a
    // ticket), each only in its own lane mode.
    const struct {
        QRadioButton* modo;   // nullptr: no mode, the cash register closed
        bool entrada, saida;
    } modos[] = {{nullptr, false, false}, {principal.Option1, true, false}, {principal.Option2, false, true}};
    for (const auto& m : modos) {
        marcaOpcao(principal.Option1, m.modo == principal.Option1);
        marcaOpcao(principal.Option2, m.modo == principal.Option2);
        clica(con->geral->Command20);
        EXPECT_EQ(habilitada(principal.Command6), m.entrada) << (m.modo ? m.modo->objectName().toStdString() : "");
        EXPECT_EQ(habilitada(principal.Command7), m.saida) << (m.modo ? m.modo->objectName().toStdString() : "");
    }

    // A refused save changes nothing and puts the focus on its field.
    con->geral->Check2->setChecked(false);
    con->geral->ava->setText("  ");
    clica(con->geral->Command20);
    EXPECT_EQ(mensagem(), "Preencha o valor de quantas linhas a bobina deve avançar após impressão.");
    EXPECT_EQ(foco(), "ava");
    EXPECT_TRUE(principal.Frame3->isVisibleTo(&principal));
}

// Must show: the next ticket set to 50000 in the box is the next entry's ticket.
TEST_F(JanelaParte2Test, NumeracaoEFilialPelaJanela) {
    abre();
    EXPECT_EQ(con->geral->pro->texto(), "1         ");
    con->geral->pro->setText("50000");
    clica(con->geral->Command22);
    EXPECT_EQ(mensagem(), "Alteração realizada com sucesso.");
    EXPECT_EQ((QStringList{con->geral->tic->texto(), con->geral->pro->texto()}), (QStringList{"49999     ", "50000     "}));
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
    EXPECT_EQ(registra_entrada(amb.ctx, cancelas, {"ABC-1234", "   ", ""}).tic, "50000     ");

    con->SSTab1->setCurrentIndex(6);
    con->escritorio->esc->setCurrentText("Pista");
    con->escritorio->fil->setText("02");
    amb.db().executa("INSERT INTO caixa (usuario, filial) VALUES ('ana', NULL)");
    amb.plataforma.responde({true});
    clica(con->escritorio->Command23);
    EXPECT_EQ(mensagem(), "Dados gravados com sucesso.");
    EXPECT_EQ(valor("SELECT filial FROM caixa"), "2");
    EXPECT_EQ(memoria.filial_carregada, 2);
    con->escritorio->esc->setCurrentText("Escritório");
    amb.plataforma.responde({true});
    clica(con->escritorio->Command23);   // the lane becomes the office: asked, its rows lose the 2
    EXPECT_EQ(con->escritorio->fil->texto(), "  ");
    EXPECT_EQ(valor("SELECT coalesce(filial, 'nenhuma') || escritorio FROM geral"), "nenhuma1");
    EXPECT_EQ(valor("SELECT coalesce(filial, 'nenhuma') FROM caixa"), "nenhuma");
}

}  // namespace

namespace {

// The title line of each entry ticket printed so far.
QStringList titulos(const std::vector<SaidaImpressoraFalsa::Impressao>& impressoes) {
    QStringList r;
    for (const auto& i : impressoes)
        for (const QByteArray& l : i.bytes.split('\n'))
            if (l.contains("COMPROVANTE DE ENTRADA")) r << QString::fromLatin1(l.chopped(1));
    return r;
}

}  // namespace

// Must show: a 40-column roll saved in "Geral" lays out the very next entry ticket, no restart.
TEST_F(JanelaParte2Test, RoloDe40ColunasNaProximaEntrada) {
    amb.db().executa("UPDATE geral SET bobina = 36, avanco_bobina = 0");
    Estado& e = amb.ctx.estado;
    e.impressora = "LPT1";
    e.impressora_fiscal = " ";
    e.bobina = 36;
    ligaPista(amb.ctx, principal);
    e.numero_caixa = 1;
    principal.mostraCaixa();
    auto entra = [this](const char* placa) {
        principal.Option1->setChecked(true);
        principal.pla->setText(placa);
        principal.Command6->click();
    };
    entra("ABC1234");
    abre();
    con->geral->Option6->setChecked(true);   // "40 colunas"
    clica(con->geral->Command20);
    EXPECT_EQ(mensagem(), "Dados gravados com sucesso.");
    entra("XYZ9876");
    EXPECT_EQ(titulos(amb.plataforma.impressoraFalsa.impressoes),
              (QStringList{"  COMPROVANTE DE ENTRADA (AVULSO)", "    COMPROVANTE DE ENTRADA (AVULSO)"}));
    EXPECT_EQ(amb.conta("veiculos_patio"), 2);
}
