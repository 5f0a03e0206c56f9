#include "access/janela_usuarios.h"
#include "access/caixa_texto.h"
#include "data/cria_banco.h"
#include "support/plataforma_falsa.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class JanelaUsuariosTeste : public ::testing::Test {
protected:
    JanelaUsuariosTeste() : ctx(p) {
        cria_banco(ctx.estado.db, QDir(p.pastaPrograma()).filePath("dados.mdb"));
    }

    Banco& db() { return ctx.estado.db; }

    void insere(int codigo, const QString& nome, const QString& senha, bool excluido = false,
                const QVariant& data = QVariant()) {
        db().executa("INSERT INTO usuarios (codigo, usuario, senha, excluido, data_cadastro, men, "
                     "pri) VALUES (?, ?, ?, ?, ?, 1, 1)",
                     {codigo, nome, senha, int(excluido), data});
    }

    JanelaUsuarios& abre() {
        j = std::make_unique<JanelaUsuarios>(ctx);
        j->show();
        return *j;
    }

    QStringList itens(QListWidget* l) {
        QStringList r;
        for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
        return r;
    }

    void clica(const QString& nome) {
        const auto achados = j->List1->findItems(nome, Qt::MatchExactly);
        ASSERT_EQ(achados.size(), 1);
        QTest::mouseClick(j->List1->viewport(), Qt::LeftButton, {},
                          j->List1->visualItemRect(achados[0]).center());
    }

    // Fills the form as the operator would: typing into the boxes.
    void preenche(const QString& nome, const QString& senha, const QString& data,
                  std::initializer_list<int> marcadas) {
        j->usu->clear();
        QTest::keyClicks(j->usu, nome);
        j->sen->clear();
        QTest::keyClicks(j->sen, senha);
        j->cad->clear();
        j->cad->setCursorPosition(0);
        QTest::keyClicks(j->cad, data);
        for (QCheckBox* c : j->checks) c->setChecked(false);
        for (int m : marcadas) QTest::mouseClick(j->checks[m - 1], Qt::LeftButton);
    }

    int linhas() { return db().valor("SELECT count(*) FROM usuarios").toInt(); }

    PlataformaFalsa p;
    Contexto ctx;
    std::unique_ptr<JanelaUsuarios> j;
};

TEST_F(JanelaUsuariosTeste, ListaOsNaoExcluidosECarregaOClicado) {
    insere(1, "carla", "c1", false, "2008-03-24");
    insere(2, "Bruno", "b2");
    insere(3, "alvaro", "a3", true);
    db().executa("UPDATE usuarios SET pri = 0, bac = 1 WHERE codigo = 1");
    abre();

    EXPECT_EQ(j->objectName(), "usu");
    EXPECT_EQ(j->windowTitle(), "Cadastro de Usuários");
    EXPECT_EQ(itens(j->List1), (QStringList{"Bruno", "carla"}));
    EXPECT_EQ(itens(j->List2), (QStringList{"2", "1"}));
    EXPECT_FALSE(j->List2->isVisible());
    EXPECT_EQ(j->cad->displayText(), "07/12/2026");
    EXPECT_TRUE(j->cod->text().isEmpty());
    EXPECT_FALSE(j->cod->isEnabled());

    clica("carla");
    EXPECT_EQ(j->cod->text(), "1");
    EXPECT_EQ(j->usu->text(), "carla");
    EXPECT_EQ(j->sen->text(), "c1");
    EXPECT_EQ(j->cad->displayText(), "24/03/2008");
    std::vector<bool> marcadas;
    for (QCheckBox* c : j->checks) marcadas.push_back(c->isChecked());
    EXPECT_EQ(marcadas, (std::vector<bool>{false, true, false, false, false, false, true, false}));

    // A user saved without a date shows the empty date.
    clica("Bruno");
    EXPECT_EQ(j->cod->text(), "2");
    EXPECT_EQ(j->cad->displayText(), kCadastroVazio);

    QTest::mouseClick(j->Command3, Qt::LeftButton);
    EXPECT_TRUE(j->cod->text().isEmpty());
    EXPECT_TRUE(j->usu->text().isEmpty());
    EXPECT_EQ(j->cad->displayText(), "07/12/2026");
    for (QCheckBox* c : j->checks) EXPECT_FALSE(c->isChecked());
}

TEST_F(JanelaUsuariosTeste, GravacaoRecusadaNaoEscreveNada) {
    insere(1, "carla", "c1");
    insere(2, "velho", "v", true);
    const struct {
        const char* nome;
        const char* senha;
        const char* data;
        std::initializer_list<int> marcadas;
        const char* mensagem;
        bool focoData;
    } casos[] = {
        {"   ", "x", "", {1}, "Campos obrigatórios: Usuário e senha.", false},
        {"novo", "   ", "", {1}, "Campos obrigatórios: Usuário e senha.", false},
        {"novo", "x", "99/99/9999", {1}, "Data de cadastro inválida.", true},
        {"novo", "x", "31/02/2008", {1}, "Data de cadastro inválida.", true},
        {"novo", "x", "01/0", {1}, "Data de cadastro inválida.", true},
        {"novo", "x", "", {}, "Escolha quais telas o usuário terá acesso (Permissões de Acesso).", false},
        {"CARLA", "x", "", {8}, "Usuário já existente.", false},
        {" carla ", "x", "", {8}, "Usuário já existente.", false},
    };
    abre();
    j->activateWindow();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome + std::string("/") + c.data);
        p.mensagens.clear();
        QTest::mouseClick(j->Command1, Qt::LeftButton);
        preenche(QString::fromUtf8(c.nome), c.senha, c.data, c.marcadas);
        QTest::mouseClick(j->Command2, Qt::LeftButton);
        ASSERT_EQ(p.mensagens.size(), 1u);
        EXPECT_EQ(p.mensagens[0].texto, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(p.mensagens[0].icone, Icone::Informacao);
        if (c.focoData) {
            EXPECT_EQ(j->focusWidget(), j->cad);
        }
        EXPECT_EQ(linhas(), 2);
        EXPECT_TRUE(j->cod->text().isEmpty());
    }
}

TEST_F(JanelaUsuariosTeste, NovoUsuarioRecebeOCodigoSeguinteEFicaNoFimDaLista) {
    insere(4, "velho", "v", true);   // the highest code counts even when deleted
    insere(2, "bia", "b");
    abre();
    clica("bia");
    QTest::mouseClick(j->Command1, Qt::LeftButton);
    EXPECT_EQ(j->focusWidget(), j->usu);
    // The name of a deleted user is free again; written as typed, not trimmed.
    preenche(" velho", "Se Nha", "", {2, 8});
    QTest::mouseClick(j->Command2, Qt::LeftButton);

    EXPECT_EQ(p.textosMensagens(), QStringList{"Dados gravados com sucesso."});
    EXPECT_EQ(j->cod->text(), "5");
    EXPECT_EQ(itens(j->List1), (QStringList{"bia", " velho"}));
    EXPECT_EQ(itens(j->List2), (QStringList{"2", "5"}));
    EXPECT_EQ(j->List1->currentRow(), 0) << "a seleção não se move";
    QSqlQuery q = db().executa("SELECT usuario, senha, data_cadastro, excluido, usu, men, pri "
                               "FROM usuarios WHERE codigo = 5");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), " velho");
    EXPECT_EQ(q.value(1).toString(), "Se Nha");
    EXPECT_TRUE(q.value(2).isNull());
    EXPECT_EQ(q.value(3).toInt(), 0);
    EXPECT_EQ(q.value(4).toInt(), 0);
    EXPECT_EQ(q.value(5).toInt(), 1);
    EXPECT_EQ(q.value(6).toInt(), 1);

    // The saved user stays current: a second save updates the same row.
    preenche(" velho", "outra", "15/03/0008", {3});
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(linhas(), 3);
    EXPECT_EQ(db().valor("SELECT senha FROM usuarios WHERE codigo = 5").toString(), "outra");
    EXPECT_EQ(db().valor("SELECT con FROM usuarios WHERE codigo = 5").toInt(), 1);
    // A year the calendar does not hold: the first eight characters give the date.
    EXPECT_EQ(j->cad->displayText(), "15/03/2000");
    EXPECT_EQ(db().valor("SELECT data_cadastro FROM usuarios WHERE codigo = 5").toString(),
              "2000-03-15");
}

TEST_F(JanelaUsuariosTeste, PrimeiroUsuarioTemCodigoUm) {
    abre();
    preenche("ana", "a", "24/03/2008", {1});
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(j->cod->text(), "1");
    EXPECT_EQ(db().valor("SELECT data_cadastro FROM usuarios WHERE codigo = 1").toString(),
              "2008-03-24");
}

TEST_F(JanelaUsuariosTeste, AlteracaoPassaPeloProprioNomeMasNaoPeloDeOutro) {
    insere(1, "ana", "a");
    insere(2, "bia", "b");
    abre();
    clica("ana");
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Dados gravados com sucesso."});

    p.mensagens.clear();
    j->usu->setText("BIA");
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Usuário já existente."});

    // A rename is written but the lists keep what they showed.
    p.mensagens.clear();
    j->usu->setText("anita");
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(db().valor("SELECT usuario FROM usuarios WHERE codigo = 1").toString(), "anita");
    EXPECT_EQ(itens(j->List1), (QStringList{"ana", "bia"}));
    EXPECT_EQ(linhas(), 2);
}

TEST_F(JanelaUsuariosTeste, ExclusaoMarcaALinhaETiraDaLista) {
    insere(1, "ana", "a");
    insere(2, "bia", "b");
    abre();

    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Escolha o usuário a excluir."});
    EXPECT_TRUE(p.perguntas.isEmpty());

    clica("ana");
    p.responde({false});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(p.perguntas, QStringList{"Você confirma a exclusão?"});
    EXPECT_EQ(db().valor("SELECT excluido FROM usuarios WHERE codigo = 1").toInt(), 0);
    EXPECT_EQ(j->cod->text(), "1");

    p.responde({true});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(db().valor("SELECT excluido FROM usuarios WHERE codigo = 1").toInt(), 1);
    EXPECT_EQ(itens(j->List1), QStringList{"bia"});
    EXPECT_EQ(itens(j->List2), QStringList{"2"});
    EXPECT_TRUE(j->cod->text().isEmpty());
    EXPECT_TRUE(j->usu->text().isEmpty());

    abre();
    EXPECT_EQ(itens(j->List1), QStringList{"bia"});
}

TEST_F(JanelaUsuariosTeste, ExclusaoTiraDaListaOUsuarioExcluidoEnaoOSelecionado) {
    insere(1, "ana", "a");
    abre();
    clica("ana");
    QTest::mouseClick(j->Command1, Qt::LeftButton);
    preenche("bia", "b", "", {1});
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    ASSERT_EQ(j->cod->text(), "2");
    ASSERT_EQ(j->List1->currentRow(), 0);   // still on "ana"

    p.responde({true});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(db().valor("SELECT excluido FROM usuarios WHERE codigo = 2").toInt(), 1);
    EXPECT_EQ(db().valor("SELECT excluido FROM usuarios WHERE codigo = 1").toInt(), 0);
    EXPECT_EQ(itens(j->List1), QStringList{"ana"});
    EXPECT_EQ(itens(j->List2), QStringList{"1"});
}

TEST_F(JanelaUsuariosTeste, AspasNoNomeSaoUmCaractereComoOutro) {
    insere(1, "d'Ávila", "x");
    abre();
    preenche("D'ÁVILA", "y", "", {1});
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Usuário já existente."});

    p.mensagens.clear();
    preenche("o'neil", "y", "", {1});
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Dados gravados com sucesso."});
    clica("o'neil");
    EXPECT_EQ(j->usu->text(), "o'neil");
    EXPECT_EQ(linhas(), 2);
}

TEST_F(JanelaUsuariosTeste, ErroDoBancoViraMensagem) {
    abre();
    db().executa("DROP TABLE usuarios");
    preenche("ana", "a", "", {1});
    QTest::mouseClick(j->Command2, Qt::LeftButton);
    ASSERT_EQ(p.mensagens.size(), 1u);
    EXPECT_EQ(p.mensagens[0].icone, Icone::Critico);
    EXPECT_NE(p.mensagens[0].texto, "Dados gravados com sucesso.");
}

TEST(DataCadastro, LeituraDoTextoDaMascara) {
    EXPECT_EQ(le_data_cadastro("24/03/2008"), QDate(2008, 3, 24));
    EXPECT_EQ(le_data_cadastro("24/03/08  "), QDate(2008, 3, 24));
    EXPECT_EQ(le_data_cadastro("24/03/95  "), QDate(1995, 3, 24));
    EXPECT_EQ(le_data_cadastro("29/02/2007"), std::nullopt);
    EXPECT_EQ(le_data_cadastro(kCadastroVazio), std::nullopt);
    EXPECT_EQ(le_data_cadastro("24/03/200 "), std::nullopt);
}

}  // namespace
