#include "data/banco.h"
#include "data/cria_banco.h"
#include "support/banco_teste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool aceita(Banco& db, const char* sql, const QVariantList& v = {}) {
    try {
        db.executa(QString::fromUtf8(sql), v);
        return true;
    } catch (const ErroBanco&) {
        return false;
    }
}

QStringList coluna(Banco& db, const char* sql) {
    QStringList r;
    for (QSqlQuery q = db.executa(QString::fromUtf8(sql)); q.next();) r << q.value(0).toString();
    return r;
}

}  // namespace

TEST(CriaBanco, TabelasEIndices) {
    BancoTeste b;
    EXPECT_EQ(tabelasDoBanco(b.db()).size(), 27);
    // The layout's seven; the lanes' own indexes come beside them.
    EXPECT_EQ(indicesDoBanco(b.db()).filter(QRegularExpression("^indice_")),
              (QStringList{"indice_convenios_variaveis convenios_variaveis codigo",
                           "indice_fechamento_caixa_convenios fechamento_caixa_convenios numero",
                           "indice_filiais filiais codigo", "indice_mensalidades mensalidades codigo",
                           "indice_mensalistas mensalistas codigo",
                           "indice_pagamento_mensalidade pagamento_mensalidade mensalista",
                           "indice_tipos_mensalistas tipos_mensalistas codigo"}));
}

TEST(CriaBanco, RegrasDosCampos) {
    BancoTeste b;
    const struct {
        const char* sql;
        QVariant valor;
        bool aceito;
    } casos[] = {
        {"INSERT INTO geral (linha1) VALUES (?)", "", true},            // empty text allowed
        {"INSERT INTO veiculos_patio (veiculo) VALUES (?)", "", true},
        {"INSERT INTO geral (impressora) VALUES (?)", "", false},       // empty text refused
        {"INSERT INTO mensalistas (nome) VALUES (?)", "", false},
        {"INSERT INTO geral (impressora) VALUES (?)", " ", true},       // "not configured"
        {"INSERT INTO veiculos_patio (placa) VALUES (?)", "ABC-1234", true},
        {"INSERT INTO veiculos_patio (placa) VALUES (?)", "ABC-12345", false},
        {"INSERT INTO usuarios (usuario) VALUES (?)", "JOSÉÇÃÕÁÉÍ", true},  // characters, not bytes
        {"INSERT INTO geral (bobina) VALUES (?)", 40000, false},         // Integer range
        {"INSERT INTO veiculos_patio (ticket) VALUES (?)", 3000000000LL, false},  // Long range
        {"INSERT INTO mensalistas (codigo, nome) VALUES (?, 'A')", 7, true},
        {"INSERT INTO mensalistas (codigo, nome) VALUES (?, 'B')", 7, true},  // index not unique
    };
    for (const auto& c : casos)
        EXPECT_EQ(aceita(b.db(), c.sql, {c.valor}), c.aceito)
            << c.sql << " " << c.valor.toString().toStdString();
}

TEST(CriaBanco, NumeracaoBooleanosComparacaoEOrdem) {
    BancoTeste b;
    Banco& db = b.db();
    for (const char* t : {"gera_ticket", "convenios", "caixa", "usuarios"}) {
        db.executa(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t));
        db.executa(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t));
        EXPECT_EQ(db.valor(QStringLiteral("SELECT group_concat(rowid) FROM %1").arg(t)).toString(),
                  "1,2")
            << t;
    }
    // Booleans never written read False; nothing else is filled in.
    db.executa("INSERT INTO mensalistas DEFAULT VALUES");
    EXPECT_EQ(db.valor("SELECT count(*) FROM mensalistas WHERE excluido = FALSE AND dom = FALSE "
                       "AND nome IS NULL AND valor IS NULL").toInt(), 1);

    db.executa("INSERT INTO usuarios (usuario) VALUES ('josé'), ('MARIA')");
    EXPECT_TRUE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"JOSÉ"}));
    EXPECT_TRUE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"maria"}));
    EXPECT_FALSE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"jose"}));
    EXPECT_FALSE(db.existe("SELECT * FROM usuarios WHERE usuario = ?", {"x' OR '1'='1"}));

    db.executa("INSERT INTO veiculos_patio (placa, prisma) VALUES ('BBB-0002', 5), "
               "('AAA-0001', NULL), ('CCC-0003', 2)");
    EXPECT_EQ(coluna(db, "SELECT placa FROM veiculos_patio ORDER BY prisma"),
              (QStringList{"AAA-0001", "CCC-0003", "BBB-0002"}));
    db.executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Bruno'), (2, 'álvaro'), "
               "(3, 'Alberto')");
    EXPECT_EQ(coluna(db, "SELECT nome FROM filiais ORDER BY nome"),
              (QStringList{"Alberto", "álvaro", "Bruno"}));
}

TEST(CriaBanco, SenhaEArquivosEstranhos) {
    BancoTeste b;
    b.db().fecha();
    Banco outro;
    EXPECT_THROW(outro.abre(b.caminho(), "errada"), ErroSenha);
    EXPECT_FALSE(outro.aberto());
    EXPECT_NO_THROW(outro.abre(b.caminho(), Banco::kSenha));
    outro.fecha();

    QTemporaryDir dir;
    QFile f(dir.filePath("dados.mdb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("isto não é um banco de dados, apenas texto qualquer com tamanho suficiente");
    f.close();
    EXPECT_THROW(outro.abre(f.fileName(), Banco::kSenha), ErroBanco);
    EXPECT_THROW(outro.abre(dir.filePath("nada.mdb"), Banco::kSenha), ErroBanco);
    EXPECT_FALSE(QFile::exists(dir.filePath("nada.mdb")));
}

// A file refused at start, or one only read, comes out byte for byte as it went in, with
// nothing left beside it: no journal switched, no index added.
TEST(CriaBanco, ArquivoRecusadoOuSoLidoFicaIntacto) {
    BancoTeste nosso;
    nosso.db().fecha();
    QTemporaryDir dir;
    const QString estranho = dir.filePath("estranho.mdb");
    {
        QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "estranho");
        c.setDatabaseName(estranho);
        ASSERT_TRUE(c.open());
        QSqlQuery(c).exec("CREATE TABLE geral (versao INTEGER)");
        c.close();
    }
    QSqlDatabase::removeDatabase("estranho");
    // A name the operator may give a file, with blanks, accents and URL signs.
    const QString nomeCurioso = dir.filePath("cópia #1 ?%.mdb");
    ASSERT_TRUE(QFile::copy(nosso.caminho(), nomeCurioso));
    const auto conteudo = [](const QString& c) {
        QFile f(c);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const struct {
        const char* caso;
        QString arquivo;
        const char* senha;
        bool leitura;
        const char* causa;   // empty: opens
    } casos[] = {
        {"outro programa", estranho, "quorbel58", false, "não é um banco de dados do Quelmar"},
        {"outra senha", nosso.caminho(), "errada", false, "Senha do banco de dados inválida"},
        {"outro programa, leitura", estranho, "quorbel58", true, "não é um banco de dados do Quelmar"},
        {"só leitura", nosso.caminho(), "quorbel58", true, ""},
        {"só leitura, nome curioso", nomeCurioso, "quorbel58", true, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QByteArray antes = conteudo(c.arquivo);
        const QStringList aoLado = QDir(QFileInfo(c.arquivo).path()).entryList(QDir::Files);
        Banco b;
        QString erro;
        try {
            if (c.leitura) b.abreLeitura(c.arquivo, QString::fromUtf8(c.senha));
            else b.abre(c.arquivo, QString::fromUtf8(c.senha));
            EXPECT_GT(b.valor("SELECT count(*) FROM sqlite_schema").toInt(), 0);
            EXPECT_THROW(b.executa("DELETE FROM geral"), ErroBanco);
        } catch (const ErroBanco& e) {
            erro = e.mensagem();
        }
        b.fecha();
        EXPECT_TRUE(QString::fromUtf8(c.causa).isEmpty() ? erro.isEmpty()
                                                         : erro.contains(QString::fromUtf8(c.causa)))
            << erro.toStdString();
        EXPECT_EQ(conteudo(c.arquivo), antes);
        EXPECT_EQ(QDir(QFileInfo(c.arquivo).path()).entryList(QDir::Files), aoLado);
    }
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
    EXPECT_FALSE(QFile::exists(caminho) || QFile::exists(caminho + ".criando") || db.aberto());
    cria_banco(db, caminho, [](Banco& d) { d.executa("INSERT INTO geral (versao) VALUES (122)"); });
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
}
