#include "access/janela_usuarios.h"
#include "access/caixa_texto.h"
#include "data/cria_banco.h"
#include "support/plataforma_falsa.h"

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
    Banco& db() { return ctx.estado.db; }
    QVariant valor(const QString& sql) { return db().valor(sql); }

    void insere(int codigo, const QString& nome, bool excluido = false,
                const QVariant& data = QVariant()) {
        db().executa("INSERT INTO usuarios (codigo, usuario, senha, excluido, data_cadastro, men, "
                     "pri) VALUES (?, ?, 's', ?, ?, 1, 1)",
                     {codigo, nome, int(excluido), data});
    }
    void abre() {
        j = std::make_unique<JanelaUsuarios>(ctx);
        j->show();
        j->activateWindow();
    }
    static QStringList itens(QListWidget* l) {
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
    int linhas() { return valor("SELECT count(*) FROM usuarios").toInt(); }

    PlataformaFalsa p;
    Contexto ctx;
    std::unique_ptr<JanelaUsuarios> j;
};

TEST_F(JanelaUsuariosTeste, ListaOsNaoExcluidosECarregaOClicado) {
    insere(1, "Carla", false, "2008-03-24");
    insere(2, "bruno");
    insere(3, "alvaro", true);
    db().executa("UPDATE usuarios SET pri = 0, bac = 1 WHERE codigo = 1");
    abre();
    EXPECT_EQ(itens(j->List1), (QStringList{"bruno", "Carla"})) << "por nome, sem caixa";
    EXPECT_EQ(itens(j->List2), (QStringList{"2", "1"}));
    EXPECT_EQ(j->cad->displayText(), "07/12/2026");

    clica("Carla");
    EXPECT_EQ(j->cod->text() + j->usu->text() + j->sen->text() + j->cad->displayText(),
              "1Carlas24/03/2008");
    std::vector<bool> marcadas;
    for (QCheckBox* c : j->checks) marcadas.push_back(c->isChecked());
    EXPECT_EQ(marcadas, (std::vector<bool>{false, true, false, false, false, false, true, false}));
    clica("bruno");
    EXPECT_EQ(j->cad->displayText(), kCadastroVazio) << "sem data, a máscara vazia";

    QTest::mouseClick(j->Command3, Qt::LeftButton);
    EXPECT_EQ(j->cod->text() + j->usu->text() + j->cad->displayText(), "07/12/2026");
    for (QCheckBox* c : j->checks) EXPECT_FALSE(c->isChecked());
}

TEST_F(JanelaUsuariosTeste, GravacaoRecusadaNaoEscreveNada) {
    insere(1, "d'Ávila");
    insere(2, "velho", true);
    const struct {
        const char* nome;
        const char* senha;
        const char* data;
        std::initializer_list<int> marcadas;
        const char* mensagem;
        const char* cadDepois;   // nullptr: the focus goes to the date
    } casos[] = {
        {"   ", "x", "", {1}, "Campos obrigatórios: Usuário e senha.", "  /  /    "},
        {"novo", "   ", "", {1}, "Campos obrigatórios: Usuário e senha.", "  /  /    "},
        {"novo", "x", "99/99/9999", {1}, "Data de cadastro inválida.", nullptr},
        {"novo", "x", "31/02/2008", {1}, "Data de cadastro inválida.", nullptr},
        {"novo", "x", "01/0", {1}, "Data de cadastro inválida.", nullptr},
        // The date is rewritten from its first eight characters before the next check refuses.
        {"novo", "x", "15/03/0008", {}, "Escolha quais telas o usuário terá acesso (Permissões de Acesso).", "15/03/2000"},
        // Trimmed, in any letter case, and a quote is a character like any other.
        {" D'ÁVILA ", "x", "", {8}, "Usuário já existente.", "  /  /    "},
    };
    abre();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome + std::string("/") + c.data);
        QTest::mouseClick(j->Command1, Qt::LeftButton);
        grava(QString::fromUtf8(c.nome), c.senha, c.data, c.marcadas);
        ASSERT_EQ(p.mensagens.size(), 1u);
        EXPECT_EQ(p.mensagens[0].texto, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(p.mensagens[0].icone, Icone::Informacao);
        if (c.cadDepois)
            EXPECT_EQ(j->cad->displayText(), c.cadDepois);
        else
            EXPECT_EQ(j->focusWidget(), j->cad);
        EXPECT_EQ(linhas(), 2);
        EXPECT_TRUE(j->cod->text().isEmpty());
    }
}

TEST_F(JanelaUsuariosTeste, NovoUsuarioFicaNoFimDaListaEPassaASerOAtual) {
    insere(4, "velho", true);   // the highest code counts even when deleted
    insere(2, "bia");
    abre();
    clica("bia");
    QTest::mouseClick(j->Command1, Qt::LeftButton);
    EXPECT_EQ(j->focusWidget(), j->usu);
    // The name of a deleted user is free again; written as typed, not trimmed.
    grava(" velho", "Se Nha", "", {2, 8});
    EXPECT_EQ(p.textosMensagens(), QStringList{"Dados gravados com sucesso."});
    EXPECT_EQ(j->cod->text(), "5");
    EXPECT_EQ(itens(j->List1) + itens(j->List2), (QStringList{"bia", " velho", "2", "5"}));
    EXPECT_EQ(j->List1->currentRow(), 0) << "a seleção não se move";
    EXPECT_EQ(valor("SELECT quote(usuario) || senha || quote(data_cadastro) || excluido || usu || "
                    "men || pri FROM usuarios WHERE codigo = 5").toString(),
              "' velho'Se NhaNULL0011");

    // The saved user stays current: a second save updates the same row, its own name passes
    // and another's does not; a rename leaves the lists as they were.
    grava(" velho", "outra", "24/03/08", {3});
    EXPECT_EQ(valor("SELECT senha || con || data_cadastro FROM usuarios WHERE codigo = 5").toString(),
              "outra12008-03-24");
    grava("BIA", "outra", "", {3});
    EXPECT_EQ(p.textosMensagens(), QStringList{"Usuário já existente."});
    grava("vitor", "outra", "", {3});
    grava("vitor", "outra", "", {3});
    EXPECT_EQ(p.textosMensagens(), QStringList{"Dados gravados com sucesso."}) << "o próprio nome";
    EXPECT_EQ(valor("SELECT group_concat(usuario) FROM usuarios").toString(), "bia,velho,vitor");
    EXPECT_EQ(itens(j->List1), (QStringList{"bia", " velho"}));
}

TEST_F(JanelaUsuariosTeste, ExclusaoMarcaALinhaETiraDaLista) {
    insere(1, "ana");
    insere(2, "bia");
    abre();
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Escolha o usuário a excluir."});
    EXPECT_TRUE(p.perguntas.isEmpty());

    clica("ana");
    p.responde({false});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(p.perguntas, QStringList{"Você confirma a exclusão?"});
    EXPECT_EQ(valor("SELECT excluido FROM usuarios WHERE codigo = 1").toInt(), 0);
    EXPECT_EQ(j->cod->text(), "1");

    p.responde({true});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(valor("SELECT group_concat(excluido) FROM usuarios").toString(), "1,0");
    EXPECT_EQ(itens(j->List1), QStringList{"bia"});
    EXPECT_EQ(itens(j->List2), QStringList{"2"});
    EXPECT_TRUE(j->cod->text().isEmpty() && j->usu->text().isEmpty());

    // A user just saved is deleted by its code, not by the entry selected in the list.
    clica("bia");
    QTest::mouseClick(j->Command1, Qt::LeftButton);
    grava("carla", "c", "", {1});
    ASSERT_EQ(j->cod->text(), "3");
    p.responde({true});
    QTest::mouseClick(j->Command4, Qt::LeftButton);
    EXPECT_EQ(valor("SELECT group_concat(excluido) FROM usuarios").toString(), "1,0,1");
    EXPECT_EQ(itens(j->List1), QStringList{"bia"});

    abre();
    EXPECT_EQ(itens(j->List1), QStringList{"bia"});
}

// The first user of an empty table gets code 1; a failing save says so and claims nothing.
TEST_F(JanelaUsuariosTeste, PrimeiroCodigoEErroDoBanco) {
    abre();
    grava("ana", "a", "", {1});
    EXPECT_EQ(j->cod->text(), "1");
    db().executa("DROP TABLE usuarios");
    QTest::mouseClick(j->Command1, Qt::LeftButton);
    grava("bia", "b", "", {1});
    ASSERT_EQ(p.mensagens.size(), 1u);
    EXPECT_EQ(p.mensagens[0].icone, Icone::Critico);
    EXPECT_NE(p.mensagens[0].texto, "Dados gravados com sucesso.");
}

}  // namespace
