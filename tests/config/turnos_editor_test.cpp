#include "janela_config.h"
#include "support/pista_janela.h"

#include <QComboBox>

namespace {

class TurnosTest : public ConfigTest {
protected:
    TurnosTest() {
        principal.Option4->setEnabled(false);
        abre();
    }
    void insere(const char* inicio, const char* fim, const char* preco) {
        con->turnos->hor_ini_tur->setText(inicio);
        con->turnos->hor_fim_tur->setText(fim);
        con->turnos->val_tur->setText(preco);
        clica(con->turnos->Command2);
    }
    void seleciona(int linha) { clicaLinha(con->turnos->grid_tur, linha); }
};

// Each row is tried with only 08:00 to 12:00 stored.
TEST_F(TurnosTest, InserirValidaNaOrdem) {
    const struct {
        const char *inicio, *fim, *preco;
        std::initializer_list<bool> respostas;
        const char *mensagem, *foco;
        int turnos;   // stored afterwards
    } casos[] = {
        {"24:00", "10:00", "1", {}, "Hora Inicial inválida.", "hor_ini_tur", 1},
        {"8 :00", "10:00", "1", {}, "Hora Inicial inválida.", "hor_ini_tur", 1},
        {"10:00", "12:60", "1", {}, "Hora Final inválida.", "hor_fim_tur", 1},
        {"10:00", "14:00", "", {}, "Valor inválido.", "val_tur", 1},
        {"10:00", "14:00", "1", {}, "Hora Inicial em conflito com outro turno já cadastrado.", "hor_ini_tur", 1},
        {"06:00", "09:00", "1", {}, "Hora Final em conflito com outro turno já cadastrado.", "hor_fim_tur", 1},
        {"22:00", "06:00", "1", {false}, "", "", 1},
        {"12:00", "18:00", "1", {}, "Turno adicionado com sucesso.", "hor_ini_tur", 2},
        {"07:00", "13:00", "1", {}, "Turno adicionado com sucesso.", "hor_ini_tur", 2},
        {"08:00", "12:00", "1", {}, "Turno adicionado com sucesso.", "hor_ini_tur", 2},
        {"18:00", "00:00", "1", {true}, "Turno adicionado com sucesso.", "hor_ini_tur", 2},
        {"14:00", "14:00", "1", {}, "Turno adicionado com sucesso.", "hor_ini_tur", 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.inicio) + "-" + c.fim);
        amb.db().executa("DELETE FROM turnos");
        amb.db().executa("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES ('08:00:00', '12:00:00', 50000)");
        amb.plataforma.perguntas.clear();
        amb.plataforma.responde(c.respostas);
        con->turnos->hor_ini_tur->setFocus();
        insere(c.inicio, c.fim, c.preco);
        EXPECT_EQ(mensagem(), QString::fromUtf8(c.mensagem));
        if (*c.foco) { EXPECT_EQ(foco(), c.foco); }
        EXPECT_EQ(amb.conta("turnos"), c.turnos);
        EXPECT_EQ(amb.plataforma.perguntas.size(), qsizetype(c.respostas.size()));
        if (c.respostas.size()) {
            EXPECT_EQ(amb.plataforma.perguntas[0],
                      "Hora inicial maior que hora final. Deseja cadastrar mesmo assim?");
        }
    }
    EXPECT_EQ(con->turnos->hor_ini_tur->texto(), "  :  ");
    EXPECT_EQ(con->turnos->val_tur->text(), "");
}

TEST_F(TurnosTest, InserirEExcluirAtualizamAJanelaPrincipal) {
    amb.plataforma.responde({true});
    insere("22:00", "06:00", "9,00");
    insere("08:00", "12:00", "5,00");
    insere("23:00", "23:30", "1,00");   // inside the overnight shift: never a conflict
    EXPECT_EQ(linhas(con->turnos->grid_tur), (QStringList{"08:00|12:00|5,00", "22:00|06:00|9,00",
                                                  "23:00|23:30|1,00"}));
    EXPECT_EQ(itens(principal.tur), (QStringList{"08:00 - 12:00", "22:00 - 06:00", "23:00 - 23:30"}));
    EXPECT_TRUE(habilitada(principal.Option4));
    EXPECT_EQ(valor("SELECT valor FROM turnos WHERE hora_inicial = '22:00:00' AND hora_final = '06:00:00'"), "90000");

    // "Turno" chosen at the lane: its list is open.
    marcaOpcao(principal.Option4, true);
    principal.tur->setEnabled(true);
    clica(con->turnos->Command6);
    EXPECT_EQ(mensagem(), "Selecione o turno a excluir da lista.");
    for (int i = 0; i < 3; ++i) {
        seleciona(1);
        clica(con->turnos->Command6);
        EXPECT_EQ(mensagem(), "Turno excluído com sucesso.");
    }
    EXPECT_EQ(amb.conta("turnos"), 0);
    EXPECT_TRUE(itens(principal.tur).isEmpty());
    EXPECT_FALSE(habilitada(principal.Option4));
    EXPECT_FALSE(principal.Option4->isChecked());
    EXPECT_FALSE(habilitada(principal.tur)) << "the shift list goes with its option";
    EXPECT_EQ(linhas(con->turnos->grid_tur), QStringList{"||"});
    clica(con->turnos->Command6);
    EXPECT_EQ(mensagem(), "Selecione o turno a excluir da lista.");
    seleciona(1);
    clica(con->turnos->Command6);
    EXPECT_EQ(mensagem(), "Lista de turnos vazia.");
}

TEST_F(TurnosTest, ExcluirTiraUmDeDoisIguais) {
    for (int i = 0; i < 2; ++i)
        amb.db().executa("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES ('08:00:00', '12:00:00', 50000)");
    con->turnos->carrega_turnos();
    seleciona(2);
    clica(con->turnos->Command6);
    EXPECT_EQ(amb.conta("turnos"), 1);
    EXPECT_TRUE(habilitada(principal.Option4) == false) << "still disabled: one shift is left, nothing enabled it";
    seleciona(1);
    amb.db().executa("DELETE FROM turnos");
    clica(con->turnos->Command6);
    EXPECT_EQ(mensagem(), "Turno não cadastrado.");
}

}  // namespace
