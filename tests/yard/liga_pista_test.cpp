#include "yard/liga_pista.h"

#include "support/ambiente.h"
#include "yard/janela_principal.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class LigaPistaTest : public ::testing::Test {
protected:
    LigaPistaTest() {
        Estado& e = amb.ctx.estado;
        e.impressora = QStringLiteral(" ");
        e.impressora_fiscal = QStringLiteral(" ");
        e.cancela_entrada = QStringLiteral(" ");
        e.cancela_saida = QStringLiteral(" ");
        ligaPista(amb.ctx, janela);
        janela.show();
        QApplication::setActiveWindow(&janela);
    }
    void abreCaixa() {
        amb.ctx.estado.numero_caixa = 3;
        janela.Command1->setEnabled(false);
        janela.Command2->setEnabled(true);
        janela.Frame1->setEnabled(true);
    }
    int conta(const char* tabela) {
        return amb.db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabela)).toInt();
    }
    // Runs `passo` on the modal dialog that the next click opens.
    void noDialogo(const std::function<void(QWidget*)>& passo) {
        QTimer::singleShot(0, &janela, [passo] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            passo(d);
            if (d->isVisible()) d->close();
        });
    }

    Ambiente amb;
    JanelaPrincipal janela{amb.ctx};
};

}  // namespace

TEST_F(LigaPistaTest, RegistrarEntradaGravaELimpaParaOProximo) {
    abreCaixa();
    janela.Option1->setChecked(true);
    janela.Command5->click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Digite a placa."});
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);

    janela.pla->setText("ABC1234");
    janela.vei->setText("Fusca");
    janela.Command5->click();
    QSqlQuery q = amb.db().executa("SELECT placa, ticket, veiculo FROM veiculos_patio");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "ABC-1234");
    EXPECT_EQ(q.value(1).toInt(), 1);
    EXPECT_EQ(q.value(2).toString(), "Fusca");
    // Ready for the next vehicle: fields cleared, the next ticket previewed, list refreshed.
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    EXPECT_TRUE(janela.vei->text().isEmpty());
    EXPECT_EQ(janela.tic->displayText(), "2         ");
    EXPECT_EQ(janela.grid1->rowCount(), 1);

    // "Registrar e Imprimir" registers alike while printouts are not there.
    janela.Command6->setEnabled(true);
    janela.pla->setText("XYZ9876");
    janela.Command6->click();
    EXPECT_EQ(conta("veiculos_patio"), 2);
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
}

TEST_F(LigaPistaTest, EntradaNaFilaLigaAtivarCancela) {
    abreCaixa();
    amb.ctx.estado.ativar_cancela_ent_manual = true;
    janela.Option1->setChecked(true);
    janela.pla->setText("FIL0001");
    janela.Command5->click();
    EXPECT_EQ(conta("lista_entrada"), 1);
    EXPECT_TRUE(janela.Command10->isEnabled());

    amb.ctx.estado.cancela_entrada = QStringLiteral("LPT1");
    noDialogo([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "lis_ent");
        d->findChild<QPushButton*>("Command1")->click();
    });
    janela.Command10->click();
    EXPECT_EQ(conta("lista_entrada"), 0);
    EXPECT_FALSE(janela.Command10->isEnabled());
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 1);
}

TEST_F(LigaPistaTest, RegistrarSaidaGravaNoCaixaELimpa) {
    abreCaixa();
    amb.db().executa("INSERT INTO veiculos_patio (placa, ticket, data_entrada, hora_entrada) "
                     "VALUES ('ABC-1234', 57, '2026-12-07', '08:30:00')");
    janela.Option2->setChecked(true);
    JanelaPrincipal::marca(janela.Option7, true);
    janela.tic->setText("57");
    janela.pla->setText("ABC1234");
    janela.dat_ent->setText("07/12/2026");
    janela.hor_ent->setText("08:30:00");
    janela.dat_sai->setText("07/12/2026");
    janela.hor_sai->setText("10:00:00");
    janela.tot->setText("30,00");
    janela.val_pag->setText("20,00");
    janela.Command3->click();
    EXPECT_EQ(amb.plataforma.textosMensagens().last(), "Valor Pago menor que Total.");
    EXPECT_EQ(conta("veiculos_patio"), 1);

    janela.val_pag->setText("30,00");
    janela.Command3->click();
    EXPECT_EQ(conta("veiculos_patio"), 0);
    QSqlQuery q = amb.db().executa("SELECT tipo_estacionamento, caixa, ticket FROM registro_saida");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "D");
    EXPECT_EQ(q.value(1).toInt(), 3);
    EXPECT_EQ(q.value(2).toInt(), 57);
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

TEST_F(LigaPistaTest, AberturaDeCaixaPeloBotao) {
    amb.ctx.estado.usuario_atual = QStringLiteral("jose");
    noDialogo([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "abe_cai");
        d->findChild<QLineEdit*>("tro")->setText("100,00");
        d->findChild<QPushButton*>("Command1")->click();
    });
    janela.Command1->click();
    EXPECT_EQ(conta("caixa"), 1);
    EXPECT_NE(amb.ctx.estado.numero_caixa, 0);
    EXPECT_FALSE(janela.Command1->isEnabled());
    EXPECT_TRUE(janela.Frame1->isEnabled());
}
