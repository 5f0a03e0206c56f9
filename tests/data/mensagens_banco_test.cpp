#include "data/banco.h"
#include "support/banco_teste.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

QString falhaAoGravar(Banco& db) {
    try {
        db.executa(QStringLiteral("INSERT INTO gera_ticket DEFAULT VALUES"));
    } catch (const ErroBanco& e) {
        return e.mensagemPara(QStringLiteral("registrar a entrada do veículo"));
    }
    return {};
}

}  // namespace

// The operator reads what could not be done, that nothing was written, and the likely cause in
// Portuguese: the file that is read-only, or the other program that holds it.
TEST(MensagensBanco, CausaEmPortuguesComOArquivo) {
    BancoTeste b;
    b.db().executa(QStringLiteral("PRAGMA query_only = 1"));   // refuses writes as a read-only file
    EXPECT_EQ(falhaAoGravar(b.db()),
              QStringLiteral("Não foi possível registrar a entrada do veículo. Nada foi gravado.\n"
                             "O arquivo %1 está protegido contra gravação (somente leitura). "
                             "Libere a gravação do arquivo e da sua pasta e tente novamente.")
                  .arg(b.caminho()));
    b.db().executa(QStringLiteral("PRAGMA query_only = 0"));

    // Another program holds the file: no wait here, the answer comes at once.
    b.db().executa(QStringLiteral("PRAGMA busy_timeout = 0"));
    {
        QSqlDatabase outro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "outro");
        outro.setDatabaseName(b.caminho());
        ASSERT_TRUE(outro.open());
        QSqlQuery(QStringLiteral("BEGIN EXCLUSIVE"), outro);
        EXPECT_EQ(falhaAoGravar(b.db()),
                  QStringLiteral("Não foi possível registrar a entrada do veículo. Nada foi "
                                 "gravado.\nO arquivo %1 está em uso por outro programa. Aguarde "
                                 "um momento e tente novamente.")
                      .arg(b.caminho()));
        QSqlQuery(QStringLiteral("ROLLBACK"), outro);
        outro.close();
    }
    QSqlDatabase::removeDatabase("outro");
    EXPECT_TRUE(falhaAoGravar(b.db()).isEmpty());
    EXPECT_EQ(b.db().valor(QStringLiteral("SELECT count(*) FROM gera_ticket")).toInt(), 1);
}
