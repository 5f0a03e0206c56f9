#include "yard/cancelamento.h"

#include "support/pista_janela.h"
#include "yard/can.h"

namespace {

class CancelamentoTest : public PistaTest {
protected:
    CancelamentoTest() {
        abreCaixa(3);
        amb.ctx.estado.hora_atual = QTime(14, 20, 5);
        estaciona(amb, "ABC-1234", 123);
        estaciona(amb, "MEN-0001", {}, {}, 8);   // a subscriber's vehicle: no ticket
        janela.atualiza_lista_patio();
        dialogo.show();
        QApplication::setActiveWindow(&dialogo);
    }
    QStringList cancelados() {
        return amb.linha("SELECT group_concat(coalesce(ticket, 'NULL') || ' ' || placa || ' ' || hora "
                         "|| ' ' || caixa || ' ' || coalesce(filial, 'NULL'), ', ') FROM cancelamento_ticket");
    }
    Cancelamento dialogo{amb.ctx, janela};
};

}  // namespace

TEST_F(CancelamentoTest, PorTicketComEnterComoOOperador) {
    dialogo.tic->setFocus();
    QTest::keyClicks(dialogo.tic, "123");
    QTest::keyClick(dialogo.tic, Qt::Key_Return);   // the plate is filled in
    EXPECT_EQ(dialogo.pla->displayText(), "ABC-1234");
    EXPECT_EQ(QApplication::focusWidget(), dialogo.pla);
    QTest::keyClick(dialogo.pla, Qt::Key_Return);   // to the button, which it does not press
    EXPECT_EQ(QApplication::focusWidget(), dialogo.Command1);
    EXPECT_EQ(dialogo.tic->displayText(), "123       ");
    EXPECT_EQ(amb.conta("cancelamento_ticket"), 0);
    QTest::keyClick(dialogo.Command1, Qt::Key_Return);

    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Ticket cancelado com sucesso."});
    EXPECT_EQ(cancelados(), QStringList{"123 ABC-1234 14:20:05 3 NULL"});
    EXPECT_EQ(amb.linha("SELECT placa FROM veiculos_patio"), QStringList{"MEN-0001"});
    EXPECT_EQ(janela.grid1->rowCount(), 1);
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
}

TEST_F(CancelamentoTest, MensalistaPelaPlacaGravaSemTicket) {
    dialogo.pla->setText("MEN0001");
    dialogo.pla_LostFocus();
    EXPECT_EQ(dialogo.tic->displayText(), "0000000000");
    dialogo.Command1->click();
    EXPECT_EQ(cancelados(), QStringList{"NULL MEN-0001 14:20:05 3 NULL"});
    EXPECT_EQ(amb.conta("veiculos_patio"), 1);
}

TEST_F(CancelamentoTest, BuscasQueNaoAchamLimpamOsCampos) {
    dialogo.pla->setText("ZZZ9999");
    dialogo.tic->setText("999");
    dialogo.tic_LostFocus();   // the ticket goes, the plate stays
    EXPECT_EQ((QStringList{dialogo.tic->displayText(), dialogo.pla->displayText()}),
              (QStringList{kTicketVazio, "ZZZ-9999"}));
    dialogo.tic->setText("123");
    dialogo.pla_LostFocus();   // both go
    EXPECT_EQ((QStringList{dialogo.tic->displayText(), dialogo.pla->displayText()}),
              (QStringList{kTicketVazio, kPlacaVazia}));
    dialogo.Command1->click();
    EXPECT_EQ(QApplication::focusWidget(), dialogo.tic);
    dialogo.tic->setText("0000000000");
    dialogo.Command1->click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), (QStringList{"Ticket em branco.", "Preencha a placa."}));
    EXPECT_TRUE(dialogo.isVisible());
    QTest::keyClick(dialogo.Command2, Qt::Key_Escape);   // Esc closes, writing nothing
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(amb.conta("cancelamento_ticket"), 0);
}

TEST_F(CancelamentoTest, RecusasEFalhaNaoGravamNada) {
    const struct {
        int caixa;
        const char* tic;
        const char* pla;
        bool falha;
        const char* inicioMensagem;
        Icone icone;
    } casos[] = {
        {3, "777", "   -    ", false, "Veículo não encontrado no pátio.", Icone::Informacao},
        {3, "0000000000", "XXX-0000", false, "Veículo não encontrado no pátio.", Icone::Informacao},
        {0, "123", "ABC-1234", false, "Não há caixa aberto. Abra o caixa", Icone::Informacao},
        {3, "123", "ABC-1234", true, "Não foi possível cancelar o ticket. O veículo continua no pátio",
         Icone::Critico},
    };
    for (const auto& c : casos) {
        amb.ctx.estado.numero_caixa = c.caixa;
        if (c.falha) falhaAoGravar(amb, "cancelamento_ticket");
        const ResultadoCancelamento r = cancela_ticket(amb.ctx, c.tic, c.pla);
        EXPECT_FALSE(r.cancelado) << c.tic;
        EXPECT_TRUE(r.mensagem.startsWith(c.inicioMensagem)) << r.mensagem.toStdString();
        EXPECT_EQ(r.icone, c.icone) << c.tic;
    }
    EXPECT_EQ(amb.conta("veiculos_patio"), 2);
    EXPECT_EQ(amb.conta("cancelamento_ticket"), 0);
}
