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
              "122Estacionamento2ana");
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

INSTANTIATE_TEST_SUITE_P(Versoes, AtualizaBanco, ::testing::Values(121, 116, 107, 106, 104, 103, 50));

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
    EXPECT_EQ(db.valor("SELECT versao FROM geral").toInt(), 122);
}
