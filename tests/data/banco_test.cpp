#include "data/banco.h"
#include "data/cria_banco.h"
#include "data/esquema.h"
#include "support/banco_teste.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool aceita(Banco& db, const QString& sql, const QVariantList& v = {}) {
    try {
        db.executa(sql, v);
        return true;
    } catch (const ErroBanco&) {
        return false;
    }
}

}  // namespace

TEST(CriaBanco, TabelasCamposEIndicesDoLeiaute) {
    BancoTeste b;
    QStringList esperadas;
    for (const Tabela& t : esquema()) esperadas << QLatin1String(t.nome);
    esperadas.sort();
    ASSERT_EQ(esperadas.size(), 27);
    EXPECT_EQ(tabelasDoBanco(b.db()), esperadas);

    for (const Tabela& t : esquema()) {
        QStringList nomes;
        QSqlQuery q = b.db().executa(QStringLiteral("PRAGMA table_info(%1)").arg(t.nome));
        while (q.next()) nomes << q.value(1).toString();
        QStringList esperado;
        for (const Campo& c : t.campos) esperado << QLatin1String(c.nome);
        EXPECT_EQ(nomes, esperado) << t.nome;
        EXPECT_EQ(b.db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(t.nome)).toInt(), 0);
    }
    const QStringList indices = indicesDoBanco(b.db());
    EXPECT_EQ(indices, (QStringList{
                           "indice_convenios_variaveis convenios_variaveis codigo",
                           "indice_fechamento_caixa_convenios fechamento_caixa_convenios numero",
                           "indice_filiais filiais codigo",
                           "indice_mensalidades mensalidades codigo",
                           "indice_mensalistas mensalistas codigo",
                           "indice_pagamento_mensalidade pagamento_mensalidade mensalista",
                           "indice_tipos_mensalistas tipos_mensalistas codigo",
                       }));
}

TEST(CriaBanco, TextoVazioETamanhoDosCampos) {
    BancoTeste b;
    Banco& db = b.db();
    // Fields that accept the empty text, and fields that refuse it.
    EXPECT_TRUE(aceita(db, "INSERT INTO geral (linha1) VALUES ('')"));
    EXPECT_TRUE(aceita(db, "INSERT INTO mensalistas (endereco) VALUES ('')"));
    EXPECT_TRUE(aceita(db, "INSERT INTO veiculos_patio (veiculo) VALUES ('')"));
    EXPECT_FALSE(aceita(db, "INSERT INTO geral (impressora) VALUES ('')"));
    EXPECT_FALSE(aceita(db, "INSERT INTO mensalistas (nome) VALUES ('')"));
    EXPECT_FALSE(aceita(db, "INSERT INTO veiculos_mensalistas (placa) VALUES ('')"));
    // A single blank is the "not configured" mark and must be accepted.
    EXPECT_TRUE(aceita(db, "INSERT INTO geral (impressora) VALUES (' ')"));
    // Size limits, counted in characters, accents included.
    EXPECT_TRUE(aceita(db, "INSERT INTO veiculos_patio (placa) VALUES (?)", {"ABC-1234"}));
    EXPECT_FALSE(aceita(db, "INSERT INTO veiculos_patio (placa) VALUES (?)", {"ABC-12345"}));
    EXPECT_TRUE(aceita(db, "INSERT INTO usuarios (usuario) VALUES (?)", {"JOSÉÇÃÕÁÉÍ"}));
    // Integer and Long ranges.
    EXPECT_FALSE(aceita(db, "INSERT INTO geral (bobina) VALUES (40000)"));
    EXPECT_FALSE(aceita(db, "INSERT INTO veiculos_patio (ticket) VALUES (3000000000)"));
}

TEST(CriaBanco, LinhaNovaNumeracaoEBooleanos) {
    BancoTeste b;
    Banco& db = b.db();
    for (const char* t : {"gera_ticket", "convenios", "caixa", "usuarios"}) {
        db.executa(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t));
        db.executa(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t));
        const QString campo = QLatin1String(t) == QLatin1String("gera_ticket") ? "ticket"
                              : QLatin1String(t) == QLatin1String("caixa")     ? "numero"
                                                                               : "codigo";
        EXPECT_EQ(db.valor(QStringLiteral("SELECT min(%1) FROM %2").arg(campo, t)).toInt(), 1) << t;
        EXPECT_EQ(db.valor(QStringLiteral("SELECT max(%1) FROM %2").arg(campo, t)).toInt(), 2) << t;
    }
    // A row added without values: Booleans read False, everything else is NULL.
    db.executa("INSERT INTO mensalistas DEFAULT VALUES");
    QSqlQuery q = db.executa("SELECT excluido, dom, nome, codigo, valor FROM mensalistas");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(q.value(1).toInt(), 0);
    EXPECT_TRUE(q.value(2).isNull());
    EXPECT_TRUE(q.value(3).isNull());
    EXPECT_TRUE(q.value(4).isNull());
    EXPECT_EQ(db.valor("SELECT count(*) FROM mensalistas WHERE excluido = FALSE").toInt(), 1);
    // The index is not unique.
    EXPECT_TRUE(aceita(db, "INSERT INTO mensalistas (codigo, nome) VALUES (7, 'A')"));
    EXPECT_TRUE(aceita(db, "INSERT INTO mensalistas (codigo, nome) VALUES (7, 'B')"));
}

TEST(CriaBanco, ComparacaoSemCaixaEOrdemComNulosPrimeiro) {
    BancoTeste b;
    Banco& db = b.db();
    db.executa("INSERT INTO usuarios (usuario, senha) VALUES (?, ?)", {"josé", "x"});
    db.executa("INSERT INTO usuarios (usuario, senha) VALUES (?, ?)", {"MARIA", "y"});
    EXPECT_TRUE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"JOSÉ"}));
    EXPECT_TRUE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"maria"}));
    EXPECT_FALSE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"jose"}));
    // A quote in a value is data, not SQL.
    EXPECT_FALSE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"x' OR '1'='1"}));

    db.executa("INSERT INTO veiculos_patio (placa, prisma) VALUES ('BBB-0002', 5)");
    db.executa("INSERT INTO veiculos_patio (placa) VALUES ('AAA-0001')");
    db.executa("INSERT INTO veiculos_patio (placa, prisma) VALUES ('CCC-0003', 2)");
    QSqlQuery q = db.executa("SELECT placa FROM veiculos_patio ORDER BY prisma");
    QStringList ordem;
    while (q.next()) ordem << q.value(0).toString();
    EXPECT_EQ(ordem, (QStringList{"AAA-0001", "CCC-0003", "BBB-0002"}));
    // Names sort by the general order: "álvaro" between "Alberto" and "Bruno".
    db.executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Bruno'), (2, 'álvaro'), (3, 'Alberto')");
    q = db.executa("SELECT nome FROM filiais ORDER BY nome");
    ordem.clear();
    while (q.next()) ordem << q.value(0).toString();
    EXPECT_EQ(ordem.first(), "Alberto");
    EXPECT_EQ(ordem.last(), "Bruno");
}

TEST(CriaBanco, SenhaDoBancoEArquivosEstranhos) {
    BancoTeste b;
    b.db().fecha();
    Banco outro;
    EXPECT_THROW(outro.abre(b.caminho(), "errada"), ErroSenha);
    EXPECT_FALSE(outro.aberto());
    EXPECT_NO_THROW(outro.abre(b.caminho(), Banco::kSenha));
    EXPECT_TRUE(outro.aberto());
    outro.fecha();

    // A file that is not a database, and one that does not exist, are refused with a message.
    QTemporaryDir dir;
    const QString lixo = dir.filePath("dados.mdb");
    QFile f(lixo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("isto não é um banco de dados, apenas texto qualquer com tamanho suficiente");
    f.close();
    try {
        outro.abre(lixo, Banco::kSenha);
        ADD_FAILURE() << "arquivo inválido aceito";
    } catch (const ErroBanco& e) {
        EXPECT_TRUE(e.mensagem().startsWith("Não foi possível abrir")) << e.mensagem().toStdString();
    }
    EXPECT_THROW(outro.abre(dir.filePath("nada.mdb"), Banco::kSenha), ErroBanco);
    EXPECT_FALSE(QFile::exists(dir.filePath("nada.mdb")));
}

TEST(CriaBanco, CriacaoInterrompidaNaoDeixaArquivo) {
    QTemporaryDir dir;
    const QString caminho = dir.filePath("dados.mdb");
    Banco db;
    EXPECT_THROW(cria_banco(db, caminho, [](Banco& d) {
                     d.executa("INSERT INTO geral (versao) VALUES (122)");
                     d.executa("INSERT INTO tabela_que_nao_existe VALUES (1)");
                 }),
                 ErroBanco);
    EXPECT_FALSE(QFile::exists(caminho));
    EXPECT_FALSE(QFile::exists(caminho + ".criando"));
    EXPECT_FALSE(db.aberto());

    // The next creation succeeds and keeps the first rows written.
    cria_banco(db, caminho, [](Banco& d) { d.executa("INSERT INTO geral (versao) VALUES (122)"); });
    EXPECT_TRUE(QFile::exists(caminho));
    EXPECT_EQ(db.valor("SELECT versao FROM geral").toInt(), 122);
}

TEST(Transacao, DesfazSemConfirmacao) {
    BancoTeste b;
    Banco& db = b.db();
    try {
        Transacao t(db);
        db.executa("INSERT INTO veiculos_patio (placa) VALUES ('AAA-0001')");
        db.executa("INSERT INTO veiculos_patio (placa) VALUES ('')");  // refused
        t.confirma();
    } catch (const ErroBanco&) {
    }
    EXPECT_EQ(db.valor("SELECT count(*) FROM veiculos_patio").toInt(), 0);
    {
        Transacao t(db);
        db.executa("INSERT INTO veiculos_patio (placa) VALUES ('AAA-0001')");
        t.confirma();
    }
    EXPECT_EQ(db.valor("SELECT count(*) FROM veiculos_patio").toInt(), 1);
}
