#include "yard/lista_cancela.h"

#include "support/ambiente.h"
#include "yard/janela_principal.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ListaCancelaTest : public ::testing::Test {
protected:
    ListaCancelaTest() {
        Estado& e = amb.ctx.estado;
        e.impressora = QStringLiteral(" ");
        e.impressora_fiscal = QStringLiteral(" ");
        e.cancela_entrada = QStringLiteral("LPT1");
        e.cancela_saida = QStringLiteral("LPT2");
        e.tempo_baixa_cancelas = 10;
        janela.Command10->setEnabled(true);
        janela.Command11->setEnabled(true);
    }
    void enfileira(const char* tabela, const char* placa, const char* data = "2024-03-05",
                   const char* hora = "14:35:00") {
        amb.db().executa(QStringLiteral("INSERT INTO %1 (placa, data_entrada, hora_entrada) "
                                        "VALUES (?, ?, ?)")
                             .arg(tabela),
                         {placa, data, hora});
    }
    QStringList placas(const ListaCancela& l) {
        QStringList r;
        for (int i = 0; i < l.grid1->rowCount(); ++i) r << l.grid1->item(i, 0)->text();
        return r;
    }
    int conta(const char* tabela) {
        return amb.db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabela)).toInt();
    }

    Ambiente amb;
    JanelaPrincipal janela{amb.ctx};
    ControleCancelas cancelas{amb.ctx, janela.timer_cancela_entrada, janela.timer_cancela_saida};
};

}  // namespace

TEST_F(ListaCancelaTest, ListaEmOrdemDePlacaEAbreAUltimaSemEscolha) {
    enfileira("lista_entrada", "BBB-2222");
    enfileira("lista_entrada", "AAA-1111");
    enfileira("lista_entrada", "CCC-3333");
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Entrada);
    EXPECT_EQ(lista.objectName(), "lis_ent");
    EXPECT_EQ(lista.windowTitle(), "Lista de Entrada de Veículos");
    EXPECT_EQ(lista.Command1->text(), "Abrir Cancela");
    EXPECT_EQ(lista.grid1->horizontalHeaderItem(0)->text(), "Placa");
    EXPECT_EQ(lista.grid1->horizontalHeaderItem(1)->text(), "Data Entrada");
    EXPECT_EQ(lista.grid1->horizontalHeaderItem(2)->text(), "Hora Entrada");
    EXPECT_EQ(placas(lista), (QStringList{"AAA-1111", "BBB-2222", "CCC-3333"}));
    EXPECT_EQ(lista.grid1->item(0, 1)->text(), "05/03/2024");
    EXPECT_EQ(lista.grid1->item(0, 2)->text(), "14:35:00");

    lista.Command1_Click();
    EXPECT_FALSE(amb.db().existe("SELECT 1 FROM lista_entrada WHERE placa = 'CCC-3333'"));
    EXPECT_EQ(conta("lista_entrada"), 2);
    EXPECT_EQ(lista.result(), QDialog::Accepted);
    EXPECT_TRUE(janela.Command10->isEnabled());   // the queue is not empty yet

    // The pulse, then the lowering timer armed for the lowering time.
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x378);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 1);
    amb.plataforma.passaTempo(1000);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[1].valor, 0);
    EXPECT_TRUE(janela.timer_cancela_entrada->isActive());
    EXPECT_EQ(janela.timer_cancela_entrada->interval(), 10000);
}

TEST_F(ListaCancelaTest, UltimoDaFilaDesligaOBotaoDaJanela) {
    enfileira("lista_saida", "DUP-0001");
    enfileira("lista_saida", "DUP-0001");
    amb.ctx.estado.tempo_baixa_cancelas = 0;
    {
        ListaCancela lista(amb.ctx, janela, cancelas, Lado::Saida);
        EXPECT_EQ(lista.objectName(), "lis_sai");
        EXPECT_EQ(lista.windowTitle(), "Lista de Saída de Veículos");
        lista.Command1_Click();
        EXPECT_EQ(conta("lista_saida"), 1);   // one of the two rows of the same plate
        EXPECT_TRUE(janela.Command11->isEnabled());
    }
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Saida);
    lista.Command1_Click();
    amb.plataforma.passaTempo(5000);
    EXPECT_EQ(conta("lista_saida"), 0);
    EXPECT_FALSE(janela.Command11->isEnabled());
    EXPECT_TRUE(janela.Command10->isEnabled());
    EXPECT_FALSE(janela.timer_cancela_saida->isActive());
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 4u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[2].endereco, 0x278);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[2].valor, 2);
}

TEST_F(ListaCancelaTest, SemEscolhaPedeOVeiculoESemPortaSoTiraDaFila) {
    ListaCancela vazia(amb.ctx, janela, cancelas, Lado::Entrada);
    vazia.Command1_Click();
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Selecione o veículo na lista."});
    EXPECT_NE(vazia.result(), QDialog::Accepted);

    amb.ctx.estado.cancela_entrada = QStringLiteral(" ");
    enfileira("lista_entrada", "SEM-0001");
    ListaCancela lista(amb.ctx, janela, cancelas, Lado::Entrada);
    lista.grid1->setCurrentCell(-1, -1);
    lista.Command1_Click();
    EXPECT_EQ(amb.plataforma.mensagens.size(), 2u);
    lista.grid1->setCurrentCell(0, 0);
    lista.Command1_Click();
    EXPECT_EQ(conta("lista_entrada"), 0);
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());
    EXPECT_FALSE(janela.timer_cancela_entrada->isActive());
    EXPECT_FALSE(janela.Command10->isEnabled());
}
