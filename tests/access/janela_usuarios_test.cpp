#include "access/janela_usuarios.h"
#include "data/cria_banco.h"
#include "support/plataforma_falsa.h"
#include "widgets/caixa_texto.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class JanelaUsuariosTeste : public ::testing::Test {
protected:
    JanelaUsuariosTeste() : ctx(p) {
        cria_banco(ctx.estado.db, QDir(p.pastaPrograma()).filePath("dados.mdb"));
    }
    QString valor(const QString& sql) { return ctx.estado.db.valor(sql).toString(); }
    void insere(int codigo, const QString& nome, bool excluido = false, bool usu = true) {
        ctx.estado.db.executa("INSERT INTO usuarios (codigo, usuario, senha, excluido, pri, usu) "
                              "VALUES (?, ?, 's', ?, 1, ?)",
                              {codigo, nome, int(excluido), int(usu)});
    }
    void abre() {
        j = std::make_unique<JanelaUsuarios>(ctx);
        j->show();
    }
    QStringList lista() {
        QStringList r;
        for (int i = 0; i < j->List1->count(); ++i)
            r << j->List1->item(i)->text() + "=" + j->List2->item(i)->text();
        return r;
    }
    void clica(const QString& nome) {
        const auto achados = j->List1->findItems(nome, Qt::MatchExactly);
        ASSERT_EQ(achados.size(), 1);
        QTest::mouseClick(j->List1->viewport(), Qt::LeftButton, {},
                          j->List1->visualItemRect(achados[0]).center());
    }
    // Fills the form as the operator would, and presses "&Gravar".
    void grava(const QString& nome, const QString& senha, const QString& data,
               std::initializer_list<int> marcadas) {
        p.mensagens.clear();
        j->usu->clear();
        QTest::keyClicks(j->usu, nome);
        j->sen->clear();
        QTest::keyClicks(j->sen, senha);
        j->cad->clear();
        j->cad->setCursorPosition(0);
        QTest::keyClicks(j->cad, data);
        for (QCheckBox* c : j->checks) c->setChecked(false);
        for (int m : marcadas) QTest::mouseClick(j->checks[m - 1], Qt::LeftButton);
        QTest::mouseClick(j->Command2, Qt::LeftButton);
    }

    PlataformaFalsa p;
    Contexto ctx;
    std::unique_ptr<JanelaUsuarios> j;
};

// Each row starts from "&Novo" or edits the user the row before saved.
TEST_F(JanelaUsuariosTeste, RegrasDaGravacao) {
    insere(1, "d'Ávila");
    insere(4, "velho", true);   // the highest code counts even when deleted
    abre();
    const struct {
        bool novo;
        const char *nome, *senha, *data;
        std::initializer_list<int> marcadas;
        const char* mensagem;
        const char* gravado;   // the row of code 5; nullptr: not there
        bool focoData;
        const char* dataDepois;
    } casos[] = {
        {true, "   ", "x", "", {1}, "Campos obrigatórios: Usuário e senha.", nullptr, false, nullptr},
        {true, "novo", "x", "31/02/2008", {1}, "Data de cadastro inválida.", nullptr, true, nullptr},
        // The date is rewritten from its first eight characters before the next check refuses.
        {true, "novo", "x", "15/03/0008", {}, "Escolha quais telas o usuário terá acesso (Permissões de Acesso).", nullptr, false, "15/03/2000"},
        // Trimmed, in any letter case, and a quote is a character like any other.
        {true, " D'ÁVILA ", "x", "", {8}, "Usuário já existente.", nullptr, false, nullptr},
        // A deleted user's name is free again; written as typed.
        {true, " velho", "Se Nha", "24/03/08", {2, 8}, "Dados gravados com sucesso.", "' velho'/Se Nha/'2008-03-24'/01000001", false, nullptr},
        // Later saves change that same user; only his own name may repeat.
        {false, "D'Ávila", "y", "", {3}, "Usuário já existente.", "' velho'/Se Nha/'2008-03-24'/01000001", false, nullptr},
        {false, "Vitor", "y", "", {3}, "Dados gravados com sucesso.", "'Vitor'/y/NULL/00100000", false, nullptr},
        {false, "VITOR", "z", "", {4}, "Dados gravados com sucesso.", "'VITOR'/z/NULL/00010000", false, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome + std::string("/") + c.data);
        if (c.novo) QTest::mouseClick(j->Command1, Qt::LeftButton);
        grava(QString::fromUtf8(c.nome), c.senha, c.data, c.marcadas);
        EXPECT_EQ(p.textosMensagens(), QStringList{QString::fromUtf8(c.mensagem)});
        EXPECT_EQ(valor("SELECT count(*) FROM usuarios"), c.gravado ? "3" : "2");
        EXPECT_EQ(valor("SELECT quote(usuario) || '/' || senha || '/' || quote(data_cadastro) "
                        "|| '/' || usu || men || con || lis || rel || ger || bac || pri "
                        "FROM usuarios WHERE codigo = 5"),
                  c.gravado ? QString::fromUtf8(c.gravado) : "");
        EXPECT_EQ(j->cod->text(), c.gravado ? "5" : "");
        EXPECT_EQ(j->focusWidget() == j->cad, c.focoData);
        if (c.dataDepois) { EXPECT_EQ(j->cad->displayText(), c.dataDepois); }
    }
    EXPECT_EQ(lista(), (QStringList{"d'Ávila=1", " velho=5"})) << "a new user goes last, renamed or not";
}

TEST_F(JanelaUsuariosTeste, ExclusaoMarcaALinhaETiraDaLista) {
    insere(1, "bia");
    insere(2, "ana");
    insere(3, "alvaro", true);
    abre();
    EXPECT_EQ(lista(), (QStringList{"ana=2", "bia=1"}));
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Escolha o usuário a excluir."});

    clica("ana");
    p.responde({false});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(valor("SELECT group_concat(excluido) FROM usuarios"), "0,0,1");
    p.responde({true});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(valor("SELECT group_concat(excluido) FROM usuarios"), "0,1,1");
    EXPECT_EQ(lista(), QStringList{"bia=1"});
    EXPECT_TRUE(j->cod->text().isEmpty() && j->usu->text().isEmpty());

    // A user just saved is deleted by his code, not by the entry selected in the list.
    clica("bia");
    QTest::mouseClick(j->Command1, Qt::LeftButton);
    grava("carla", "c", "", {1});
    p.responde({true});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(valor("SELECT group_concat(excluido) FROM usuarios"), "0,1,1,1");
    EXPECT_EQ(lista(), QStringList{"bia=1"});
}

// The users window stays within reach: the last active user with its right neither loses it
// nor is deleted, and the first user is not saved without it.
TEST_F(JanelaUsuariosTeste, UltimoComAcessoAUsuarios) {
    const QString semOutro = "Nenhum outro usuário tem acesso à tela \"Usuários\": sem ele, ninguém "
                             "mais poderia entrar no cadastro de usuários. Marque \"Usuários\" para "
                             "este usuário, ou dê antes esse acesso a outro.";
    const QString unico = "Este é o único usuário com acesso à tela \"Usuários\": sem ele, ninguém mais "
                          "poderia entrar no cadastro de usuários. Dê antes esse acesso a outro "
                          "usuário, e então exclua este.";
    abre();
    grava("primeiro", "p", "", {2, 8});
    EXPECT_EQ(p.textosMensagens(), QStringList{semOutro});
    insere(1, "ana");
    insere(2, "bia", false, false);
    insere(3, "velho", true);   // a deleted user's right counts for nothing
    abre();
    const struct {
        const char* nome;
        std::initializer_list<int> marcadas;   // empty: delete him
        QString mensagem;
        const char* depois;                    // usu of ana, bia / excluido of ana, bia
    } passos[] = {
        {"ana", {2, 8}, semOutro, "1,0/0,0"},
        {"ana", {}, unico, "1,0/0,0"},
        {"bia", {1, 8}, "Dados gravados com sucesso.", "1,1/0,0"},
        {"ana", {8}, "Dados gravados com sucesso.", "0,1/0,0"},
        {"bia", {}, unico, "0,1/0,0"},
        {"ana", {}, "", "0,1/1,0"},
    };
    for (const auto& c : passos) {
        SCOPED_TRACE(c.nome + std::to_string(c.marcadas.size()));
        clica(c.nome);
        p.mensagens.clear();
        if (c.marcadas.size()) grava(c.nome, "s", "", c.marcadas);
        if (!c.marcadas.size() && c.mensagem.isEmpty()) p.responde({true});
        if (!c.marcadas.size()) QTest::mouseClick(j->Command4, Qt::LeftButton);
        EXPECT_EQ(p.textosMensagens().join('|'), c.mensagem);
        EXPECT_EQ(valor("SELECT group_concat(usu) || '/' || group_concat(excluido) FROM "
                        "(SELECT * FROM usuarios WHERE codigo < 3 ORDER BY codigo)"),
                  c.depois);
    }
}

}  // namespace
