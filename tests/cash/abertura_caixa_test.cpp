#include "cash/abe_cai.h"
#include "cash/abertura_caixa.h"

#include "data/dinheiro.h"
#include "support/ambiente.h"
#include "yard/janela_principal.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AberturaCaixaTest : public ::testing::Test {
protected:
    AberturaCaixaTest() {
        amb.ctx.estado.usuario_atual = QStringLiteral("maria");
        amb.ctx.estado.hora_atual = QTime(7, 45, 12);
    }
    int caixas() { return amb.conta("caixa"); }
    Ambiente amb;
};

// The dialog over the main window as the login leaves it with no register open.
class DialogoAberturaTest : public AberturaCaixaTest {
protected:
    DialogoAberturaTest() {
        for (QWidget* w : std::initializer_list<QWidget*>{janela.Command2, janela.Command8,
                                                          janela.Command9, janela.Frame1})
            w->setEnabled(false);
        janela.mensagem->setText("Último caixa aberto é de outro usuário. Feche o caixa e abra o seu.");
        dialogo.show();
        QApplication::setActiveWindow(&dialogo);
        dialogo.tro->setFocus();
    }
    JanelaPrincipal janela{amb.ctx};
    AberturaCaixa dialogo{amb.ctx, janela};
};

}  // namespace

TEST_F(AberturaCaixaTest, TrocoInvalidoOuFalhaDoBancoNaoAbre) {
    for (const char* t : {"", "abc", "1,2,3"}) {
        const ResultadoAbertura r = abre_caixa(amb.ctx, t);
        EXPECT_FALSE(r.aberto) << t;
        EXPECT_EQ(r.mensagem, "Troco inválido.") << t;
        EXPECT_EQ(r.icone, Icone::Informacao);
    }
    amb.db().executa("CREATE TRIGGER falha BEFORE INSERT ON caixa "
                     "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    const ResultadoAbertura r = abre_caixa(amb.ctx, "10");
    EXPECT_FALSE(r.aberto);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_TRUE(r.mensagem.startsWith("Não foi possível abrir o caixa."));
    EXPECT_EQ(caixas(), 0);
    EXPECT_EQ(amb.ctx.estado.numero_caixa, 0);
}

TEST_F(AberturaCaixaTest, AbreComOTrocoOUsuarioEORelogioDoPrograma) {
    ASSERT_TRUE(abre_caixa(amb.ctx, "1.234,5").aberto);
    const QStringList l = amb.linha("SELECT numero, usuario, data_abertura, hora_abertura, aberto, "
                                    "troco, data_fechamento, hora_fechamento, filial FROM caixa");
    EXPECT_EQ(l, (QStringList{QString::number(amb.ctx.estado.numero_caixa), "maria", "2026-12-07",
                              "07:45:12", "1", QString::number(Dinheiro::reais(1234, 50).valorBruto()),
                              "NULL", "NULL", "NULL"}));
    // A zero float is a float; each opening gets its own number.
    ASSERT_TRUE(abre_caixa(amb.ctx, "0").aberto);
    EXPECT_EQ(amb.linha("SELECT numero, troco, count(*) FROM caixa WHERE troco = 0"),
              (QStringList{QString::number(amb.ctx.estado.numero_caixa), "0", "1"}));
}

TEST_F(DialogoAberturaTest, TeclasDoTrocoRecusaEEnterAbre) {
    QTest::keyClicks(dialogo.tro, "1a2.5x");
    EXPECT_EQ(dialogo.tro->text(), "12,5");
    QTest::keyClick(dialogo.tro, Qt::Key_Backspace);
    QTest::keyClicks(dialogo.tro, "7");
    // Tab leaves the field, which formats the float.
    QTest::keyClick(dialogo.tro, Qt::Key_Tab);
    EXPECT_FALSE(dialogo.tro->hasFocus());
    EXPECT_EQ(dialogo.tro->text(), "12,70");

    dialogo.tro->clear();
    QTest::mouseClick(dialogo.Command1, Qt::LeftButton);
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Troco inválido."});
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_TRUE(dialogo.tro->hasFocus());
    EXPECT_EQ(caixas(), 0);

    QTest::keyClicks(dialogo.tro, "25.5");
    QTest::keyClick(dialogo.tro, Qt::Key_Return);
    EXPECT_EQ(amb.plataforma.textosMensagens().last(), "Caixa aberto com sucesso.");
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_EQ(amb.db().valor("SELECT troco FROM caixa").toLongLong(),
              Dinheiro::reais(25, 50).valorBruto());
    EXPECT_FALSE(janela.Command1->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{janela.Command2, janela.Command8,
                                                      janela.Command9, janela.Frame1})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(janela.mensagem->text().isEmpty());
}

TEST_F(DialogoAberturaTest, CancelarNaoMudaNada) {
    QTest::keyClicks(dialogo.tro, "50");
    QTest::mouseClick(dialogo.Command2, Qt::LeftButton);
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(caixas(), 0);
    EXPECT_TRUE(janela.Command1->isEnabled());
    EXPECT_FALSE(janela.Frame1->isEnabled());
}
