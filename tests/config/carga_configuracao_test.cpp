#include "janela_config.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

namespace {

using CargaTest = ConfigTest;

TEST_F(CargaTest, JanelaAbreNaAbaGeralComAsSeteAbasEOsCabecalhos) {
    abre();
    EXPECT_EQ(con->objectName(), "con");
    EXPECT_EQ(con->windowTitle(), "Configurações");
    QStringList abas;
    for (int i = 0; i < con->SSTab1->count(); ++i) abas << con->SSTab1->tabText(i);
    EXPECT_EQ(abas, (QStringList{"Mensalistas", "Convênios", "Turnos", "Rotativo", "Diária",
                                 "Geral", "Escrit/Pista"}));
    EXPECT_EQ(con->SSTab1->tabText(con->SSTab1->currentIndex()), "Geral");
    auto cabecalho = [](QTableWidget* g) {
        QStringList r;
        for (int i = 0; i < g->columnCount(); ++i) r << g->horizontalHeaderItem(i)->text();
        return r;
    };
    EXPECT_EQ(cabecalho(con->grid_con), (QStringList{"Tempo", "Valor"}));
    EXPECT_EQ(cabecalho(con->grid_tur), (QStringList{"Hora Inicial", "Hora Final", "Valor"}));
    EXPECT_EQ(cabecalho(con->grid_rot), (QStringList{"Tempo", "Valor"}));
    EXPECT_EQ(con->grid_con->rowCount(), 3);
    // The partner tab starts with "Isento" and the fixed amount chosen, their fields disabled.
    EXPECT_TRUE(con->Option1->isChecked() && con->Option4->isChecked());
    EXPECT_FALSE(con->Frame1->isEnabled() || con->val_fix->isEnabled() || con->cob->isEnabled());
    EXPECT_TRUE(con->cod->isHidden() && !con->cod->isEnabled());
    EXPECT_FALSE(con->tic->isEnabled());
    EXPECT_EQ(con->Label14->text(), "Após o tempo acima, cobrar R$");
    EXPECT_EQ(con->Option5->text(), "Após tempo acima, cobrar  R$");
    EXPECT_TRUE(con->Command20->font().bold());
    // Every tab has "Fechar" but "Escrit/Pista", and each closes the whole window.
    for (QPushButton* b : {con->Command14, con->Command5, con->Command7, con->Command11,
                           con->Command19, con->Command21})
        EXPECT_EQ(b->text(), "Fechar");
    clica(con->Command19);
    EXPECT_FALSE(con->isVisible());
}

TEST_F(CargaTest, CamposVaziosSemTarifasNemTickets) {
    abre();
    EXPECT_EQ(con->apo_cob->text(), "");
    EXPECT_EQ(con->apo_cad->texto(), "  :  ");
    EXPECT_EQ(con->tem_dia->texto(), "  ");
    EXPECT_EQ(con->val_dia->text(), "");
    EXPECT_EQ(con->cnp->texto(), "  .   .   /    -  ");
    EXPECT_EQ(con->tic->texto(), "          ");
    EXPECT_EQ(con->pro->texto(), "1         ");
    EXPECT_EQ(con->tem_ent->texto(), "0");
    EXPECT_TRUE(con->Check9->isChecked());
    EXPECT_FALSE(con->Check10->isChecked());
    EXPECT_TRUE(con->Option8->isChecked());
    EXPECT_EQ(itens(con->impr), (QStringList{" ", "LPT1", "LPT2", "COM1"}));
    EXPECT_EQ(con->impr->currentText(), "LPT1");
    EXPECT_EQ(itens(con->can_ent), (QStringList{" ", "LPT1", "LPT2"}));
    EXPECT_EQ(itens(con->ali), (QStringList{" ", "3,0", "12,0", "17,0", "25,0", "ST", "Isento"}));
    EXPECT_EQ(itens(con->imp_fis), (QStringList{" ", "Daruma FS345"}));
    EXPECT_EQ(con->imp_fis->currentText(), " ");
    EXPECT_EQ(con->ali->currentText(), " ");
    EXPECT_EQ(itens(con->esc), (QStringList{"Escritório", "Pista"}));
    EXPECT_EQ(con->esc->currentText(), "Pista");
    EXPECT_TRUE(con->fil->isEnabled());
    EXPECT_EQ(con->List3->count(), 0);
    EXPECT_EQ(linhas(con->grid_tur), QStringList{"||"});
    EXPECT_EQ(linhas(con->grid_rot), QStringList{"|"});
}

// Each row changes the settings row, opens the window afresh and reads the controls.
TEST_F(CargaTest, ConfiguracoesGeraisNosControles) {
    amb.db().executa("INSERT INTO gera_ticket (ticket) VALUES (41)");
    amb.db().executa("INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (25000, '01:30:00')");
    amb.db().executa("INSERT INTO diaria (tempo, valor) VALUES (5, 12345000)");
    const struct {
        const char* sql;
        std::function<QString(JanelaConfiguracao&)> le;
        const char* esperado;
    } casos[] = {
        {"tempo_baixa_cancelas = 30", [](auto& c) { return QString("%1%2/%3").arg(c.Check9->isChecked()).arg(c.Check10->isChecked()).arg(c.bai->texto()); }, "01/30"},
        {"tempo_baixa_cancelas = 5", [](auto& c) { return c.bai->texto(); }, "5 "},
        {"tempo_baixa_cancelas = 0", [](auto& c) { return QString("%1%2").arg(c.Check9->isChecked()).arg(c.Check10->isChecked()); }, "10"},
        {"bobina = 40", [](auto& c) { return QString::number(c.Option6->isChecked()); }, "1"},
        {"bobina = 48", [](auto& c) { return QString::number(c.Option7->isChecked()); }, "1"},
        {"bobina = 44", [](auto& c) { return QString::number(c.Option8->isChecked()); }, "1"},
        {"imposto = 'ST', aliquota = 170000", [](auto& c) { return c.ali->currentText(); }, "ST"},
        {"imposto = '', aliquota = 0", [](auto& c) { return c.ali->currentText(); }, "Isento"},
        {"imposto = NULL, aliquota = 120000", [](auto& c) { return c.ali->currentText(); }, "12,0"},
        {"impressora_fiscal = 'Daruma FS345'", [](auto& c) { return c.imp_fis->currentText(); }, "Daruma FS345"},
        {"cnpj = '12.345.678/0001-90'", [](auto& c) { return c.cnp->texto(); }, "12.345.678/0001-90"},
        {"ativar_cancela_sai = 1, ativar_cancela_sai_manual = 1", [](auto& c) { return QString("%1%2").arg(c.Check4->isChecked()).arg(c.Check6->isChecked()); }, "01"},
        {"ativar_cancela_ent = 1, tempo_cancela_ent = 3", [](auto& c) { return QString("%1%2/%3").arg(c.Check3->isChecked()).arg(c.Check5->isChecked()).arg(c.tem_ent->texto()); }, "10/3"},
        {"reducaoz = '14:30:00', leiturax = 1", [](auto& c) { return QString("%1%2/%3").arg(c.Check12->isChecked()).arg(c.Check13->isChecked()).arg(c.hor_red->texto()); }, "11/14:30"},
        {"avanco_bobina = 7", [](auto& c) { return c.ava->texto(); }, "7 "},
        {"linha2 = 'Rua A', penult_linha = NULL, ult_linha = 'Volte'", [](auto& c) { return c.lin2->text() + "/" + c.pen->text() + "/" + c.ult->text(); }, "Rua A//Volte"},
        {"mostrar_lista = 1, habilitar_prisma = 0, estacionamento24h = 1, men_atraso_tranca = 0, rel_analitico = 1, habilitar_veiculo = 1",
         [](auto& c) { return QString("%1%2%3%4%5%6").arg(c.Check2->isChecked()).arg(c.Check7->isChecked()).arg(c.Check11->isChecked()).arg(c.Check8->isChecked()).arg(c.Check14->isChecked()).arg(c.Check15->isChecked()); }, "101011"},
        {"escritorio = 0, filial = 3", [](auto& c) { return c.esc->currentText() + "/" + c.fil->texto() + "/" + QString::number(c.filial_carregada) + QString::number(c.fil->isEnabled()); }, "Pista/03/31"},
        // At the office the branch number kept from the last load stays.
        {"escritorio = 1, filial = 7", [](auto& c) { return c.esc->currentText() + "/" + c.fil->texto() + "/" + QString::number(c.filial_carregada) + QString::number(c.fil->isEnabled()); }, "Escritório/  /30"},
        {"escritorio = 0, filial = NULL", [](auto& c) { return c.fil->texto() + "/" + QString::number(c.filial_carregada); }, "  /0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.sql);
        amb.db().executa(QString("UPDATE geral SET ") + c.sql);
        abre();
        EXPECT_EQ(c.le(*con), QString::fromUtf8(c.esperado));
        EXPECT_EQ(con->tic->texto(), "41        ");
        EXPECT_EQ(con->pro->texto(), "42        ");
        EXPECT_EQ(con->apo_cob->text(), "2,50");
        EXPECT_EQ(con->apo_cad->texto(), "01:30");
        EXPECT_EQ(con->tem_dia->texto(), "05");
        EXPECT_EQ(con->val_dia->text(), "1.234,50");
        EXPECT_EQ(con->impr->count(), 4) << "each opening adds the fixed items once";
    }
}

TEST_F(CargaTest, ListasEGradesMostramOQueEstaGravado) {
    for (const char* t : {"Ouro", "bronze", "Prata"})
        amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (1, ?, 0, 1)", {t});
    for (const char* c : {"Mercado", "Banco"})
        amb.db().executa("INSERT INTO convenios (convenio) VALUES (?)", {c});
    for (const char* h : {"14:00:00", "08:00:00", "18:00:00"})
        amb.db().executa("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES (?, '23:00:00', 123450000)", {h});
    amb.db().executa("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('02:00:00', 50000, 2)");
    amb.db().executa("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('03:00:00', 25000, 1)");
    abre();
    QStringList tipos;
    for (int i = 0; i < con->List3->count(); ++i) tipos << con->List3->item(i)->text();
    EXPECT_EQ(tipos, (QStringList{"bronze", "Ouro", "Prata"}));
    QStringList convenios;
    for (int i = 0; i < con->List1->count(); ++i) convenios << con->List1->item(i)->text();
    EXPECT_EQ(convenios, (QStringList{"Banco", "Mercado"}));
    EXPECT_EQ(linhas(con->grid_tur), (QStringList{"08:00|23:00|12.345,00", "14:00|23:00|12.345,00",
                                                  "18:00|23:00|12.345,00"}));
    EXPECT_EQ(linhas(con->grid_rot), (QStringList{"03:00|2,50", "02:00|5,00"}));
    EXPECT_TRUE(con->grid_tur->selectedItems().isEmpty());
    EXPECT_TRUE(con->grid_rot->selectedItems().isEmpty());
    // An emptied table leaves one blank row in its own grid only.
    amb.db().executa("DELETE FROM turnos");
    con->carrega_turnos();
    EXPECT_EQ(linhas(con->grid_tur), QStringList{"||"});
    EXPECT_EQ(con->grid_rot->rowCount(), 2);
}

TEST_F(CargaTest, BotaoTresAbreAJanelaUmaVezSo) {
    liga_janela_configuracao(amb.ctx, principal);
    principal.show();
    principal.botoes[2]->trigger();
    auto* j = principal.findChild<JanelaConfiguracao*>("con");
    ASSERT_NE(j, nullptr);
    EXPECT_TRUE(j->isVisible());
    j->tip->setText("digitado");
    principal.botoes[2]->trigger();
    EXPECT_EQ(principal.findChildren<JanelaConfiguracao*>().size(), 1);
    EXPECT_EQ(j->tip->text(), "digitado") << "brought forward, not loaded again";
    j->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(principal.findChildren<JanelaConfiguracao*>().size(), 0);
}

}  // namespace
