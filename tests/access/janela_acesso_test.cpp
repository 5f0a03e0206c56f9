#include "access/janela_acesso.h"
#include "access/caixa_texto.h"
#include "access/carga_acesso.h"
#include "access/janela_usuarios.h"
#include "access/plataforma_qt.h"
#include "data/datas.h"
#include "support/leiaute_antigo.h"
#include "support/plataforma_falsa.h"
#include "yard/janela_principal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

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

    QString arquivo() const { return QDir(p.pastaPrograma()).filePath("dados.mdb"); }
    // A fresh file from a first start, changed by `muda` and closed.
    void preparaBanco(const std::function<void(Banco&)>& muda) {
        QFile::remove(arquivo());
        Contexto antes(p);
        ASSERT_TRUE(carrega_banco(antes).ok);
        muda(antes.estado.db);
        antes.estado.db.fecha();
    }
    bool inicia() {
        p.mensagens.clear();
        p.encerramentos = 0;
        ctx = std::make_unique<Contexto>(p);
        a = std::make_unique<JanelaPrincipal>(*ctx);
        acesso = std::make_unique<JanelaAcesso>(*ctx, *a);
        const bool ok = acesso->Form_Load();
        acesso->show();
        QApplication::setActiveWindow(acesso.get());
        return ok;
    }
    Estado& estado() { return ctx->estado; }
    QString valor(const QString& sql) { return ctx->estado.db.valor(sql).toString(); }
    void entra(const QString& usuario, const QString& senha) {
        acesso->usu->setText(usuario);
        acesso->sen->setText(senha);
        QTest::mouseClick(acesso->Command1, Qt::LeftButton);
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
    EXPECT_EQ(p.textosMensagens(), QStringList{"Verifique a data e hora do sistema. Se estiverem "
                                               "incorretos, corrija e clique em OK."});
    EXPECT_EQ(valor("SELECT count(*) || versao || data || hora || quote(linha1) || impressora || "
                    "'[' || cancela_entrada || cancela_saida || ']' || quote(bobina) || "
                    "(SELECT count(*) || data || hora FROM data_hora) FROM geral"),
              "11222026-12-0710:00:00''LPT1[  ]NULL12026-12-0710:00:00");
    EXPECT_EQ(estado().impressora, "") << "as cópias esperam o próximo início";
    EXPECT_EQ(acesso->Label4->text() + " " + acesso->Label_data->text(),
              "1.22 Data da última atualização: 24/03/2008");
    EXPECT_EQ(texto_versao("120"), "1.2");
    EXPECT_EQ(acesso->Label9->text(), "Não há usuários cadastrados. Clique em OK.");
    EXPECT_FALSE(acesso->usu->isEnabled() || acesso->sen->isEnabled());
    EXPECT_TRUE(habilitado(a->Command6)) << "no primeiro início os botões ficam como estão";

    liga_janela_usuarios(*ctx, *a);
    p.mensagens.clear();
    p.defineAgora(kAgora.addSecs(65));
    QTest::mouseClick(acesso->Command1, Qt::LeftButton);
    ASSERT_TRUE(entrou());
    EXPECT_EQ(estado().usuario_atual, "admin");
    EXPECT_EQ(botoesBarra(), (std::vector<bool>{true, false, false, false, false, false, false, true}));
    EXPECT_TRUE(a->Command1->isEnabled()) << "habilitado por ser o único caminho";
    for (QWidget* w : std::initializer_list<QWidget*>{a->Frame1, a->Command2, a->Command8, a->Frame3})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(habilitado(a->grid1));
    EXPECT_EQ(a->paineis[0]->text() + a->paineis[1]->text() + a->paineis[2]->text(),
              "Usuário: adminData: 07/12/2026Hora: 00:00:00");
    // The unload sets the program clock.
    EXPECT_EQ(QDateTime(estado().data_atual, estado().hora_atual), kAgora.addSecs(65));
    // Both receipt fields were Null: written back.
    EXPECT_EQ(estado().bobina * 100 + estado().avanco_bobina, 4010);
    EXPECT_EQ(valor("SELECT bobina || '/' || avanco_bobina FROM geral"), "40/10");
    // Toolbar button 1 opens one users window, modeless.
    a->botoes[0]->trigger();
    a->botoes[0]->trigger();
    EXPECT_EQ(a->findChildren<JanelaUsuarios*>().size(), 1);
}

// Starts over an existing file. The date warning comes only above 5 days; a date before the
// last start passes (the login checks the clock); either way today is recorded, so the next
// start is quiet. The printers decide the print buttons and the fiscal tax code.
TEST_F(Programa, InicioComArquivoExistente) {
    const struct {
        int dias;
        const char *impressora, *fiscal, *imposto;   // fiscal nullptr: Null
        int aliquota;
        bool imprime, duas;
        const char* codigo;                           // "" when not set
    } casos[] = {
        {5, " ", " ", "ST", 17, false, false, ""},
        {6, "LPT1", nullptr, "ST", 17, true, false, ""},
        {-3, " ", "Daruma FS345", "ST", 17, true, false, "FF"},
        {0, "COM1", "Daruma FS345", "Isento", 3, true, true, "II"},
        {0, "LPT2", "Daruma FS345", "", 12, true, true, "1200"},
        {0, "LPT2", "Daruma FS345", "", 18, true, true, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QString("%1 %2/%3").arg(c.dias).arg(c.impressora, c.imposto).toStdString());
        preparaBanco([&](Banco& db) {
            db.executa("UPDATE geral SET data = ?, impressora = ?, impressora_fiscal = ?, "
                       "imposto = ?, aliquota = ?, cancela_saida = 'COM1'",
                       {dataParaBanco(kAgora.date().addDays(-c.dias)), c.impressora,
                        c.fiscal ? QVariant(c.fiscal) : QVariant(), c.imposto,
                        Dinheiro::reais(c.aliquota).paraBanco()});
            usuario(db, 1, "ana", "x", "pri", true);
        });
        ASSERT_TRUE(inicia());
        EXPECT_TRUE(acesso->usu->isEnabled()) << "usuários excluídos também contam";
        if (c.dias > 5) {
            ASSERT_EQ(p.mensagens.size(), 1u);
            EXPECT_EQ(p.mensagens[0].icone, Icone::Exclamacao);
            EXPECT_EQ(p.mensagens[0].texto,
                      "Data do sistema não pode ser mais que 5 dias superior ao último "
                      "acesso!\r\nÚltimo acesso: 01/12/2026\r\nData atual: 07/12/2026\r\n"
                      "Corrija a data do sistema e clique em OK!");
        } else {
            EXPECT_TRUE(p.mensagens.empty());
        }
        EXPECT_EQ(valor("SELECT data FROM geral"), "2026-12-07");
        EXPECT_EQ(habilitado(a->Command6) + habilitado(a->Command7), c.imprime ? 2 : 0);
        EXPECT_EQ(estado().duas_impressoras, c.duas);
        EXPECT_EQ(estado().codigo_aliquota, c.codigo);
        EXPECT_EQ(estado().impressora_fiscal + estado().cancela_saida,
                  QString(c.fiscal ? c.fiscal : " ") + "COM1");
        ctx->estado.db.fecha();
        ASSERT_TRUE(inicia());
        EXPECT_TRUE(p.mensagens.empty()) << "o próximo início não avisa mais";
    }
}

// A file that cannot be used: a clear message, the program ends, the file stays as it was.
TEST_F(Programa, ArquivoInutilizavelAvisaEEncerra) {
    const struct {
        const char* caso;
        std::function<void()> prepara;
        const char* trecho;   // part of the message
    } casos[] = {
        {"não é banco", [this] { QFile f(arquivo()); f.open(QIODevice::WriteOnly); f.write("lixo"); },
         "dados.mdb"},
        {"geral vazia", [this] { preparaBanco([](Banco& db) { db.executa("DELETE FROM geral"); }); },
         "não contém as configurações gerais"},
        {"atualização falha",
         [this] {
             Banco b;
             criaLeiauteAntigo(b, arquivo(), 115);
             b.executa("ALTER TABLE geral ADD COLUMN avanco_bobina INTEGER");
         },
         "etapa 117"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile::remove(arquivo());
        c.prepara();
        QFile f(arquivo());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray antes = f.readAll();
        f.close();
        EXPECT_FALSE(inicia());
        ASSERT_EQ(p.mensagens.size(), 1u);
        EXPECT_EQ(p.mensagens[0].icone, Icone::Critico);
        EXPECT_TRUE(p.mensagens[0].texto.contains(QString::fromUtf8(c.trecho)));
        EXPECT_TRUE(p.mensagens[0].texto.contains("O programa será encerrado."));
        EXPECT_EQ(p.encerramentos, 1);
        EXPECT_FALSE(estado().db.aberto());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), antes);
    }
}

// "Cancelar", also by Enter on the focused button, and closing the window end the program.
TEST_F(Programa, CancelarEFecharEncerram) {
    ASSERT_TRUE(inicia());
    acesso->Command2->setFocus();
    QTest::keyClick(acesso->Command2, Qt::Key_Return);
    EXPECT_EQ(p.encerramentos, 1);
    ASSERT_TRUE(inicia());
    acesso->close();
    EXPECT_EQ(p.encerramentos, 1);
    EXPECT_FALSE(a->isVisible());
}

// The clock check runs first, against `data_hora`, and a refusal ends the program.
TEST_F(Programa, RelogioAnteriorAoUltimoRegistroEncerra) {
    const char* const casos[][3] = {
        {"2026-12-07", "10:00:01",
         "Hora do sistema não pode ser inferior à 10:00:01. Corrija e entre no sistema novamente."},
        {"2026-12-08", "00:00:00",
         "Data do sistema não pode ser inferior à 08/12/2026. Corrija e entre no sistema novamente."},
        {"2026-12-07", "10:00:00", nullptr},
        {"2026-12-06", "23:59:59", nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c[0]) + " " + c[1]);
        preparaBanco([&](Banco& db) {
            db.executa("UPDATE data_hora SET data = ?, hora = ?", {c[0], c[1]});
            usuario(db, 1, "ana", "a1");
        });
        ASSERT_TRUE(inicia());
        entra("", "");   // even the empty boxes wait for the clock
        EXPECT_EQ(p.textosMensagens(),
                  QStringList{QString::fromUtf8(
                      c[2] ? c[2] : "Há usuários cadastrados. Digite o usuário e senha.")});
        EXPECT_EQ(p.encerramentos, c[2] ? 1 : 0);
        EXPECT_FALSE(a->isVisible());
    }
}

TEST_F(Programa, RecusasDaEntradaEOndeVaiOFoco) {
    preparaBanco([](Banco& db) {
        usuario(db, 1, "d'Ávila", "o'k");
        usuario(db, 2, "velho", "v", "pri", true);
    });
    ASSERT_TRUE(inicia());
    const struct {
        const char *usuario, *senha, *mensagem;
        bool focoSenha;
    } casos[] = {
        {"  ", "  ", "Há usuários cadastrados. Digite o usuário e senha.", false},
        {"  ", "o'k", "Preencha o usuário.", false},
        {"d'Ávila", "   ", "Preencha a senha.", true},
        {"bia", "o'k", "Usuário não existente.", false},
        {"velho", "v", "Usuário não existente.", false},
        {"x' OR '1'='1", "o'k", "Usuário não existente.", false},
        {"\t", "o'k", "Usuário não existente.", false},   // only blanks are trimmed
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.usuario) + "/" + c.senha);
        p.mensagens.clear();
        entra(QString::fromUtf8(c.usuario), c.senha);
        ASSERT_EQ(p.mensagens.size(), 1u);
        EXPECT_EQ(p.mensagens[0].texto, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(p.mensagens[0].icone, Icone::Informacao);
        EXPECT_EQ(acesso->focusWidget(), c.focoSenha ? acesso->sen : acesso->usu);
    }
    EXPECT_EQ(acesso->senhasErradas(), 0);
    EXPECT_EQ(p.encerramentos, 0);
    entra("d'Ávila", "o'k");
    EXPECT_TRUE(entrou());
}

TEST_F(Programa, SenhasErradasContamAteTres) {
    preparaBanco([](Banco& db) { usuario(db, 1, "ana", "Segredo"); });
    ASSERT_TRUE(inicia());
    entra("ana", "segredo");   // letter case counts
    EXPECT_EQ(acesso->focusWidget(), acesso->sen);
    entra("ana", "outra");
    entra("bia", "x");         // not a wrong password
    EXPECT_EQ(p.textosMensagens(),
              (QStringList{"Senha incorreta.", "Senha incorreta.", "Usuário não existente."}));
    // The name finds the user in any letter case and is kept as typed.
    entra("ANA", "Segredo");
    EXPECT_TRUE(entrou());
    EXPECT_EQ(estado().usuario_atual, "ANA");

    ASSERT_TRUE(inicia());
    for (const char* s : {"x", "y", "z"}) entra("ana", s);
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
    EXPECT_EQ(acesso->usu->selectedText(), "ana");
    QTest::keyClick(acesso->usu, Qt::Key_Tab);
    EXPECT_EQ(acesso->sen->selectedText(), "errada");
    QTest::keyClicks(acesso->sen, "a1");
    // With a password typed, Enter in the user box logs in.
    acesso->usu->setFocus();
    QTest::keyClick(acesso->usu, Qt::Key_Return);
    EXPECT_TRUE(entrou());
}

// What a user gets depends on his rights and on the open cash registers.
TEST_F(Programa, DireitosEProcuraDoCaixa) {
    const struct {
        const char *caso, *direitos;
        std::vector<std::pair<const char*, int>> caixas;   // user, open
        int numero;
        bool outro;
    } casos[] = {
        {"próprio", "pri usu", {{"bia", 1}, {"ANA", 0}, {"Ana", 1}}, 3, false},
        {"de outro", "pri usu", {{"ana", 0}, {"bia", 1}, {"carla", 1}}, 2, true},
        {"nenhum", "pri usu", {{"ana", 0}, {"bia", 0}}, 0, false},
        {"sem tela principal", "men rel bac", {{"ana", 1}}, 0, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const bool pri = QString(c.direitos).contains("pri");
        preparaBanco([&](Banco& db) {
            usuario(db, 1, "ana", "a1", c.direitos);
            for (const auto& [dono, aberto] : c.caixas)
                db.executa("INSERT INTO caixa (usuario, aberto) VALUES (?, ?)", {dono, aberto});
            db.executa("UPDATE geral SET mostrar_lista = 1");
            db.executa("INSERT INTO turnos (hora_inicial, hora_final) VALUES ('08:00:00', '12:00:00')");
        });
        ASSERT_TRUE(inicia());
        a->Frame2->setEnabled(true);   // so that the login's own effect shows
        entra("ana", "a1");
        ASSERT_TRUE(entrou());
        EXPECT_EQ(estado().permissao_pri, pri);
        EXPECT_EQ(estado().numero_caixa, c.numero);
        EXPECT_EQ(a->tur->count(), pri ? 1 : 0);
        const bool aberto = c.numero != 0;
        EXPECT_EQ(a->Command1->isEnabled(), !aberto);
        for (QWidget* w : std::initializer_list<QWidget*>{a->Command2, a->Command8, a->Frame1})
            EXPECT_EQ(w->isEnabled(), aberto) << w->objectName().toStdString();
        EXPECT_EQ(a->Command9->isEnabled(), aberto || !pri) << "sem a tela principal não é tocado";
        EXPECT_EQ(a->mensagem->text(),
                  c.outro ? "Último caixa aberto é de outro usuário. Feche o caixa e abra o seu." : "");
        EXPECT_EQ(habilitado(a->Frame2), !c.outro);
        // The list is shown again by the settings, but stays disabled for another's register.
        EXPECT_TRUE(a->Frame3->isVisible());
        EXPECT_EQ(a->Frame3->isEnabled(), !c.outro);
        if (!pri) {
            EXPECT_EQ(botoesBarra(), (std::vector<bool>{false, true, false, false, true, false, true, true}));
            for (QPushButton* b : {a->Command3, a->Command4, a->Command5, a->Command6, a->Command7})
                EXPECT_FALSE(habilitado(b)) << b->objectName().toStdString();
        } else if (!aberto) {
            // "Abert. de Caixa" is first in the tab order, and has the focus.
            QWidget* primeiro = a->nextInFocusChain();
            while (!(primeiro->focusPolicy() & Qt::TabFocus)) primeiro = primeiro->nextInFocusChain();
            EXPECT_EQ(primeiro, a->Command1);
            EXPECT_EQ(a->focusWidget(), a->Command1);
        }
    }
}

TEST_F(Programa, ConfiguracoesEListasCarregadas) {
    preparaBanco([](Banco& db) {
        usuario(db, 1, "ana", "a1", "pri");
        db.executa("UPDATE geral SET linha1 = 'Estacionamento', bobina = 36, avanco_bobina = 8, "
                   "ativar_cancela_ent = 1, tempo_cancela_sai = 7, ativar_cancela_sai_manual = 1, "
                   "estacionamento24h = 1, habilitar_prisma = 1, mostrar_lista = 1");
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
    EXPECT_EQ(e.linha1 + "|" + e.penult_linha + "|", "Estacionamento||");
    EXPECT_EQ(e.bobina * 100 + e.avanco_bobina, 3608);
    EXPECT_EQ(e.tempo_cancela_sai * 100 + e.tempo_baixa_cancelas, 700);
    EXPECT_EQ((std::vector<bool>{e.ativar_cancela_ent, e.ativar_cancela_sai,
                                 e.ativar_cancela_ent_manual, e.ativar_cancela_sai_manual,
                                 e.men_atraso_tranca, e.estacionamento24h}),
              (std::vector<bool>{true, false, false, true, false, true}));
    EXPECT_TRUE(a->pri->isVisibleTo(a.get()) && a->Label12->isVisibleTo(a.get()));
    EXPECT_FALSE(a->vei->isVisibleTo(a.get()) || a->LabelVeiculo->isVisibleTo(a.get()));
    EXPECT_EQ(a->grid1->rowCount(), 1) << "a lista de pátio foi preenchida";
    QStringList listas;
    for (QComboBox* l : {a->tur, a->conv, a->cod_con})
        for (int i = 0; i < l->count(); ++i) listas << l->itemText(i);
    EXPECT_EQ(listas, (QStringList{"08:00 - 12:00", "13:00 - 18:30", "Banco", "Padaria", "3", "7"}));
    // No shift or partner is chosen before the operator picks one.
    EXPECT_TRUE(a->tur->currentText().isEmpty() && a->conv->currentText().isEmpty());
    a->conv->setCurrentIndex(1);
    EXPECT_EQ(a->cod_con->currentText(), "7");

    EXPECT_FALSE(a->Command10->isEnabled());
    EXPECT_TRUE(a->Command11->isEnabled());
    std::vector<bool> modalidades;
    for (QRadioButton* o : {a->Option3, a->Option4, a->Option5, a->Option6, a->Option7})
        modalidades.push_back(habilitado(o));
    // No `apos_cobrar` in `rotativo`, and only a deleted subscriber.
    EXPECT_EQ(modalidades, (std::vector<bool>{false, true, true, false, true}));
}

// The real question box: Yes and No, the program's title and no icon.
TEST(PlataformaQtTeste, PerguntaSemIcone) {
    PlataformaQt real;
    Plataforma& p = real;
    QMessageBox::Icon icone = QMessageBox::Question;
    QString titulo;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* caixa = qobject_cast<QMessageBox*>(w); caixa && caixa->isVisible()) {
                icone = caixa->icon();
                titulo = caixa->windowTitle();
                caixa->button(QMessageBox::Yes)->click();
            }
    });
    EXPECT_TRUE(p.pergunta("Você confirma a exclusão?"));
    EXPECT_EQ(icone, QMessageBox::NoIcon);
    EXPECT_EQ(titulo, "Quelmar");
}

}  // namespace
