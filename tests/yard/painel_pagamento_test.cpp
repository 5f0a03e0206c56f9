#include "yard/janela_principal.h"
#include "yard/liga_pista.h"

#include "cash/abe_cai.h"
#include "support/ambiente.h"
#include "yard/tarifas/tarifas_teste.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The main window with a register open and one vehicle parked since 08:00 today.
class PainelPagamentoTest : public ::testing::Test {
protected:
    PainelPagamentoTest() {
        Estado& e = amb.ctx.estado;
        e.impressora = QStringLiteral(" ");
        e.impressora_fiscal = QStringLiteral(" ");
        e.numero_caixa = 1;
        e.data_atual = QDate(2026, 12, 7);
        e.hora_atual = QTime(9, 30, 0);
        semeiaRotativoPadrao(amb.db());
        semeiaDiaria(amb.db(), 12, "25,00");
        amb.db().executa("INSERT INTO veiculos_patio (placa, ticket, data_entrada, hora_entrada) "
                         "VALUES ('ABC-1234', 5, '2026-12-07', '08:00:00')");
        mostraCaixaAberto(janela);
        janela.show();
        QApplication::setActiveWindow(&janela);
    }
    // F4, the ticket typed and Enter, as the operator does it.
    void encontraPeloTicket() {
        janela.tic->setFocus();
        QTest::keyClick(janela.tic, Qt::Key_F4);
        QApplication::processEvents();  // the field selects its text when it gets the focus
        QTest::keyClicks(janela.tic, "5");
        QTest::keyClick(janela.tic, Qt::Key_Return);
    }
    Ambiente amb;
    JanelaPrincipal janela{amb.ctx};
};

}  // namespace

TEST_F(PainelPagamentoTest, TicketDigitadoERotativo) {
    encontraPeloTicket();
    EXPECT_TRUE(janela.Option2->isChecked());
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    EXPECT_EQ(janela.dat_ent->text(), "07/12/2026");
    EXPECT_EQ(janela.hor_ent->text(), "08:00:00");
    EXPECT_EQ(janela.dat_sai->text(), "07/12/2026");
    EXPECT_EQ(janela.hor_sai->text(), "09:30:00");

    janela.Option3->click();
    // 1 h 30 min by the standard table: steps 1 and 2.
    EXPECT_EQ(janela.tot->text(), "8,00");
    EXPECT_EQ(janela.val_pag->text(), "8,00");
    EXPECT_EQ(janela.tro->text(), "0,00");
}

TEST_F(PainelPagamentoTest, CadaModalidadeCobraPelaSuaTabela) {
    encontraPeloTicket();
    janela.Option7->click();
    EXPECT_EQ(janela.tot->text(), "25,00");
    EXPECT_EQ(janela.val_pag->text(), "25,00");
    EXPECT_EQ(janela.ultima_modalidade, "D");

    // No kind selected: the amount field computes the day rate.
    QTest::keyClick(janela.tic, Qt::Key_Escape);
    encontraPeloTicket();
    janela.val_pag->setFocus();
    EXPECT_EQ(janela.tot->text(), "25,00");
}

TEST_F(PainelPagamentoTest, RecusaMostraMensagemEErro) {
    amb.db().executa("DELETE FROM rotativo_variavel");
    encontraPeloTicket();
    janela.Option3->click();
    EXPECT_EQ(janela.tot->text(), "ERRO");
    ASSERT_FALSE(amb.plataforma.mensagens.empty());
    EXPECT_EQ(amb.plataforma.mensagens.back().texto,
              "Os tempos/valores do Rotativo não foram cadastrados.");
    EXPECT_EQ(amb.plataforma.mensagens.back().icone, Icone::Exclamacao);
    EXPECT_TRUE(janela.ultima_modalidade.isEmpty());
}

TEST_F(PainelPagamentoTest, LimitesDoDiaNoRotativo) {
    amb.db().executa("UPDATE veiculos_patio SET data_entrada = '2026-12-05'");
    encontraPeloTicket();
    janela.Option3->click();
    EXPECT_EQ(janela.tot->text(), "ERRO");
    EXPECT_EQ(amb.plataforma.mensagens.back().texto,
              "O veículo ficou mais de um dia no estacionamento. Escolha convênio, mensalista ou diarista.");
}

TEST_F(PainelPagamentoTest, SaidaPeloTecladoComCamposOpcionaisOcultos) {
    for (QWidget* w : std::initializer_list<QWidget*>{janela.pri, janela.Label12, janela.vei,
                                                      janela.LabelVeiculo})
        w->setVisible(false);
    encontraPeloTicket();
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), janela.Option3);
    QTest::keyClick(janela.Option3, Qt::Key_Space);
    EXPECT_TRUE(janela.Option3->isChecked());
    EXPECT_EQ(janela.tot->text(), "8,00");
}

TEST_F(PainelPagamentoTest, CliqueNaModalidadeJaEscolhidaCalculaDeNovo) {
    encontraPeloTicket();
    janela.Option3->click();
    EXPECT_EQ(janela.tot->text(), "8,00");
    // Two hours later the same kind, clicked again, charges the longer stay.
    amb.ctx.estado.hora_atual = QTime(11, 30, 0);
    janela.tot->clear();
    janela.Option3->click();
    EXPECT_TRUE(janela.Option3->isChecked());
    EXPECT_EQ(janela.tot->text(), "12,00");
}

TEST_F(PainelPagamentoTest, SaidaRecusadaDevolveOFocoAoValorPago) {
    ligaPista(amb.ctx, janela);
    encontraPeloTicket();
    janela.Option7->click();
    janela.val_pag->setFocus();
    janela.val_pag->setText("1");
    janela.Command3->setFocus();
    janela.Command3->click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Valor Pago menor que Total.");
    EXPECT_EQ(QApplication::focusWidget(), janela.val_pag);
    EXPECT_EQ(amb.conta("registro_saida"), 0);
}

TEST_F(PainelPagamentoTest, CliqueNaListaEmModoEntradaMostraOVeiculo) {
    amb.db().executa("INSERT INTO mensalistas (codigo, nome, hora_inicio, hora_fim) "
                     "VALUES (9, 'ANA', '00:00:00', '23:59:00')");
    amb.db().executa("INSERT INTO veiculos_patio (placa, mensalista, data_entrada, hora_entrada) "
                     "VALUES ('MEN-0001', 9, '2026-12-07', '07:00:00')");
    janela.atualiza_lista_patio();   // no tag on either: ordered by plate
    const struct {
        int linha;
        const char* tic;
        QRadioButton* modalidade;
        const char* hor_ent;
        const char* tot;
    } casos[] = {
        {0, "5         ", janela.Option3, "08:00:00", "8,00"},
        {1, "0000000000", janela.Option6, "07:00:00", "0,00"},
    };
    for (const auto& c : casos) {
        QTest::keyClick(janela.pla, Qt::Key_Escape);   // no payment kind chosen
        janela.pla->setFocus();
        QTest::keyClick(janela.pla, Qt::Key_F2);
        const QRect celula = janela.grid1->visualRect(janela.grid1->model()->index(c.linha, 1));
        QTest::mouseClick(janela.grid1->viewport(), Qt::LeftButton, {}, celula.center());
        SCOPED_TRACE(c.tic);
        EXPECT_TRUE(janela.Option2->isChecked());
        EXPECT_EQ(janela.tic->displayText(), c.tic);
        EXPECT_TRUE(c.modalidade->isChecked());
        EXPECT_EQ(janela.hor_ent->text(), c.hor_ent);
        EXPECT_EQ(janela.hor_sai->text(), "09:30:00");
        EXPECT_EQ(janela.tot->text(), c.tot);
    }
}
