#include "data/atualiza_banco.h"
#include "data/esquema.h"
#include "support/banco_teste.h"
#include "support/leiaute_antigo.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The full picture of a layout: tables, their columns with type and constraints, and indexes.
QStringList retrato(Banco& db) {
    QStringList r;
    for (const QString& t : tabelasDoBanco(db)) {
        r << "TABELA " + t;
        r << colunasDoBanco(db, t);
    }
    r << indicesDoBanco(db);
    return r;
}

// Which text fields accept the empty text and a text one character too long: the constraints
// that table_info does not show.
QStringList restricoes(Banco& db) {
    QStringList r;
    for (const Tabela& t : esquema()) {
        for (const Campo& c : t.campos) {
            if (c.tipo != TipoCampo::Texto) continue;
            for (const QString& v : {QString(), QString(c.tamanho + 1, u'x')}) {
                bool ok = true;
                try {
                    Transacao tr(db);
                    db.executa(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(t.nome, c.nome),
                               {v.isNull() ? QVariant(QString("")) : QVariant(v)});
                } catch (const ErroBanco&) {
                    ok = false;
                }
                r << QStringLiteral("%1.%2 %3 %4").arg(t.nome, c.nome).arg(v.size()).arg(ok);
            }
        }
    }
    return r;
}

class AtualizaBanco : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(AtualizaBanco, ChegaAoLeiauteAtualComOsPreenchimentos) {
    const int versao = GetParam();
    QTemporaryDir dir;
    Banco db;
    criaLeiauteAntigo(db, dir.filePath("dados.mdb"), versao);
    db.executa("INSERT INTO mensalistas (codigo, nome, excluido) VALUES (1, 'Ana', 0), (2, 'Bia', 1)");
    db.executa("INSERT INTO veiculos_mensalistas (codigo, placa) VALUES (1, 'AAA-0001')");
    db.executa("INSERT INTO mensalidades (codigo, mes) VALUES (1, '2008-03-01')");
    db.executa("INSERT INTO convenios (convenio) VALUES ('Padaria')");
    db.executa("INSERT INTO caixa (usuario) VALUES ('ana')");

    atualiza_banco(db, versao);

    BancoTeste novo;
    EXPECT_EQ(retrato(db), retrato(novo.db()));
    EXPECT_EQ(restricoes(db), restricoes(novo.db()));
    // Rows are kept, with the version and the fills of the steps that ran.
    EXPECT_EQ(db.valor("SELECT versao || linha1 || (SELECT count(*) FROM mensalistas) || "
                       "(SELECT usuario FROM caixa) FROM geral").toString(),
              "123Estacionamento2ana");
    const QString impressoras = versao < 106 ? "LPT1| | " : "||";
    EXPECT_EQ(db.valor("SELECT ifnull(impressora, '') || '|' || ifnull(cancela_entrada, '') || '|' || "
                       "ifnull(cancela_saida, '') || "
                       "ifnull(bobina, '-') || mostrar_lista FROM geral").toString(),
              impressoras + "-0");
    // Before 115 every row gets the weekdays and branch 1, deleted subscribers included.
    const int n = versao < 115 ? 1 : 0;
    EXPECT_EQ(db.valor("SELECT (SELECT count(*) FROM mensalistas WHERE dom AND seg AND ter AND qua "
                       "AND qui AND sex AND sab AND hora_inicio IS NULL AND filial IS NULL) || "
                       "(SELECT count(*) FROM convenios WHERE dom AND sab) || "
                       "(SELECT count(*) FROM veiculos_mensalistas WHERE filial = 1) || "
                       "(SELECT count(*) FROM mensalidades WHERE filial = 1)").toString(),
              QStringLiteral("%1%2%2%2").arg(2 * n).arg(n));
}

INSTANTIATE_TEST_SUITE_P(Versoes, AtualizaBanco, ::testing::Values(122, 121, 116, 107, 106, 104, 103, 50));

TEST(AtualizaBancoFalha, EtapaQueFalhaDeixaOArquivoComoEstava) {
    QTemporaryDir dir;
    Banco db;
    // A version-107 file whose `geral` already lost `ult_bit`: step 108 cannot delete it.
    criaLeiauteAntigo(db, dir.filePath("dados.mdb"), 107);
    db.executa("ALTER TABLE geral DROP COLUMN ult_bit");
    const QStringList antes = retrato(db);

    try {
        atualiza_banco(db, 107);
        ADD_FAILURE() << "a atualização deveria falhar";
    } catch (const ErroAtualizacao& e) {
        EXPECT_EQ(e.passo(), 108);
        EXPECT_TRUE(e.mensagem().contains("etapa 108")) << e.mensagem().toStdString();
    }
    EXPECT_EQ(retrato(db), antes);
    EXPECT_EQ(db.valor("SELECT versao FROM geral").toInt(), 107);

    // A later attempt on a repaired file runs from the same version and succeeds.
    db.executa("ALTER TABLE geral ADD COLUMN ult_bit INTEGER");
    atualiza_banco(db, 107);
    EXPECT_EQ(db.valor("SELECT versao FROM geral").toInt(), kVersaoEsquema);
}

// Version 123 tells the rows a branch's file brought from those taken here. At an office, rows
// without a branch are its own; one with a branch is the branch's, but for a subscriber's stay
// at its own lane (or a payment) when its register with that number was open at that moment and
// no closing of the branch's register of that number covers it; a closing copying the opening
// of its register is its own. At a lane, rows with its numbers are its own, and its rows without
// a number take its number (a payment stays its payer's).
TEST(AtualizaBanco, Versao123SeparaOsRecebidosDosTomadosAqui) {
    const struct {
        std::vector<const char*> linhas;   // the site first
        QStringList esperado;   // per table: label:branch/received, in insertion order
    } casos[] = {
        {{"UPDATE geral SET escritorio = 1, filial = NULL",
          "INSERT INTO caixa (numero, usuario, data_abertura, hora_abertura, data_fechamento, hora_fechamento, "
          "aberto) VALUES (1, 'eva', '2026-12-02', '08:00:00', '2026-12-02', '18:00:00', 0), "
          "(2, 'eva', '2026-12-03', '08:00:00', NULL, NULL, 1)",
          "INSERT INTO fechamento_caixa (numero, usuario, data_ini, data_fim, hora_ini, hora_fim, filial) VALUES "
          "(1, 'eva', '2026-12-02', '2026-12-02', '08:00:00', '18:00:00', NULL), "
          "(1, 'jose', '2026-12-01', '2026-12-01', '08:00:00', '20:00:00', 1), "
          "(2, 'jose', '2026-12-02', '2026-12-03', '08:00:00', '20:00:00', 1)",
          "INSERT INTO registro_saida (ticket, mensalista, tipo_estacionamento, caixa, data_saida, hora_saida, "
          "filial) VALUES (1, NULL, 'R', 1, '2026-12-02', '10:00:00', NULL), "
          "(2, 7, 'M', 1, '2026-12-02', '10:00:00', 1), (3, 7, 'M', 1, '2026-12-01', '10:00:00', 1), "
          "(4, NULL, 'R', 1, '2026-12-02', '10:00:00', 1), (5, 7, 'M', 2, '2026-12-03', '09:00:00', 1), "
          "(6, 7, 'M', 2, '2026-12-04', '09:00:00', 1)",
          "INSERT INTO pagamento_mensalidade (mensalista, caixa, data, hora, filial) VALUES "
          "(1, 1, '2026-12-02', '09:00:00', NULL), (2, 1, '2026-12-01', '09:00:00', 1), "
          "(3, 1, '2026-12-02', '09:00:00', 1)",
          "INSERT INTO cancelamento_ticket (ticket, caixa, filial) VALUES (1, 1, NULL), (2, 1, 1)"},
         {"1:- 2:-", "eva:-/0 jose:1/1 jose:1/1", "1:-/0 2:1/0 3:1/1 4:1/1 5:1/1 6:1/0",
          "1:-/0 2:1/1 3:1/0", "1:-/0 2:1/1"}},
        {{"UPDATE geral SET escritorio = 0, filial = 2",
          "INSERT INTO caixa (numero, usuario, filial) VALUES (1, 'ana', NULL), (2, 'ana', 2)",
          "INSERT INTO fechamento_caixa (numero, usuario, filial) VALUES (1, 'ana', NULL), (2, 'ana', 2)",
          "INSERT INTO registro_saida (ticket, caixa, filial) VALUES (1, 1, NULL), (2, 2, 2), (3, 1, 7)",
          "INSERT INTO pagamento_mensalidade (mensalista, caixa, filial) VALUES (1, 1, NULL), (2, 2, 7)",
          "INSERT INTO cancelamento_ticket (ticket, caixa, filial) VALUES (1, 1, NULL), (2, 2, 2)"},
         {"1:2 2:2", "ana:2/0 ana:2/0", "1:2/0 2:2/0 3:7/1", "1:-/0 2:7/1", "1:2/0 2:2/0"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linhas.front());
        QTemporaryDir dir;
        Banco db;
        criaLeiauteAntigo(db, dir.filePath("dados.mdb"), 122);
        for (const char* sql : c.linhas) db.executa(sql);
        atualiza_banco(db, 122);
        QStringList vistos;
        for (const auto& [tabela, rotulo] :
             {std::pair{"caixa", "numero"}, {"fechamento_caixa", "usuario"}, {"registro_saida", "ticket"},
              {"pagamento_mensalidade", "mensalista"}, {"cancelamento_ticket", "ticket"}})
            vistos << db.valor(QString("SELECT group_concat(%1 || ':' || coalesce(filial, '-') || %2, ' ') "
                                       "FROM (SELECT * FROM %3 ORDER BY rowid)")
                                   .arg(rotulo,
                                        QString(tabela) == "caixa" ? "''" : "'/' || recebido", tabela))
                          .toString();
        EXPECT_EQ(vistos, c.esperado);
    }
}
