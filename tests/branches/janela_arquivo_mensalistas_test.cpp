#include "branches/filiais_teste.h"
#include "branches/janela_arquivo_mensalistas.h"

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The program's own drive means the program's folder, as for the backup, whether the file is
// written or read; a removable medium means its mount point.
TEST(JanelaArquivoMensalistas, DriveDoProgramaEAPastaDoPrograma) {
    Ambiente amb;
    QTemporaryDir raiz, midia;
    amb.plataforma.discosFalsos.lista = {raiz.path(), midia.path()};
    defineFilial(amb, 1);
    amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
    mensalista(amb, 1, "Ana", 1);
    JanelaArquivoMensalistas ger_arq(amb.ctx);
    ger_arq.fil->setCurrentIndex(1);
    const QString programa = QDir(amb.plataforma.pastaPrograma()).filePath("mensalistas.mdb");
    const struct {
        int drive;
        QString arquivo;
    } casos[] = {{0, programa}, {1, midia.filePath("mensalistas.mdb")}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.drive);
        ger_arq.Drive1->setCurrentIndex(c.drive);
        ger_arq.Command1_Click();
        EXPECT_EQ(amb.plataforma.mensagens.back().texto,
                  "Geração de arquivo realizada com sucesso em " + c.arquivo + ".");
        EXPECT_TRUE(QFile::exists(c.arquivo));
        EXPECT_TRUE(QDir(raiz.path()).isEmpty());
        ger_arq.Command3_Click();
        EXPECT_EQ(amb.plataforma.mensagens.back().texto,
                  "Recebimento de arquivo realizado com sucesso.");
        EXPECT_FALSE(QFile::exists(c.arquivo));
    }
}

}  // namespace
