#pragma once

#include <QString>

#include <functional>

class Banco;

// Creates the database file at `caminho` with the whole layout and leaves `db` open on it.
// The file is built under a temporary name and takes its final name only once complete, with
// whatever `primeirasLinhas` writes, so a creation that fails part-way leaves no file behind
// that a later start could take for a database. Throws ErroBanco on failure.
void cria_banco(Banco& db, const QString& caminho,
                const std::function<void(Banco&)>& primeirasLinhas = {});
