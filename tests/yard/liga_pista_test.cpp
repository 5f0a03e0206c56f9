#include "yard/liga_pista.h"

#include "support/pista_janela.h"

namespace {

class LigaPistaTest : public PistaTest {
protected:
    LigaPistaTest() {
        ligaPista(amb.ctx, janela);
        abreCaixa(3);
    }
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
    EXPECT_TRUE(janela.pla->displayText() == kPlacaVazia && janela.vei->text().isEmpty());
    EXPECT_EQ(janela.tic->displayText(), "2         ");
    EXPECT_EQ(janela.grid1->rowCount(), 1);
    EXPECT_TRUE(janela.Command10->isEnabled());   // queued for the gate by hand
}

TEST_F(LigaPistaTest, SaidaPeloBotaoGravaNoCaixaELimpa) {
    estaciona(amb, "ABC-1234", 57);
    janela.Option2->setChecked(true);
    const std::pair<QLineEdit*, const char*> campos[] = {
        {janela.tic, "57"}, {janela.pla, "ABC1234"}, {janela.dat_ent, "07/12/2026"},
        {janela.hor_ent, "08:30:00"}, {janela.dat_sai, "07/12/2026"}, {janela.hor_sai, "10:00:00"},
        {janela.tot, "30,00"}, {janela.val_pag, "30,00"}};
    for (const auto& [campo, texto] : campos) campo->setText(texto);
    janela.Command3->click();
    EXPECT_EQ(amb.conta("veiculos_patio"), 0);
    EXPECT_EQ(amb.linha("SELECT tipo_estacionamento, caixa, ticket, placa, hora_saida, total FROM registro_saida"),
              (QStringList{"D", "3", "57", "ABC-1234", "10:00:00", "300000"}));
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);
    EXPECT_TRUE(janela.Option2->isChecked());
}

TEST_F(LigaPistaTest, TimerDeBaixaMandaUmPulsoEPara) {
    amb.ctx.estado.cancela_saida = QStringLiteral("LPT1");
    janela.timer_cancela_saida->start(10000);
    QMetaObject::invokeMethod(janela.timer_cancela_saida, "timeout");
    EXPECT_FALSE(janela.timer_cancela_saida->isActive());
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(amb), (QStringList{"378=2@0", "378=0@1000"}));
}
