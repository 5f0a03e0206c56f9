#include "yard/janela_principal.h"

#include "cash/abe_cai.h"
#include "data/datas.h"
#include "support/ambiente.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class JanelaPrincipalTest : public ::testing::Test {
protected:
    JanelaPrincipalTest() {
        amb.ctx.estado.impressora = QStringLiteral(" ");
        amb.ctx.estado.impressora_fiscal = QStringLiteral(" ");
        janela.show();
        janela.activateWindow();
    }
    // The state the login leaves with a cash register open.
    void abreCaixa() {
        amb.ctx.estado.numero_caixa = 1;
        mostraCaixaAberto(janela);
    }
    void estaciona(const char* placa, QVariant ticket, QVariant prisma = {},
                   QVariant mensalista = {}, const char* data = "2026-12-07",
                   const char* hora = "08:30:00") {
        amb.db().executa("INSERT INTO veiculos_patio (placa, ticket, prisma, mensalista, "
                         "data_entrada, hora_entrada) VALUES (?, ?, ?, ?, ?, ?)",
                         {placa, ticket, prisma, mensalista, data, hora});
    }
    Ambiente amb;
    JanelaPrincipal janela{amb.ctx};
};

}  // namespace

TEST_F(JanelaPrincipalTest, ModoEntradaMostraOProximoTicket) {
    abreCaixa();
    janela.Option1->setChecked(true);
    EXPECT_EQ(janela.tic->displayText(), "1         ");
    EXPECT_FALSE(janela.tic->isEnabled());
    EXPECT_FALSE(janela.Frame2->isEnabled());
    // Neither printer configured: only "Registrar Entrada" works.
    EXPECT_FALSE(janela.Command6->isEnabled());

    amb.db().executa("INSERT INTO gera_ticket (ticket) VALUES (41)");
    janela.pla->setText("ABC1234");
    QTest::keyClick(janela.pla, Qt::Key_F2);  // F2 in entry mode runs the set-up again
    EXPECT_EQ(janela.tic->displayText(), "42        ");
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    EXPECT_TRUE(janela.Option1->isChecked());
}

TEST_F(JanelaPrincipalTest, AtalhosSoComCaixaAberto) {
    QTest::keyClick(janela.pla, Qt::Key_F4);
    EXPECT_FALSE(janela.Option2->isChecked());
    abreCaixa();
    QTest::keyClick(janela.pla, Qt::Key_F4);
    EXPECT_TRUE(janela.Option2->isChecked());
    EXPECT_TRUE(janela.Frame2->isEnabled());
    EXPECT_FALSE(janela.vei->isEnabled());

    int cancelamentos = 0;
    janela.abreCancelamento = [&] { ++cancelamentos; };
    QTest::keyClick(janela.tic, Qt::Key_F5);
    EXPECT_EQ(cancelamentos, 1);

    // Esc clears the fields and the payment kind but keeps exit mode.
    janela.Option7->setEnabled(true);
    JanelaPrincipal::marca(janela.Option7, true);
    janela.tot->setText("5,00");
    janela.dat_ent->setText("07/12/2026");
    janela.Check1->setChecked(true);
    QTest::keyClick(janela.tic, Qt::Key_Escape);
    EXPECT_TRUE(janela.Option2->isChecked());
    EXPECT_FALSE(janela.Option7->isChecked());
    EXPECT_TRUE(janela.tot->text().isEmpty());
    EXPECT_TRUE(janela.dat_ent->text().isEmpty());
    EXPECT_FALSE(janela.Check1->isChecked());
}

TEST_F(JanelaPrincipalTest, ListaDePatioContadoresEOrdem) {
    janela.atualiza_lista_patio();
    EXPECT_EQ(janela.total->text(), "Nenhum");
    EXPECT_EQ(janela.tot_avu->text(), "Nenhum");
    EXPECT_EQ(janela.tot_men->text(), "Nenhum");
    EXPECT_EQ(janela.grid1->rowCount(), 0);

    estaciona("BBB-0002", 2, 7);
    janela.atualiza_lista_patio();
    EXPECT_EQ(janela.total->text(), "1 Veículo");
    EXPECT_EQ(janela.tot_avu->text(), "1 Veículo");
    EXPECT_EQ(janela.tot_men->text(), "Nenhum");

    estaciona("AAA-0001", 1, 2);
    estaciona("ZZZ-0009", 3);
    estaciona("MMM-0001", {}, {}, 5);
    estaciona("MMM-0002", {}, {}, 5);
    estaciona("MMM-0003", {}, {}, 6);
    janela.atualiza_lista_patio();
    EXPECT_EQ(janela.total->text(), "6 Veículos");
    EXPECT_EQ(janela.tot_avu->text(), "3 Veículos");
    EXPECT_EQ(janela.tot_men->text(), "3 Veículos");
    QStringList placas;
    for (int i = 0; i < janela.grid1->rowCount(); ++i) placas << janela.grid1->item(i, 1)->text();
    EXPECT_EQ(placas, (QStringList{"MMM-0001", "MMM-0002", "MMM-0003", "ZZZ-0009", "AAA-0001", "BBB-0002"}));
    EXPECT_EQ(janela.grid1->item(0, 0)->text(), "");
    EXPECT_EQ(janela.grid1->item(4, 0)->text(), "2");
    EXPECT_EQ(janela.grid1->item(4, 2)->text(), "07/12/26");
    EXPECT_EQ(janela.grid1->item(4, 3)->text(), "08:30:00");
}

TEST_F(JanelaPrincipalTest, RelogioRegistraMudancasComCaixaAberto) {
    Estado& e = amb.ctx.estado;
    const QDate hoje(2026, 12, 7);
    struct Caso {
        const char* nome;
        int caixa;
        QTime programa;
        QDate dataPrograma;
        QDateTime computador;
        int horarios, datas;
        QTime horaDepois;
        int ajusteTick;
    } casos[] = {
        {"5 min adiante, caixa aberto", 1, QTime(10, 0, 0), hoje, {hoje, QTime(10, 5, 0)}, 1, 0, QTime(10, 5, 0), -1},
        {"5 min adiante, sem caixa", 0, QTime(10, 0, 0), hoje, {hoje, QTime(10, 5, 0)}, 0, 0, QTime(10, 5, 0), -1},
        {"exatos 30 s", 1, QTime(10, 0, 0), hoje, {hoje, QTime(10, 0, 30)}, 0, 0, QTime(10, 0, 30), -1},
        {"1,5 s atrás", 1, QTime(10, 0, 0), hoje, {hoje, QTime(10, 0, 1, 500)}, 0, 0, QTime(10, 0, 1, 500), -1},
        {"0,8 s atrás", 1, QTime(10, 0, 0), hoje, {hoje, QTime(10, 0, 0, 800)}, 0, 0, QTime(10, 0, 0), 0},
        {"2 s adiantado", 1, QTime(10, 0, 2), hoje, {hoje, QTime(10, 0, 0)}, 0, 0, QTime(10, 0, 0), +1},
        {"data trocada às 10h", 1, QTime(10, 0, 0), hoje, {hoje.addDays(1), QTime(10, 0, 0)}, 0, 1, QTime(10, 0, 0), 0},
        {"data trocada às 00:01", 1, QTime(0, 1, 0), hoje, {hoje.addDays(1), QTime(0, 1, 0)}, 0, 0, QTime(0, 1, 0), 0},
        {"meia-noite natural", 1, QTime(0, 0, 10), hoje, {hoje.addDays(1), QTime(0, 0, 10)}, 0, 0, QTime(0, 0, 10), 0},
    };
    for (const Caso& c : casos) {
        amb.db().executa("DELETE FROM mudanca_horario");
        amb.db().executa("DELETE FROM mudanca_data");
        janela.Timer1->setInterval(985);
        e.numero_caixa = c.caixa;
        e.hora_atual = c.programa;
        e.data_atual = c.dataPrograma;
        amb.plataforma.defineAgora(c.computador);
        janela.Timer2_Timer();
        EXPECT_EQ(amb.db().valor("SELECT count(*) FROM mudanca_horario").toInt(), c.horarios) << c.nome;
        EXPECT_EQ(amb.db().valor("SELECT count(*) FROM mudanca_data").toInt(), c.datas) << c.nome;
        EXPECT_EQ(e.hora_atual, c.horaDepois) << c.nome;
        EXPECT_EQ(janela.Timer1->interval(), 985 + c.ajusteTick) << c.nome;
        EXPECT_EQ(e.data_atual, c.computador.date()) << c.nome;
        EXPECT_EQ(dataDoBanco(amb.db().valor("SELECT data FROM data_hora")), c.computador.date()) << c.nome;
    }
    QSqlQuery q = amb.db().executa("SELECT count(*) FROM data_hora");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);

    // The record keeps the program time before the jump and the computer's time after it.
    e.numero_caixa = 3;
    e.hora_atual = QTime(9, 0, 0);
    amb.plataforma.defineAgora({hoje, QTime(9, 10, 0)});
    janela.Timer2_Timer();
    q = amb.db().executa("SELECT hora, caixa, hora_apos FROM mudanca_horario");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "09:00:00");
    EXPECT_EQ(q.value(1).toInt(), 3);
    EXPECT_EQ(q.value(2).toString(), "09:10:00");

    e.hora_atual = QTime(23, 59, 59);
    janela.Timer1_Timer();
    EXPECT_EQ(e.hora_atual, QTime(0, 0, 0));
    EXPECT_EQ(janela.paineis[2]->text(), "Hora: 00:00:00");
}

TEST_F(JanelaPrincipalTest, BuscaNaSaidaPorTicketPlacaEPrisma) {
    abreCaixa();
    estaciona("ABC-1234", 17, 4, {}, "2026-12-06", "22:15:30");
    amb.db().executa("UPDATE veiculos_patio SET veiculo = 'Gol prata'");
    estaciona("MEN-0001", {}, {}, 9);
    amb.ctx.estado.data_atual = QDate(2026, 12, 7);
    amb.ctx.estado.hora_atual = QTime(9, 0, 5);
    janela.Option2->setChecked(true);

    janela.tic->setText("17");
    janela.tic_LostFocus();
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    EXPECT_EQ(janela.dat_ent->text(), "06/12/2026");
    EXPECT_EQ(janela.hor_ent->text(), "22:15:30");
    EXPECT_EQ(janela.dat_sai->text(), "07/12/2026");
    EXPECT_EQ(janela.hor_sai->text(), "09:00:05");
    EXPECT_EQ(janela.vei->text(), "Gol prata");

    // A ticket not in the yard blanks the ticket and the found data.
    janela.tic->setText("99");
    janela.tic_LostFocus();
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);
    EXPECT_TRUE(janela.dat_ent->text().isEmpty());
    EXPECT_TRUE(janela.vei->text().isEmpty());

    // A subscriber's plate shows the subscriber ticket text and selects "Mensalista".
    janela.Option6->setEnabled(true);
    janela.pla->setText("MEN0001");
    janela.pla_LostFocus();
    EXPECT_EQ(janela.tic->displayText(), kTicketMensalista);
    EXPECT_TRUE(janela.Option6->isChecked());
    EXPECT_EQ(janela.hor_sai->text(), "09:00:05");

    // By tag: the plate comes from the row too.
    janela.pri->setText("4");
    janela.pri_LostFocus();
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    EXPECT_EQ(janela.tic->displayText(), "17        ");
    // An empty tag clears nothing.
    janela.pri->setText("");
    janela.pri_LostFocus();
    EXPECT_EQ(janela.dat_ent->text(), "06/12/2026");
}

TEST_F(JanelaPrincipalTest, ValorPagoETroco) {
    abreCaixa();
    janela.Option2->setChecked(true);
    const struct {
        const char* total;
        const char* digitado;
        const char* pago;
        const char* troco;
    } casos[] = {
        {"12,50", "20", "20,00", "7,50"},
        {"12,50", "10,5", "10,50", "0,00"},
        {"1.234,56", "1234,56", "1.234,56", "0,00"},
        {"ERRO", "20", "20,00", "anterior"},
        {"12,50", "abc", "", ""},
    };
    for (const auto& c : casos) {
        janela.tot->setText(c.total);
        janela.tro->setText("anterior");
        janela.val_pag->setText(c.digitado);
        janela.val_pag_LostFocus();
        EXPECT_EQ(janela.val_pag->text(), c.pago) << c.digitado;
        EXPECT_EQ(janela.tro->text(), c.troco) << c.digitado;
    }
    // Typing: "." becomes ",", letters are dropped.
    janela.val_pag->clear();
    janela.val_pag->setFocus();
    QTest::keyClicks(janela.val_pag, "1a2.5");
    EXPECT_EQ(janela.val_pag->text(), "12,5");
    // Tab still leaves the field.
    QApplication::setActiveWindow(&janela);
    janela.val_pag->setFocus();
    QTest::keyClick(janela.val_pag, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), janela.val_pag);
}

TEST_F(JanelaPrincipalTest, EnterMoveOFoco) {
    abreCaixa();
    janela.Option1->setChecked(true);
    janela.pri->setVisible(false);
    janela.Label12->setVisible(false);
    janela.vei->setVisible(false);
    QApplication::setActiveWindow(&janela);
    janela.pla->setFocus();
    QTest::keyClick(janela.pla, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), janela.Command5);

    janela.Option2->setChecked(true);
    janela.Option3->setEnabled(false);
    janela.Option4->setEnabled(true);
    janela.pla->setFocus();
    QTest::keyClick(janela.pla, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), janela.Option4);
}

TEST_F(JanelaPrincipalTest, BotaoSairEncerraOPrograma) {
    abreCaixa();
    janela.botoes[7]->trigger();
    EXPECT_EQ(amb.plataforma.encerramentos, 1);
}

TEST_F(JanelaPrincipalTest, EnterNoBotaoRegistraEGanchosLigadosDepois) {
    abreCaixa();
    // Hooks set after the window was built are the ones the buttons call.
    int entradas = 0, aberturas = 0;
    janela.registraEntrada = [&](bool imprime) {
        EXPECT_FALSE(imprime);
        ++entradas;
        return true;
    };
    janela.abreAberturaCaixa = [&] { ++aberturas; };
    janela.Command1->setEnabled(true);
    janela.Command1->click();
    EXPECT_EQ(aberturas, 1);
    janela.Command1->setEnabled(false);

    QApplication::setActiveWindow(&janela);
    janela.Option1->setChecked(true);
    janela.Command5->setFocus();
    QTest::keyClick(janela.Command5, Qt::Key_Return);
    EXPECT_EQ(entradas, 1);
    // A registered entry prepares the next vehicle: entry mode again, the plate focused.
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);
}

TEST_F(JanelaPrincipalTest, AtalhoDaJanelaSoSemControleComFoco) {
    abreCaixa();
    QApplication::setActiveWindow(&janela);
    // F2 from exit mode: the window itself takes it when no control has the focus; the check
    // box and the read-only fields hand it up to the window, which must not take it from them.
    const struct {
        const char* nome;
        QWidget* foco;
        bool entra;
    } casos[] = {
        {"nenhum controle", nullptr, true}, {"pla", janela.pla, true},
        {"Check1", janela.Check1, false},   {"dat_ent", janela.dat_ent, false},
        {"tot", janela.tot, false},
    };
    for (const auto& c : casos) {
        janela.trata_tecla(Qt::Key_F4);
        if (c.foco) {
            c.foco->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), c.foco) << c.nome;
        } else if (QWidget* w = QApplication::focusWidget()) {
            w->clearFocus();
        }
        QTest::keyClick(c.foco ? c.foco : static_cast<QWidget*>(&janela), Qt::Key_F2);
        EXPECT_EQ(janela.Option1->isChecked(), c.entra) << c.nome;
    }
}

TEST_F(JanelaPrincipalTest, JanelaQueTomaOFocoNaoDisparaBusca) {
    abreCaixa();
    estaciona("ABC-1234", 17);
    janela.Option2->setChecked(true);
    janela.tic->setText("17");
    QFocusEvent saidaPorCaixa(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(janela.tic, &saidaPorCaixa);
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    QFocusEvent saidaPorTab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(janela.tic, &saidaPorTab);
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
}

TEST_F(JanelaPrincipalTest, FalhaDoRelogioAvisadaUmaVez) {
    amb.db().executa("DROP TABLE data_hora");
    for (int i = 0; i < 3; ++i) janela.passoDoRelogio();
    ASSERT_EQ(amb.plataforma.mensagens.size(), 1u);
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Critico);
    // Once the step works again, a new failure is told again.
    amb.db().executa("CREATE TABLE data_hora (data TEXT, hora TEXT)");
    janela.passoDoRelogio();
    amb.db().executa("DROP TABLE data_hora");
    janela.passoDoRelogio();
    EXPECT_EQ(amb.plataforma.mensagens.size(), 2u);
}
