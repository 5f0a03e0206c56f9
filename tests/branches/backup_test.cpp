#include "branches/arquivo_mensalistas.h"
#include "branches/backup.h"
#include "branches/troca_filial.h"
#include "branches/filiais_teste.h"
#include "data/gravacao_segura.h"
#include "devices/discos_sistema.h"
#include "support/disco_cheio.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

class BackupTest : public ::testing::Test {
protected:
    Ambiente amb;
    QTemporaryDir destino;
    QString programa() { return amb.plataforma.pastaPrograma(); }
    QString dados() { return programa() + "/dados.mdb"; }
    void entrada(const QString& placa) {
        amb.db().executa("INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada, ticket) "
                         "VALUES (?, '2026-12-07', '10:00:00', 1)",
                         {placa});
    }
    // The database is open on dados.mdb and takes a write.
    void continuaFuncionando() {
        ASSERT_TRUE(amb.db().aberto());
        EXPECT_EQ(amb.db().caminho(), dados());
        entrada("ZZZ-9999");
        EXPECT_EQ(amb.conta("veiculos_patio"), linhasAntes + 1);
    }
    int linhasAntes = 0;
};

TEST_F(BackupTest, BackupEntradaRestauraVoltaAoEstadoAnterior) {
    entrada("AAA-0001");
    const ResultadoBackup r = realiza_backup(amb.db(), programa(), destino.path(), 1 << 30);
    EXPECT_EQ(r.mensagem, "Backup realizado com sucesso.");
    EXPECT_TRUE(QFile::exists(destino.filePath("backup")));
    EXPECT_FALSE(QFile::exists(programa() + "/compact.mdb"));
    EXPECT_FALSE(QFile::exists(destino.filePath("backup.gravando")));

    entrada("BBB-0002");
    ASSERT_EQ(amb.conta("veiculos_patio"), 2);
    const ResultadoBackup rest = restaura_backup(amb.db(), programa(), destino.path());
    EXPECT_EQ(rest.mensagem, "Restauração realizada com sucesso!");
    EXPECT_EQ(linhas(amb.db(), "veiculos_patio").size(), 1);
    EXPECT_TRUE(amb.db().existe("SELECT 1 FROM veiculos_patio WHERE placa = 'AAA-0001'"));
    linhasAntes = 1;
    continuaFuncionando();

    // A second backup into the same folder replaces the first, whatever the free space says.
    EXPECT_TRUE(realiza_backup(amb.db(), programa(), destino.path(), 1).ok);
}

TEST_F(BackupTest, FalhasDeixamOsDadosIntactos) {
    entrada("AAA-0001");
    linhasAntes = 1;
    QFile arquivo(destino.filePath("arquivo"));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    const struct {
        QString pasta;
        quint64 livre;
        QString inicio;
    } casos[] = {
        {destino.path(), 0, "Não é possível realizar backup em CD-ROMs."},
        {destino.path(), 100, "Espaço insuficiente para realizar o backup."},
        // A folder that is gone is told as such, whatever the free space reads.
        {destino.filePath("arquivo"), 0, "A pasta " + destino.filePath("arquivo") + " não existe."},
        {destino.filePath("nao_existe"), 1 << 30,
         "A pasta " + destino.filePath("nao_existe") + " não existe."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pasta.toStdString());
        const ResultadoBackup r = realiza_backup(amb.db(), programa(), c.pasta, c.livre);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.startsWith(c.inicio)) << r.mensagem.toStdString();
        EXPECT_FALSE(QFile::exists(programa() + "/compact.mdb"));
        EXPECT_TRUE(amb.db().aberto());
        EXPECT_EQ(amb.conta("veiculos_patio"), 1);
    }
    continuaFuncionando();
}

// A database reached through a link (where a site keeps its data elsewhere) is never swapped:
// the swap would put the new file in the link's place and leave the file it leads to behind,
// with the data split between the two. Backup and restore are refused saying so, and the
// program goes on in the file the link leads to.
TEST_F(BackupTest, BancoPorLinkNaoETrocado) {
    entrada("AAA-0001");
    ASSERT_TRUE(realiza_backup(amb.db(), programa(), destino.path(), 1 << 30).ok);
    QTemporaryDir fora;
    const QString alvo = fora.filePath("banco.mdb");
    amb.db().fecha();
    ASSERT_TRUE(QFile::rename(dados(), alvo));
    ASSERT_TRUE(QFile::link(alvo, dados()));
    reabre_banco(amb.db(), dados());
    for (const bool restaura : {false, true}) {
        SCOPED_TRACE(restaura ? "restauração" : "backup");
        const ResultadoBackup r = restaura ? restaura_backup(amb.db(), programa(), destino.path())
                                           : realiza_backup(amb.db(), programa(), destino.path(), 1 << 30);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains(dados() + " é um link simbólico para " + alvo +
                                        ", e não um arquivo só do programa."))
            << r.mensagem.toStdString();
        EXPECT_EQ(QFileInfo(dados()).symLinkTarget(), alvo);
        EXPECT_EQ(QDir(programa()).entryList({"*.mdb*"}, QDir::Files | QDir::System),
                  QStringList{"dados.mdb"});
        ASSERT_TRUE(amb.db().aberto());
        entrada(restaura ? "CCC-0003" : "BBB-0002");
    }
    amb.db().fecha();
    Banco linkado;
    linkado.abre(alvo, Banco::kSenha);
    EXPECT_EQ(linkado.valor("SELECT group_concat(placa, ' ') FROM veiculos_patio").toString(),
              "AAA-0001 BBB-0002 CCC-0003");
}

// A good backup that cannot be copied into the program folder is the folder's trouble, not the
// backup's: it is not called invalid.
TEST_F(BackupTest, RestauracaoSemCopiaNaoCulpaOBackup) {
    ASSERT_TRUE(realiza_backup(amb.db(), programa(), destino.path(), 1 << 30).ok);
    entrada("AAA-0001");
    linhasAntes = 1;
    // The copy's name taken (by a folder) between its choice and the copy: the copy fails, and
    // what took the name stays.
    QString tomado;
    const OuvinteArquivos antes = ouveMudancasArquivos([&](const QString& arquivo) {
        if (tomado.isEmpty() && arquivo.endsWith(kCopiaRestauracao) && QDir().mkdir(arquivo)) tomado = arquivo;
    });
    const ResultadoBackup r = restaura_backup(amb.db(), programa(), destino.path());
    ouveMudancasArquivos(antes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.mensagem, "Não foi possível restaurar o backup: não foi possível copiar o arquivo " +
                              destino.filePath("backup") + " para a pasta do programa.\r\n"
                              "O banco de dados atual continua em uso.");
    ASSERT_TRUE(QDir().rmdir(tomado));
    continuaFuncionando();
}

// Every temporary file of a backup, a restore and the exchange files is made new: a user's file
// or a link (to a copy of a database) found at its name, or at a name the engine gives a file
// beside it, is neither opened nor removed, and the operation goes on under another name.
// Another program's file made at the name once chosen, before the program creates it there,
// fails the operation and stays as well.
TEST(NomesTemporarios, OcupadosFicamComoEstavam) {
    Ambiente filial, escritorio;
    defineFilial(filial, 1);
    saida(filial, 1, "AAA-0001", "10:00:00", 1);
    defineFilial(escritorio, QVariant(), true);
    escritorio.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (1, 'Mensal', 1500000, 10)");
    mensalista(escritorio, 7, "Ana", 1);
    QTemporaryDir disco, fora;
    const QString naFilial = filial.plataforma.pastaPrograma(), noEscritorio = escritorio.plataforma.pastaPrograma();
    ASSERT_TRUE(realiza_backup(filial.db(), naFilial, disco.path(), 1 << 30).ok);
    const QString alvo = fora.filePath("copia.mdb");
    ASSERT_TRUE(QFile::copy(disco.filePath("backup"), alvo));
    const QByteArray doAlvo = bytes(alvo), doUsuario = "anotações do usuário";
    const QString arquivoFilial = disco.filePath("backup_filial.mdb");

    const std::function<ResultadoBackup()> backup = [&] { return realiza_backup(filial.db(), naFilial, disco.path(), 1 << 30); };
    const std::function<ResultadoBackup()> restauracao = [&] { return restaura_backup(filial.db(), naFilial, disco.path()); };
    // Each file made on the way is taken: the branch's export before its merge, the subscribers'
    // file before it is received.
    const std::function<ResultadoBackup()> mescla = [&] {
        const ResultadoBackup r = exporta_filial(filial.db(), arquivoFilial);
        return r.ok ? mescla_filial(escritorio.db(), arquivoFilial) : r;
    };
    const std::function<ResultadoBackup()> recebimento = [&] {
        ResultadoArquivo r = gera_arquivo_mensalistas(escritorio.db(), 1, disco.path(), 1 << 30);
        if (r.ok) r = recebe_arquivo_mensalistas(filial.db(), disco.path(), false, 1 << 30);
        return ResultadoBackup{r.ok, r.mensagem};
    };
    const struct {
        QString nome;
        const std::function<ResultadoBackup()>& opera;
    } casos[] = {
        {disco.filePath("backup.gravando"), backup},
        {disco.filePath("backup.gravando-wal"), backup},
        {naFilial + "/compact.mdb", backup},
        {naFilial + "/dados.mdb.anterior", backup},
        {naFilial + "/dados.mdb.anterior", restauracao},
        {naFilial + "/dados.mdb.restaurando", restauracao},
        {naFilial + "/dados.mdb.reconstruido", restauracao},
        {naFilial + "/dados.mdb.reconstruido.criando", restauracao},
        {arquivoFilial + ".gravando", mescla},
        {noEscritorio + "/dados.mdb.recebendo", mescla},
        {disco.filePath("mensalistas.mdb.gravando"), recebimento},
        {disco.filePath("mensalistas.mdb.gravando-journal"), recebimento},
        {naFilial + "/dados.mdb.recebendo", recebimento},
    };
    enum Ocupante { Ligacao, DoUsuario, DepoisDaEscolha };
    const char* const nomes[] = {" (ligação)", " (arquivo do usuário)", " (de outro programa, depois da escolha)"};
    const auto doOutro = [&](const QString& nome) {
        QFile f(nome);
        return f.open(QIODevice::NewOnly) && f.write(doUsuario) == doUsuario.size();
    };
    for (const auto& c : casos)
        for (const Ocupante o : {Ligacao, DoUsuario, DepoisDaEscolha}) {
            const bool ligacao = o == Ligacao;
            SCOPED_TRACE((c.nome + nomes[o]).toStdString());
            // The engine's own names beside a file are its business once the file is made.
            if (o == DepoisDaEscolha && (c.nome.endsWith("-wal") || c.nome.endsWith("-journal"))) continue;
            bool tomado = false;
            const OuvinteArquivos antes = ouveMudancasArquivos([&](const QString& arquivo) {
                if (o == DepoisDaEscolha && arquivo == c.nome && !tomado) tomado = doOutro(c.nome);
            });
            ASSERT_TRUE(ligacao ? QFile::link(alvo, c.nome) : o != DoUsuario || doOutro(c.nome));
            const ResultadoBackup r = c.opera();
            ouveMudancasArquivos(antes);
            // Without the file it meant to keep aside, a swap goes on: the new database is whole.
            if (o != DepoisDaEscolha || c.nome.endsWith(kSufixoAnterior)) {
                EXPECT_TRUE(r.ok) << r.mensagem.toStdString();
            } else {
                EXPECT_TRUE(tomado);
                EXPECT_FALSE(r.ok);
            }
            if (ligacao) {
                EXPECT_EQ(QFileInfo(c.nome).symLinkTarget(), alvo);
            }
            EXPECT_EQ(bytes(c.nome), ligacao ? doAlvo : doUsuario);
            EXPECT_EQ(bytes(alvo), doAlvo);
            // Nothing of the operation left beside it, nor noted.
            const QDir pasta = QFileInfo(c.nome).dir();
            EXPECT_EQ(pasta.entryList({"*.??????.*"}, QDir::Files), QStringList());
            for (const QString& p : {naFilial, noEscritorio}) EXPECT_FALSE(QFile::exists(p + "/" + kGravacoesAnotadas));
            QFile::remove(c.nome);
        }
    EXPECT_EQ(filial.conta("registro_saida"), 1);
    EXPECT_EQ(escritorio.conta("registro_saida"), 1);
    EXPECT_EQ(filial.conta("mensalistas"), 1);
}

// The disk fills while a restore writes its copy of the backup or folds the log of its rebuilt
// file into the file (the last writes before the swap), or while a backup writes into a folder
// without room. Each is told as a full disk naming where, the live data stay as they were and
// no copy is left beside them.
TEST_F(BackupTest, DiscoCheioDitoComoTal) {
    entrada("AAA-0001");
    ASSERT_TRUE(realiza_backup(amb.db(), programa(), destino.path(), 1 << 30).ok);
    entrada("BBB-0002");
    linhasAntes = 2;
    QTemporaryDir semEspaco;
    const QString copia = programa() + "/dados.mdb.restaurando";
    const QString reconstruido = programa() + "/dados.mdb.reconstruido";
    const struct {
        const char* caso;
        QString arquivo;   // the disk fills at the `vez`-th change announced on it once it exists
        int vez;
        std::function<rlim_t()> limite;   // no file may grow beyond it
        QString cheio;                    // the file named in the message
    } casos[] = {
        {"cópia do backup", copia, 1, [] { return 1; }, copia},
        {"log passado ao banco reconstruído", reconstruido, 2,
         [&] { return rlim_t(QFileInfo(reconstruido).size()); }, reconstruido},
        {"backup", semEspaco.filePath("backup.gravando"), 1, [] { return 1; }, semEspaco.filePath("backup")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        // Full from that change to the next one: the fault falls on the writes in between.
        std::optional<DiscoCheio> disco;
        int vez = 0;
        const OuvinteArquivos antes = ouveMudancasArquivos([&](const QString& arquivo) {
            disco.reset();
            if (arquivo == c.arquivo && QFile::exists(arquivo) && ++vez == c.vez) disco.emplace(c.limite());
        });
        const ResultadoBackup r = c.arquivo.endsWith(".gravando")
            ? realiza_backup(amb.db(), programa(), semEspaco.path(), 1 << 30)
            : restaura_backup(amb.db(), programa(), destino.path());
        disco.reset();
        ouveMudancasArquivos(antes);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains(textoDiscoCheio(c.cheio))) << r.mensagem.toStdString();
        EXPECT_EQ(amb.conta("veiculos_patio"), 2);
        EXPECT_EQ(QDir(programa()).entryList(QDir::Files), (QStringList{"dados.mdb", "dados.mdb-shm", "dados.mdb-wal"}));
        EXPECT_TRUE(QDir(semEspaco.path()).isEmpty());
    }
    // With room again the restore goes through.
    EXPECT_TRUE(restaura_backup(amb.db(), programa(), destino.path()).ok);
    EXPECT_EQ(amb.conta("veiculos_patio"), 1);
}

TEST_F(BackupTest, RestauracaoRecusaArquivoQueNaoEBackup) {
    ASSERT_TRUE(realiza_backup(amb.db(), programa(), destino.path(), 1 << 30).ok);
    const QByteArray bom = bytes(destino.filePath("backup"));
    entrada("AAA-0001");
    linhasAntes = 1;
    const QByteArray antes = bytes(dados());

    // A database of another program.
    {
        QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "estranho");
        c.setDatabaseName(destino.filePath("estranho.db"));
        ASSERT_TRUE(c.open());
        QSqlQuery(c).exec("CREATE TABLE geral (versao INTEGER)");
        QSqlQuery(c).exec("INSERT INTO geral VALUES (122)");
        c.close();
    }
    QSqlDatabase::removeDatabase("estranho");
    const struct {
        const char* nome;
        QByteArray conteudo;
    } casos[] = {
        {"outro programa", bytes(destino.filePath("estranho.db"))},
        {"truncado", bom.left(bom.size() / 2)},
        {"texto", "isto não é um banco de dados"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        QFile f(destino.filePath("backup"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.conteudo);
        f.close();
        const ResultadoBackup r = restaura_backup(amb.db(), programa(), destino.path());
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains("não é um backup válido deste sistema")) << r.mensagem.toStdString();
        EXPECT_EQ(amb.conta("veiculos_patio"), 1);
        EXPECT_FALSE(QFile::exists(programa() + "/dados.mdb.restaurando"));
    }
    EXPECT_EQ(bytes(dados()), antes);
    continuaFuncionando();
}

TEST(EspacoLivre, PastaExistenteOuNao) {
    QTemporaryDir d;
    EXPECT_GT(calcula_espaco_livre(d.path()), 0u);
    EXPECT_EQ(calcula_espaco_livre(d.filePath("nao/existe")), 0u);
    EXPECT_EQ(calcula_espaco_livre(QString()), 0u);
}

TEST(Unidades, SistemaDoProgramaPrimeiroDepoisAsMidiasRemoviveis) {
    const QString tabela =
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sda2 /opt ext4 rw 0 0\n"
        "/dev/sdb1 /media/ana/PEN\\040DRIVE vfat rw 0 0\n"
        "/dev/sdc1 /mnt vfat rw 0 0\n"
        "/dev/sr0 /run/media/ana/CD iso9660 ro 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n";
    EXPECT_EQ(DiscosSistema::unidadesDaTabela(tabela, "/opt/quelmar"),
              (QStringList{"/opt", "/media/ana/PEN DRIVE", "/mnt", "/run/media/ana/CD"}));
    EXPECT_EQ(DiscosSistema::unidadesDaTabela(tabela, "/mnt/quelmar"),
              (QStringList{"/mnt", "/media/ana/PEN DRIVE", "/run/media/ana/CD"}));
}

}  // namespace
