#include "branches/backup.h"
#include "branches/filiais.h"
#include "branches/filiais_teste.h"
#include "branches/janela_arquivo_mensalistas.h"
#include "branches/janela_backup.h"
#include "branches/janela_cadastro_filiais.h"
#include "branches/janela_envio_tickets.h"
#include "branches/janela_filiais.h"
#include "programa/liga_filiais.h"
#include "support/janela_principal_teste.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T>
T* janelaAberta(const char* nome) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(nome) && w->isVisible()) return qobject_cast<T*>(w);
    return nullptr;
}

TEST(JanelasFiliais, BarraAbreGerEBacUmaVezCada) {
    Ambiente amb;
    amb.plataforma.discosFalsos.lista = {amb.plataforma.pastaPrograma()};
    JanelaPrincipalTeste a(amb.ctx);
    liga_filiais(amb.ctx, a);
    a.botoes[5]->trigger();
    a.botoes[5]->trigger();
    a.botoes[6]->trigger();
    int ger = 0, bac = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        ger += w->objectName() == "ger" && w->isVisible();
        bac += w->objectName() == "bac" && w->isVisible();
    }
    EXPECT_EQ(ger, 1);
    EXPECT_EQ(bac, 1);
    auto* menu = janelaAberta<JanelaFiliais>("ger");
    ASSERT_TRUE(menu);
    QStringList habilitados;
    for (QPushButton* b : menu->botoes)
        if (b->isEnabled()) habilitados << b->text();
    EXPECT_EQ(habilitados, (QStringList{"Cadastro de Filiais", "Fechar"}));
    menu->close();

    // A restore through the toolbar's window: the backup holds no open cash register, so the
    // program goes on with none.
    QTemporaryDir pasta;
    auto* janelaBac = janelaAberta<JanelaBackup>("bac");
    ASSERT_TRUE(janelaBac);
    janelaBac->Dir1_Click(pasta.path());
    janelaBac->Command1_Click();
    amb.db().executa("INSERT INTO caixa (usuario, aberto) VALUES ('ana', 1)");
    // Tickets issued after the backup: the entry shows the next one until the restore.
    for (int i = 0; i < 5; ++i) amb.db().executa("INSERT INTO gera_ticket DEFAULT VALUES");
    marcaOpcao(a.Option1, true);
    EXPECT_EQ(a.tic->displayText(), "6         ");
    amb.ctx.estado.usuario_atual = "ana";
    amb.ctx.estado.permissao_pri = true;
    amb.ctx.estado.numero_caixa = 1;
    amb.plataforma.responde({true});
    janelaBac->Command2_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Restauração realizada com sucesso!");
    EXPECT_EQ(amb.ctx.estado.numero_caixa, 0);
    EXPECT_TRUE(a.Command1->isEnabled());
    EXPECT_FALSE(a.Command2->isEnabled());
    EXPECT_EQ(a.tic->displayText(), "1         ");
    // A user without the main screen's right is offered no register by a restore.
    amb.ctx.estado.permissao_pri = false;
    a.Command1->setEnabled(false);
    amb.plataforma.responde({true});
    janelaBac->Command2_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Restauração realizada com sucesso!");
    EXPECT_FALSE(a.Command1->isEnabled());
    janelaBac->close();
}

TEST(JanelasFiliais, BackupPelaJanelaComPastaEscolhidaERestauracaoConfirmada) {
    Ambiente amb;
    QTemporaryDir midia;
    QDir(midia.path()).mkdir("copias");
    amb.plataforma.discosFalsos.lista = {amb.plataforma.pastaPrograma(), midia.path(),
                                         midia.filePath("retirada")};
    JanelaBackup bac(amb.ctx);
    EXPECT_EQ(bac.Command4->text(), "Realiza backup para escritório");
    EXPECT_FALSE(bac.Command2->isEnabled());

    // A medium that is no longer there: told, and back on the program's drive.
    bac.Drive1->setCurrentIndex(2);
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Drive '" + midia.filePath("retirada") + "' não disponível.");
    EXPECT_EQ(amb.plataforma.mensagens.back().titulo, "Backup");
    EXPECT_EQ(bac.Drive1->currentIndex(), 0);
    EXPECT_EQ(bac.pasta(), amb.plataforma.pastaPrograma());

    bac.Drive1->setCurrentIndex(1);
    ASSERT_EQ(bac.Dir1->count(), 2);   // the medium's root, then its folder "copias"
    QTest::mouseClick(bac.Dir1->viewport(), Qt::LeftButton, {},
                      bac.Dir1->visualItemRect(bac.Dir1->item(1)).center());
    EXPECT_EQ(bac.pasta(), midia.filePath("copias"));
    bac.Command1_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Backup realizado com sucesso.");
    EXPECT_EQ(amb.plataforma.mensagens.back().icone, Icone::Exclamacao);
    EXPECT_TRUE(QFile::exists(midia.filePath("copias/backup")));
    EXPECT_TRUE(bac.Command2->isEnabled());

    amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Depois do backup')");
    amb.plataforma.responde({false});
    bac.Command2_Click();
    EXPECT_EQ(amb.conta("filiais"), 1);
    bool trocado = false;
    bac.aoTrocarBanco = [&] { trocado = true; };
    amb.plataforma.responde({true});
    bac.Command2_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Restauração realizada com sucesso!");
    EXPECT_EQ(amb.conta("filiais"), 0);
    EXPECT_TRUE(trocado);

    // Back to the medium's root, which holds no backup.
    bac.Dir1_Click(midia.path());
    EXPECT_FALSE(bac.Command2->isEnabled());
}

TEST(JanelasFiliais, TrocaNoEscritorioSemArquivoEComPergunta) {
    Ambiente amb;
    amb.plataforma.discosFalsos.lista = {amb.plataforma.pastaPrograma()};
    defineFilial(amb, QVariant(), true);
    JanelaBackup bac(amb.ctx);
    EXPECT_EQ(bac.Command4->text(), "Recebe backup de filial");
    const QString arquivo = amb.plataforma.pastaPrograma() + "/backup_filial.mdb";
    bac.Command4_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Arquivo " + arquivo + " não encontrado.");
    EXPECT_EQ(amb.plataforma.mensagens.back().icone, Icone::Informacao);
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    amb.plataforma.responde({false});
    const size_t vistas = amb.plataforma.mensagens.size();
    bac.Command4_Click();
    EXPECT_EQ(amb.plataforma.perguntas.back(),
              "Este procedimento irá sobrescrever os registros com mesmo código. Ex.: cliente com "
              "código 1 filial 1. Deseja continuar?");
    EXPECT_EQ(amb.plataforma.mensagens.size(), vistas);
    EXPECT_TRUE(QFile::exists(arquivo));
}

TEST(JanelasFiliais, CadastroEEnvioPelasJanelas) {
    Ambiente amb;
    JanelaCadastroFiliais cad(amb.ctx);
    EXPECT_EQ(cad.grid1->rowCount(), 1);
    cad.grid1_Click(0);
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Linha em branco.");
    EXPECT_EQ(cad.cnp->displayText(), kCnpjVazio);
    cad.nom->setText("Centro");
    cad.Command2_Click();
    EXPECT_EQ(cad.cod->text(), "1");
    EXPECT_EQ(cad.grid1->item(0, 1)->text(), "Centro");
    cad.Command1_Click();
    cad.grid1_Click(0);
    EXPECT_EQ(cad.nom->text(), "Centro");

    JanelaEnvioTickets env(amb.ctx);
    env.fil->setCurrentIndex(1);
    EXPECT_EQ(env.cod_fil->currentText(), "1");
    QTest::keyClicks(env.dat, "01122026");
    env.ser->setText("A");
    QTest::keyClicks(env.tic_ini, "1");
    QTest::keyClicks(env.tic_fin, "50");
    env.Command1_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Ticket enviados com sucesso.");
    EXPECT_EQ(amb.linha("SELECT ticket_inicial, ticket_final FROM envio_tickets"), (QStringList{"1", "50"}));
    EXPECT_EQ(env.fil->currentIndex(), 0);
    EXPECT_EQ(env.tic_ini->displayText(), "     ");
}

TEST(JanelasFiliais, ArquivoDeMensalistasPelaJanela) {
    Ambiente amb;
    QTemporaryDir midia;
    amb.plataforma.discosFalsos.lista = {amb.plataforma.pastaPrograma(), midia.path()};
    amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
    mensalista(amb, 1, "Ana", 1);
    JanelaArquivoMensalistas ger_arq(amb.ctx);
    ger_arq.Command1_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Escolha a filial.");
    ger_arq.fil->setCurrentIndex(1);
    ger_arq.Drive1->setCurrentIndex(1);
    ger_arq.Command1_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto,
              "Geração de arquivo realizada com sucesso em " + midia.filePath("mensalistas.mdb") + ".");
    // On a removable medium without room the branch is told there is no disk.
    amb.plataforma.discosFalsos.livre[midia.path()] = 0;
    ger_arq.Command3_Click();
    EXPECT_EQ(amb.plataforma.mensagens.back().texto, "Não há disquete no drive.");
}

}  // namespace
