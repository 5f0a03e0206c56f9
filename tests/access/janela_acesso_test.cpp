#include "access/janela_acesso.h"
#include "access/caixa_texto.h"
#include "access/carga_acesso.h"
#include "access/janela_usuarios.h"
#include "data/datas.h"
#include "support/plataforma_falsa.h"
#include "yard/janela_principal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Enabled by its own flag, whatever the frame around it.
bool habilitado(const QWidget* w) { return w->isEnabledTo(w->parentWidget()); }

const QDateTime kAgora(QDate(2026, 12, 7), QTime(10, 0, 0));

// The program as main builds it: the hidden main window and the start-up window over one
// folder, one clock and one shared state.
class Programa : public ::testing::Test {
protected:
    Programa() { p.defineAgora(kAgora); }

    // Runs a first start in the folder, lets `muda` change the new file, and closes it.
    void preparaBanco(const std::function<void(Banco&)>& muda) {
        Contexto antes(p);
        ASSERT_TRUE(carrega_banco(antes).ok);
        muda(antes.estado.db);
        antes.estado.db.fecha();
        p.mensagens.clear();
    }

    bool inicia() {
        ctx = std::make_unique<Contexto>(p);
        a = std::make_unique<JanelaPrincipal>(*ctx);
        acesso = std::make_unique<JanelaAcesso>(*ctx, *a);
        const bool ok = acesso->Form_Load();
        acesso->show();
        QApplication::setActiveWindow(acesso.get());
        return ok;
    }

    Banco& db() { return ctx->estado.db; }
    Estado& estado() { return ctx->estado; }

    void digita(const QString& usuario, const QString& senha) {
        acesso->usu->setText(usuario);
        acesso->sen->setText(senha);
    }
    void ok() { QTest::mouseClick(acesso->Command1, Qt::LeftButton); }
    void entra(const QString& usuario, const QString& senha) {
        digita(usuario, senha);
        ok();
    }
    bool entrou() const { return a->isVisible() && !acesso->isVisible(); }

    std::vector<bool> botoesBarra() const {
        std::vector<bool> r;
        for (QAction* b : a->botoes) r.push_back(b->isEnabled());
        return r;
    }

    static void usuario(Banco& db, int codigo, const QString& nome, const QString& senha,
                        const char* direitos = "pri", bool excluido = false) {
        db.executa("INSERT INTO usuarios (codigo, usuario, senha, excluido) VALUES (?, ?, ?, ?)",
                   {codigo, nome, senha, int(excluido)});
        for (const QString& d : QString(direitos).split(' ', Qt::SkipEmptyParts))
            db.executa(QString("UPDATE usuarios SET %1 = 1 WHERE codigo = ?").arg(d), {codigo});
    }

    PlataformaFalsa p;
    std::unique_ptr<Contexto> ctx;
    std::unique_ptr<JanelaPrincipal> a;
    std::unique_ptr<JanelaAcesso> acesso;
};

TEST_F(Programa, PrimeiroInicioEEntradaComoAdmin) {
    ASSERT_TRUE(inicia());
    EXPECT_EQ(acesso->objectName(), "acesso");
    EXPECT_EQ(acesso->windowTitle(), "Acesso ao Sistema");
    EXPECT_EQ(acesso->Label4->text(), "1.22");
    EXPECT_EQ(acesso->Label_data->text(), "Data da última atualização: 24/03/2008");
    EXPECT_EQ(acesso->Label9->text(), "Não há usuários cadastrados. Clique em OK.");
    EXPECT_FALSE(acesso->usu->isEnabled());
    EXPECT_FALSE(acesso->sen->isEnabled());
    EXPECT_EQ(p.textosMensagens(), QStringList{"Verifique a data e hora do sistema. Se estiverem "
                                               "incorretos, corrija e clique em OK."});
    EXPECT_TRUE(QFile::exists(QDir(p.pastaPrograma()).filePath("dados.mdb")));
    // The print buttons are left as they are on a first start.
    EXPECT_TRUE(habilitado(a->Command6));

    p.mensagens.clear();
    p.defineAgora(kAgora.addSecs(65));
    ok();
    ASSERT_TRUE(entrou());
    EXPECT_TRUE(p.mensagens.empty());
    EXPECT_EQ(p.encerramentos, 0);
    EXPECT_EQ(estado().usuario_atual, "admin");
    EXPECT_EQ(botoesBarra(), (std::vector<bool>{true, false, false, false, false, false, false, true}));
    EXPECT_FALSE(a->Frame1->isEnabled());
    EXPECT_TRUE(a->Command1->isEnabled()) << "habilitado por ser o único caminho";
    EXPECT_FALSE(a->Command2->isEnabled());
    EXPECT_FALSE(a->Command8->isEnabled());
    EXPECT_FALSE(a->Frame3->isEnabled());
    EXPECT_FALSE(habilitado(a->grid1));
    EXPECT_EQ(estado().numero_caixa, 0);
    EXPECT_FALSE(estado().permissao_pri);
    EXPECT_EQ(a->paineis[0]->text(), "Usuário: admin");
    EXPECT_EQ(a->paineis[1]->text(), "Data: 07/12/2026");
    EXPECT_EQ(a->paineis[2]->text(), "Hora: 00:00:00");
    // The unload sets the program clock.
    EXPECT_EQ(estado().data_atual, QDate(2026, 12, 7));
    EXPECT_EQ(estado().hora_atual, QTime(10, 1, 5));
    // Empty tariff tables: every payment kind disabled.
    for (QRadioButton* o : {a->Option3, a->Option4, a->Option5, a->Option6, a->Option7})
        EXPECT_FALSE(habilitado(o)) << o->objectName().toStdString();
    // The first row of `geral` got its receipt defaults.
    EXPECT_EQ(estado().bobina, 40);
    EXPECT_EQ(estado().avanco_bobina, 10);
    EXPECT_EQ(db().valor("SELECT bobina || '/' || avanco_bobina FROM geral").toString(), "40/10");
}

TEST_F(Programa, BotoesDeImprimirSeguemAsImpressoras) {
    preparaBanco([](Banco& db) { db.executa("UPDATE geral SET impressora = ' '"); });
    ASSERT_TRUE(inicia());
    EXPECT_FALSE(habilitado(a->Command6));
    EXPECT_FALSE(habilitado(a->Command7));
}

TEST_F(Programa, BancoQueNaoAbreEncerraOPrograma) {
    {
        QFile f(QDir(p.pastaPrograma()).filePath("dados.mdb"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("lixo");
    }
    EXPECT_FALSE(inicia());
    ASSERT_EQ(p.mensagens.size(), 1u);
    EXPECT_EQ(p.mensagens[0].icone, Icone::Critico);
    EXPECT_EQ(p.encerramentos, 1);
    QFile f(QDir(p.pastaPrograma()).filePath("dados.mdb"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "lixo");
}

TEST_F(Programa, CancelarEFecharEncerram) {
    ASSERT_TRUE(inicia());
    QTest::mouseClick(acesso->Command2, Qt::LeftButton);
    EXPECT_EQ(p.encerramentos, 1);

    ASSERT_TRUE(inicia());
    p.encerramentos = 0;
    acesso->close();
    EXPECT_EQ(p.encerramentos, 1);
    EXPECT_FALSE(a->isVisible());
}

// The clock check runs first, against `data_hora`, and a refusal ends the program.
TEST_F(Programa, RelogioAnteriorAoUltimoRegistroEncerra) {
    const struct {
        const char* data;
        const char* hora;
        const char* mensagem;   // nullptr: accepted
    } casos[] = {
        {"2026-12-07", "10:00:01",
         "Hora do sistema não pode ser inferior à 10:00:01. Corrija e entre no sistema novamente."},
        {"2026-12-08", "00:00:00",
         "Data do sistema não pode ser inferior à 08/12/2026. Corrija e entre no sistema novamente."},
        {"2026-12-07", "10:00:00", nullptr},
        {"2026-12-06", "23:59:59", nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.data) + " " + c.hora);
        QFile::remove(QDir(p.pastaPrograma()).filePath("dados.mdb"));
        preparaBanco([&](Banco& db) {
            db.executa("UPDATE data_hora SET data = ?, hora = ?", {c.data, c.hora});
            usuario(db, 1, "ana", "a1");
        });
        ASSERT_TRUE(inicia());
        p.encerramentos = 0;
        // Even the empty boxes are not looked at before the clock.
        entra("", "");
        if (c.mensagem) {
            EXPECT_EQ(p.textosMensagens(), QStringList{QString::fromUtf8(c.mensagem)});
            EXPECT_EQ(p.encerramentos, 1);
        } else {
            EXPECT_EQ(p.textosMensagens(),
                      QStringList{"Há usuários cadastrados. Digite o usuário e senha."});
            EXPECT_EQ(p.encerramentos, 0);
        }
        EXPECT_FALSE(a->isVisible());
        p.mensagens.clear();
    }
}

TEST_F(Programa, RecusasDaEntradaEOndeVaiOFoco) {
    preparaBanco([](Banco& db) {
        usuario(db, 1, "ana", "a1");
        usuario(db, 2, "velho", "v", "pri", true);
    });
    ASSERT_TRUE(inicia());
    const struct {
        const char* usuario;
        const char* senha;
        const char* mensagem;
        bool focoSenha;
    } casos[] = {
        {"", "", "Há usuários cadastrados. Digite o usuário e senha.", false},
        {"  ", "  ", "Há usuários cadastrados. Digite o usuário e senha.", false},
        {"  ", "a1", "Preencha o usuário.", false},
        {"ana", "   ", "Preencha a senha.", true},
        {"bia", "a1", "Usuário não existente.", false},
        {"velho", "v", "Usuário não existente.", false},
        {"ana ", "a1", "Usuário não existente.", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.usuario) + "/" + c.senha);
        p.mensagens.clear();
        entra(QString::fromUtf8(c.usuario), c.senha);
        ASSERT_EQ(p.mensagens.size(), 1u);
        EXPECT_EQ(p.mensagens[0].texto, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(p.mensagens[0].icone, Icone::Informacao);
        EXPECT_EQ(acesso->focusWidget(), c.focoSenha ? acesso->sen : acesso->usu);
        EXPECT_FALSE(a->isVisible());
    }
    EXPECT_EQ(acesso->senhasErradas(), 0);
    EXPECT_EQ(p.encerramentos, 0);
}

TEST_F(Programa, SenhasErradasContamAteTres) {
    preparaBanco([](Banco& db) { usuario(db, 1, "ana", "Segredo"); });
    ASSERT_TRUE(inicia());

    entra("ana", "segredo");   // letter case counts
    entra("ana", "outra");
    entra("bia", "x");         // not a wrong password
    EXPECT_EQ(p.textosMensagens(),
              (QStringList{"Senha incorreta.", "Senha incorreta.", "Usuário não existente."}));
    EXPECT_EQ(acesso->senhasErradas(), 2);
    EXPECT_EQ(p.encerramentos, 0);

    // Typed in upper case, the name still finds the user and is kept as typed.
    p.mensagens.clear();
    entra("ANA", "Segredo");
    EXPECT_TRUE(p.mensagens.empty());
    EXPECT_TRUE(entrou());
    EXPECT_EQ(estado().usuario_atual, "ANA");
}

TEST_F(Programa, TerceiraSenhaErradaEncerra) {
    preparaBanco([](Banco& db) { usuario(db, 1, "ana", "a1"); });
    ASSERT_TRUE(inicia());
    entra("ana", "x");
    EXPECT_EQ(acesso->focusWidget(), acesso->sen);
    entra("ana", "y");
    entra("ana", "z");
    EXPECT_EQ(p.textosMensagens(), (QStringList{"Senha incorreta.", "Senha incorreta.",
                                                "Senha incorreta.",
                                                "Número máximo de tentativas esgotado."}));
    EXPECT_EQ(p.encerramentos, 1);
    EXPECT_FALSE(a->isVisible());
}

TEST_F(Programa, TeclasDasCaixas) {
    preparaBanco([](Banco& db) { usuario(db, 1, "ana", "a1"); });
    ASSERT_TRUE(inicia());

    acesso->usu->setFocus();
    QTest::keyClicks(acesso->usu, "ana");
    QTest::keyClick(acesso->usu, Qt::Key_Return);
    EXPECT_EQ(acesso->focusWidget(), acesso->sen) << "senha vazia: Enter só passa o foco";
    EXPECT_TRUE(p.mensagens.empty());

    QTest::keyClicks(acesso->sen, "errada");
    QTest::keyClick(acesso->sen, Qt::Key_Return);
    EXPECT_EQ(p.textosMensagens(), QStringList{"Senha incorreta."});

    // Back in a box, its whole text is selected.
    QTest::keyClick(acesso->sen, Qt::Key_Backtab);
    EXPECT_EQ(acesso->focusWidget(), acesso->usu);
    EXPECT_EQ(acesso->usu->selectedText(), "ana");
    QTest::keyClick(acesso->usu, Qt::Key_Tab);
    EXPECT_EQ(acesso->sen->selectedText(), "errada");
    QTest::keyClicks(acesso->sen, "a1");

    // With a password typed, Enter in the user box logs in.
    acesso->usu->setFocus();
    QTest::keyClick(acesso->usu, Qt::Key_Return);
    EXPECT_TRUE(entrou());
}

TEST_F(Programa, AspasNoNomeEntramComoQualquerOutroCaractere) {
    preparaBanco([](Banco& db) { usuario(db, 1, "d'Ávila", "o'k"); });
    ASSERT_TRUE(inicia());
    entra("x' OR '1'='1", "o'k");
    EXPECT_EQ(p.textosMensagens(), QStringList{"Usuário não existente."});
    entra("d'Ávila", "o'k");
    EXPECT_TRUE(entrou());
    EXPECT_EQ(estado().usuario_atual, "d'Ávila");
}

TEST_F(Programa, DireitosDoUsuarioSemTelaPrincipal) {
    preparaBanco([](Banco& db) {
        usuario(db, 1, "ana", "a1", "men rel bac");
        db.executa("INSERT INTO turnos (hora_inicial, hora_final) VALUES ('08:00:00', '12:00:00')");
        db.executa("INSERT INTO caixa (usuario, aberto) VALUES ('ana', 1)");
    });
    ASSERT_TRUE(inicia());
    entra("ana", "a1");
    ASSERT_TRUE(entrou());
    EXPECT_EQ(botoesBarra(), (std::vector<bool>{false, true, false, false, true, false, true, true}));
    EXPECT_FALSE(a->Frame1->isEnabled());
    EXPECT_FALSE(estado().permissao_pri);
    for (QPushButton* b : {a->Command2, a->Command3, a->Command4, a->Command5, a->Command6,
                           a->Command7, a->Command8})
        EXPECT_FALSE(habilitado(b)) << b->objectName().toStdString();
    EXPECT_TRUE(a->Command1->isEnabled());
    EXPECT_EQ(estado().numero_caixa, 0) << "sem a tela principal o caixa não é procurado";
    EXPECT_EQ(a->tur->count(), 0);
    EXPECT_EQ(a->conv->count(), 0);
    EXPECT_EQ(a->paineis[0]->text(), "Usuário: ana");
}

// The cash register a user with the `pri` right works with.
TEST_F(Programa, ProcuraDoCaixa) {
    const struct {
        const char* caso;
        std::vector<std::pair<const char*, int>> caixas;   // user, open
        int numero;
        bool outro;
    } casos[] = {
        {"próprio", {{"bia", 1}, {"ANA", 0}, {"Ana", 1}}, 3, false},
        {"de outro", {{"ana", 0}, {"bia", 1}, {"carla", 1}}, 2, true},
        {"nenhum", {{"ana", 0}, {"bia", 0}}, 0, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile::remove(QDir(p.pastaPrograma()).filePath("dados.mdb"));
        preparaBanco([&](Banco& db) {
            usuario(db, 1, "ana", "a1", "pri usu");
            for (const auto& [dono, aberto] : c.caixas)
                db.executa("INSERT INTO caixa (usuario, aberto) VALUES (?, ?)", {dono, aberto});
            db.executa("UPDATE geral SET mostrar_lista = 1");
        });
        ASSERT_TRUE(inicia());
        entra("ana", "a1");
        ASSERT_TRUE(entrou());
        EXPECT_TRUE(estado().permissao_pri);
        EXPECT_EQ(estado().numero_caixa, c.numero);
        const bool aberto = c.numero != 0;
        EXPECT_EQ(a->Command1->isEnabled(), !aberto);
        EXPECT_EQ(a->Command2->isEnabled(), aberto);
        EXPECT_EQ(a->Command8->isEnabled(), aberto);
        EXPECT_EQ(a->Command9->isEnabled(), aberto);
        EXPECT_EQ(a->Frame1->isEnabled(), aberto);
        if (c.outro) {
            EXPECT_EQ(a->mensagem->text(),
                      "Último caixa aberto é de outro usuário. Feche o caixa e abra o seu.");
            EXPECT_FALSE(a->Frame2->isEnabled());
            // The list is shown again by the settings, but stays disabled.
            EXPECT_TRUE(a->Frame3->isVisible());
            EXPECT_FALSE(a->Frame3->isEnabled());
        } else {
            EXPECT_TRUE(a->mensagem->text().isEmpty());
            EXPECT_TRUE(a->Frame3->isEnabled());
        }
        if (!aberto) {
            EXPECT_EQ(a->focusWidget(), a->Command1) << "primeiro na ordem de tabulação";
        }
    }
}

TEST_F(Programa, ConfiguracoesEListasCarregadas) {
    preparaBanco([](Banco& db) {
        usuario(db, 1, "ana", "a1", "pri");
        db.executa("UPDATE geral SET linha1 = 'Estacionamento', penult_linha = NULL, cnpj = "
                   "'12.345', bobina = NULL, avanco_bobina = NULL, ativar_cancela_ent = 1, "
                   "tempo_cancela_sai = 7, tempo_baixa_cancelas = NULL, "
                   "ativar_cancela_sai_manual = 1, estacionamento24h = 1, habilitar_prisma = 1, "
                   "habilitar_veiculo = 0, mostrar_lista = 1");
        db.executa("INSERT INTO turnos (hora_inicial, hora_final) VALUES ('13:00:00', "
                   "'18:30:00'), ('08:00:00', '12:00:00')");
        db.executa("INSERT INTO convenios (codigo, convenio) VALUES (7, 'Padaria'), (3, 'Banco')");
        db.executa("INSERT INTO rotativo (apos_cobrar) VALUES (NULL)");
        db.executa("INSERT INTO mensalistas (codigo, nome, excluido) VALUES (1, 'Zé', 1)");
        db.executa("INSERT INTO diaria (tempo) VALUES (24)");
        db.executa("INSERT INTO lista_saida (placa) VALUES ('ABC-1234')");
        db.executa("INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada) VALUES "
                   "('XYZ-9876', '2026-12-07', '08:00:00')");
    });
    ASSERT_TRUE(inicia());
    entra("ana", "a1");
    ASSERT_TRUE(entrou());

    const Estado& e = estado();
    EXPECT_EQ(e.linha1, "Estacionamento");
    EXPECT_EQ(e.linha2, "");
    EXPECT_EQ(e.penult_linha, "");
    EXPECT_EQ(e.cnpj, "12.345");
    EXPECT_EQ(e.bobina, 40);
    EXPECT_EQ(e.avanco_bobina, 10);
    EXPECT_EQ(db().valor("SELECT bobina || '/' || avanco_bobina FROM geral").toString(), "40/10");
    EXPECT_TRUE(e.ativar_cancela_ent);
    EXPECT_FALSE(e.ativar_cancela_sai);
    EXPECT_EQ(e.tempo_cancela_sai, 7);
    EXPECT_EQ(e.tempo_baixa_cancelas, 0);
    EXPECT_TRUE(e.ativar_cancela_sai_manual);
    EXPECT_FALSE(e.ativar_cancela_ent_manual);
    EXPECT_TRUE(e.estacionamento24h);

    EXPECT_TRUE(a->pri->isVisibleTo(a.get()));
    EXPECT_TRUE(a->Label12->isVisibleTo(a.get()));
    EXPECT_FALSE(a->vei->isVisibleTo(a.get()));
    EXPECT_FALSE(a->LabelVeiculo->isVisibleTo(a.get()));
    EXPECT_TRUE(a->Frame3->isVisible());
    EXPECT_EQ(a->grid1->horizontalHeaderItem(1)->text(), "Placa");
    EXPECT_EQ(a->grid1->rowCount(), 1) << "a lista de pátio foi preenchida";

    QStringList turnos, convenios, codigos;
    for (int i = 0; i < a->tur->count(); ++i) turnos << a->tur->itemText(i);
    for (int i = 0; i < a->conv->count(); ++i) convenios << a->conv->itemText(i);
    for (int i = 0; i < a->cod_con->count(); ++i) codigos << a->cod_con->itemText(i);
    EXPECT_EQ(turnos, (QStringList{"08:00 - 12:00", "13:00 - 18:30"}));
    EXPECT_EQ(convenios, (QStringList{"Banco", "Padaria"}));
    EXPECT_EQ(codigos, (QStringList{"3", "7"}));

    EXPECT_FALSE(a->Command10->isEnabled());
    EXPECT_TRUE(a->Command11->isEnabled());
    EXPECT_FALSE(habilitado(a->Option3)) << "rotativo sem apos_cobrar";
    EXPECT_TRUE(habilitado(a->Option4));
    EXPECT_TRUE(habilitado(a->Option5));
    EXPECT_FALSE(habilitado(a->Option6)) << "só mensalistas excluídos";
    EXPECT_TRUE(habilitado(a->Option7));
}

TEST_F(Programa, BotaoUsuariosAbreUmaJanelaSo) {
    ASSERT_TRUE(inicia());
    liga_janela_usuarios(*ctx, *a);
    ok();
    ASSERT_TRUE(entrou());
    a->botoes[0]->trigger();
    a->botoes[0]->trigger();
    const auto janelas = a->findChildren<JanelaUsuarios*>();
    ASSERT_EQ(janelas.size(), 1);
    EXPECT_TRUE(janelas[0]->isVisible());
    EXPECT_TRUE(a->isVisible()) << "a janela de usuários não bloqueia a principal";
}

}  // namespace
