#include "data/troca_arquivo.h"

#include "data/aberto_por_outro.h"
#include "data/banco.h"
#include "data/conexoes_abertas.h"
#include "data/gravacao_segura.h"
#include "data/nome_guardado.h"
#include "data/ordem_geral.h"

#include <sqlite3.h>

#include <utility>
#include <vector>

void fechaSemEsperar(Banco& db) {
    // Closing copies the log into the file and removes it.
    if (db.aberto()) avisaMudanca(db.caminho());
    if (sqlite3* sq = db.nativo()) sqlite3_busy_timeout(sq, 0);
    db.fecha();
}

AcessoExclusivo::AcessoExclusivo(const QString& caminho) {
    // The swap replaces the name: a link there would be replaced, and the file it leads to go on
    // elsewhere without the data written from then on; another name would keep the old file.
    if (const QString ocupado = nomeOcupado(caminho, true); !ocupado.isEmpty()) throw ErroBanco(ocupado);
    avisaMudanca(caminho);   // its journal is switched
    const int aberto = sqlite3_open_v2(caminho.toUtf8().constData(), &conexao_,
                                       SQLITE_OPEN_READWRITE, nullptr);
    // Never waits: a connection that stays open would only make the operator wait for nothing.
    if (aberto == SQLITE_OK) {
        conexaoAberta(conexao_);
        sqlite3_busy_timeout(conexao_, 0);
        // Its indexes are rebuilt in the program's sort order when it is compacted.
        sqlite3_create_collation(conexao_, kNomeOrdemGeral, SQLITE_UTF8, nullptr, comparaOrdemGeralSqlite);
    }
    // Leaving the log needs every other connection to the file closed (the engine's own test that
    // this one is alone); in the rollback journal the exclusive lock, once taken, is then kept
    // until the connection closes, between statements too, and keeps newcomers out. (Taken in
    // this order, no journal is left beside the file while it is held.)
    if (aberto == SQLITE_OK &&
        textoPragma(conexao_, "PRAGMA journal_mode = DELETE").toLower() == "delete" &&
        textoPragma(conexao_, "PRAGMA locking_mode = EXCLUSIVE").toLower() == "exclusive" &&
        sqlite3_exec(conexao_, "BEGIN EXCLUSIVE; COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK &&
        ::stat(caminho.toUtf8().constData(), &arquivo_) == 0)
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
    conexaoFechando(conexao_);
    sqlite3_close(conexao_);
}

void AcessoExclusivo::compactaEm(const QString& destino) {
    // The engine would create the copy with the usual mode, readable by all: it fills an empty
    // file made owner-only instead.
    if (!criaArquivoPrivado(destino))
        throw ErroBanco(QStringLiteral("não foi possível criar o arquivo %1.").arg(destino));
    avisaMudanca(destino);
    sqlite3_stmt* st = nullptr;
    const QByteArray nome = destino.toUtf8();
    const bool feita = sqlite3_prepare_v2(conexao_, "VACUUM INTO ?", -1, &st, nullptr) == SQLITE_OK &&
                       sqlite3_bind_text(st, 1, nome.constData(), int(nome.size()), SQLITE_STATIC) == SQLITE_OK &&
                       sqlite3_step(st) == SQLITE_DONE;
    const QString erro = feita ? QString() : causaNativa(conexao_, destino);
    sqlite3_finalize(st);
    if (!feita) throw ErroBanco(erro);
    if (!sincroniza(destino))
        throw ErroBanco(QStringLiteral("não foi possível gravar a cópia compactada."));
}

void AcessoExclusivo::aposenta() {
    // Those kept from earlier swaps go once nobody else has them open; the others stay open to
    // the program's end. Window thread only.
    static auto& guardados = *new std::vector<std::pair<sqlite3*, struct stat>>;
    std::erase_if(guardados, [](const auto& g) {
        if (abertoPorOutro(g.second, false)) return false;
        sqlite3_close(g.first);
        return true;
    });
    if (!conexao_ || !abertoPorOutro(arquivo_, false)) return;
    // No name of ours leads to it any more: no operation of the program is to take it as the
    // database's.
    conexaoFechando(conexao_);
    guardados.emplace_back(conexao_, arquivo_);
    conexao_ = nullptr;
}
