#pragma once
// Moving rows between the main database and a file that travels.

#include <QString>

#include <functional>

class Banco;

// Runs `copia` in one transaction of `db` with the file `caminho` attached under the name
// "arquivo", so that rows go from one to the other inside the engine. Throws ErroBanco.
void comArquivoAnexado(Banco& db, const QString& caminho, const std::function<void()>& copia);
