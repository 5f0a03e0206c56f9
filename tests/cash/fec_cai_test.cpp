#include "cash/fec_cai.h"

#include "cash/abertura_caixa.h"
#include "cash/caixa_teste.h"
#include "cash/relatorio_fechamento.h"
#include "cash/val_cai.h"
#include "programa/liga_caixa.h"
#include "support/pista_janela.h"

#include <QGroupBox>

namespace {

class FecCaiTest : public PistaTest {
protected:
    FecCaiTest() {
        Estado& e = amb.ctx.estado;
        e.usuario_atual = QStringLiteral("maria");
        e.hora_atual = QTime(7, 45, 12);
        EXPECT_TRUE(abre_caixa(amb.ctx, "20,00").aberto);
        janela.mostraCaixa();
        e.impressora = QStringLiteral("LPT1");
        e.bobina = 40;
        e.avanco_bobina = 3;
        e.impressora_fiscal = QStringLiteral("Daruma FS345");
        amb.db().executa("UPDATE geral SET leiturax = 1");
        e.hora_atual = QTime(19, 0, 0);
    }
    // Stays of every kind and two partners under the open register.
    void movimento() {
        const int n = amb.ctx.estado.numero_caixa;
        convenio(amb, 3, "Shopping");
        convenio(amb, 1, "Farmácia");
        saidaNoCaixa(amb, n, "R", Dinheiro::reais(10));
        saidaNoCaixa(amb, n, "T", Dinheiro::reais(15));
        saidaNoCaixa(amb, n, "D", Dinheiro::reais(40));
        saidaNoCaixa(amb, n, "M", Dinheiro::reais(8));
        saidaNoCaixa(amb, n, "C", Dinheiro::reais(4), 3);
        saidaNoCaixa(amb, n, "C", Dinheiro::reais(2, 50), 1);
        saidaNoCaixa(amb, n, "C", Dinheiro::reais(6), 3);
        mensalidadeNoCaixa(amb, n, Dinheiro::reais(100));
    }
    bool soAberturaHabilitada() {
        return janela.Command1->isEnabled() && !janela.Command2->isEnabled() &&
               !janela.Command8->isEnabled() && !janela.Command9->isEnabled() &&
               !janela.Frame1->isEnabled();
    }
};

}  // namespace

TEST_F(FecCaiTest, FechaGravaLeituraImprimeEVoltaAoCaixaFechado) {
    movimento();
    const int n = amb.ctx.estado.numero_caixa;
    amb.plataforma.responde({true});
    FechamentoCaixa dialogo(amb.ctx, janela);
    dialogo.Command1->click();

    EXPECT_EQ(amb.plataforma.perguntas, QStringList{"Confirma fechamento de caixa?"});
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Caixa fechado com sucesso. Clique em OK para imprimir o Fechamento de Caixa"});
    EXPECT_EQ(amb.linha("SELECT numero, usuario, hora_ini, hora_fim, qtd_veiculos, valor_veiculos, "
                        "valor_mensalidades, troco FROM fechamento_caixa"),
              (QStringList{QString::number(n), "maria", "07:45:12", "19:00:00", "4", bruto(73),
                           bruto(100), bruto(20)}));
    EXPECT_EQ(amb.linha("SELECT group_concat(convenio || '=' || qtd || '/' || valor, ' ') FROM "
                        "(SELECT * FROM fechamento_caixa_convenios ORDER BY rowid)"),
              QStringList{"Farmácia=1/" + bruto(2, 50) + " Shopping=2/" + bruto(10)});
    EXPECT_EQ(amb.plataforma.fiscalFalsa.chamadas, QStringList{"LeituraX"});

    ASSERT_EQ(amb.plataforma.impressoraFalsa.impressoes.size(), 1u);
    const auto& impresso = amb.plataforma.impressoraFalsa.impressoes.front();
    EXPECT_EQ(impresso.porta, "LPT1");
    EXPECT_EQ(impresso.bytes, impressao_fechamento_caixa(amb.db(), {n, "maria", 40, 3, Dinheiro::reais(20)}));
    // 73,00 + 100,00 + 12,50 + 20,00: every amount the register took.
    EXPECT_TRUE(impresso.bytes.contains(QByteArray(14, ' ') + "Total Caixa -> 205,50\r\n"));
    EXPECT_TRUE(impresso.bytes.endsWith("\r\r\n\r\r\n\r\r\n"));

    EXPECT_EQ(amb.ctx.estado.numero_caixa, 0);
    EXPECT_TRUE(soAberturaHabilitada());
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_FALSE(dialogo.Command1->isEnabled());
}

TEST_F(FecCaiTest, NaoOuSemCaixaNadaMuda) {
    FechamentoCaixa dialogo(amb.ctx, janela);
    amb.plataforma.responde({false});
    dialogo.Command1->click();
    const int n = amb.ctx.estado.numero_caixa;
    amb.ctx.estado.numero_caixa = 0;
    dialogo.Command1->click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Não há caixa aberto."});
    EXPECT_EQ(amb.linha("SELECT aberto FROM caixa"), QStringList{"1"});
    EXPECT_EQ(amb.conta("fechamento_caixa"), 0);
    EXPECT_TRUE(janela.Command2->isEnabled() && !janela.Command1->isEnabled());
    EXPECT_NE(n, 0);
    EXPECT_TRUE(amb.plataforma.fiscalFalsa.chamadas.isEmpty());
    EXPECT_TRUE(dialogo.Command1->isEnabled());
}

TEST_F(FecCaiTest, FalhasDepoisDeGravarNaoDesfazemOFechamento) {
    // The printer and the fiscal printer both fail: each is told once, the closing stands.
    amb.plataforma.impressoraFalsa.falha = QStringLiteral("sem papel");
    amb.plataforma.fiscalFalsa.retorno = 0;
    amb.plataforma.responde({true});
    FechamentoCaixa dialogo(amb.ctx, janela);
    dialogo.Command1->click();
    const QStringList m = amb.plataforma.textosMensagens();
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0], "A impressora fiscal não fez a Leitura X (retorno 0).\nO caixa está fechado.");
    EXPECT_EQ(amb.plataforma.textosAvisos(),
              QStringList{"Não saíram na impressora da porta LPT1: 1 relatório de fechamento de caixa."
                          "\n\nsem papel\n\nOs registros estão gravados; só as impressões não saíram."});
    EXPECT_EQ(amb.linha("SELECT aberto FROM caixa"), QStringList{"0"});
    EXPECT_EQ(amb.conta("fechamento_caixa"), 1);
    EXPECT_TRUE(soAberturaHabilitada());
}

// The coupon an exit left open is closed, and the operator told, before the reading or the
// reduction; one that cannot be closed stops the closing before anything of it is written.
TEST_F(FecCaiTest, CupomAbertoFechadoAntesDaLeitura) {
    const QString aberto = "O cupom fiscal da saída anterior (ticket 8) continua aberto: a impressora "
                           "fiscal não o fechou (retorno 0).\nA %1 não é feita com um cupom aberto: o "
                           "fechamento não foi gravado e o caixa continua aberto.";
    const QString fecha = "FechaCupomResumido|DINHEIRO|Volte sempre";
    const struct { QVariant reducaoz; int retorno; QStringList chamadas; QString mensagem; } casos[] = {
        {QVariant(), 1, {fecha, "LeituraX"}, ""},
        {"23:00:00", 1, {fecha, "ReducaoZ||"}, ""},
        {QVariant(), 0, {fecha}, aberto.arg("Leitura X")},
        {"23:00:00", 0, {fecha}, aberto.arg("Redução Z")},
    };
    Estado& e = amb.ctx.estado;
    e.ult_linha = QStringLiteral("Volte sempre");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.chamadas.last().toStdString());
        if (e.numero_caixa == 0) { ASSERT_TRUE(abre_caixa(amb.ctx, "20,00").aberto); }
        const int n = e.numero_caixa;
        e.cupom_aberto = QStringLiteral("8");
        amb.db().executa("UPDATE geral SET reducaoz = ?", {c.reducaoz});
        amb.plataforma.fiscalFalsa.retorno = c.retorno;
        amb.plataforma.fiscalFalsa.chamadas.clear();
        amb.plataforma.mensagens.clear();
        amb.plataforma.responde({true});
        FechamentoCaixa(amb.ctx, janela).Command1->click();
        const bool fechou = c.retorno == 1;
        EXPECT_EQ(amb.plataforma.fiscalFalsa.chamadas, c.chamadas);
        EXPECT_EQ(amb.plataforma.textosMensagens().value(0),
                  fechou ? "O cupom fiscal da saída anterior (ticket 8), que tinha ficado aberto, foi "
                           "fechado agora." : c.mensagem);
        EXPECT_EQ(amb.plataforma.mensagens.size(), fechou ? 2u : 1u);
        EXPECT_EQ(e.cupom_aberto, fechou ? "" : "8");
        EXPECT_EQ(amb.linha("SELECT aberto, (SELECT count(*) FROM fechamento_caixa WHERE numero = ?) "
                            "FROM caixa WHERE numero = ?", {n, n}),
                  (QStringList{fechou ? "0" : "1", fechou ? "1" : "0"}));
    }
}

TEST_F(FecCaiTest, ValorEmCaixa) {
    ValorCaixa vazio(amb.ctx);
    EXPECT_EQ((QStringList{vazio.Text1->text(), vazio.Text2->text(), vazio.tro->text(), vazio.Text3->text()}),
              (QStringList{"0,00", "0,00", "20,00", "20,00"}));
    const int n = amb.ctx.estado.numero_caixa;
    saidaNoCaixa(amb, n, "C", Dinheiro::reais(5), 1);   // a partner's and a subscriber's stay count
    saidaNoCaixa(amb, n, "M", Dinheiro::reais(7, 50));  // like any other
    saidaNoCaixa(amb, n + 1, "R", Dinheiro::reais(1));
    mensalidadeNoCaixa(amb, n, Dinheiro::reais(1000));
    ValorCaixa v(amb.ctx);
    EXPECT_EQ((QStringList{v.Text1->text(), v.Text2->text(), v.tro->text(), v.Text3->text()}),
              (QStringList{"1.000,00", "12,50", "20,00", "1.032,50"}));
    EXPECT_EQ(v.objectName(), "val_cai");
}

TEST_F(FecCaiTest, BotoesDaJanelaAbremOsDialogos) {
    ligaCaixa(amb.ctx, janela);
    const std::pair<QPushButton*, const char*> botoes[] = {
        {janela.Command2, "fec_cai"}, {janela.Command9, "val_cai"}, {janela.Command4, "can"}};
    for (const auto& [botao, nome] : botoes) {
        QString aberto;
        QTimer::singleShot(0, [&aberto] {
            QWidget* w = QApplication::activeModalWidget();
            aberto = w ? w->objectName() : QString();
            if (w) w->close();
        });
        botao->click();
        EXPECT_EQ(aberto, nome);
        QApplication::processEvents();
        EXPECT_EQ(QGuiApplication::focusWindow(), janela.windowHandle()) << nome;
    }
    // With no register open the cancellation says so instead of opening.
    amb.ctx.estado.numero_caixa = 0;
    janela.Command4->click();
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Não há caixa aberto. Abra o caixa para cancelar um ticket."});
}
