#include "reports/catalogo.h"
#include "reports/formula.h"

#include <gtest/gtest.h>

TEST(FormulaSelecao, FormulasDoCatalogoViramCondicoesComValores) {
    const struct {
        const char* formula;
        const char* sql;
        QVariantList valores;
    } casos[] = {
        {"", "1=1", {}},
        {"{mensalistas.excluido}=FALSE", "mensalistas.excluido = ?", {0}},
        {"{mensalistas.excluido}=FALSE and {mensalistas.filial}=3 ",
         "mensalistas.excluido = ? AND mensalistas.filial = ?", {0, 3}},
        {"({registro_saida.data_saida}>=#2008/03/01# and {registro_saida.data_saida}<=#2008/03/31#)"
         " and {registro_saida.filial}= 2",
         "(registro_saida.data_saida >= ? AND registro_saida.data_saida <= ?) AND registro_saida.filial = ?",
         {"2008-03-01", "2008-03-31", 2}},
        {"{usuarios.rel}<>true AND {usuarios.codigo}<-1", "usuarios.rel <> ? AND usuarios.codigo < ?", {1, -1}},
    };
    for (const auto& c : casos) {
        const CondicaoSql r = traduzFormula(QString::fromUtf8(c.formula));
        EXPECT_EQ(r.sql.toStdString(), c.sql) << c.formula;
        EXPECT_EQ(r.valores, c.valores) << c.formula;
    }
    EXPECT_EQ(formulaFaixa("registro_saida.data_saida", QDate(2008, 3, 1), QDate(2008, 3, 31)),
              "({registro_saida.data_saida}>=#2008/03/01# and {registro_saida.data_saida}<=#2008/03/31#)");
}

TEST(FormulaSelecao, ForaDaGramaticaERecusadaComMensagem) {
    const char* hostis[] = {
        "{mensalistas.excluido}=FALSE or 1=1",
        "{mensalistas.filial}=1; DROP TABLE mensalistas",
        "{mensalistas.filial}=1 --",
        "{mensalistas.nome}='x' ",
        "{mensalistas.nome}=nome",
        "{sqlite_master.name}=1",
        "{mensalistas.senha}=1",
        "{mensalistas.filial}=1)",
        "({mensalistas.filial}=1",
        "{mensalistas.filial}=1 and",
        "{mensalistas.filial} LIKE 1",
        "{mensalistas.filial}=1.5",
        "{mensalistas.filial}=-",
        "{registro_saida.data_saida}=#2008/02/30#",
        "{registro_saida.data_saida}=#2008-02-10#",
        "1=1",
        "{mensalistas.filial}=1 andx {mensalistas.filial}=2",
    };
    for (const char* h : hostis) {
        try {
            traduzFormula(QString::fromUtf8(h));
            ADD_FAILURE() << "aceita: " << h;
        } catch (const ErroFormula& e) {
            EXPECT_TRUE(e.mensagem().startsWith("Fórmula de seleção não aceita")) << h;
            EXPECT_TRUE(e.mensagem().contains(QString::fromUtf8(h).trimmed().left(10))) << h;
        }
    }
}

TEST(FormulaSelecao, NumeroDaFormulaDeMensalidades) {
    const struct {
        qint64 bruto;
        const char* texto;
    } casos[] = {{12345000, " 1234.5"}, {5000, " .5"}, {-22500, "-2.25"}, {100000, " 10"},
                 {0, " 0"}, {1, " .0001"}, {-5000, "-.5"}};
    for (const auto& c : casos) EXPECT_EQ(numeroFormula(Dinheiro::bruto(c.bruto)), c.texto);
}
