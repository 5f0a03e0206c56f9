#include "app/trava_pasta.h"
#include "branches/arquivo_mensalistas.h"
#include "branches/backup.h"
#include "branches/filiais_teste.h"
#include "branches/troca_filial.h"
#include "data/gravacao_segura.h"
#include "data/troca_arquivo.h"
#include "devices/diario_fiscal.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// No mask at all while it lives: a file the program does not make private itself comes out
// readable and writable by everyone.
struct SemMascara {
    SemMascara() : antes(::umask(0)) {}
    ~SemMascara() { ::umask(antes); }
    mode_t antes;
};

QString modo(const QString& caminho) {
    struct stat s {};
    if (::stat(QFile::encodeName(caminho).constData(), &s) != 0) return QStringLiteral("ausente");
    return QString::number(s.st_mode & 0777, 8);
}

// Every file the program writes holds the data or the fiscal record: its owner's alone.
TEST(ModosArquivos, TudoQueOProgramaCriaESoDoDono) {
    const SemMascara semMascara;
    Ambiente amb;
    QTemporaryDir midia;
    const QDir programa(amb.plataforma.pastaPrograma());
    defineFilial(amb, 1);
    amb.db().executa("INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada, ticket) "
                     "VALUES ('ABC-1234', '2026-12-07', '10:00:00', 1)");
    mensalista(amb, 1, "Ana", 1);

    const auto confere = [&](const QString& caminho) {
        EXPECT_EQ(modo(caminho), "600") << caminho.toStdString();
    };
    for (const char* lado : {"", "-wal", "-shm"}) confere(programa.filePath("dados.mdb") + lado);

    TravaPasta trava;
    ASSERT_EQ(trava.trava(programa.path()), TravaPasta::Resultado::Travada);
    confere(programa.filePath("dados.mdb.trava"));

    fechaSemEsperar(amb.db());
    AcessoExclusivo(programa.filePath("dados.mdb")).compactaEm(programa.filePath("compact.mdb"));
    reabre_banco(amb.db(), programa.filePath("dados.mdb"));
    confere(programa.filePath("compact.mdb"));
    ASSERT_EQ(copiaPrivada(programa.filePath("compact.mdb"),
                           programa.filePath("dados.mdb.restaurando")), ResultadoCopia::Feita);
    confere(programa.filePath("dados.mdb.restaurando"));
    QFile::remove(programa.filePath("compact.mdb"));
    QFile::remove(programa.filePath("dados.mdb.restaurando"));

    ASSERT_TRUE(realiza_backup(amb.db(), programa.path(), midia.path(), 1 << 30).ok);
    confere(midia.filePath("backup"));
    confere(programa.filePath("dados.mdb"));   // the compacted copy now in its place
    ASSERT_TRUE(restaura_backup(amb.db(), programa.path(), midia.path()).ok);
    confere(programa.filePath("dados.mdb"));   // the restored copy now in its place

    ASSERT_TRUE(exporta_filial(amb.db(), programa.filePath(kNomeArquivoTroca)).ok);
    confere(programa.filePath(kNomeArquivoTroca));
    ASSERT_TRUE(gera_arquivo_mensalistas(amb.db(), 1, midia.path(), 1 << 30).ok);
    confere(midia.filePath("mensalistas.mdb"));

    DiarioFiscal fiscal([&] { return programa.path(); }, [&] { return amb.plataforma.agora(); });
    ASSERT_EQ(fiscal.leituraX(), 1);
    confere(fiscal.caminho());
}

}  // namespace
