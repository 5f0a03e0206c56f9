#include "janela_config.h"
#include "programa/liga_janelas.h"

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
    EXPECT_EQ(cabecalho(con->convenios->grid_con), (QStringList{"Tempo", "Valor"}));
    EXPECT_EQ(cabecalho(con->turnos->grid_tur), (QStringList{"Hora Inicial", "Hora Final", "Valor"}));
    EXPECT_EQ(cabecalho(con->rotativo->grid_rot), (QStringList{"Tempo", "Valor"}));
    EXPECT_EQ(con->convenios->grid_con->rowCount(), 3);
    // The partner tab starts with "Isento" and the fixed amount chosen, their fields disabled.
    EXPECT_TRUE(con->convenios->Option1->isChecked() && con->convenios->Option4->isChecked());
    EXPECT_FALSE(con->convenios->Frame1->isEnabled() || con->convenios->val_fix->isEnabled() || con->convenios->cob->isEnabled());
    EXPECT_TRUE(con->mensalistas->cod->isHidden() && !con->mensalistas->cod->isEnabled());
    EXPECT_FALSE(con->geral->tic->isEnabled());
    EXPECT_EQ(con->rotativo->Label14->text(), "Após o tempo acima, cobrar R$");
    EXPECT_EQ(con->convenios->Option5->text(), "Após tempo acima, cobrar  R$");
    EXPECT_TRUE(con->geral->Command20->font().bold());
    // Every tab has "Fechar" but "Escrit/Pista", and each closes the whole window.
    for (QPushButton* b : {con->mensalistas->Command14, con->convenios->Command5, con->turnos->Command7, con->rotativo->Command11,
                           con->diaria->Command19, con->geral->Command21})
        EXPECT_EQ(b->text(), "Fechar");
    clica(con->diaria->Command19);
    EXPECT_FALSE(con->isVisible());
}

TEST_F(CargaTest, CamposVaziosSemTarifasNemTickets) {
    abre();
    EXPECT_EQ(con->rotativo->apo_cob->text(), "");
    EXPECT_EQ(con->rotativo->apo_cad->texto(), "  :  ");
    EXPECT_EQ(con->diaria->tem_dia->texto(), "  ");
    EXPECT_EQ(con->diaria->val_dia->text(), "");
    EXPECT_EQ(con->geral->cnp->texto(), "  .   .   /    -  ");
    EXPECT_EQ(con->geral->tic->texto(), "          ");
    EXPECT_EQ(con->geral->pro->texto(), "1         ");
    EXPECT_EQ(con->geral->tem_ent->texto(), "0");
    EXPECT_TRUE(con->geral->Check9->isChecked());
    EXPECT_FALSE(con->geral->Check10->isChecked());
    EXPECT_TRUE(con->geral->Option8->isChecked());
    EXPECT_EQ(itens(con->geral->impr), (QStringList{" ", "LPT1", "LPT2", "COM1"}));
    EXPECT_EQ(con->geral->impr->currentText(), "LPT1");
    EXPECT_EQ(itens(con->geral->can_ent), (QStringList{" ", "LPT1", "LPT2"}));
    EXPECT_EQ(itens(con->geral->ali), (QStringList{" ", "3,0", "12,0", "17,0", "25,0", "ST", "Isento"}));
    EXPECT_EQ(itens(con->geral->imp_fis), (QStringList{" ", "Daruma FS345"}));
    EXPECT_EQ(con->geral->imp_fis->currentText(), " ");
    EXPECT_EQ(con->geral->ali->currentText(), " ");
    EXPECT_EQ(itens(con->escritorio->esc), (QStringList{"Escritório", "Pista"}));
    EXPECT_EQ(con->escritorio->esc->currentText(), "Pista");
    EXPECT_TRUE(con->escritorio->fil->isEnabled());
    EXPECT_EQ(con->mensalistas->List3->count(), 0);
    EXPECT_EQ(linhas(con->turnos->grid_tur), QStringList{"||"});
    EXPECT_EQ(linhas(con->rotativo->grid_rot), QStringList{"|"});
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
        {"tempo_baixa_cancelas = 30", [](auto& c) { return QString("%1%2/%3").arg(c.geral->Check9->isChecked()).arg(c.geral->Check10->isChecked()).arg(c.geral->bai->texto()); }, "01/30"},
        {"tempo_baixa_cancelas = 5", [](auto& c) { return c.geral->bai->texto(); }, "5 "},
        {"tempo_baixa_cancelas = 0", [](auto& c) { return QString("%1%2").arg(c.geral->Check9->isChecked()).arg(c.geral->Check10->isChecked()); }, "10"},
        {"bobina = 40", [](auto& c) { return QString::number(c.geral->Option6->isChecked()); }, "1"},
        {"bobina = 48", [](auto& c) { return QString::number(c.geral->Option7->isChecked()); }, "1"},
        {"bobina = 44", [](auto& c) { return QString::number(c.geral->Option8->isChecked()); }, "1"},
        {"imposto = 'ST', aliquota = 170000", [](auto& c) { return c.geral->ali->currentText(); }, "ST"},
        {"imposto = '', aliquota = 0", [](auto& c) { return c.geral->ali->currentText(); }, "Isento"},
        {"imposto = NULL, aliquota = 120000", [](auto& c) { return c.geral->ali->currentText(); }, "12,0"},
        {"impressora_fiscal = 'Daruma FS345'", [](auto& c) { return c.geral->imp_fis->currentText(); }, "Daruma FS345"},
        {"cnpj = '12.345.678/0001-90'", [](auto& c) { return c.geral->cnp->texto(); }, "12.345.678/0001-90"},
        {"ativar_cancela_sai = 1, ativar_cancela_sai_manual = 1", [](auto& c) { return QString("%1%2").arg(c.geral->Check4->isChecked()).arg(c.geral->Check6->isChecked()); }, "01"},
        {"ativar_cancela_ent = 1, tempo_cancela_ent = 3", [](auto& c) { return QString("%1%2/%3").arg(c.geral->Check3->isChecked()).arg(c.geral->Check5->isChecked()).arg(c.geral->tem_ent->texto()); }, "10/3"},
        {"reducaoz = '14:30:00', leiturax = 1", [](auto& c) { return QString("%1%2/%3").arg(c.geral->Check12->isChecked()).arg(c.geral->Check13->isChecked()).arg(c.geral->hor_red->texto()); }, "11/14:30"},
        {"avanco_bobina = 7", [](auto& c) { return c.geral->ava->texto(); }, "7 "},
        {"linha2 = 'Rua A', penult_linha = NULL, ult_linha = 'Volte'", [](auto& c) { return c.geral->lin2->text() + "/" + c.geral->pen->text() + "/" + c.geral->ult->text(); }, "Rua A//Volte"},
        {"mostrar_lista = 1, habilitar_prisma = 0, estacionamento24h = 1, men_atraso_tranca = 0, rel_analitico = 1, habilitar_veiculo = 1",
         [](auto& c) { return QString("%1%2%3%4%5%6").arg(c.geral->Check2->isChecked()).arg(c.geral->Check7->isChecked()).arg(c.geral->Check11->isChecked()).arg(c.geral->Check8->isChecked()).arg(c.geral->Check14->isChecked()).arg(c.geral->Check15->isChecked()); }, "101011"},
        {"escritorio = 0, filial = 3", [](auto& c) { return c.escritorio->esc->currentText() + "/" + c.escritorio->fil->texto() + "/" + QString::number(c.escritorio->filial_carregada) + QString::number(c.escritorio->fil->isEnabled()); }, "Pista/03/31"},
        // At the office the branch number kept from the last load stays.
        {"escritorio = 1, filial = 7", [](auto& c) { return c.escritorio->esc->currentText() + "/" + c.escritorio->fil->texto() + "/" + QString::number(c.escritorio->filial_carregada) + QString::number(c.escritorio->fil->isEnabled()); }, "Escritório/  /30"},
        {"escritorio = 0, filial = NULL", [](auto& c) { return c.escritorio->fil->texto() + "/" + QString::number(c.escritorio->filial_carregada); }, "  /0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.sql);
        amb.db().executa(QString("UPDATE geral SET ") + c.sql);
        abre();
        EXPECT_EQ(c.le(*con), QString::fromUtf8(c.esperado));
        EXPECT_EQ(con->geral->tic->texto(), "41        ");
        EXPECT_EQ(con->geral->pro->texto(), "42        ");
        EXPECT_EQ(con->rotativo->apo_cob->text(), "2,50");
        EXPECT_EQ(con->rotativo->apo_cad->texto(), "01:30");
        EXPECT_EQ(con->diaria->tem_dia->texto(), "05");
        EXPECT_EQ(con->diaria->val_dia->text(), "1.234,50");
        EXPECT_EQ(con->geral->impr->count(), 4) << "each opening adds the fixed items once";
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
    EXPECT_EQ(itens(con->mensalistas->List3), (QStringList{"bronze", "Ouro", "Prata"}));
    EXPECT_EQ(itens(con->convenios->List1), (QStringList{"Banco", "Mercado"}));
    EXPECT_EQ(linhas(con->turnos->grid_tur), (QStringList{"08:00|23:00|12.345,00", "14:00|23:00|12.345,00",
                                                  "18:00|23:00|12.345,00"}));
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"03:00|2,50", "02:00|5,00"}));
    EXPECT_TRUE(con->turnos->grid_tur->selectedItems().isEmpty());
    EXPECT_TRUE(con->rotativo->grid_rot->selectedItems().isEmpty());
    // An emptied table leaves one blank row in its own grid only.
    amb.db().executa("DELETE FROM turnos");
    con->turnos->carrega_turnos();
    EXPECT_EQ(linhas(con->turnos->grid_tur), QStringList{"||"});
    EXPECT_EQ(con->rotativo->grid_rot->rowCount(), 2);
}

TEST_F(CargaTest, BotaoTresAbreAJanelaUmaVezSo) {
    liga_janela_configuracao(amb.ctx, principal);
    principal.show();
    principal.botoes[2]->trigger();
    auto* j = principal.findChild<JanelaConfiguracao*>("con");
    ASSERT_NE(j, nullptr);
    EXPECT_TRUE(j->isVisible());
    j->mensalistas->tip->setText("digitado");
    principal.botoes[2]->trigger();
    EXPECT_EQ(principal.findChildren<JanelaConfiguracao*>().size(), 1);
    EXPECT_EQ(j->mensalistas->tip->text(), "digitado") << "brought forward, not loaded again";
    j->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(principal.findChildren<JanelaConfiguracao*>().size(), 0);
}

}  // namespace
