#include "cash/abe_cai.h"

#include "support/pista_janela.h"

#include <QGroupBox>

// The opening dialog as the operator uses it: the float typed with a point, Enter opening the
// register at once, the message, and the main window switched to the open state.
TEST_F(PistaTest, AberturaDeCaixaPeloDialogo) {
    amb.ctx.estado.usuario_atual = QStringLiteral("ana");
    janela.mensagem->setText("Último caixa aberto é de outro usuário. Feche o caixa e abra o seu.");
    janela.Frame1->setEnabled(false);
    for (QPushButton* b : {janela.Command2, janela.Command8, janela.Command9}) b->setEnabled(false);

    AberturaCaixa dialogo(amb.ctx, janela, &janela);
    dialogo.show();
    QApplication::setActiveWindow(&dialogo);
    dialogo.tro->setFocus();
    QTest::keyClick(dialogo.tro, Qt::Key_Return);   // empty: refused, nothing written
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Troco inválido."});
    EXPECT_EQ(amb.conta("caixa"), 0);

    QTest::keyClicks(dialogo.tro, "1x2.5");
    EXPECT_EQ(dialogo.tro->text(), "12,5");
    QTest::keyClick(dialogo.tro, Qt::Key_Return);
    EXPECT_EQ(amb.plataforma.textosMensagens().last(), "Caixa aberto com sucesso.");
    EXPECT_EQ(amb.linha("SELECT usuario, troco, aberto FROM caixa"),
              (QStringList{"ana", "125000", "1"}));
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);

    EXPECT_EQ((std::vector<bool>{janela.Command1->isEnabled(), janela.Command2->isEnabled(),
                                 janela.Command8->isEnabled(), janela.Command9->isEnabled(),
                                 janela.Frame1->isEnabled()}),
              (std::vector<bool>{false, true, true, true, true}));
    EXPECT_TRUE(janela.mensagem->text().isEmpty());
    // The lane keys act now, from the ticket field that took the focus.
    EXPECT_EQ(janela.focusWidget(), janela.tic);
    QTest::keyClick(janela.tic, Qt::Key_F4);
    EXPECT_TRUE(janela.Option2->isChecked());
}

TEST_F(PistaTest, AberturaDeCaixaCanceladaNaoMudaNada) {
    AberturaCaixa dialogo(amb.ctx, janela, &janela);
    dialogo.show();
    dialogo.tro->setText("50");
    dialogo.Command2->click();
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(amb.conta("caixa"), 0);
    EXPECT_TRUE(janela.Command1->isEnabled());
    // Leaving the float formats it, and clears what is no amount.
    dialogo.show();
    QApplication::setActiveWindow(&dialogo);
    dialogo.tro->setText("1234,5");
    dialogo.tro->setFocus();
    dialogo.Command2->setFocus();
    EXPECT_EQ(dialogo.tro->text(), "1.234,50");
}
