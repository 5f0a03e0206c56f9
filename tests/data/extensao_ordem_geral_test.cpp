#include "data/ordem_geral.h"
#include "support/banco_teste.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

const QStringList kTextos = {"Bruno", "álvaro", "ALVARO", "alvaro", "Ábaco", "abacaxi", "JOSÉ",
                             "josé", "Jose", "Zé", "zeca", "ABC-1234", "abc-1233", "É", "e",
                             "Ç", "c", "d", "Ü", "u", "straße", "STRASSE", ""};

// A plain connection of the engine, as its shell opens the file, with or without the extension.
class ConexaoSimples {
public:
    explicit ConexaoSimples(const QString& caminho) {
        sqlite3_open_v2(caminho.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~ConexaoSimples() { sqlite3_close(db_); }
    QString carregaExtensao() {
        sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 1, nullptr);
        char* erro = nullptr;
        const int r = sqlite3_load_extension(db_, QUELMAR_EXTENSAO, nullptr, &erro);
        const QString texto = r == SQLITE_OK ? QStringLiteral("ok") : QString::fromUtf8(erro);
        sqlite3_free(erro);
        return texto;
    }
    // The first column of every row, or the engine's error.
    QStringList consulta(const QString& sql, const QString& valor = {}) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            return {"erro: " + QString::fromUtf8(sqlite3_errmsg(db_))};
        const QByteArray v = valor.toUtf8();
        if (sqlite3_bind_parameter_count(st) > 0)
            sqlite3_bind_text(st, 1, v.constData(), -1, SQLITE_STATIC);
        QStringList r;
        while (sqlite3_step(st) == SQLITE_ROW)
            r << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return r;
    }

private:
    sqlite3* db_ = nullptr;
};

// The file the program makes stays readable with the engine's own tools: with the extension
// loaded, a plain connection checks it, finds by the lanes' indexes and sorts as the program.
TEST(ExtensaoOrdemGeral, ConexaoSimplesLeEVerificaOArquivoNaOrdemDoPrograma) {
    BancoTeste b;
    Banco& db = b.db();
    for (const QString& t : {QStringLiteral("ABC-1234"), QStringLiteral("xyz-0001")})
        db.executa("INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada, ticket) "
                   "VALUES (?, '2026-12-07', '10:00:00', 1)",
                   {t});
    db.executa("CREATE TABLE textos (t TEXT COLLATE ordem_geral)");
    for (const QString& t : kTextos) db.executa("INSERT INTO textos VALUES (?)", {t});
    QStringList doPrograma;
    for (QSqlQuery q = db.executa("SELECT t FROM textos ORDER BY t, rowid"); q.next();)
        doPrograma << q.value(0).toString();
    db.fecha();

    ConexaoSimples sem(b.caminho());
    EXPECT_EQ(sem.consulta("PRAGMA integrity_check").join(' '),
              "erro: no such collation sequence: ordem_geral");

    ConexaoSimples com(b.caminho());
    ASSERT_EQ(com.carregaExtensao(), "ok");
    EXPECT_EQ(com.consulta("PRAGMA integrity_check"), QStringList{"ok"});
    EXPECT_EQ(com.consulta("SELECT placa FROM veiculos_patio WHERE placa = ?", "abc-1234"),
              QStringList{"ABC-1234"});
    EXPECT_EQ(com.consulta("SELECT placa FROM veiculos_patio ORDER BY placa DESC"),
              (QStringList{"xyz-0001", "ABC-1234"}));
    EXPECT_EQ(com.consulta("SELECT 'JOSÉ' = 'josé' COLLATE ordem_geral"), QStringList{"1"});
    const QStringList daExtensao = com.consulta("SELECT t FROM textos ORDER BY t, rowid");
    EXPECT_EQ(daExtensao, doPrograma);
    EXPECT_NE(daExtensao, com.consulta("SELECT t FROM textos ORDER BY t COLLATE BINARY, rowid"));
    QStringList ordenados = kTextos;
    std::stable_sort(ordenados.begin(), ordenados.end(), [](const QString& x, const QString& y) {
        return comparaOrdemGeral(QStringView(x), QStringView(y)) < 0;
    });
    EXPECT_EQ(daExtensao, ordenados);
}

}  // namespace
