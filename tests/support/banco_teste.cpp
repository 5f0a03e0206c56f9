#include "support/banco_teste.h"

#include "data/cria_banco.h"

#include <QSqlQuery>
#include <QSqlRecord>

BancoTeste::BancoTeste() { cria_banco(db_, caminho()); }

QStringList tabelasDoBanco(Banco& db) {
    QStringList r;
    QSqlQuery q = db.executa(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
        "ORDER BY name"));
    while (q.next()) r << q.value(0).toString();
    return r;
}

QStringList colunasDoBanco(Banco& db, const QString& tabela) {
    QStringList r;
    QSqlQuery q = db.executa(QStringLiteral("PRAGMA table_info(%1)").arg(tabela));
    while (q.next())
        r << QStringLiteral("%1 %2 %3 %4 %5")
                 .arg(q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                      q.value(4).toString(), q.value(5).toString());
    return r;
}

QStringList indicesDoBanco(Banco& db) {
    QStringList r;
    QSqlQuery q = db.executa(QStringLiteral(
        "SELECT m.name, m.tbl_name, i.name FROM sqlite_master m, pragma_index_info(m.name) i "
        "WHERE m.type = 'index' ORDER BY m.name"));
    while (q.next())
        r << QStringLiteral("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(),
                                            q.value(2).toString());
    return r;
}
