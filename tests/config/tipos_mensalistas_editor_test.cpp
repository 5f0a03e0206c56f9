#include "janela_config.h"

namespace {

class TiposTest : public ConfigTest {
protected:
    TiposTest() { abre(); }
    void preenche(const QString& tipo, const char* fee, const char* dia) {
        con->mensalistas->tip->setText(tipo);
        con->mensalistas->valor->setText(fee);
        con->mensalistas->dia->setText(dia);
    }
    void clicaNaLista(const QString& nome) { clicaItem(con->mensalistas->List3, nome); }
    QString tipos() {
        return valor("SELECT group_concat(codigo || '=' || tipo || '/' || valor || '/' || dia_vencto, ' ') "
                     "FROM (SELECT * FROM tipos_mensalistas ORDER BY codigo)");
    }
};

// Each row inserts with what the rows before it stored.
TEST_F(TiposTest, InserirValidaNaOrdem) {
    const struct {
        const char *tipo, *fee, *dia;
        std::initializer_list<bool> respostas;
        const char *mensagem, *foco, *gravado;
    } casos[] = {
        {"  ", "10,00", "10", {}, "Preencha o campo Tipo Mensalista.", "tip", ""},
        {"Ouro", "", "10", {}, "Valor deve ser número.", "valor", ""},
        {"Ouro", "10,00", "  ", {}, "Preencha o dia de vencimento.", "dia", ""},
        {"Ouro", "10,00", "32", {}, "Dia deve ser no máximo igual a 31.", "dia", ""},
        {"Ouro", "0,00", "31", {false}, "", "", ""},
        {" Ouro ", "0,00", "31", {true}, "Tipo Mensalista inserido com sucesso.", "tip", "1=Ouro/0/31"},
        {"OURO", "0,50", "00", {}, "Tipo Mensalista já existente.", "tip", "1=Ouro/0/31"},
        {"d'Ávila", "1.234,50", "5 ", {}, "Tipo Mensalista inserido com sucesso.", "tip", "1=Ouro/0/31 2=d'Ávila/12345000/5"},
        {"D'ÁVILA  ", "1", "5", {}, "Tipo Mensalista já existente.", "tip", "1=Ouro/0/31 2=d'Ávila/12345000/5"},
        {"x' OR '1'='1", "1", "00", {}, "Tipo Mensalista inserido com sucesso.", "tip", "1=Ouro/0/31 2=d'Ávila/12345000/5 3=x' OR '1'='1/10000/0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tipo);
        amb.plataforma.perguntas.clear();
        amb.plataforma.responde(c.respostas);
        preenche(QString::fromUtf8(c.tipo), c.fee, c.dia);
        con->mensalistas->Command14->setFocus();
        clica(con->mensalistas->Command12);
        EXPECT_EQ(mensagem(), QString::fromUtf8(c.mensagem));
        if (*c.foco) { EXPECT_EQ(foco(), c.foco); }
        EXPECT_EQ(tipos(), QString::fromUtf8(c.gravado));
        EXPECT_EQ(amb.plataforma.perguntas,
                  c.respostas.size() ? QStringList{"Confirma valor da mensalidade igual a ZERO?"}
                                     : QStringList{});
    }
    EXPECT_EQ(itens(con->mensalistas->List3), (QStringList{"d'Ávila", "Ouro", "x' OR '1'='1"}));
    EXPECT_EQ(con->mensalistas->valor->text(), "0,00");
    EXPECT_EQ(con->mensalistas->dia->texto(), "  ");
}

TEST_F(TiposTest, AlterarEExcluirPeloTipoClicado) {
    for (int i = 1; i <= 3; ++i)
        amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (?, ?, ?, ?)",
                         {i, QString("T%1").arg(i), i * 10000, i});
    amb.db().executa("INSERT INTO mensalistas (codigo, nome, tipo, excluido) VALUES (9, 'Ana', 2, 1)");
    con->mensalistas->carrega_tipos_mensalistas();

    clica(con->mensalistas->Command15);
    EXPECT_EQ(mensagem(), "Escolha o tipo de mensalista a alterar na lista.");
    clica(con->mensalistas->Command13);
    EXPECT_EQ(mensagem(), "Escolha na lista o tipo de mensalista a excluir.");

    clicaNaLista("T2");
    EXPECT_EQ(con->mensalistas->cod->text(), "2");
    EXPECT_EQ(con->mensalistas->valor->text(), "2,00");
    EXPECT_EQ(con->mensalistas->dia->texto(), "02");
    clica(con->mensalistas->Command13);
    EXPECT_EQ(mensagem(), "Há mensalistas deste tipo. Este tipo não pode ser excluído.")
        << "a deleted subscriber still holds the type";

    // Renamed to another type's name in any letter case: refused, nothing changed.
    preenche(" t1 ", "0", "15");
    clica(con->mensalistas->Command15);
    EXPECT_EQ(mensagem(), "Tipo Mensalista já existente.");
    EXPECT_EQ(foco(), "tip");
    EXPECT_EQ(tipos(), "1=T1/10000/1 2=T2/20000/2 3=T3/30000/3");
    // Its own name in another case, with a zero fee: no question.
    preenche(" t2 ", "0", "15");
    clica(con->mensalistas->Command15);
    EXPECT_EQ(mensagem(), "Alteração realizada com sucesso.");
    EXPECT_TRUE(amb.plataforma.perguntas.isEmpty());
    EXPECT_EQ(tipos(), "1=T1/10000/1 2=t2/0/15 3=T3/30000/3");
    EXPECT_EQ(con->mensalistas->cod->text(), "");
    clica(con->mensalistas->Command15);
    EXPECT_EQ(mensagem(), "Escolha o tipo de mensalista a alterar na lista.");

    // Deleting the highest code gives it out again; a lower one does not.
    clicaNaLista("T3");
    clica(con->mensalistas->Command13);
    EXPECT_EQ(mensagem(), "Tipo de mensalista excluído com sucesso.");
    preenche("Novo", "1", "1");
    clica(con->mensalistas->Command12);
    EXPECT_EQ(valor("SELECT codigo FROM tipos_mensalistas WHERE tipo = 'Novo'"), "3");
    clica(con->mensalistas->Command13);
    EXPECT_EQ(mensagem(), "Escolha na lista o tipo de mensalista a excluir.");
    EXPECT_EQ(itens(con->mensalistas->List3), (QStringList{"Novo", "T1", "t2"}));
}

}  // namespace
