#include "yard/liga_pista.h"

#include "cash/abe_cai.h"
#include "support/ambiente.h"
#include "yard/janela_principal.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class LigaPistaTest : public ::testing::Test {
protected:
    LigaPistaTest() {
        Estado& e = amb.ctx.estado;
        e.impressora = e.impressora_fiscal = QStringLiteral(" ");
        e.cancela_entrada = e.cancela_saida = QStringLiteral(" ");
        ligaPista(amb.ctx, janela);
        janela.show();
        QApplication::setActiveWindow(&janela);
        // A cash register open.
        e.numero_caixa = 3;
        mostraCaixaAberto(janela);
    }
    int conta(const char* tabela) { return amb.conta(tabela); }

    Ambiente amb;
    JanelaPrincipal janela{amb.ctx};
};

}  // namespace

TEST_F(LigaPistaTest, EntradaPeloBotaoGravaEnfileiraELimpa) {
    amb.ctx.estado.ativar_cancela_ent_manual = true;
    janela.Option1->setChecked(true);
    janela.Command5->click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Digite a placa."});
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);

    janela.pla->setText("ABC1234");
    janela.vei->setText("Fusca");
    janela.Command5->click();
    EXPECT_EQ(amb.linha("SELECT placa, ticket, veiculo FROM veiculos_patio"),
              (QStringList{"ABC-1234", "1", "Fusca"}));
    // Ready for the next vehicle: fields cleared, the next ticket previewed, list refreshed.
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    EXPECT_TRUE(janela.vei->text().isEmpty());
    EXPECT_EQ(janela.tic->displayText(), "2         ");
    EXPECT_EQ(janela.grid1->rowCount(), 1);

    EXPECT_TRUE(janela.Command10->isEnabled());   // queued for the gate by hand
}

TEST_F(LigaPistaTest, SaidaPeloBotaoGravaNoCaixaELimpa) {
    amb.db().executa("INSERT INTO veiculos_patio (placa, ticket, data_entrada, hora_entrada) "
                     "VALUES ('ABC-1234', 57, '2026-12-07', '08:30:00')");
    janela.Option2->setChecked(true);
    JanelaPrincipal::marca(janela.Option7, true);
    const std::pair<QLineEdit*, const char*> campos[] = {
        {janela.tic, "57"}, {janela.pla, "ABC1234"}, {janela.dat_ent, "07/12/2026"},
        {janela.hor_ent, "08:30:00"}, {janela.dat_sai, "07/12/2026"}, {janela.hor_sai, "10:00:00"},
        {janela.tot, "30,00"}, {janela.val_pag, "20,00"}};
    for (const auto& [campo, texto] : campos) campo->setText(texto);
    janela.Command3->click();
    EXPECT_EQ(amb.plataforma.textosMensagens().last(), "Valor Pago menor que Total.");
    EXPECT_EQ(conta("veiculos_patio"), 1);

    janela.val_pag->setText("30,00");
    janela.Command3->click();
    EXPECT_EQ(conta("veiculos_patio"), 0);
    EXPECT_EQ(amb.linha("SELECT tipo_estacionamento, caixa, ticket, placa FROM registro_saida"),
              (QStringList{"D", "3", "57", "ABC-1234"}));
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);
    EXPECT_TRUE(janela.Option2->isChecked());
}

TEST_F(LigaPistaTest, TimerDeBaixaMandaUmPulsoEPara) {
    amb.ctx.estado.cancela_saida = QStringLiteral("LPT1");
    janela.timer_cancela_saida->start(10000);
    QMetaObject::invokeMethod(janela.timer_cancela_saida, "timeout");
    EXPECT_FALSE(janela.timer_cancela_saida->isActive());
    amb.plataforma.passaTempo(1000);
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 2u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x378);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 2);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[1].valor, 0);
}
