#include "yard/liga_pista.h"

#include "data/datas.h"
#include "support/pista_janela.h"

#include <QGroupBox>

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

// The list kept up to date in place shows what a full reading of the table shows.
TEST_F(LigaPistaTest, ListaAtualizadaNoLugarIgualALeituraCompleta) {
    janela.Frame3->show();
    estaciona(amb, "ZZZ-0009", 90, 7);
    estaciona(amb, "bbb-0002", 91);
    estaciona(amb, "MEN-0001", {}, {}, 4);
    estaciona(amb, "ÁAA-0003", 92, 2, {}, "2026-02-30", "25:00:00");   // dates as the file holds
    janela.atualiza_lista_patio();
    const auto retrato = [&] {
        QStringList r{janela.total->text(), janela.tot_avu->text(), janela.tot_men->text()};
        for (int i = 0; i < janela.grid1->rowCount(); ++i)
            for (int c = 0; c < 4; ++c) r << janela.grid1->texto(i, c);
        return r.join(" | ").toStdString();
    };
    const auto confereComLeitura = [&](const char* passo) {
        const std::string noLugar = retrato();
        janela.atualiza_lista_patio();
        EXPECT_EQ(noLugar, retrato()) << passo;
    };

    janela.Option1->setChecked(true);
    for (const char* placa : {"AAA0001", "BBB0002", "aab0001", "CCC0003"}) {
        janela.pla->setText(placa);
        janela.pri->setText(placa[0] == 'C' ? "7" : "");
        janela.Command5->click();
        confereComLeitura(placa);
    }
    EXPECT_EQ(janela.grid1->texto(0, 1), "AAA-0001");
    // "BBB0002" was refused: "bbb-0002" is in the yard already.
    EXPECT_EQ(janela.total->text(), "7 Veículos");

    // Another program on the same file: the next update reads the whole list again.
    {
        Banco outro;
        outro.abre(amb.db().caminho(), Banco::kSenha);
        outro.executa("INSERT INTO veiculos_patio (placa, mensalista) VALUES ('OUT-0001', 5)");
    }
    for (const char* placa : {"ZZZ0009", "BBB0002", "MEN0001"}) {
        JanelaPrincipal::marca(janela.Option2, false);
        JanelaPrincipal::marca(janela.Option2, true);
        janela.pla->setText(placa);
        janela.pla_LostFocus();
        JanelaPrincipal::marca(placa[0] == 'M' ? janela.Option6 : janela.Option7, true);
        janela.tot->setText("0,00");
        janela.val_pag->setText("0,00");
        janela.Command3->click();
        confereComLeitura(placa);
    }
    const QString d = dataBr(amb.ctx.estado.data_atual).remove(6, 2);   // "dd/mm/yy"
    const QString h = horaHms(amb.ctx.estado.hora_atual);
    EXPECT_TRUE(amb.plataforma.textosMensagens().contains(
        "Veículo com placa BBB-0002 já está no estacionamento."));
    EXPECT_EQ(retrato(), (QStringList{"5 Veículos", "4 Veículos", "1 Veículo",
                                      "", "AAA-0001", d, h, "", "AAB-0001", d, h,
                                      "", "OUT-0001", "", "",
                                      "2", "ÁAA-0003", "", "",    // no such day, no such hour
                                      "7", "CCC-0003", d, h}.join(" | ").toStdString()));
}
