#include "yard/lista_cancela.h"

#include "support/ambiente.h"
#include "yard/janela_principal.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

class ListaCancelaTest : public ::testing::Test {
protected:
    ListaCancelaTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_entrada = QStringLiteral("LPT1");
        e.cancela_saida = QStringLiteral("LPT2");
        e.tempo_baixa_cancelas = 10;
        janela.Command10->setEnabled(true);
        janela.Command11->setEnabled(true);
    }
    void enfileira(const char* tabela, std::initializer_list<const char*> placas) {
        for (const char* p : placas)
            amb.db().executa(QStringLiteral("INSERT INTO %1 (placa, data_entrada, hora_entrada) "
                                            "VALUES (?, '2024-03-05', '14:35:00')").arg(tabela), {p});
    }
    static QStringList linhas(const ListaCancela& l) {
        QStringList r;
        for (int i = 0; i < l.grid1->rowCount(); ++i)
            for (int c = 0; c < 3; ++c) r << l.grid1->item(i, c)->text();
        return r;
    }

    Ambiente amb;
    JanelaPrincipal janela{amb.ctx};
    ControleCancelas cancelas{amb.ctx, janela.timer_cancela_entrada, janela.timer_cancela_saida};
};

}  // namespace

TEST_F(ListaCancelaTest, EmOrdemDePlacaEAbreAUltimaSemEscolha) {
    enfileira("lista_entrada", {"BBB-2222", "AAA-1111", "CCC-3333"});
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Entrada);
    EXPECT_EQ(lista.windowTitle(), "Lista de Entrada de Veículos");
    EXPECT_EQ(linhas(lista), (QStringList{"AAA-1111", "05/03/2024", "14:35:00", "BBB-2222",
                                          "05/03/2024", "14:35:00", "CCC-3333", "05/03/2024",
                                          "14:35:00"}));
    lista.Command1_Click();
    EXPECT_EQ(amb.linha("SELECT group_concat(placa) FROM lista_entrada"),
              QStringList{"BBB-2222,AAA-1111"});
    EXPECT_EQ(lista.result(), QDialog::Accepted);
    EXPECT_TRUE(janela.Command10->isEnabled());   // the queue is not empty yet
    amb.plataforma.passaTempo(1000);
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 2u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x378);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 1);
    EXPECT_EQ(janela.timer_cancela_entrada->isActive() ? janela.timer_cancela_entrada->interval() : 0,
              10000);
}

TEST_F(ListaCancelaTest, UmaLinhaPorVezEOUltimoDesligaOBotao) {
    enfileira("lista_saida", {"DUP-0001", "DUP-0001"});
    amb.ctx.estado.tempo_baixa_cancelas = 0;
    for (int restantes : {1, 0}) {
        ListaCancela lista(amb.ctx, janela, cancelas, Lado::Saida);
        EXPECT_EQ(lista.windowTitle(), "Lista de Saída de Veículos");
        lista.Command1_Click();
        EXPECT_EQ(amb.conta("lista_saida"), restantes);
        EXPECT_EQ(janela.Command11->isEnabled(), restantes > 0);
    }
    amb.plataforma.passaTempo(5000);
    EXPECT_TRUE(janela.Command10->isEnabled());
    EXPECT_FALSE(janela.timer_cancela_saida->isActive());
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 4u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[2].endereco, 0x278);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[2].valor, 2);
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
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());
    EXPECT_FALSE(janela.timer_cancela_entrada->isActive());
    EXPECT_FALSE(janela.Command10->isEnabled());
}
