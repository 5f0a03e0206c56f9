#pragma once
// Moving rows between the main database and a file that travels.

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>

class Banco;

// One statement prepared once and run for many rows. Throws ErroBanco when a run fails.
class Comando {
public:
    Comando(Banco& db, const QString& sql);
    void executa(const QVariantList& valores);
    QVariant ultimoId() const { return q_.lastInsertId(); }

private:
    QSqlQuery q_;
};

// Runs `copia` in one transaction of `db` with the file `caminho` attached under the name
// "arquivo", so that rows go from one to the other inside the engine. Throws ErroBanco.
void comArquivoAnexado(Banco& db, const QString& caminho, const std::function<void()>& copia);
