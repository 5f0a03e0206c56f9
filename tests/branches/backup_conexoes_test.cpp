#include "branches/backup.h"
#include "data/banco.h"
#include "support/ambiente.h"
#include "support/outro_processo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A second connection to dados.mdb: in another process (the engine's shell, another copy of the
// program), or in this one.
struct OutraConexao {
    std::function<QString(const QString&)> executa;
    std::function<void()> fecha;
};

OutraConexao noOutroProcesso(ConexaoEmOutroProcesso& p, const QString& caminho) {
    EXPECT_EQ(p.abre(caminho), "ok");
    return {[&p](const QString& sql) { return p.executa(sql); }, [&p] { p.fecha(); }};
}

OutraConexao nesteProcesso(std::shared_ptr<Banco> b, const QString& caminho) {
    b->abre(caminho, Banco::kSenha);
    return {[b](const QString& sql) {
                try {
                    b->executa(sql);
                    return QStringLiteral("ok");
                } catch (const ErroBanco& e) {
                    return e.mensagem();
                }
            },
            [b] { b->fecha(); }};
}

const char* const kEntrada = "INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada, ticket) "
                             "VALUES ('%1', '2026-12-07', '10:00:00', %2)";

// While another connection has the file open, neither a backup nor a restore may swap it: the
// other would go on writing into the file retired, its entries lost and its tickets issued
// again. Both are refused at once, everything written on either side stays.
TEST(BackupOutraConexao, RecusadosEnquantoOutraConexaoTemOArquivo) {
    const struct {
        const char* nome;
        bool outroProcesso;
        bool restaura;
        bool lendo = false;   // the other stays inside a reading transaction
    } casos[] = {
        {"backup, outro processo", true, false},
        {"backup, outro processo lendo", true, false, true},
        {"backup, mesmo processo", false, false},
        {"restauração, outro processo", true, true},
        {"restauração, outro processo lendo", true, true, true},
        {"restauração, mesmo processo", false, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        ConexaoEmOutroProcesso processo;   // before this process opens the file
        Ambiente amb;
        QTemporaryDir destino;
        const QString programa = amb.plataforma.pastaPrograma();
        const QString dados = programa + "/dados.mdb";
        amb.db().executa(QString(kEntrada).arg("AAA-0001", "1"));
        amb.db().executaDireto("INSERT INTO gera_ticket DEFAULT VALUES");
        if (c.restaura) {
            ASSERT_TRUE(realiza_backup(amb.db(), programa, destino.path(), 1 << 30).ok);
        }

        const OutraConexao outra = c.outroProcesso ? noOutroProcesso(processo, dados)
                                                   : nesteProcesso(std::make_shared<Banco>(), dados);
        if (c.lendo) {
            ASSERT_EQ(outra.executa("BEGIN"), "ok");
        }
        ASSERT_EQ(outra.executa("SELECT count(*) FROM veiculos_patio"), "ok");

        const auto opera = [&] {
            return c.restaura ? restaura_backup(amb.db(), programa, destino.path())
                              : realiza_backup(amb.db(), programa, destino.path(), 1 << 30);
        };
        const ResultadoBackup r = opera();
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains("o arquivo " + dados + " está aberto em outro programa. "
                                        "Feche esse programa e tente novamente."))
            << r.mensagem.toStdString();
        EXPECT_EQ(QFile::exists(destino.filePath("backup")), c.restaura);
        EXPECT_FALSE(QFile::exists(programa + "/compact.mdb"));
        EXPECT_FALSE(QFile::exists(programa + "/dados.mdb.restaurando"));

        // Both connections go on in the one file: the other's entry and ticket are seen here, and
        // the next ticket here follows them.
        ASSERT_TRUE(amb.db().aberto());
        if (c.lendo) {
            EXPECT_EQ(outra.executa("COMMIT"), "ok");
        }
        EXPECT_EQ(outra.executa(QString(kEntrada).arg("BBB-0002", "2")), "ok");
        EXPECT_EQ(outra.executa("INSERT INTO gera_ticket DEFAULT VALUES"), "ok");
        EXPECT_EQ(amb.conta("veiculos_patio"), 2);
        EXPECT_EQ(amb.db().executaDireto("INSERT INTO gera_ticket DEFAULT VALUES"), 3);
        amb.db().executa(QString(kEntrada).arg("CCC-0003", "3"));

        // Once the other is closed the same operation goes through.
        outra.fecha();
        const ResultadoBackup depois = opera();
        EXPECT_TRUE(depois.ok) << depois.mensagem.toStdString();
        EXPECT_EQ(amb.conta("veiculos_patio"), c.restaura ? 1 : 3);
        EXPECT_EQ(amb.db().caminho(), dados);
    }
}

}  // namespace
