#include "config/rotativo_editor.h"
#include "janela_config.h"
#include "support/pista_janela.h"
#include "yard/tarifas/rotativo.h"

#include <QRadioButton>

namespace {

class RotativoTest : public ConfigTest {
protected:
    RotativoTest() { abre(); }
    void insere(const char* tempo, const char* valor) {
        con->rotativo->tem_rot->setText(tempo);
        con->rotativo->val_rot->setText(valor);
        clica(con->rotativo->Command8);
    }
    void seleciona(int linha) { clicaLinha(con->rotativo->grid_rot, linha); }
    void grava(const char* cobrar, const char* cada) {
        con->rotativo->apo_cob->setText(cobrar);
        con->rotativo->apo_cad->setText(cada);
        clica(con->rotativo->Command10);
    }
};

TEST_F(RotativoTest, InserirValidaNaOrdem) {
    const struct {
        const char *tempo, *valor, *mensagem, *foco;
    } casos[] = {
        {"  :  ", "", "Preencha o tempo corretamente.", "tem_rot"},
        {"4 :3 ", "2", "Preencha o tempo corretamente.", "tem_rot"},
        {"4 :30", "2", "Preencha o tempo corretamente.", "tem_rot"},
        {"00:00", "", "O tempo não pode ser 00:00", "tem_rot"},
        {"12:75", "", "O valor máximo para os minutos é 59.", "tem_rot"},
        {"25:00", "2", "O valor máximo para as horas é 23.", "tem_rot"},
        {"01:00", "", "Valor inválido.", "val_rot"},
        {"01:00", "1,2,3", "Valor inválido.", "val_rot"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.tempo) + " " + c.valor);
        insere(c.tempo, c.valor);
        EXPECT_EQ(mensagem(), QString::fromUtf8(c.mensagem));
        EXPECT_EQ(foco(), c.foco);
        EXPECT_EQ(linhas(con->rotativo->grid_rot), QStringList{"|"});
    }
    // Steps go in the order typed, the same time twice included; nothing sorts them.
    insere("02:00", "5,00");
    EXPECT_EQ(mensagem(), "Tempo/Valor inserido com sucesso. Após feitas todas inserções clique em Gravar.");
    EXPECT_EQ(foco(), "tem_rot");
    EXPECT_EQ(con->rotativo->tem_rot->texto(), "  :  ");
    EXPECT_EQ(con->rotativo->val_rot->text(), "");
    insere("01:00", "2,50");
    insere("01:00", "2,50");
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"02:00|5,00", "01:00|2,50", "01:00|2,50"}));
}

TEST_F(RotativoTest, RemoverDeixaLinhasEmBrancoNoFim) {
    clica(con->rotativo->Command9);
    EXPECT_EQ(mensagem(), "Selecione o tempo a remover da lista.");
    seleciona(1);
    clica(con->rotativo->Command9);
    EXPECT_EQ(mensagem(), "Linha em branco. Não pode ser removida.");
    clica(con->rotativo->Command10);
    EXPECT_EQ(mensagem(), "A tabela de tempo/valor deve ser preenchida.");

    insere("01:00", "1,00");
    insere("02:00", "2,00");
    insere("03:00", "3,00");
    clica(con->rotativo->Command9);
    EXPECT_EQ(mensagem(), "Selecione o tempo a remover da lista.") << "row 0 is current after an insert";
    seleciona(2);
    clica(con->rotativo->Command9);
    EXPECT_EQ(mensagem(), "Tempo/Valor excluído com sucesso. Após feitas todas exclusões clique em Gravar.");
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"01:00|1,00", "03:00|3,00", "|"}));
    seleciona(1);
    clica(con->rotativo->Command9);
    seleciona(1);
    clica(con->rotativo->Command9);
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"|", "|", "|"}));
    insere("04:00", "4,00");
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"04:00|4,00", "|", "|"}));
    insere("05:00", "5,00");
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"04:00|4,00", "05:00|5,00", "|"}));
}

TEST(AdicionaLinhaRotativo, VaiLogoAposAUltimaPreenchida) {
    const struct {
        GradeRotativo antes;
        int linha;
        int linhas;
    } casos[] = {
        {{{}}, 1, 1},
        {{{"01:00", "1"}}, 2, 2},
        {{{"01:00", "1"}, {}, {}}, 2, 3},
        {{{}, {}, {}}, 1, 3},
    };
    for (auto c : casos) {
        EXPECT_EQ(adiciona_linha_rotativo(c.antes, "09:00", "9"), c.linha);
        EXPECT_EQ(c.antes.size(), c.linhas);
        EXPECT_EQ(c.antes[c.linha - 1], (PassoRotativo{"09:00", "9"}));
    }
}

TEST_F(RotativoTest, GravarValidaNaOrdemEGravaTudoDeUmaVez) {
    insere("02:00", "5,00");
    const struct {
        const char *cobrar, *cada;
        bool e24h;
        const char *mensagem, *foco;
    } casos[] = {
        {"", "01:00", false, "Valor a cobrar inválido.", "apo_cob"},
        {"1,00", "1 :00", false, "Preencha o tempo corretamente.", "apo_cad"},
        {"1,00", "00:00", false, "O tempo pode ser 00:00 somente se o estacionamento funcionar 24h (ver aba Geral)", "apo_cad"},
        {"1,00", "01:60", true, "O valor máximo para os minutos é 59.", "apo_cad"},
        {"1,00", "25:00", true, "O valor máximo para as horas é 23.", "apo_cad"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.cada);
        amb.ctx.estado.estacionamento24h = c.e24h;
        grava(c.cobrar, c.cada);
        EXPECT_EQ(mensagem(), QString::fromUtf8(c.mensagem));
        EXPECT_EQ(foco(), c.foco);
        EXPECT_EQ(amb.conta("rotativo") + amb.conta("rotativo_variavel"), 0);
    }
    // 00:00 as the further period only with 24-hour parking.
    amb.ctx.estado.estacionamento24h = true;
    principal.Option3->setEnabled(false);
    grava("1,00", "00:00");
    EXPECT_EQ(mensagem(), "Dados gravados com sucesso.");
    EXPECT_TRUE(habilitada(principal.Option3));

    // Removal then save: the filled rows only, numbered from 1; the one `rotativo` row edited.
    insere("01:00", "2,50");
    insere("03:00", "7,00");
    seleciona(1);
    clica(con->rotativo->Command9);
    grava("1,50", "00:30");
    EXPECT_EQ(valor("SELECT group_concat(tempo || '=' || valor || '#' || ordem, ' ') FROM "
                    "(SELECT * FROM rotativo_variavel ORDER BY ordem)"),
              "01:00:00=25000#1 03:00:00=70000#2");
    EXPECT_EQ(valor("SELECT count(*) || ' ' || apos_cobrar || ' ' || apos_a_cada FROM rotativo"),
              "1 15000 00:30:00");
    EXPECT_EQ(linhas(con->rotativo->grid_rot), (QStringList{"01:00|2,50", "03:00|7,00", "|"}))
        << "the grid keeps its rows as edited";
}

TEST_F(RotativoTest, FalhaNoMeioDaGravacaoDeixaAsTabelasComoEstavam) {
    amb.db().executa("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('01:00:00', 10000, 1)");
    amb.db().executa("INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (10000, '01:00:00')");
    insere("02:00", "5,00");
    falhaAoGravar(amb, "rotativo_variavel");
    principal.Option3->setEnabled(false);
    grava("3,00", "00:30");
    ASSERT_EQ(amb.plataforma.mensagens.size(), 1u);
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Critico);
    EXPECT_EQ(valor("SELECT group_concat(tempo) FROM rotativo_variavel"), "01:00:00");
    EXPECT_EQ(valor("SELECT apos_cobrar || apos_a_cada FROM rotativo"), "1000001:00:00");
    EXPECT_FALSE(habilitada(principal.Option3));
}

// The steps saved here are what the exit charges, without opening anything again: each step
// adds its time and price, then 3,00 for every further hour started.
TEST_F(RotativoTest, TaxaDaSaidaUsaOsPassosGravados) {
    insere("01:00", "5,00");
    insere("02:00", "8,00");
    grava("3,00", "01:00");
    ASSERT_EQ(mensagem(), "Dados gravados com sucesso.");
    const struct {
        qint64 duracao;
        const char* total;
    } casos[] = {{30 * 60, "5,00"}, {90 * 60, "13,00"}, {180 * 60, "13,00"}, {200 * 60, "16,00"}, {250 * 60, "19,00"}};
    for (const auto& c : casos) {
        const ResultadoTarifa r = cobraRotativo(amb.db(), c.duracao, false);
        ASSERT_TRUE(r.total.has_value()) << c.duracao;
        EXPECT_EQ(r.total->formata(), c.total) << c.duracao;
    }
}

}  // namespace
