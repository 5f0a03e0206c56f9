#include "branches/backup.h"

#include "branches/arquivos.h"
#include "branches/leiautes.h"
#include "branches/reconstroi_banco.h"
#include "branches/verifica_arquivo.h"
#include "data/atualiza_banco.h"
#include "data/banco.h"
#include "data/esquema.h"
#include "data/gravacao_segura.h"
#include "data/troca_arquivo.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

const QString kFalhaBackup = QStringLiteral("Não foi possível realizar o backup: %1\r\n"
                                            "Os dados não foram alterados.");

// A copy is used only once it opens with our password, passes the engine's integrity check and
// holds the general settings row, as every database of this program does.
void verificaCopia(const QString& caminho) {
    Banco b;
    avisaMudanca(caminho);   // opened to be written: its log appears beside it
    b.abre(caminho, Banco::kSenha);
    try {
        if (b.valor(QStringLiteral("PRAGMA integrity_check")).toString() != QLatin1String("ok"))
            throw ErroBanco(QStringLiteral("o arquivo está danificado"));
        if (!b.existe(QStringLiteral("SELECT versao FROM geral")))
            throw ErroBanco(QStringLiteral("faltam as configurações gerais"));
        b.executa(QStringLiteral("PRAGMA journal_mode = DELETE"));
    } catch (...) {
        b.fecha();
        throw;
    }
    b.fecha();
}

// A backup to restore is checked whole in a private copy (`copia`), told by the name of the
// file the operator chose (`nome`): an older layout is brought up to date first, then every
// table, field and value must be as this program keeps them, and the settings row there.
void verificaBackup(const QString& copia, const QString& nome) {
    Banco b;
    abreVerificado(b, copia, {{"geral", {"versao"}}}, nome);
    const auto geral = b.primeiraLinha("SELECT versao FROM geral");
    b.fecha();
    if (!geral) throw ErroBanco(QStringLiteral("Faltam as configurações gerais."));
    const int versao = geral->first().toInt();
    if (versao < kVersaoEsquema) {
        try {
            avisaMudanca(copia);
            b.abre(copia, Banco::kSenha);
            atualiza_banco(b, versao);
            b.consolida();
            b.fecha();
        } catch (const ErroBanco&) {
            throw ErroBanco(QStringLiteral("O backup é de uma versão anterior do sistema e não "
                                           "pôde ser atualizado."));
        }
    }
    abreVerificado(b, copia, leiauteBanco(), nome, nullptr, true);
    b.fecha();
}

QString lado(const QString& caminho, const char* sufixo) { return caminho + QLatin1String(sufixo); }

// Closes the database and holds `dados` alone, so that nothing another program writes can be
// lost to the file that replaces it. Refused while another connection (another program, the
// engine's shell) has `dados` open: the database is then opened again and the refusal thrown.
void reservaSozinho(Banco& db, const QString& dados, std::optional<AcessoExclusivo>& sozinho) {
    fechaSemEsperar(db);
    try {
        sozinho.emplace(dados);
    } catch (...) {
        reabre_banco(db, dados);
        throw;
    }
}

// Puts `novo` (checked, in the same folder) in place of `dados`, held by `sozinho` since before
// `novo` was made, and reopens it. On any failure the database is reopened on the file that is
// then in place: the old one, or the new one when only the reopening failed and the old one
// could not be kept.
void trocaBanco(Banco& db, const QString& novo, const QString& dados, std::optional<AcessoExclusivo>& sozinho) {
    // The file replaced, kept under a second name of its own until the new one opens, and then
    // removed (see ArquivoTemporario): a file the operator keeps at the usual name stays.
    ArquivoTemporario anterior(QFileInfo(dados).absolutePath(), dados + kSufixoAnterior);
    const auto reabre = [&] {
        sozinho.reset();
        reabre_banco(db, dados);
    };
    removeArquivo(lado(dados, "-wal"));
    removeArquivo(lado(dados, "-shm"));
    // The new file is as private as the one it replaces.
    QFile::setPermissions(novo, QFile::permissions(dados));
    avisaMudanca(anterior.caminho());
    const bool guardado =
        ::link(QFile::encodeName(dados).constData(), QFile::encodeName(anterior.caminho()).constData()) == 0;
    if (guardado) anterior.anotaPresente();
    try {
        substituiArquivo(novo, dados);
    } catch (...) {
        reabre();
        throw;
    }
    // Opened while the old file is still held: whoever opened that one before it went is still
    // kept waiting.
    try {
        reabre_banco(db, dados);
    } catch (...) {
        if (!guardado) {
            sozinho.reset();
            throw;
        }
        avisaMudanca(dados);
        // Back in its place; should that fail, it stays where it is, never removed.
        std::rename(QFile::encodeName(anterior.caminho()).constData(), QFile::encodeName(dados).constData());
        anterior.esquece();
        removeArquivo(lado(dados, "-wal"));
        removeArquivo(lado(dados, "-shm"));
        reabre();
        throw;
    }
    sozinho->aposenta();
    sozinho.reset();
}

}  // namespace

QString arquivo_backup(const QString& pasta) { return naPasta(pasta, QStringLiteral("backup")); }

void reabre_banco(Banco& db, const QString& caminho) {
    avisaMudanca(caminho);   // its journal goes back to the log
    db.abre(caminho, Banco::kSenha);
    try {
        const QVariant versao = db.valor(QStringLiteral("SELECT versao FROM geral"));
        if (!versao.isNull() && versao.toInt() < kVersaoEsquema) atualiza_banco(db, versao.toInt());
    } catch (...) {
        db.fecha();
        throw;
    }
}

ResultadoBackup realiza_backup(Banco& db, const QString& pastaPrograma, const QString& pasta,
                               quint64 livre) {
    if (!QFileInfo(pasta).isDir())
        return {false, QStringLiteral("A pasta %1 não existe.").arg(pasta)};
    if (livre == 0) return {false, QStringLiteral("Não é possível realizar backup em CD-ROMs.")};
    const QString dados = naPasta(pastaPrograma, kNomeArquivoBanco);
    const quint64 tamanho =
        quint64(QFileInfo(dados).size()) + quint64(QFileInfo(lado(dados, "-wal")).size());
    const QString destino = arquivo_backup(pasta);
    if (!existe_arquivo(destino) && tamanho > livre)
        return {false, QStringLiteral("Espaço insuficiente para realizar o backup.")};

    // Both made new under names of their own: a file or a link found at the usual names stays as
    // it was.
    ArquivoTemporario compacto(pastaPrograma, naPasta(pastaPrograma, kCopiaCompacta));
    ArquivoTemporario novo(pastaPrograma, destino + kSufixoGravando);
    // Held from the compaction until the compacted copy is in place: a row another program
    // commits meanwhile would be in the file retired, not in the copy.
    std::optional<AcessoExclusivo> sozinho;
    try {
        reservaSozinho(db, dados, sozinho);
        sozinho->compactaEm(compacto.caminho());
        verificaCopia(compacto.caminho());
        // The operator knows the backup by its own name, not by the one it has while written.
        const QString naoGravado = QStringLiteral("não foi possível gravar o arquivo %1.").arg(destino);
        copiaVerificada(compacto.caminho(), novo.caminho(), destino, naoGravado);   // a full disk told as such
        try {
            verificaCopia(novo.caminho());
            substituiArquivo(novo.caminho(), destino);
            novo.esquece();
        } catch (const ErroBanco&) {
            throw ErroBanco(naoGravado);
        }
    } catch (const ErroBanco& e) {
        if (sozinho) {
            sozinho.reset();
            try {
                reabre_banco(db, dados);
            } catch (const ErroBanco& r) {
                return {false, kFalhaBackup.arg(r.mensagem())};
            }
        }
        return {false, kFalhaBackup.arg(e.mensagem())};
    }

    try {
        trocaBanco(db, compacto.caminho(), dados, sozinho);
        compacto.esquece();
    } catch (const ErroBanco& e) {
        return {false, QStringLiteral("O backup foi gravado em %1, mas o banco de dados não pôde "
                                      "ser compactado: %2\r\nO banco de dados atual continua em uso.")
                           .arg(destino, e.mensagem())};
    }
    return {true, QStringLiteral("Backup realizado com sucesso.")};
}

ResultadoBackup restaura_backup(Banco& db, const QString& pastaPrograma, const QString& pasta) {
    const QString origem = arquivo_backup(pasta);
    const QString dados = naPasta(pastaPrograma, kNomeArquivoBanco);
    if (!QFileInfo(pasta).isDir())
        return {false, QStringLiteral("A pasta %1 não existe.").arg(pasta)};
    // A refusal names the backup, whatever private copy of it was being read.
    const auto recusa = [&](const QString& causa) {
        return ResultadoBackup{false, QStringLiteral("O arquivo %1 não é um backup válido deste "
                                                     "sistema.\r\n%2\r\nOs dados não foram alterados.")
                                          .arg(origem, causa)};
    };
    // Any other failure (the disk, the swap) leaves the database in use as it was.
    const auto falha = [&](const QString& causa) {
        return ResultadoBackup{false, QStringLiteral("Não foi possível restaurar o backup: %1\r\n"
                                                     "O banco de dados atual continua em uso.")
                                          .arg(causa)};
    };
    if (!existe_arquivo(origem)) return recusa(QStringLiteral("O arquivo %1 não existe.").arg(origem));
    // The backup itself is only read: it is checked, upgraded and used as a private copy. A copy
    // that cannot be made is the program folder's disk (or a backup still being written), not
    // the backup's fault.
    std::optional<CopiaDeEntrada> copia;
    try {
        copia.emplace(origem, naPasta(pastaPrograma, kCopiaRestauracao),
                      QStringLiteral("não foi possível copiar o arquivo %1 para a pasta do programa.").arg(origem));
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }
    try {
        verificaBackup(copia->caminho(), origem);
    } catch (const ErroBanco& e) {
        return recusa(e.mensagem());
    }
    // The database put in place is the program's own layout holding the backup's rows, never
    // the backup's file itself with the rules and indexes it came with.
    ArquivoTemporario reconstruido(pastaPrograma, naPasta(pastaPrograma, kBancoReconstruido));
    try {
        reconstroi_banco(copia->caminho(), reconstruido.caminho());
    } catch (const RecusaArquivo& e) {
        return recusa(e.mensagem());
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }
    copia.reset();
    try {
        std::optional<AcessoExclusivo> sozinho;
        reservaSozinho(db, dados, sozinho);
        trocaBanco(db, reconstruido.caminho(), dados, sozinho);
        reconstruido.esquece();
    } catch (const ErroBanco& e) {
        return falha(e.mensagem());
    }
    return {true, QStringLiteral("Restauração realizada com sucesso!")};
}
