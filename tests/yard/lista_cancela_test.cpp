#include "yard/lista_cancela.h"

#include "support/colunas_cortadas.h"
#include "support/pista_janela.h"
#include "yard/pista.h"

namespace {

class ListaCancelaTest : public PistaTest {
protected:
    ListaCancelaTest() {
        amb.ctx.estado.cancela_entrada = QStringLiteral("LPT1");
        amb.ctx.estado.cancela_saida = QStringLiteral("LPT2");
        amb.ctx.estado.tempo_baixa_cancelas = 10;
        janela.Command10->setEnabled(true);
        janela.Command11->setEnabled(true);
    }
    void enfileira(const char* tabela, std::initializer_list<const char*> placas) {
        for (const char* p : placas)
            amb.db().executa(QStringLiteral("INSERT INTO %1 (placa, data_entrada, hora_entrada) "
                                            "VALUES (?, '2024-03-05', '14:35:00')").arg(tabela), {p});
    }
    Pista pista{amb.ctx, &janela};
    ControleCancelas& cancelas = pista.cancelas();
};

}  // namespace

TEST_F(ListaCancelaTest, EmOrdemDePlacaEAbreAUltimaSemEscolha) {
    enfileira("lista_entrada", {"BBB-2222", "AAA-1111", "CCC-3333"});
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Entrada);
    QStringList linhas;
    for (int i = 0; i < lista.grid1->rowCount(); ++i)
        for (int c = 0; c < 3; ++c) linhas << lista.grid1->item(i, c)->text();
    EXPECT_EQ(linhas, (QStringList{"AAA-1111", "05/03/2024", "14:35:00", "BBB-2222", "05/03/2024",
                                   "14:35:00", "CCC-3333", "05/03/2024", "14:35:00"}));
    lista.show();
    QApplication::processEvents();
    EXPECT_EQ(colunasCortadas(*lista.grid1), QList<int>{});
    lista.Command1_Click();
    EXPECT_EQ(amb.linha("SELECT group_concat(placa) FROM lista_entrada"), QStringList{"BBB-2222,AAA-1111"});
    EXPECT_EQ(lista.result(), QDialog::Accepted);
    EXPECT_TRUE(janela.Command10->isEnabled());   // the queue is not empty yet
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(escritas(amb), (QStringList{"378=1@0", "378=0@1000"}));
    EXPECT_EQ(intervalo(*janela.timer_cancela_entrada), 10000);
}

TEST_F(ListaCancelaTest, UmaLinhaPorVezEOUltimoDesligaOBotao) {
    enfileira("lista_saida", {"DUP-0001", "DUP-0001"});
    amb.ctx.estado.tempo_baixa_cancelas = 0;
    ListaCancela(amb.ctx, janela, cancelas, Lado::Saida).Command1_Click();
    EXPECT_EQ(amb.conta("lista_saida"), 1);
    EXPECT_TRUE(janela.Command11->isEnabled());
    // Asked while the first pulse still holds the port: the list waits, and cannot be closed,
    // until the gate goes up for this car too.
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Saida);
    lista.show();
    lista.Command1_Click();
    lista.reject();
    EXPECT_TRUE(lista.isVisible());
    EXPECT_EQ(amb.conta("lista_saida"), 1);
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(amb.conta("lista_saida"), 0);
    EXPECT_FALSE(janela.Command11->isEnabled());
    EXPECT_EQ(lista.result(), QDialog::Accepted);
    amb.plataforma.passaTempo(5000);
    EXPECT_FALSE(janela.timer_cancela_saida->isActive());
    EXPECT_EQ(escritas(amb), (QStringList{"278=2@0", "278=0@1000", "278=2@1000", "278=0@2000"}));
}

// A gate whose port refuses does not rise: its car stays listed, the list stays open with
// "Abrir Cancela" to try again, "Ativar Cancela" stays on, and each refusal is told.
TEST_F(ListaCancelaTest, CancelaQueNaoSobeDeixaOVeiculoNaLista) {
    enfileira("lista_saida", {"AAA-1111", "BBB-2222"});
    amb.plataforma.portaFalsa.recusa = true;
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Saida);
    lista.show();
    for (int linha : {1, 0}) {
        lista.grid1->setCurrentCell(linha, 0);
        lista.Command1_Click();
    }
    EXPECT_EQ(amb.conta("lista_saida"), 2);
    EXPECT_TRUE(lista.isVisible() && lista.Command1->isEnabled() && janela.Command11->isEnabled());
    EXPECT_TRUE(amb.plataforma.textosAvisos().join("").contains(" 2 vezes: a porta "));

    amb.plataforma.portaFalsa.recusa = false;
    lista.Command1_Click();
    EXPECT_EQ(amb.linha("SELECT group_concat(placa) FROM lista_saida"), QStringList{"BBB-2222"});
    EXPECT_EQ(lista.result(), QDialog::Accepted);
}

TEST_F(ListaCancelaTest, SemEscolhaPedeOVeiculoESemPortaSoTiraDaFila) {
    amb.ctx.estado.cancela_entrada = QStringLiteral(" ");
    enfileira("lista_entrada", {"SEM-0001"});
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Entrada);
    lista.grid1->setCurrentCell(-1, -1);
    lista.Command1_Click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Selecione o veículo na lista."});
    EXPECT_NE(lista.result(), QDialog::Accepted);
    EXPECT_EQ(amb.conta("lista_entrada"), 1);

    lista.grid1->setCurrentCell(0, 0);
    lista.Command1_Click();
    EXPECT_EQ(amb.conta("lista_entrada"), 0);
    EXPECT_TRUE(escritas(amb).isEmpty());
    EXPECT_FALSE(janela.timer_cancela_entrada->isActive() || janela.Command10->isEnabled());
}
