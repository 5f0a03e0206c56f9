#pragma once
// Fresh databases for tests, each in its own temporary folder.

#include "data/banco.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A newly created database file with the whole layout and no rows.
class BancoTeste {
public:
    BancoTeste();
    Banco& db() { return db_; }
    QString pasta() const { return dir_.path(); }
    QString caminho() const { return dir_.filePath(QStringLiteral("dados.mdb")); }

private:
    QTemporaryDir dir_;
    Banco db_;
};

// Names of the user tables of an open database, sorted.
QStringList tabelasDoBanco(Banco& db);
// "name type notnull default pk" per column, in order, for layout comparisons.
QStringList colunasDoBanco(Banco& db, const QString& tabela);
// "index table field" per index.
QStringList indicesDoBanco(Banco& db);
