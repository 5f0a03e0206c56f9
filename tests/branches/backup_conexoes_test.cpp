#include "access/carga_acesso.h"
#include "app/trava_pasta.h"
#include "branches/arquivo_mensalistas.h"
#include "branches/backup.h"
#include "branches/filiais_teste.h"
#include "branches/troca_filial.h"
#include "data/banco.h"
#include "data/gravacao_segura.h"
#include "reports/controle_relatorio.h"
#include "reports/impressao.h"
#include "reports/relatorio_teste.h"
#include "reports/visualizacao.h"
#include "support/ambiente.h"
#include "support/outro_processo.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <unistd.h>

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
// again. Both are refused at once, everything written on either side stays. Another program
// that writes while the backup is under way (after its compaction, before its swap) is refused
// instead: no row that was answered as written is lost to the swap.
TEST(BackupOutraConexao, RecusadosEnquantoOutraConexaoTemOArquivo) {
    const struct {
        const char* nome;
        bool outroProcesso;
        bool restaura;
        bool lendo = false;     // the other stays inside a reading transaction
        bool durante = false;   // the other opens and writes while the backup is copied
        bool esperando = false;   // and waits for the file, through the swap
    } casos[] = {
        {"backup, outro processo gravando entre a compactação e a troca", true, false, false, true},
        {"backup, outro processo esperando pelo arquivo que a troca aposenta", true, false, false, true, true},
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

        if (c.durante) {
            const QString entrada = QString(kEntrada).arg("BBB-0002", "2");
            QString resposta;
            const OuvinteArquivos antes = ouveMudancasArquivos([&](const QString& arquivo) {
                if (!arquivo.endsWith("backup.gravando") || !resposta.isEmpty()) return;
                resposta = processo.abre(dados);
                resposta += " " + (c.esperando ? processo.executaEsperando(entrada) : processo.executa(entrada));
            });
            const ResultadoBackup r = realiza_backup(amb.db(), programa, destino.path(), 1 << 30);
            ouveMudancasArquivos(antes);
            // Let try again once the swap is done, the one that waits still finds the file it
            // opened held, and gives up.
            for (const bool tenta : {true, false})
                if (c.esperando) resposta += " " + processo.esperaMais(tenta);
            processo.fecha();
            EXPECT_TRUE(r.ok) << r.mensagem.toStdString();
            EXPECT_EQ(amb.conta("veiculos_patio"), resposta.endsWith(" ok") ? 2 : 1) << resposta.toStdString();
            EXPECT_TRUE(resposta.endsWith("database is locked")) << resposta.toStdString();
            EXPECT_EQ(resposta.count("esperando"), c.esperando ? 2 : 0) << resposta.toStdString();
            EXPECT_TRUE(QFile::exists(dados + "-wal"));
            continue;
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

// Whatever opens dados.mdb a second time, the program keeps its hold on the file: its lock stays
// (closing any other descriptor of the file would drop it), so an outside reader that opens and
// closes the file, as the sqlite3 shell does, leaves the log the program goes on writing into.
TEST(BackupOutraConexao, ArquivoSegueDoProgramaDepoisDeCadaOperacao) {
    // An operation gives what it told the operator of a failure ("" when it went through).
    using Operacao = std::function<QString(Ambiente&, const QString& programa, const QString& disco)>;
    const auto falha = [](const auto& r) { return r.ok ? QString() : r.mensagem; };
    // The report of the users, printed `vezes` times: the last one shown.
    const auto imprime = [](Ambiente& amb, const QString& programa, int vezes) {
        const QString modelo = programa + "/rel_usu.rpt";
        QFile::copy(QStringLiteral(QUELMAR_MODELOS "/rel_usu.rpt"), modelo);
        ControleRelatorio cr(amb.db(), amb.plataforma);
        cr.defineArquivo(modelo);
        for (int vez = 0; vez < vezes; ++vez) {
            cr.executa();
            esperaRelatorio(amb.plataforma, cr);
        }
        return amb.plataforma.visualizados.back().documento;
    };
    const auto relatorio = [&](Ambiente& amb, const QString& programa, const QString&) {
        const auto documento = imprime(amb, programa, 2);   // the second reopens a file whose log is empty
        // Saved as PDF over the database or its log, by a slip of the operator: refused.
        for (const QString& arquivo : {amb.db().caminho(), amb.db().caminho() + "-wal"})
            if (!gravaPdf(*documento, arquivo, programa).endsWith("em uso pelo programa."))
                return "PDF gravado sobre " + arquivo;
        // Nor over the folder's lock: a second copy of the program would start on the same data.
        TravaPasta trava;
        trava.trava(programa);
        const QString naTrava = gravaPdf(*documento, programa + "/" + kNomeTrava, programa);
        if (TravaPasta().trava(programa) != TravaPasta::Resultado::EmUso || !naTrava.contains("arquivos do programa"))
            return "PDF gravado sobre a trava: " + naTrava;
        return QString();
    };
    // "Salvar PDF" from the preview, the chooser taken to the program's folder, whose listing
    // the operator sees before Esc.
    const auto salvarPdf = [&](Ambiente& amb, const QString& programa, const QString&) {
        QPointer<QWidget> previa = visualizaDocumento(imprime(amb, programa, 1), "Relatório", nullptr, programa);
        bool listada = false;
        QTimer::singleShot(0, previa, [&] {
            auto* escolha = previa->findChild<QFileDialog*>();
            QObject::connect(escolha->findChild<QFileSystemModel*>(), &QFileSystemModel::directoryLoaded,
                             [&](const QString& pasta) { listada = listada || pasta == programa; });
            escolha->setDirectory(programa);
            for (int i = 0; i < 1000000 && !listada; ++i) QCoreApplication::processEvents();
            QCoreApplication::processEvents();   // what the listing found, shown
            QTest::keyClick(escolha, Qt::Key_Escape);
        });
        previa->findChild<QAction*>("Salvar_PDF")->trigger();
        delete previa;
        return listada ? QString() : QStringLiteral("pasta do programa não listada");
    };
    const std::pair<const char*, Operacao> casos[] = {
        {"início", [](Ambiente& amb, auto&, auto&) { amb.db().fecha(); return carrega_banco(amb.ctx).falha; }},
        {"relatório impresso duas vezes", relatorio},
        {"Salvar PDF na pasta do programa", salvarPdf},
        {"arquivo em uso sincronizado, sua cópia por fora recusada", [](Ambiente& amb, auto&, const QString& disco) {
             const QString dados = amb.db().caminho();
             const bool ok = sincroniza(dados) && sincroniza(dados + "-wal") && copiaPrivada(dados, disco + "/c") == ResultadoCopia::Falhou;
             return ok ? QString() : QStringLiteral("sincronização ou cópia");
         }},
        {"backup", [&](Ambiente& amb, const QString& p, const QString& d) { return falha(realiza_backup(amb.db(), p, d, 1 << 30)); }},
        {"restauração", [&](Ambiente& amb, const QString& p, const QString& d) {
             const QString backup = falha(realiza_backup(amb.db(), p, d, 1 << 30));
             return backup + falha(restaura_backup(amb.db(), p, d));
         }},
        {"exportação e mescla", [&](Ambiente& amb, const QString& p, auto&) {
             const QString exportacao = falha(exporta_filial(amb.db(), p + "/f.mdb"));
             return exportacao + falha(mescla_filial(amb.db(), p + "/f.mdb"));
         }},
        {"arquivo de mensalistas", [&](Ambiente& amb, auto&, const QString& d) {
             defineFilial(amb, 1);
             mensalista(amb, 1, "Ana", 1);
             const QString geracao = falha(gera_arquivo_mensalistas(amb.db(), 1, d, 1 << 30));
             return geracao + falha(recebe_arquivo_mensalistas(amb.db(), d, false, 1 << 30));
         }},
    };
    for (const auto& [nome, opera] : casos) {
        SCOPED_TRACE(nome);
        ConexaoEmOutroProcesso shell;   // before this process opens the file
        Ambiente amb;
        QTemporaryDir disco;
        const QString dados = amb.plataforma.pastaPrograma() + "/dados.mdb";
        EXPECT_EQ(opera(amb, amb.plataforma.pastaPrograma(), disco.path()).toStdString(), "");
        ASSERT_TRUE(amb.db().aberto());
        EXPECT_EQ(shell.travadoPor(dados), ::getpid());
        // The shared memory's lock that tells another engine it is not alone: lost, its next
        // open would truncate the memory under this process (a bus error at the next entry).
        const bool memoria = shell.travadoPor(dados + "-shm", 128, 1) == ::getpid();
        EXPECT_TRUE(memoria);
        if (!memoria) continue;
        EXPECT_EQ(shell.abre(dados), "ok");
        EXPECT_EQ(shell.executa("SELECT count(*) FROM usuarios"), "ok");
        shell.fecha();
        EXPECT_TRUE(QFile::exists(dados + "-wal") && QFile::exists(dados + "-shm"));
    }
}

}  // namespace
