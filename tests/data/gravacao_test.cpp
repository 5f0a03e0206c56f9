#include "data/banco.h"
#include "data/atualiza_banco.h"
#include "data/indices_pista.h"
#include "support/banco_teste.h"
#include "support/leiaute_antigo.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList plano(Banco& db, const QString& sql) {
    QStringList r;
    QVariantList valores;
    for (qsizetype i = sql.count('?'); i > 0; --i) valores << 1;
    for (QSqlQuery q = db.executa("EXPLAIN QUERY PLAN " + sql, valores); q.next();)
        r << q.value(3).toString();
    return r;
}

}  // namespace

TEST(IndicesPista, NovoEAntigoGanhamOsIndicesDasPistas) {
    BancoTeste novo;
    const QStringList indices = indicesDoBanco(novo.db());
    for (const QString& i : indicesPista()) {
        const QStringList p = i.split(' ');
        for (qsizetype c = 2; c < p.size(); ++c)
            EXPECT_TRUE(indices.contains(QStringList{p[0], p[1], p[c]}.join(' '))) << i.toStdString();
    }
    EXPECT_EQ(indices.size(), 7 + 6);   // the layout's seven, and the lanes' (two fields in one)

    // The lanes' lookups go through them, not through a scan of the yard.
    for (const char* sql : {"SELECT * FROM veiculos_patio WHERE placa = ?",
                            "SELECT * FROM veiculos_patio WHERE ticket = ?",
                            "SELECT * FROM veiculos_patio WHERE prisma = ?",
                            "SELECT rowid FROM veiculos_patio WHERE ticket = ? OR placa = ?",
                            "SELECT codigo FROM veiculos_mensalistas WHERE placa = ?"})
        EXPECT_FALSE(plano(novo.db(), sql).join(' ').contains("SCAN")) << sql;
    EXPECT_FALSE(plano(novo.db(), "SELECT * FROM veiculos_patio ORDER BY prisma, placa, rowid")
                     .join(' ')
                     .contains("TEMP B-TREE"));

    // A file of version 110 has no tag field yet: opening it adds the others, the upgrade the tag's.
    QTemporaryDir dir;
    const QString caminho = dir.filePath("dados.mdb");
    {
        Banco antigo;
        criaLeiauteAntigo(antigo, caminho, 110);
    }
    Banco db;
    db.abre(caminho, Banco::kSenha);
    const QStringList antes = indicesDoBanco(db);
    EXPECT_TRUE(antes.contains("pista_patio_placa veiculos_patio placa"));
    EXPECT_TRUE(antes.contains("pista_mensalistas_codigo veiculos_mensalistas codigo"));
    EXPECT_FALSE(antes.join(' ').contains("pista_patio_prisma"));
    atualiza_banco(db, 110);
    EXPECT_EQ(indicesDoBanco(db), indices);
}

TEST(GravacaoSegura, DiarioSincronizadoEConsolidadoAoFechar) {
    BancoTeste b;
    Banco& db = b.db();
    EXPECT_EQ(db.valor("PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(db.valor("PRAGMA synchronous").toInt(), 2);   // FULL: the log synced at every commit
    {
        Transacao t(db);
        db.executa("INSERT INTO veiculos_patio (placa) VALUES ('ABC-1234')");
        t.confirma();
    }

    // Closed, the file alone holds the committed row: a copy of it is complete.
    db.fecha();
    EXPECT_FALSE(QFile::exists(b.caminho() + "-wal"));
    QTemporaryDir dir;
    const QString copia = dir.filePath("copia.mdb");
    ASSERT_TRUE(QFile::copy(b.caminho(), copia));
    Banco outro;
    outro.abre(copia, Banco::kSenha);
    EXPECT_EQ(outro.valor("SELECT placa FROM veiculos_patio").toString(), "ABC-1234");
}

// The statements kept for the lanes hold no table: the ticket numbering drops and creates its
// table again, and the kept insert then goes to the new one.
TEST(GravacaoSegura, ComandosGuardadosNaoPrendemTabelas) {
    BancoTeste b;
    Banco& db = b.db();
    const char* novo = "INSERT INTO gera_ticket DEFAULT VALUES";
    EXPECT_EQ(db.executaDireto(novo), 1);
    EXPECT_EQ(db.executaDireto(novo), 2);
    EXPECT_EQ(db.valor("SELECT max(ticket) FROM gera_ticket").toInt(), 2);
    EXPECT_TRUE(db.existe("SELECT ticket FROM gera_ticket WHERE ticket = ?", {2}));
    // A failure through the kept statements is told as the others are.
    try {
        db.executaDireto("INSERT INTO veiculos_patio (placa) VALUES (?)", {QString()});
        ADD_FAILURE();
    } catch (const ErroBanco& e) {
        EXPECT_TRUE(e.mensagem().startsWith("O banco de dados recusou a operação")) << e.what();
    }
    db.executa("DROP TABLE gera_ticket");
    db.executa("CREATE TABLE gera_ticket (ticket INTEGER PRIMARY KEY AUTOINCREMENT)");
    EXPECT_EQ(db.executaDireto(novo), 1);
    EXPECT_EQ(db.valor("SELECT max(ticket) FROM gera_ticket").toInt(), 1);
}
