#include "cash/fechamento_caixa.h"

#include "cash/caixa_teste.h"
#include "cash/leitura_fiscal.h"
#include "cash/relatorio_fechamento.h"
#include "cash/valor_caixa.h"
#include "support/pista_janela.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

class FechamentoCaixaTest : public ::testing::Test {
protected:
    FechamentoCaixaTest() {
        amb.ctx.estado.numero_caixa = 7;
        amb.ctx.estado.data_atual = QDate(2026, 12, 8);
        amb.ctx.estado.hora_atual = QTime(18, 30, 0);
    }
    // Every row of a query, fields joined by "|".
    QStringList linhas(const QString& sql) {
        QSqlQuery q = amb.db().executa(sql);
        QStringList r;
        while (q.next()) {
            QStringList campos;
            for (int i = 0; i < q.record().count(); ++i)
                campos << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            r << campos.join(u'|');
        }
        return r;
    }
    QStringList convenios() {
        return linhas("SELECT numero, convenio, qtd, valor FROM fechamento_caixa_convenios ORDER BY rowid");
    }
    Ambiente amb;
};

}  // namespace

TEST_F(FechamentoCaixaTest, TotaisPorTipoEConvenioEmOrdemDeCodigo) {
    abreCaixaNoBanco(amb, 7, Dinheiro::reais(20));
    convenio(amb, 2, "Farmácia");
    convenio(amb, 5, "Shopping");
    saidaNoCaixa(amb, 7, "R", Dinheiro::reais(10));
    saidaNoCaixa(amb, 7, "T", Dinheiro::reais(5));
    saidaNoCaixa(amb, 7, "D", Dinheiro::reais(30));
    saidaNoCaixa(amb, 7, "M", Dinheiro::reais(8));   // paid outside its hours: counted with its money
    saidaNoCaixa(amb, 7, "M", Dinheiro());
    saidaNoCaixa(amb, 7, "C", Dinheiro::reais(4), 5);
    saidaNoCaixa(amb, 7, "C", Dinheiro::reais(6), 5);
    saidaNoCaixa(amb, 7, "C", Dinheiro::reais(3), 2);
    mensalidadeNoCaixa(amb, 7, Dinheiro::reais(100));
    mensalidadeNoCaixa(amb, 7, Dinheiro::reais(50, 50));
    // Another register's rows count in nothing here.
    saidaNoCaixa(amb, 8, "R", Dinheiro::reais(99));
    saidaNoCaixa(amb, 8, "C", Dinheiro::reais(99), 9);
    mensalidadeNoCaixa(amb, 8, Dinheiro::reais(99));

    const ResultadoFechamento r = grava_fechamento(amb.ctx);
    ASSERT_TRUE(r.fechado) << r.mensagem.toStdString();
    EXPECT_EQ(r.troco, Dinheiro::reais(20));
    EXPECT_EQ(amb.linha("SELECT aberto, data_fechamento, hora_fechamento FROM caixa WHERE numero = 7"),
              (QStringList{"0", "2026-12-08", "18:30:00"}));
    const QStringList esperado{"7", "maria", "2026-12-07", "2026-12-08", "07:45:12", "18:30:00",
                               "4", bruto(53), bruto(150, 50), bruto(20), "NULL"};
    EXPECT_EQ(linhas("SELECT numero, usuario, data_ini, data_fim, hora_ini, hora_fim, qtd_veiculos, "
                     "valor_veiculos, valor_mensalidades, troco, filial FROM fechamento_caixa"),
              QStringList{esperado.join(u'|')});
    EXPECT_EQ(convenios(), (QStringList{"7|Farmácia|1|" + bruto(3), "7|Shopping|2|" + bruto(10)}));
}

// The vehicle line counts exactly the stays whose money it holds, a subscriber's paid exit among
// them; the closing's total, stored and printed, is what "Valor em Caixa" showed. Each register
// also takes a partner's stay 4,00, fees 100,00 and a float of 20,00. At an office, a branch's
// register of the same number, merged, is the branch's and counts in nothing here.
TEST_F(FechamentoCaixaTest, FechamentoConfereComOValorEmCaixa) {
    struct Saida {
        const char* tipo;
        Dinheiro valor;
        QVariant filial = {};
    };
    const struct {
        std::vector<Saida> saidas;
        int qtd;
        Dinheiro valor;
        const char* instalacao = "";   // a lane's number, or an office with branch 1's register
        const char* filial = "NULL";   // the closing's branch
    } casos[] = {
        // A subscriber's exit within its hours pays nothing and is no casual stay: not counted.
        {{{"R", Dinheiro::reais(10)}, {"M", Dinheiro::reais(8)}, {"M", Dinheiro()}}, 2, Dinheiro::reais(18)},
        {{{"M", Dinheiro::reais(39)}}, 1, Dinheiro::reais(39)},
        {{{"R", Dinheiro::reais(6)}}, 1, Dinheiro::reais(6), "UPDATE geral SET escritorio = 0, filial = 3", "3"},
        // Branch 1's subscriber's exit paid at the office's lane carries branch 1: this register took it.
        {{{"R", Dinheiro::reais(5)}, {"M", Dinheiro::reais(7), 1}}, 2, Dinheiro::reais(12), "escritório"},
    };
    int numero = 7;
    convenio(amb, 1, "Banco");
    for (const auto& c : casos) {
        SCOPED_TRACE(numero);
        if (c.instalacao == std::string("escritório"))
            caixaDaFilialRecebido(amb, numero);
        else if (*c.instalacao)
            amb.db().executa(c.instalacao);
        abreCaixaNoBanco(amb, numero, Dinheiro::reais(20));
        amb.ctx.estado.numero_caixa = numero;
        for (const Saida& s : c.saidas) saidaNoCaixa(amb, numero, s.tipo, s.valor, {}, s.filial);
        saidaNoCaixa(amb, numero, "C", Dinheiro::reais(4), 1);
        mensalidadeNoCaixa(amb, numero, Dinheiro::reais(100));
        const Dinheiro emCaixa = valores_caixa(amb.db(), numero).total();
        EXPECT_EQ(emCaixa, c.valor + Dinheiro::reais(124));

        ASSERT_TRUE(grava_fechamento(amb.ctx).fechado);
        EXPECT_EQ(amb.linha("SELECT qtd_veiculos, valor_veiculos, valor_veiculos + valor_mensalidades + "
                            "troco + (SELECT sum(valor) FROM fechamento_caixa_convenios WHERE numero = ?), "
                            "coalesce(filial, 'NULL') FROM fechamento_caixa WHERE numero = ? AND NOT recebido",
                            {numero, numero}),
                  (QStringList{QString::number(c.qtd), bruto(c.valor), bruto(emCaixa), c.filial}));
        const QString impresso = QString::fromLatin1(
            impressao_fechamento_caixa(amb.db(), {numero, "maria", 48, 0, Dinheiro::reais(20)}));
        EXPECT_TRUE(impresso.contains(QString("Qtde. Veiculos(Rotativo,Turno,Diarista) : %1\r\n"
                                              "Troco: 20,00\r\nValor(Rotativo,Turno,Diarista): %2\r\n")
                                          .arg(c.qtd).arg(c.valor.formata())))
            << impresso.toStdString();
        EXPECT_TRUE(impresso.contains("Total Caixa -> " + emCaixa.formata() + "\r\n"));
        EXPECT_FALSE(impresso.contains("Tickets"));   // the branch's cancelled ticket is not this register's
        ++numero;
    }
    EXPECT_EQ(amb.linha("SELECT numero, qtd_veiculos, filial FROM fechamento_caixa WHERE recebido"),
              (QStringList{"10", "4", "1"}));
}

TEST_F(FechamentoCaixaTest, CaixaVazioEConvenioSemCadastro) {
    abreCaixaNoBanco(amb, 7, Dinheiro::reais(50));
    ASSERT_TRUE(grava_fechamento(amb.ctx).fechado);
    EXPECT_EQ(amb.linha("SELECT qtd_veiculos, valor_veiculos, valor_mensalidades, troco FROM fechamento_caixa"),
              (QStringList{"0", "0", "0", bruto(50)}));
    EXPECT_TRUE(convenios().isEmpty());

    // A partner whose row is gone still gets its row, under a name that says so.
    abreCaixaNoBanco(amb, 9, Dinheiro());
    amb.ctx.estado.numero_caixa = 9;
    saidaNoCaixa(amb, 9, "C", Dinheiro::reais(4), 31);
    saidaNoCaixa(amb, 9, "C", Dinheiro::reais(2), 2147483647);
    ASSERT_TRUE(grava_fechamento(amb.ctx).fechado);
    EXPECT_EQ(convenios(), (QStringList{"9|Desconhecido (31)|1|" + bruto(4),
                                        "9|? (2147483647)|1|" + bruto(2)}));
}

TEST_F(FechamentoCaixaTest, SegundoFechamentoSubstituiOResumo) {
    caixaDaFilialRecebido(amb, 7);   // branch 1's closing of its register 7 stays
    abreCaixaNoBanco(amb, 7, Dinheiro::reais(20));
    convenio(amb, 2, "Farmácia");
    amb.db().executa("INSERT INTO fechamento_caixa (numero, qtd_veiculos) VALUES (7, 99)");
    amb.db().executa("INSERT INTO fechamento_caixa_convenios (numero, convenio, qtd) VALUES (7, 'Velho', 99)");
    amb.db().executa("INSERT INTO fechamento_caixa_convenios (numero, convenio, qtd) VALUES (6, 'Outro', 1)");
    saidaNoCaixa(amb, 7, "C", Dinheiro::reais(3), 2);
    ASSERT_TRUE(grava_fechamento(amb.ctx).fechado);
    EXPECT_EQ(linhas("SELECT count(*), qtd_veiculos FROM fechamento_caixa GROUP BY recebido"),
              (QStringList{"1|0", "1|4"}));
    EXPECT_EQ(convenios(), (QStringList{"6|Outro|1|NULL", "7|Farmácia|1|" + bruto(3)}));
}

TEST_F(FechamentoCaixaTest, FechaSoOCaixaDoNumeroAberto) {
    abreCaixaNoBanco(amb, 6, Dinheiro::reais(1), "pedro");
    abreCaixaNoBanco(amb, 7, Dinheiro::reais(2));
    ASSERT_TRUE(grava_fechamento(amb.ctx).fechado);
    EXPECT_EQ(linhas("SELECT numero, aberto FROM caixa ORDER BY numero"), (QStringList{"6|1", "7|0"}));
    EXPECT_EQ(amb.linha("SELECT numero, usuario, troco FROM fechamento_caixa"),
              (QStringList{"7", "maria", bruto(2)}));

    // Closed already, or no register at all: nothing to close, nothing written.
    for (int numero : {7, 0}) {
        amb.ctx.estado.numero_caixa = numero;
        const ResultadoFechamento r = grava_fechamento(amb.ctx);
        EXPECT_FALSE(r.fechado);
        EXPECT_EQ(r.mensagem, "Não há caixa aberto.");
    }
    EXPECT_EQ(amb.conta("fechamento_caixa"), 1);
}

TEST_F(FechamentoCaixaTest, FalhaNoMeioDeixaOCaixaAbertoEOResumoAntigo) {
    abreCaixaNoBanco(amb, 7, Dinheiro::reais(20));
    convenio(amb, 2, "Farmácia");
    saidaNoCaixa(amb, 7, "C", Dinheiro::reais(3), 2);
    amb.db().executa("INSERT INTO fechamento_caixa (numero, qtd_veiculos) VALUES (7, 99)");
    falhaAoGravar(amb, "fechamento_caixa_convenios");

    const ResultadoFechamento r = grava_fechamento(amb.ctx);
    EXPECT_FALSE(r.fechado);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_TRUE(r.mensagem.startsWith("Não foi possível fechar o caixa. O caixa continua aberto"));
    EXPECT_TRUE(r.mensagem.contains("O banco de dados recusou a operação"));
    EXPECT_EQ(amb.linha("SELECT aberto, data_fechamento FROM caixa"), (QStringList{"1", "NULL"}));
    EXPECT_EQ(amb.linha("SELECT count(*), qtd_veiculos FROM fechamento_caixa"), (QStringList{"1", "99"}));
}

TEST_F(FechamentoCaixaTest, ContagemAcimaDoCampoERecusadaSemGravar) {
    abreCaixaNoBanco(amb, 7, Dinheiro());
    const auto muitas = [&](const char* tipo, const QVariant& conv) {
        amb.db().executa("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32768) "
                         "INSERT INTO registro_saida (caixa, tipo_estacionamento, valor_liquido, convenio) "
                         "SELECT 7, ?, 10000, ? FROM n",
                         {tipo, conv});
    };
    muitas("C", 4);   // one partner over the limit
    ResultadoFechamento r = grava_fechamento(amb.ctx);
    EXPECT_FALSE(r.fechado);
    EXPECT_EQ(r.mensagem, "O caixa tem 32768 veículos do convênio Desconhecido (4), mais do que o "
                          "fechamento pode guardar (32767). O caixa continua aberto e nada foi gravado.");
    amb.db().executa("DELETE FROM registro_saida");
    muitas("T", {});
    r = grava_fechamento(amb.ctx);
    EXPECT_FALSE(r.fechado);
    EXPECT_TRUE(r.mensagem.startsWith("O caixa tem 32768 veículos de Rotativo, Turno e Diarista"));
    EXPECT_EQ(amb.linha("SELECT aberto FROM caixa"), QStringList{"1"});
    EXPECT_EQ(amb.conta("fechamento_caixa"), 0);
}

TEST_F(FechamentoCaixaTest, ReducaoZAntesDoHorarioSenaoLeituraX) {
    const struct {
        const char* fiscal;
        QVariant reducaoz;
        bool leiturax;
        QTime hora;
        QStringList chamadas;
    } casos[] = {
        {"Daruma FS345", "18:00:00", true, QTime(17, 59, 59), {"ReducaoZ||"}},
        {"Daruma FS345", "18:00:00", true, QTime(18, 0, 0), {"LeituraX"}},
        {"Daruma FS345", "18:00:00", false, QTime(18, 0, 0), {}},
        {"Daruma FS345", QVariant(), true, QTime(9, 0), {"LeituraX"}},
        {"Daruma FS345", QVariant(), false, QTime(9, 0), {}},
        {"Outra", QVariant(), true, QTime(9, 0), {"LeituraX"}},
        {" ", "18:00:00", true, QTime(9, 0), {}},
    };
    for (const auto& c : casos) {
        amb.plataforma.fiscalFalsa.chamadas.clear();
        amb.ctx.estado.impressora_fiscal = c.fiscal;
        amb.ctx.estado.hora_atual = c.hora;
        amb.db().executa("UPDATE geral SET reducaoz = ?, leiturax = ?", {c.reducaoz, c.leiturax});
        EXPECT_EQ(faz_leitura_fiscal(amb.ctx, preve_leitura_fiscal(amb.ctx)), QString());
        EXPECT_EQ(amb.plataforma.fiscalFalsa.chamadas, c.chamadas) << c.fiscal << " " << c.hora.toString().toStdString();
    }
    // A reading the printer did not make is told, not passed over.
    amb.plataforma.fiscalFalsa.retorno = 0;
    amb.ctx.estado.impressora_fiscal = QStringLiteral("Daruma FS345");
    EXPECT_EQ(faz_leitura_fiscal(amb.ctx, preve_leitura_fiscal(amb.ctx)),
              "A impressora fiscal não fez a Redução Z (retorno 0).");
}
