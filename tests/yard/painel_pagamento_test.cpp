#include "support/pista_janela.h"
#include "yard/tarifas/tarifas_teste.h"

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
        EXPECT_TRUE(janela.ultima_modalidade.isEmpty());
    }
}
