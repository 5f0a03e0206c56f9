#include "data/troca_arquivo.h"

#include "data/banco.h"
#include "data/conexoes_abertas.h"
#include "data/gravacao_segura.h"

#include <sqlite3.h>

void compactaEm(Banco& db, const QString& destino) {
    // The engine would create the copy with the usual mode, readable by all: it fills an empty
    // file made owner-only instead.
    if (!criaArquivoPrivado(destino))
        throw ErroBanco(QStringLiteral("não foi possível criar o arquivo %1.").arg(destino));
    avisaMudanca(destino);
    db.executa(QStringLiteral("VACUUM INTO ?"), {destino});
    if (!sincroniza(destino))
        throw ErroBanco(QStringLiteral("não foi possível gravar a cópia compactada."));
}

void fechaSemEsperar(Banco& db) {
    // Closing copies the log into the file and removes it.
    if (db.aberto()) avisaMudanca(db.caminho());
    if (sqlite3* sq = db.nativo()) sqlite3_busy_timeout(sq, 0);
    db.fecha();
}

AcessoExclusivo::AcessoExclusivo(const QString& caminho) {
    avisaMudanca(caminho);   // its journal is switched
    const int aberto = sqlite3_open_v2(caminho.toUtf8().constData(), &conexao_,
                                       SQLITE_OPEN_READWRITE, nullptr);
    // Never waits: a connection that stays open would only make the operator wait for nothing.
    if (aberto == SQLITE_OK) {
        conexaoAberta(conexao_);
        sqlite3_busy_timeout(conexao_, 0);
    }
    // Leaving the log needs every other connection to the file closed (the engine's own test that
    // this one is alone); in the rollback journal the exclusive lock then keeps newcomers out
    // until the file is replaced.
    if (aberto == SQLITE_OK &&
        textoPragma(conexao_, "PRAGMA journal_mode = DELETE").toLower() == "delete" &&
        sqlite3_exec(conexao_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK)
        return;
    const int codigo = conexao_ ? sqlite3_errcode(conexao_) & 0xff : SQLITE_CANTOPEN;
    conexaoFechando(conexao_);
    sqlite3_close(conexao_);
    conexao_ = nullptr;
    if (codigo == SQLITE_BUSY || codigo == SQLITE_LOCKED)
        throw ErroBanco(QStringLiteral("o arquivo %1 está aberto em outro programa. Feche esse "
                                       "programa e tente novamente.")
                            .arg(caminho));
    throw ErroBanco(QStringLiteral("o arquivo %1 não pôde ser reservado para a troca.").arg(caminho));
}

AcessoExclusivo::~AcessoExclusivo() {
    if (!conexao_) return;
    sqlite3_exec(conexao_, "ROLLBACK", nullptr, nullptr, nullptr);
    conexaoFechando(conexao_);
    sqlite3_close(conexao_);
}
