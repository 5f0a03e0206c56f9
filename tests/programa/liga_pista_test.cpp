#include "programa/liga_pista.h"

#include "data/datas.h"
#include "support/pista_janela.h"
#include "yard/tarifas/tarifas_teste.h"

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

// The exit as the operator makes it: F4, the ticket typed, the kind clicked, "Registrar  Saída".
// By the standard table at 10:00, A (since 08:30) owes 8,00 and B (since 05:30) 14,00.
TEST_F(LigaPistaTest, SaidaGravaOTotalDoVeiculoMostrado) {
    semeiaRotativoPadrao(amb.db());
    semeiaDiaria(amb.db(), 24, "30,00");
    estaciona(amb, "AAA-1111", 57);
    estaciona(amb, "BBB-2222", 58, {}, {}, "2026-12-07", "05:30:00");
    estaciona(amb, "MEN-0001", {}, {}, 9);
    amb.db().executa("INSERT INTO mensalistas (codigo, nome) VALUES (9, 'Ana')");
    amb.ctx.estado.data_atual = QDate(2026, 12, 7);
    amb.ctx.estado.hora_atual = QTime(10, 0);
    janela.pri->setVisible(false);
    janela.vei->setVisible(false);
    janela.atualiza_lista_patio();
    const auto digita = [&](QLineEdit* campo, const char* texto) {
        campo->setFocus();
        campo->selectAll();
        QTest::keyClicks(campo, texto);
        QTest::keyClick(campo, Qt::Key_Return);
    };
    const auto painel = [&] {
        return QStringList{janela.tic->displayText().trimmed(), janela.tot->text(), janela.val_pag->text()};
    };
    const auto saida = [&] {
        return amb.linha("SELECT ticket, placa, tipo_estacionamento, caixa, total FROM registro_saida "
                         "ORDER BY rowid DESC LIMIT 1");
    };

    QTest::keyClick(janela.tic, Qt::Key_F4);
    digita(janela.tic, "57");
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);
    QTest::keyClick(janela.pla, Qt::Key_Return);   // on to the first kind
    EXPECT_EQ(QApplication::focusWidget(), janela.Option3);
    janela.Option3->click();
    EXPECT_EQ(painel(), (QStringList{"57", "8,00", "8,00"}));

    // B's ticket typed with "Rotativo" still chosen: B's own fee, and B leaves with it.
    digita(janela.tic, "58");
    EXPECT_EQ(painel(), (QStringList{"58", "14,00", "14,00"}));
    janela.Command3->click();
    EXPECT_EQ(saida(), (QStringList{"58", "BBB-2222", "R", "3", "140000"}));
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);   // ready for the next exit

    // A click in the yard list with a kind chosen computes the clicked vehicle's fee by it.
    janela.Option7->click();
    janela.grid1_Click(0);
    EXPECT_EQ(painel(), (QStringList{"57", "30,00", "30,00"}));

    // The subscriber's plate charges "Mensalista"; a casual plate typed next is refused as one,
    // and leaves only once a kind of its own has computed its fee.
    janela.Option6->setEnabled(true);
    digita(janela.pla, "MEN0001");
    EXPECT_TRUE(janela.Option6->isChecked());
    EXPECT_EQ(painel(), (QStringList{"0000000000", "0,00", "0,00"}));
    amb.plataforma.mensagens.clear();
    digita(janela.pla, "AAA1111");
    EXPECT_EQ(janela.tot->text(), "ERRO");
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Este veículo não é de mensalista. Escolha outra forma de pagamento que "
                          "não seja 'Mensalista'."});
    janela.Command3->click();
    EXPECT_EQ(amb.conta("registro_saida"), 1);
    janela.Option3->click();
    janela.Command3->click();
    EXPECT_EQ(saida(), (QStringList{"57", "AAA-1111", "R", "3", "80000"}));
}

// An entry in the first second of a day is stamped with that day, and its exit a minute later
// is charged a minute, not a day.
TEST_F(LigaPistaTest, EntradaLogoAposAMeiaNoite) {
    semeiaDiaria(amb.db(), 24, "30,00");
    amb.ctx.estado.data_atual = QDate(2026, 12, 7);
    amb.ctx.estado.hora_atual = QTime(23, 59, 59);
    janela.Timer1_Timer();
    janela.Timer1_Timer();
    janela.Option1->setChecked(true);
    janela.pla->setText("ABC1234");
    janela.Command5->click();
    EXPECT_EQ(amb.linha("SELECT data_entrada, hora_entrada FROM veiculos_patio"),
              (QStringList{"2026-12-08", "00:00:01"}));
    for (int i = 0; i < 60; ++i) janela.Timer1_Timer();
    QTest::keyClick(janela.pla, Qt::Key_F4);
    janela.tic->setText("1");
    janela.Option7->click();
    janela.tic->setFocus();
    janela.pla->setFocus();   // the ticket is looked up on leaving it
    EXPECT_EQ((QStringList{janela.dat_ent->text(), janela.dat_sai->text(), janela.tot->text()}),
              (QStringList{"08/12/2026", "08/12/2026", "30,00"}));
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
    semeiaRotativoPadrao(amb.db());
    amb.db().executa("INSERT INTO mensalistas (codigo, nome) VALUES (4, 'Ana')");
    janela.Option6->setEnabled(true);
    amb.ctx.estado.data_atual = QDate(2026, 12, 7);
    amb.ctx.estado.hora_atual = QTime(10, 0);
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
        marcaOpcao(janela.Option2, false);
        marcaOpcao(janela.Option2, true);
        janela.pla->setText(placa);
        janela.pla_LostFocus();   // the subscriber's plate chooses "Mensalista" and its fee
        if (placa[0] != 'M') janela.Option3->click();
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
