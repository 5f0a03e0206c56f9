#include "access/carga_acesso.h"
#include "app/trava_pasta.h"
#include "data/gravacao_segura.h"
#include "devices/diario_fiscal.h"
#include "support/fifo_atendido.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The lock of `pasta` taken in another process, which answers with what it got and then either
// holds it until `solta` closes the pipe, or ends at once without letting go, as a crash does.
class TravaEmOutroProcesso {
public:
    TravaEmOutroProcesso(const QString& pasta, bool terminaSemSoltar) {
        int canais[2][2];
        if (::pipe(canais[0]) != 0 || ::pipe(canais[1]) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(canais[0][1]);
            ::close(canais[1][0]);
            TravaPasta t;
            const char r = char('0' + int(t.trava(pasta)));
            if (::write(canais[1][1], &r, 1) != 1 || terminaSemSoltar) ::_exit(0);
            char c;
            while (::read(canais[0][0], &c, 1) > 0) {}
            ::_exit(0);
        }
        ::close(canais[0][0]);
        ::close(canais[1][1]);
        libera_ = canais[0][1];
        char r = '?';
        if (::read(canais[1][0], &r, 1) == 1) resultado = TravaPasta::Resultado(r - '0');
        ::close(canais[1][0]);
        if (terminaSemSoltar) ::waitpid(pid_, nullptr, 0);
    }
    ~TravaEmOutroProcesso() { solta(); }
    void solta() {
        if (libera_ >= 0) ::close(libera_);
        libera_ = -1;
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    TravaPasta::Resultado resultado = TravaPasta::Resultado::Falhou;

private:
    pid_t pid_ = -1;
    int libera_ = -1;
};

// While it lives, this thread writes only where the modes let it, even as root: the powers
// that pass over them leave its effective set, and come back at the end.
class ObedeceAosModos {
public:
    ObedeceAosModos() {
        ::syscall(SYS_capget, &cabecalho_, antes_);
        __user_cap_data_struct sem[2] = {antes_[0], antes_[1]};
        for (int poder : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            sem[poder / 32].effective &= ~(1u << (poder % 32));
        ::syscall(SYS_capset, &cabecalho_, sem);
    }
    ~ObedeceAosModos() { ::syscall(SYS_capset, &cabecalho_, antes_); }
    ObedeceAosModos(const ObedeceAosModos&) = delete;
    ObedeceAosModos& operator=(const ObedeceAosModos&) = delete;

private:
    __user_cap_header_struct cabecalho_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct antes_[2]{};
};

// A folder the program may not write in is told as such, with or without the lock file a
// former run left there, and nothing in it is touched.
TEST(CargaAcesso, PastaSemGravacao) {
    for (const bool comTrava : {true, false}) {
        SCOPED_TRACE(comTrava ? "com a trava" : "sem a trava");
        PlataformaFalsa p;
        const QString pasta = p.pastaPrograma();
        {
            Contexto primeira(p);
            ASSERT_TRUE(carrega_banco(primeira).ok);
        }
        if (!comTrava) {
            ASSERT_TRUE(QFile::remove(pasta + "/dados.mdb.trava"));
        }
        const QStringList antes = QDir(pasta).entryList(QDir::Files);
        ASSERT_EQ(::chmod(QFile::encodeName(pasta).constData(), 0555), 0);
        ResultadoCarga r;
        {
            const ObedeceAosModos modos;
            Contexto ctx(p);
            r = carrega_banco(ctx);
            EXPECT_FALSE(ctx.estado.db.aberto());
        }
        ::chmod(QFile::encodeName(pasta).constData(), 0700);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.falha, "Não é possível gravar na pasta " + pasta +
                               ", onde ficam o programa e o banco de dados (dados.mdb). Libere a "
                               "gravação dessa pasta e inicie o programa novamente.\r\n"
                               "O programa será encerrado.");
        EXPECT_EQ(QDir(pasta).entryList(QDir::Files), antes);
    }
}

TEST(TravaPasta, UmaCopiaPorPastaEmQualquerProcesso) {
    QTemporaryDir pasta;
    using R = TravaPasta::Resultado;
    {
        TravaPasta primeira, segunda;
        ASSERT_EQ(primeira.trava(pasta.path()), R::Travada);
        EXPECT_EQ(segunda.trava(pasta.path()), R::EmUso);   // in the same process as well
        EXPECT_EQ(TravaEmOutroProcesso(pasta.path(), false).resultado, R::EmUso);
        primeira.solta();
        EXPECT_EQ(segunda.trava(pasta.path()), R::Travada);
    }
    {
        TravaEmOutroProcesso outro(pasta.path(), false);
        ASSERT_EQ(outro.resultado, R::Travada);
        TravaPasta aqui;
        EXPECT_EQ(aqui.trava(pasta.path()), R::EmUso);
        outro.solta();
        EXPECT_EQ(aqui.trava(pasta.path()), R::Travada);
    }
    // A copy that ended without letting go (a crash) leaves no lock behind.
    ASSERT_EQ(TravaEmOutroProcesso(pasta.path(), true).resultado, R::Travada);
    TravaPasta depois;
    EXPECT_EQ(depois.trava(pasta.path()), R::Travada);

    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(QDir(pasta.path()).filePath(kNomeTrava)).constData(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0600u);
    EXPECT_EQ(TravaPasta().trava(pasta.filePath("nao/existe")), R::Falhou);
}

// A note the program never writes: a name alone, as an older version wrote them, with nothing
// to tell which file was made there, or edited by hand (with the identity of the file there).
void anotaAMao(const QDir& pasta, const QString& nome, bool comIdentidade = false) {
    const auto feito = identidadeEm(pasta.filePath(nome));
    QFile f(pasta.filePath(kGravacoesAnotadas));
    ASSERT_TRUE(f.open(QIODevice::Append) && (!comIdentidade || feito));
    f.write('+' + QFile::encodeName(nome).toPercentEncoding() + (comIdentidade ? ' ' + feito->texto() : "") + '\n');
}

// A file the program made, noted with its identity as the program notes it.
void anotaFeito(const QDir& pasta, const QString& arquivo) {
    const auto feito = identidadeEm(arquivo);
    ASSERT_TRUE(feito) << arquivo.toStdString();
    anotaGravacao(pasta.path(), arquivo, *feito);
}

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escreve(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << caminho.toStdString();
}

// A second copy on the same folder is refused before it opens the database, and leaves alone
// the temporary copies the first one may be writing; the first start after a backup killed
// midway removes them: the very files the program noted having made, wherever they are, and
// nothing else, whatever its name (a user's file, a PDF being saved by hand, a link, a file
// named in notes that tell nothing of what was made, or outside the folders the program writes
// in), nor a user's dados.mdb.anterior put in place of a database that is not there.
TEST(CargaAcesso, SegundaCopiaRecusadaCopiasTemporariasRemovidasNoInicio) {
    PlataformaFalsa p;
    const QDir pasta(p.pastaPrograma());
    QTemporaryDir unidade, fora;
    const QString naUnidade = unidade.filePath("mensalistas.mdb.gravando");
    // Made by the program, each noted with its identity; and the engine's files beside them.
    const QStringList feitos = {"compact.mdb", "dados.mdb.restaurando", "dados.mdb.reconstruido",
                                "dados.mdb.reconstruido.criando", "backup.gravando", "backup_filial.mdb.gravando",
                                "mensalistas.mdb.gravando", "dados.mdb.k3x9qa.recebendo", naUnidade};
    const QStringList temporarios = feitos + QStringList{"compact.mdb-journal", "dados.mdb.restaurando-wal",
                                                         "dados.mdb.reconstruido.criando-shm", "backup.gravando-wal",
                                                         "mensalistas.mdb.gravando-journal"};
    // A new database made beside a link at its usual temporary name, the link's file untouched.
    const QString alvo = fora.filePath("alvo");
    escreve(alvo, "de outro programa");
    ASSERT_TRUE(QFile::link(alvo, pasta.filePath("dados.mdb.criando")));
    // The user's, some of them named in the notes: in the program's folder, in the folder above
    // it, elsewhere.
    const QString acima = "../" + QFileInfo(pasta.path()).fileName() + "-fora.gravando";
    const QString longe = fora.filePath("compact.mdb");
    const QStringList doUsuario = {"notas.gravando", "meu_relatorio.pdf.gravando", "copia.criando",
                                   "dados.mdb.recebendo", "dados.mdb.anterior", acima, longe};
    for (const QString& u : doUsuario) escreve(pasta.filePath(u), "do usuário");
    const auto criaTemporarios = [&] {
        for (const QString& t : temporarios) escreve(pasta.filePath(t), "");
        for (const QString& a : feitos) anotaFeito(pasta, pasta.filePath(a));
        if (pasta.exists("dados.mdb")) anotaFeito(pasta, pasta.filePath("dados.mdb"));
        for (const QString& u : {QStringLiteral("notas.gravando"), acima, longe}) anotaAMao(pasta, u);
        // With the identity of the very files too: a name going out of the program's folder,
        // and a copy of the database's name elsewhere, are no names the program notes.
        anotaAMao(pasta, acima, true);
        anotaFeito(pasta, longe);
    };
    const auto restam = [&] {
        QStringList r;
        for (const QString& t : temporarios)
            if (pasta.exists(t)) r << t;
        return r;
    };
    const auto doUsuarioFicou = [&] {
        for (const QString& u : doUsuario) EXPECT_EQ(conteudo(pasta.filePath(u)), "do usuário") << u.toStdString();
        EXPECT_EQ(QFileInfo(pasta.filePath("dados.mdb.criando")).symLinkTarget(), alvo);
        EXPECT_EQ(conteudo(alvo), "de outro programa");
    };

    criaTemporarios();
    auto primeira = std::make_unique<Contexto>(p);
    ASSERT_TRUE(carrega_banco(*primeira).ok);
    EXPECT_EQ(restam(), QStringList());
    doUsuarioFicou();

    criaTemporarios();
    Contexto segunda(p);
    const ResultadoCarga r = carrega_banco(segunda);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.falha, "O Quelmar já está aberto nesta pasta (" + p.pastaPrograma() +
                           "), talvez por outro usuário. Use o programa que já está aberto.\r\n"
                           "O programa será encerrado.");
    EXPECT_FALSE(segunda.estado.db.aberto());
    EXPECT_EQ(restam(), temporarios);
    EXPECT_TRUE(primeira->estado.db.aberto());

    primeira.reset();
    EXPECT_TRUE(carrega_banco(segunda).ok);
    EXPECT_EQ(restam(), QStringList());
    doUsuarioFicou();
    EXPECT_FALSE(pasta.exists(kGravacoesAnotadas));
    QFile::remove(pasta.filePath(acima));
    segunda.estado.db.executa("INSERT INTO veiculos_patio (placa) VALUES ('AAA-0001')");
    segunda.estado.db.fecha();
    segunda.estado.trava.solta();

    // A backup onto a medium killed before its file took its place. The medium away at the
    // next start (its folder gone, or another medium's in its place), its file is left and so
    // is the note, until a start finds the medium again; another medium's file at that name
    // is never the program's, even one with the device and inode of the file noted whole (a
    // file system that numbers its files anew at each mounting and keeps no birth): only its
    // size and last write tell it apart.
    const auto inicia = [&p] {
        Contexto ctx(p);
        return carrega_banco(ctx).ok;
    };
    const QString midia = unidade.filePath("midia");
    const QString parcial = midia + "/backup.gravando";
    const struct {
        const char* caso;
        bool fora, outraNoLugar, mesmoNumero;
    } midias[] = {{"mídia ausente", true, false, false},
                  {"outra mídia no lugar", true, true, false},
                  {"outra mídia, mesmo número", false, true, true}};
    for (const auto& m : midias) {
        SCOPED_TRACE(m.caso);
        ASSERT_TRUE(QDir().mkpath(midia));
        escreve(parcial, "backup pela metade");
        auto feito = identidadeEm(parcial);
        ASSERT_TRUE(feito);
        if (m.mesmoNumero) {
            feito->nascimento = 0;
            feito->tamanho += 4096;
        }
        anotaGravacao(pasta.path(), parcial, *feito);
        if (m.fora) {
            ASSERT_TRUE(QDir().rename(midia, midia + "-fora"));
        }
        if (m.outraNoLugar) {
            ASSERT_TRUE(QDir().mkpath(midia));
            escreve(parcial, "de outra mídia");
        }
        ASSERT_TRUE(inicia());
        if (m.outraNoLugar) {
            EXPECT_EQ(conteudo(parcial), "de outra mídia");
            ASSERT_TRUE(QDir(midia).removeRecursively());
        }
        if (m.fora) {
            EXPECT_TRUE(QFile::exists(midia + "-fora/backup.gravando"));
            ASSERT_TRUE(QDir().rename(midia + "-fora", midia));
            ASSERT_TRUE(inicia());
            // The other medium's file gone with it, the note went too: the file is left.
            EXPECT_EQ(QFile::exists(parcial), m.outraNoLugar);
        }
        EXPECT_FALSE(pasta.exists(kGravacoesAnotadas));
        QDir(midia).removeRecursively();
    }

    // The file a swap cut short kept of the database, as the program keeps it (the same file
    // under a second name, noted): stale beside it, put back in its place when the database
    // itself is gone, never a fresh empty database in its stead.
    const QString anterior = pasta.filePath("dados.mdb.anterior");
    ASSERT_TRUE(QFile::remove(anterior));
    for (const bool semBanco : {false, true}) {
        SCOPED_TRACE(semBanco ? "sem dados.mdb" : "com dados.mdb");
        ASSERT_EQ(::link(QFile::encodeName(pasta.filePath("dados.mdb")).constData(), QFile::encodeName(anterior).constData()), 0);
        anotaFeito(pasta, anterior);
        if (semBanco) {
            ASSERT_TRUE(QFile::remove(pasta.filePath("dados.mdb")));
        }
        Contexto ctx(p);
        const ResultadoCarga carga = carrega_banco(ctx);
        ASSERT_TRUE(carga.ok) << carga.falha.toStdString();
        EXPECT_FALSE(carga.criado);
        EXPECT_TRUE(ctx.estado.db.existe("SELECT 1 FROM veiculos_patio WHERE placa = 'AAA-0001'"));
        EXPECT_FALSE(QFile::exists(anterior));
        EXPECT_FALSE(pasta.exists(kGravacoesAnotadas));
    }

    PlataformaFalsa semPasta;
    semPasta.definePasta(pasta.filePath("nao_existe"));
    Contexto terceira(semPasta);
    const ResultadoCarga falhou = carrega_banco(terceira);
    EXPECT_FALSE(falhou.ok);
    EXPECT_TRUE(falhou.falha.startsWith("Não foi possível reservar a pasta " +
                                        pasta.filePath("nao_existe")))
        << falhou.falha.toStdString();
}

// A coupon the fiscal journal shows open (an item, then no close, whatever came after) is
// known at start, so the next exit closes it before selling its own item. A FIFO at the
// journal's name is not waited on: the start tells it and goes on.
TEST(CargaAcesso, CupomAbertoNoDiarioFiscal) {
    const struct {
        const char* diario;
        const char* aberto;
        bool fifo = false;
    } casos[] = {
        {"", ""},
        {"2026-12-07 10:00:00 VendeItem(\"7\", \"AAA-0001\")\n", "7"},
        {"2026-12-07 10:00:00 VendeItem(\"7\", \"A\")\n2026-12-07 10:00:01 LeituraX()\n", "7"},
        {"2026-12-07 10:00:00 VendeItem(\"\", \"A\")\n", "sem número"},
        {"2026-12-07 10:00:00 VendeItem(\"7\", \"A\")\n"
         "2026-12-07 10:00:01 FechaCupomResumido(\"DINHEIRO\", \"VendeItem(\\\"9\\\"\")\n", ""},
        {"", "", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.diario) + (c.fifo ? "FIFO" : ""));
        PlataformaFalsa p;
        DiarioFiscal diario([&] { return p.pastaPrograma(); }, [] { return QDateTime(); });
        p.fiscalUsada = &diario;
        if (*c.diario) {
            QFile f(diario.caminho());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.diario);
        }
        std::optional<FifoAtendido> fifo;
        const QString ocupado = c.fifo ? ocupa(diario.caminho(), Ocupante::Fifo, {}, fifo) : QString();
        Contexto ctx(p);
        ASSERT_TRUE(carrega_banco(ctx).ok);
        EXPECT_EQ(ctx.estado.cupom_aberto, QString::fromUtf8(c.aberto));
        QStringList avisos;
        for (const MensagemVista& m : p.mensagens)
            if (m.texto.startsWith("Diário da impressora fiscal")) avisos << m.texto;
        EXPECT_EQ(avisos, c.fifo ? QStringList("Diário da impressora fiscal: " + ocupado +
                                               " Nenhuma chamada à impressora fiscal é feita enquanto ele "
                                               "estiver lá: remova-o ou mova-o para outro lugar.")
                                 : QStringList());
    }
}

}  // namespace

// What someone put at a name the program keeps beside the database (a link, a FIFO, a second
// name of another file) is told and the start goes no further: nothing is written through it,
// waited on, moved or created elsewhere, and what was there stays as it was.
TEST(CargaAcesso, NomesGuardadosOcupadosRecusados) {
    const QString remova = "Remova-o ou mova-o para outro lugar e inicie o programa novamente.";
    const QString soOBanco = "O banco de dados é usado só como um arquivo comum, de um só nome, na pasta "
                             "do programa: deixe ali somente o próprio arquivo e inicie o programa novamente.";
    enum class Alvo { Nada, Banco, Notas };   // what the link or second name leads to
    const struct {
        const char* nome;
        Ocupante o;
        Alvo alvo;
        bool anterior = false;   // a user's file at dados.mdb.anterior
    } casos[] = {
        {"dados.mdb", Ocupante::Link, Alvo::Nada},
        {"dados.mdb", Ocupante::Link, Alvo::Nada, true},
        {"dados.mdb", Ocupante::Link, Alvo::Banco},
        {"dados.mdb", Ocupante::OutroNome, Alvo::Banco},
        {"dados.mdb.gravacoes", Ocupante::Fifo, Alvo::Nada},
        // A user's file, with a line that names a file of the folder as the notes do.
        {"dados.mdb.gravacoes", Ocupante::OutroNome, Alvo::Notas},
        {"dados.mdb.trava", Ocupante::Link, Alvo::Nada},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.nome) + " " + std::to_string(int(c.o)) + " " + std::to_string(int(c.alvo)) +
                     (c.anterior ? " com anterior" : ""));
        PlataformaFalsa p;
        const QDir pasta(p.pastaPrograma());
        const QString nome = pasta.filePath(c.nome);
        QTemporaryDir fora;
        const bool doBanco = QString(c.nome) == kNomeBanco;
        const QString alvo = fora.filePath(c.alvo == Alvo::Banco ? "dados.mdb" : "alvo");
        if (!doBanco || c.alvo == Alvo::Banco) {
            // A database of the program's, in its place or where the name leads.
            PlataformaFalsa outra;
            outra.definePasta(doBanco ? fora.path() : pasta.path());
            {
                Contexto ctx(outra);
                ASSERT_TRUE(carrega_banco(ctx).ok);
                ctx.estado.db.executa("INSERT INTO veiculos_patio (placa) VALUES ('AAA-0001')");
            }
            if (doBanco) {
                ASSERT_TRUE(QFile::remove(fora.filePath(kNomeTrava)));
            }
        }
        if (c.alvo == Alvo::Notas) escreve(alvo, "+notas.gravando\n");
        QFile::remove(nome);
        std::optional<FifoAtendido> fifo;
        const QString ocupado = ocupa(nome, c.o, alvo, fifo);
        ASSERT_FALSE(ocupado.isEmpty());
        if (c.anterior) escreve(pasta.filePath("dados.mdb.anterior"), "do usuário");
        const QByteArray doAlvo = conteudo(alvo);
        const int emFora = QFile::exists(alvo) ? 1 : 0;
        // The lock the start takes first is all it may add.
        QStringList naPasta = pasta.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        if (!naPasta.contains(kNomeTrava)) naPasta << kNomeTrava;
        naPasta.sort();

        Contexto ctx(p);
        const ResultadoCarga r = carrega_banco(ctx);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.falha, ocupado + ' ' + (doBanco ? soOBanco : remova) + "\r\nO programa será encerrado.");
        EXPECT_FALSE(ctx.estado.db.aberto());
        fifo.reset();
        EXPECT_EQ(pasta.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), naPasta);
        EXPECT_EQ(conteudo(alvo), doAlvo);
        EXPECT_EQ(QDir(fora.path()).entryList(QDir::Files).size(), emFora);
        if (c.anterior) {
            EXPECT_EQ(conteudo(pasta.filePath("dados.mdb.anterior")), "do usuário");
        }
    }
}
