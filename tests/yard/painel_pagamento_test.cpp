#include "programa/liga_pista.h"
#include "support/pista_janela.h"
#include "yard/listas_painel.h"
#include "yard/saida.h"
#include "yard/tarifas/limites_dia.h"
#include "yard/tarifas/tarifas_teste.h"

#include <QComboBox>

namespace {

// A register open and one vehicle parked since 08:00 today; it is 09:30.
class PainelPagamentoTest : public PistaTest {
protected:
    PainelPagamentoTest() {
        amb.ctx.estado.data_atual = QDate(2026, 12, 7);
        amb.ctx.estado.hora_atual = QTime(9, 30);
        semeiaRotativoPadrao(amb.db());
        semeiaDiaria(amb.db(), 12, "25,00");
        estaciona(amb, "ABC-1234", 5, {}, {}, "2026-12-07", "08:00:00");
        abreCaixa();
    }
    // Esc, F4, the ticket typed and Enter, as the operator does it.
    void encontraPeloTicket() {
        janela.tic->setFocus();
        QTest::keyClick(janela.tic, Qt::Key_Escape);
        QTest::keyClick(janela.tic, Qt::Key_F4);
        QApplication::processEvents();   // the field selects its text when it gets the focus
        QTest::keyClicks(janela.tic, "5");
        QTest::keyClick(janela.tic, Qt::Key_Return);
    }
};

}  // namespace

TEST_F(PainelPagamentoTest, ModalidadeClicadaCalculaOTotal) {
    encontraPeloTicket();
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    janela.Option3->click();   // 1 h 30 min by the standard table: steps 1 and 2
    EXPECT_EQ((QStringList{janela.tot->text(), janela.val_pag->text(), janela.tro->text()}),
              (QStringList{"8,00", "8,00", "0,00"}));
    // Two hours later the same kind, clicked again, charges the longer stay.
    amb.ctx.estado.hora_atual = QTime(11, 30);
    janela.Option3->click();
    EXPECT_EQ(janela.tot->text(), "12,00");
    EXPECT_TRUE(janela.Option3->isChecked());
    janela.Option7->click();   // each kind by its own table
    EXPECT_EQ(janela.tot->text(), "25,00");
}

TEST_F(PainelPagamentoTest, RecusaMostraMensagemEErro) {
    const struct {
        const char *sql, *mensagem;
    } casos[] = {
        {"UPDATE veiculos_patio SET data_entrada = '2026-12-05'",
         "O veículo ficou mais de um dia no estacionamento. Escolha convênio, mensalista ou diarista."},
        {"UPDATE veiculos_patio SET data_entrada = '2026-12-07'; DELETE FROM rotativo_variavel",
         "Os tempos/valores do Rotativo não foram cadastrados."},
    };
    for (const auto& c : casos) {
        semeia(amb.db(), c.sql);
        encontraPeloTicket();
        amb.plataforma.mensagens.clear();
        janela.Option3->click();
        EXPECT_EQ(janela.tot->text(), "ERRO");
        ASSERT_EQ(amb.plataforma.textosMensagens(), QStringList{c.mensagem});
        EXPECT_EQ(amb.plataforma.mensagens.front().icone, Icone::Exclamacao);
        EXPECT_TRUE(janela.ultimaModalidade().isEmpty());
    }
}

// The day limits of the time table, outside 24-hour operation only.
TEST(LimitesDoDia, UmDiaESeisHoras) {
    const QString umDia = "O veículo ficou mais de um dia no estacionamento. Escolha convênio, "
                          "mensalista ou diarista.";
    const QString seisHoras = "O veículo ficou mais de 6h de um dia para outro. Escolha convênio, "
                              "mensalista ou diarista.";
    const struct { const char *dataSai, *horaSai; bool h24; QString recusa; } casos[] = {
        {"11/03/2008", "02:00:00", false, ""},          // (86399 - 72000) + 7200 = 21599
        {"11/03/2008", "02:00:02", false, ""},          // 21601: the longest accepted
        {"11/03/2008", "02:00:03", false, seisHoras},   // 21602
        {"12/03/2008", "01:00:00", false, umDia},
        {"12/03/2008", "01:00:00", true, ""},
        {"11/03/2008", "09:00:00", true, ""},
        {"10/03/2008", "23:00:00", false, ""},          // one date: no limit
    };
    for (const auto& c : casos)
        EXPECT_EQ(limites_do_dia("10/03/2008", "20:00:00", c.dataSai, c.horaSai, c.h24), c.recusa)
            << c.dataSai << " " << c.horaSai;
}

// "Turno" over the night: no message at the click, the 6-hour one when the amount field gets
// the focus, and the focus back on "Turno"; nothing stands to be stored.
TEST_F(PainelPagamentoTest, TurnoDeUmDiaParaOutroRecusadoNoValorPago) {
    semeia(amb.db(), "UPDATE veiculos_patio SET data_entrada = '2026-12-06', hora_entrada = '20:00:00';"
                     "INSERT INTO turnos VALUES ('08:00:00', '18:00:00', 150000)");
    janela.tur->addItem("08:00 - 18:00");
    janela.tur->setCurrentIndex(0);
    encontraPeloTicket();
    janela.Option4->click();   // the shift chosen: on to the amount field, which computes
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"O veículo ficou mais de 6h de um dia para outro. Escolha convênio, "
                          "mensalista ou diarista."});
    EXPECT_EQ(janela.tot->text(), "ERRO");
    EXPECT_EQ(QApplication::focusWidget(), janela.Option4);
    EXPECT_FALSE(janela.totalValeParaOPainel());
}

// A subscriber's vehicle covered by the subscription: the amount field shows "0,00".
TEST_F(PainelPagamentoTest, MensalistaCobertoMostraZeroNoValorPago) {
    amb.db().executa("INSERT INTO mensalistas (codigo, nome) VALUES (9, 'Ana')");
    estaciona(amb, "MEN-0001", {}, {}, 9);
    janela.Option6->setEnabled(true);
    QTest::keyClick(janela.tic, Qt::Key_F4);
    janela.pla->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(janela.pla, "MEN0001");
    janela.val_pag->setFocus();   // the plate is looked up on the way
    EXPECT_TRUE(janela.Option6->isChecked());
    EXPECT_EQ((QStringList{janela.tot->text(), janela.val_pag->text()}), (QStringList{"0,00", "0,00"}));
    janela.val_pag->setText("");
    janela.Command3->setFocus();
    janela.val_pag->setFocus();
    EXPECT_EQ(janela.val_pag->text(), "0,00");
}

// A partner changed in the configuration while its fee is on the panel: picked again, its fee is
// computed anew, also while no window holds the keyboard; an exit is never stored at the fee
// computed before a change of the tariffs that alters it.
TEST_F(PainelPagamentoTest, ConvenioAlteradoComOTotalNoPainel) {
    ligaPista(amb.ctx, janela);
    semeia(amb.db(), "INSERT INTO convenios (codigo, convenio, isento_fixo_variavel, valor_fixo, "
                     "seg) VALUES (3, 'SEGUNDA FIXO', 'F', 75000, 1)");   // 07/12/2026 is a Monday
    janela.trocaConvenios(lista_convenios(amb.db()));
    janela.Option5->setEnabled(true);
    encontraPeloTicket();
    const auto escolhe = [&] {
        janela.conv->setCurrentIndex(0);
        emit janela.conv->activated(0);
    };
    janela.Option5->click();
    escolhe();
    EXPECT_EQ(janela.tot->text(), "7,50");
    const struct { const char* sql; QString tot; } casos[] = {
        {"UPDATE convenios SET valor_fixo = 110000", "11,00"},
        {"UPDATE convenios SET seg = 0", "ERRO"},
        {"UPDATE convenios SET seg = 1", "11,00"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.sql);
        semeia(amb.db(), c.sql);
        janela.trocaConvenios(lista_convenios(amb.db()));   // as the configuration's save does
        QApplication::setActiveWindow(nullptr);
        escolhe();
        EXPECT_EQ(janela.tot->text(), c.tot);
        QApplication::setActiveWindow(&janela);
    }
    // Changed again, the lists left as they were: the exit is refused and the fee computed anew;
    // another tariff changed since leaves it as it is, and the next exit stores it.
    semeia(amb.db(), "UPDATE convenios SET valor_fixo = 120000");
    janela.val_pag->setText("20,00");
    amb.plataforma.mensagens.clear();
    janela.Command3->click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{kMsgTarifaMudou});
    EXPECT_EQ((QStringList{janela.tot->text(), QString::number(amb.conta("registro_saida"))}),
              (QStringList{"12,00", "0"}));
    semeia(amb.db(), "UPDATE diaria SET valor = 300000");
    janela.val_pag->setText("20,00");
    janela.Command3->click();
    EXPECT_EQ(amb.linha("SELECT convenio, total FROM registro_saida"), (QStringList{"3", "120000"}));
}

// Anything the fee reads changed while it is on the panel (the 24-hour setting as the
// configuration saves it, a subscriber's hours or months): the exit is refused and the fee
// computed again, which the next exit stores.
TEST_F(PainelPagamentoTest, TermosMudadosComOTotalNoPainel) {
    ligaPista(amb.ctx, janela);
    // 1 h at 5,00, 1 h at 8,00, then 3,00 an hour; Ana allowed from 08:00 to 09:00.
    semeia(amb.db(), "DELETE FROM rotativo_variavel; DELETE FROM rotativo; DELETE FROM veiculos_patio;"
                     "INSERT INTO rotativo_variavel VALUES ('01:00:00', 50000, 1), ('01:00:00', 80000, 2);"
                     "INSERT INTO rotativo VALUES (30000, '01:00:00');"
                     "INSERT INTO mensalistas (codigo, nome, hora_inicio, hora_fim) VALUES "
                     "(9, 'Ana', '08:00:00', '09:00:00')");
    janela.Option6->setEnabled(true);
    const QString horas = "UPDATE mensalistas SET hora_inicio = '%1', hora_fim = '%2'";
    const struct { const char* placa; QString sql; const char *antes, *depois, *guardado; } casos[] = {
        {"ABC1234", "UPDATE geral SET estacionamento24h = 1", "16,00", "18,00", "180000"},   // 2:59:59
        {"ABC1234", "UPDATE geral SET estacionamento24h = 0", "18,00", "16,00", "160000"},
        {"MEN0001", horas.arg("00:00:00", "23:59:59"), "31,00", "0,00", "0"},   // 00:00 to 01:07
        {"MEN0001", horas.arg("08:00:00", "09:00:00"), "0,00", "31,00", "310000"},
        {"MEN0001", "UPDATE veiculos_patio SET mensalista_pago = -2; INSERT INTO mensalidades "
                    "(codigo, pago) VALUES (9, 0)", "31,00", "ERRO", "NULL"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.sql.toStdString());
        const bool mensalista = c.placa[0] == 'M';
        if (mensalista) estaciona(amb, "MEN-0001", {}, {}, 9, "2026-12-07", "00:00:00");
        else estaciona(amb, "ABC-1234", 5, {}, {}, "2026-12-07", "06:30:01");
        amb.ctx.estado.hora_atual = mensalista ? QTime(1, 7) : QTime(9, 30);
        QTest::keyClick(janela.tic, Qt::Key_Escape);
        QTest::keyClick(janela.tic, Qt::Key_F4);
        janela.pla->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(janela.pla, c.placa);
        janela.val_pag->setFocus();   // the plate is looked up on the way
        if (!mensalista) janela.Option3->click();
        EXPECT_EQ(janela.tot->text(), c.antes);
        semeia(amb.db(), c.sql);
        amb.ctx.estado.estacionamento24h = amb.db().valor("SELECT estacionamento24h FROM geral").toBool();
        const QVariant ultima = amb.db().valor("SELECT max(rowid) FROM registro_saida");
        amb.plataforma.mensagens.clear();
        // Refused and computed again, then stored as computed again (the panel cleared).
        const bool erro = QLatin1String(c.depois) == u"ERRO";
        for (const QString& depois : {QString(c.depois), QString(erro ? "ERRO" : "")}) {
            janela.val_pag->setText("100,00");
            janela.Command3->click();
            EXPECT_EQ(janela.tot->text(), depois);
        }
        EXPECT_EQ(amb.plataforma.textosMensagens().value(0), kMsgTarifaMudou);
        EXPECT_EQ(amb.linha("SELECT group_concat(total) FROM registro_saida WHERE rowid > "
                            "coalesce(?, 0)", {ultima}),
                  QStringList{c.guardado});
    }
}
