#include "access/janela_acesso.h"
#include "access/carga_acesso.h"
#include "data/datas.h"
#include "support/plataforma_falsa.h"
#include "widgets/caixa_texto.h"
#include "support/colunas_cortadas.h"
#include "support/janela_principal_teste.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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
class ProgramaAcesso : public ::testing::Test {
protected:
    ProgramaAcesso() { p.defineAgora(kAgora); }

    QString arquivo() const { return QDir(p.pastaPrograma()).filePath("dados.mdb"); }
    void fechaPrograma() {
        acesso.reset();
        a.reset();
        ctx.reset();
    }
    // A fresh file from a first start now, changed by `muda` and closed.
    void preparaBanco(const std::function<void(Banco&)>& muda) {
        fechaPrograma();
        QFile::remove(arquivo());
        Contexto antes(p);
        ASSERT_TRUE(carrega_banco(antes).ok);
        muda(antes.estado.db);
        antes.estado.db.fecha();
    }
    bool inicia() {
        fechaPrograma();
        p.mensagens.clear();
        p.encerramentos = 0;
        ctx = std::make_unique<Contexto>(p);
        a = std::make_unique<JanelaPrincipalTeste>(*ctx);
        acesso = std::make_unique<JanelaAcesso>(*ctx, *a);
        const bool ok = acesso->Form_Load();
        acesso->show();
        return ok;
    }
    Estado& estado() { return ctx->estado; }
    QString valor(const QString& sql) { return ctx->estado.db.valor(sql).toString(); }
    void entra(const QString& usuario, const QString& senha) {
        p.mensagens.clear();
        acesso->usu->setText(usuario);
        acesso->sen->setText(senha);
        QTest::mouseClick(acesso->Command1, Qt::LeftButton);   // the button takes the focus
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
    std::unique_ptr<JanelaPrincipalTeste> a;
    std::unique_ptr<JanelaAcesso> acesso;
};

TEST_F(ProgramaAcesso, PrimeiroInicioCriaOArquivoEEntraComoAdmin) {
    ASSERT_TRUE(inicia());
    EXPECT_EQ(p.textosMensagens(), QStringList{"Verifique a data e hora do sistema. Se estiverem "
                                               "incorretos, corrija e clique em OK."});
    EXPECT_EQ(valor("SELECT count(*) || data || quote(bobina) || quote(avanco_bobina) || "
                    "(SELECT data || hora FROM data_hora) FROM geral"),
              "12026-12-07NULLNULL2026-12-0710:00:00");
    EXPECT_FALSE(acesso->usu->isEnabled() || acesso->sen->isEnabled());

    entra("", "");
    ASSERT_TRUE(entrou());
    EXPECT_EQ(estado().usuario_atual, "admin");
    EXPECT_EQ(botoesBarra(), (std::vector<bool>{true, false, false, false, false, false, false, true}));
    EXPECT_EQ((std::vector<bool>{a->Command1->isEnabled(), a->Command2->isEnabled(),
                                 a->Command8->isEnabled(), a->Frame1->isEnabled(),
                                 a->Frame3->isEnabled(), habilitado(a->grid1)}),
              (std::vector<bool>{true, false, false, false, false, false}));
    // Null receipt fields get their defaults, in the program and in the file.
    EXPECT_EQ(estado().bobina * 100 + estado().avanco_bobina, 4010);
    EXPECT_EQ(valor("SELECT bobina || '/' || avanco_bobina FROM geral"), "40/10");
}

// Today is recorded at every start, so the next one compares with it.
TEST_F(ProgramaAcesso, AvisaQuandoOUltimoAcessoPassaDeCincoDias) {
    for (int dias : {5, 6}) {
        SCOPED_TRACE(dias);
        preparaBanco([&](Banco& db) {
            db.executa("UPDATE geral SET data = ?", {dataParaBanco(kAgora.date().addDays(-dias))});
        });
        ASSERT_TRUE(inicia());
        EXPECT_EQ(p.textosMensagens(),
                  dias > 5 ? QStringList{"Data do sistema não pode ser mais que 5 dias superior ao "
                                         "último acesso!\r\nÚltimo acesso: 01/12/2026\r\nData "
                                         "atual: 07/12/2026\r\nCorrija a data do sistema e clique "
                                         "em OK!"}
                           : QStringList{});
        EXPECT_EQ(valor("SELECT data FROM geral"), "2026-12-07");
    }
}

// The clock is checked first, against the last moment recorded; its refusals end the program.
TEST_F(ProgramaAcesso, RecusasDaEntradaEOndeVaiOFoco) {
    preparaBanco([](Banco& db) {
        usuario(db, 1, "o'Neil", "S'gredo");
        usuario(db, 2, "velho", "v", "pri", true);
    });
    ASSERT_TRUE(inicia());
    const struct {
        int segundos;
        const char *usuario, *senha, *mensagem;
        char foco;   // 'u' or 's'; 0: the program ends
    } casos[] = {
        {0, "  ", "  ", "Há usuários cadastrados. Digite o usuário e senha.", 'u'},
        {0, "  ", "x", "Preencha o usuário.", 'u'},
        {0, "o'Neil", "  ", "Preencha a senha.", 's'},
        {0, "bia", "x", "Usuário não existente.", 'u'},
        {0, "velho", "v", "Usuário não existente.", 'u'},
        {0, "o'Neil", "s'gredo", "Senha incorreta.", 's'},
        {-1, "o'Neil", "S'gredo",
         "Hora do sistema não pode ser inferior à 10:00:00. Corrija e entre no sistema novamente.", 0},
        {-86400, "", "",
         "Data do sistema não pode ser inferior à 07/12/2026. Corrija e entre no sistema novamente.", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.usuario) + "/" + c.senha + "/" + std::to_string(c.segundos));
        p.defineAgora(kAgora.addSecs(c.segundos));
        p.encerramentos = 0;
        entra(QString::fromUtf8(c.usuario), c.senha);
        EXPECT_EQ(p.textosMensagens(), QStringList{QString::fromUtf8(c.mensagem)});
        EXPECT_EQ(p.encerramentos, c.foco ? 0 : 1);
        if (c.foco) { EXPECT_EQ(acesso->focusWidget(), c.foco == 's' ? acesso->sen : acesso->usu); }
        EXPECT_FALSE(a->isVisible());
    }
    // The name matches in any letter case and is kept as typed.
    p.defineAgora(kAgora);
    entra("O'NEIL", "S'gredo");
    ASSERT_TRUE(entrou());
    EXPECT_EQ(estado().usuario_atual, "O'NEIL");
}

TEST_F(ProgramaAcesso, TerceiraSenhaErradaEncerra) {
    preparaBanco([](Banco& db) { usuario(db, 1, "ana", "a1"); });
    ASSERT_TRUE(inicia());
    entra("ana", "x");
    entra("bia", "x");   // not a wrong password
    entra("ana", "y");
    EXPECT_EQ(p.encerramentos, 0);
    entra("ana", "z");
    EXPECT_EQ(p.textosMensagens(),
              (QStringList{"Senha incorreta.", "Número máximo de tentativas esgotado."}));
    EXPECT_EQ(p.encerramentos, 1);
}

// A user with the main screen gets his own open register, else another's, else none.
TEST_F(ProgramaAcesso, ProcuraDoCaixaAoEntrar) {
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
        preparaBanco([&](Banco& db) {
            usuario(db, 1, "ana", "a1", "pri men bac");
            db.executa("UPDATE geral SET mostrar_lista = 1");
            for (const auto& [dono, aberto] : c.caixas)
                db.executa("INSERT INTO caixa (usuario, aberto) VALUES (?, ?)", {dono, aberto});
        });
        ASSERT_TRUE(inicia());
        a->Frame2->setEnabled(true);   // so that the login's own effect shows
        entra("ana", "a1");
        ASSERT_TRUE(entrou());
        EXPECT_EQ(botoesBarra(), (std::vector<bool>{false, true, false, false, false, false, true, true}));
        EXPECT_EQ(estado().numero_caixa, c.numero);
        const bool aberto = c.numero != 0;
        EXPECT_EQ((std::vector<bool>{a->Command1->isEnabled(), a->Command2->isEnabled(),
                                     a->Command8->isEnabled(), a->Command9->isEnabled(),
                                     a->Frame1->isEnabled(), habilitado(a->Frame2)}),
                  (std::vector<bool>{!aberto, aberto, aberto, aberto, aberto, !c.outro}));
        EXPECT_EQ(a->mensagem->text().isEmpty(), !c.outro);
        // Another user's register hides the yard list; the clock shows from the first moment.
        EXPECT_EQ(a->Frame3->isVisible(), !c.outro);
        EXPECT_EQ(a->paineis[2]->text(), "Hora: 10:00:00");
        // The first focus: "Abert. de Caixa" with none open, the ticket field with one, where
        // the lane's keys act at once.
        EXPECT_EQ(a->focusWidget(), aberto ? static_cast<QWidget*>(a->tic) : a->Command1);
        if (aberto) {
            QTest::keyClick(a->focusWidget(), Qt::Key_F2);
            EXPECT_TRUE(a->Option1->isChecked());
            EXPECT_EQ(a->focusWidget(), a->pla);
        }
        // A settings save leaves the list as the register has it; closed here, the other user's
        // register no longer hides it, nor greys it, nor is told of.
        a->aplicaGeral({.mostrar_lista = true});
        EXPECT_EQ(a->Frame3->isVisible(), !c.outro);
        estado().numero_caixa = 0;
        a->mostraCaixa();
        EXPECT_TRUE(a->Frame3->isVisible() && habilitado(a->Frame3));
        EXPECT_EQ(a->mensagem->text(), "");
    }
}

// A user without the main screen's right, logged in by mouse or by keys, with a register of his
// open or none: no register can be opened, and no key, Enter or click of the main window
// registers a car or a payment.
TEST_F(ProgramaAcesso, SemTelaPrincipalNadaDaPista) {
    for (const int caso : {0, 1, 2, 3}) {
        const bool teclado = caso & 1, caixaAberto = caso & 2;
        SCOPED_TRACE(caso);
        preparaBanco([&](Banco& db) {
            usuario(db, 1, "rel", "r1", "rel");
            if (caixaAberto) db.executa("INSERT INTO caixa (usuario, aberto) VALUES ('rel', 1)");
        });
        ASSERT_TRUE(inicia());
        int acoes = 0;
        for (auto* gancho : {&a->abreAberturaCaixa, &a->abreFechamentoCaixa, &a->abrePagamentoMensalista,
                             &a->abreValorCaixa, &a->abreCancelamento})
            *gancho = [&acoes] { ++acoes; };
        a->registraEntrada = [&acoes](const CamposEntrada&, bool) { return ++acoes, ResultadoPista(); };
        a->registraSaida = [&acoes](const CamposSaida&, bool) { return ++acoes, ResultadoPista(); };
        if (teclado) {
            QTest::keyClicks(acesso->usu, "rel");
            QTest::keyClick(acesso->usu, Qt::Key_Return);
            QTest::keyClicks(acesso->sen, "r1");
            QTest::keyClick(acesso->sen, Qt::Key_Return);
        } else {
            entra("rel", "r1");
        }
        ASSERT_TRUE(entrou());
        for (QWidget* w : std::initializer_list<QWidget*>{a->Command1, a->Command2, a->Command8, a->Command9, a->Frame1})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        QWidget* alvo = a->focusWidget() ? a->focusWidget() : a.get();
        for (Qt::Key k : {Qt::Key_F2, Qt::Key_Return, Qt::Key_F4, Qt::Key_F5}) QTest::keyClick(alvo, k);
        for (QPushButton* b : {a->Command1, a->Command8, a->Command9, a->Command5})
            QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_FALSE(a->Option1->isChecked() || a->Option2->isChecked());
        EXPECT_EQ(acoes + estado().numero_caixa, 0);
    }
}

// The notice comes before the first rows: the operator who sets a wrong future clock back
// while it is on screen gets rows stamped with the corrected clock, and the login lets him in.
TEST_F(ProgramaAcesso, PrimeiroInicioAvisaAntesDeGravar) {
    p.defineAgora(QDateTime(QDate(2027, 3, 1), QTime(18, 0)));
    bool arquivoNoAviso = true;
    p.aoMostrar = [&] {
        arquivoNoAviso = QFile::exists(arquivo());
        p.defineAgora(kAgora);
    };
    ASSERT_TRUE(inicia());
    p.aoMostrar = nullptr;
    EXPECT_FALSE(arquivoNoAviso);
    EXPECT_EQ(valor("SELECT data || ' ' || hora || ' ' || (SELECT data || ' ' || hora FROM "
                    "data_hora) FROM geral"),
              "2026-12-07 10:00:00 2026-12-07 10:00:00");
    entra("", "");
    EXPECT_TRUE(entrou());
    EXPECT_EQ(p.encerramentos, 0);
}

// The program ends with one clear message and the file stays as it was.
TEST_F(ProgramaAcesso, ArquivoIlegivelEncerraSemTocarNele) {
    QFile f(arquivo());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("lixo");
    f.close();
    EXPECT_FALSE(inicia());
    ASSERT_EQ(p.mensagens.size(), 1u);
    EXPECT_EQ(p.mensagens[0].icone, Icone::Critico);
    EXPECT_TRUE(p.mensagens[0].texto.endsWith("O programa será encerrado."));
    EXPECT_EQ(p.encerramentos, 1);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "lixo");
}

}  // namespace

TEST(CodigoAliquota, ImpostoETaxa) {
    const struct {
        const char* imposto;
        std::optional<qint64> reais;
        const char* codigo;
    } casos[] = {{"ST", 17, "FF"},  {"Isento", 3, "II"}, {"", 3, "0300"},  {"", 12, "1200"},
                 {"", 17, "1700"},  {"", 25, "2500"},    {"", 18, "XX"},   {"", std::nullopt, "XX"}};
    for (const auto& c : casos) {
        const auto taxa = c.reais ? std::optional(Dinheiro::reais(*c.reais)) : std::nullopt;
        EXPECT_EQ(codigo_aliquota_de(c.imposto, taxa, "XX"), c.codigo)
            << c.imposto << c.reais.value_or(-1);
    }
}

// Which printers are set decides the two print buttons, the same after the login as after F2
// and F4: either printer offers both, though the entry prints only on the ticket printer.
TEST_F(ProgramaAcesso, BotoesDeImpressaoPelasImpressoras) {
    const struct {
        const char* impressora;
        const char* fiscal;
        bool entrada, saida;
    } casos[] = {
        {" ", " ", false, false},
        {"LPT1", " ", true, true},
        {" ", "Daruma FS345", true, true},
        {"LPT2", "Daruma FS345", true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.impressora) + "/" + c.fiscal);
        preparaBanco([&](Banco& db) {
            usuario(db, 1, "ana", "a1", "pri");
            db.executa("UPDATE geral SET impressora = ?, impressora_fiscal = ?",
                       {QString(c.impressora), QString(c.fiscal)});
            db.executa("INSERT INTO caixa (usuario, aberto) VALUES ('ana', 1)");
        });
        ASSERT_TRUE(inicia());
        EXPECT_EQ(habilitado(a->Command6), c.entrada);
        EXPECT_EQ(habilitado(a->Command7), c.saida);
        entra("ana", "a1");
        ASSERT_TRUE(entrou());
        QTest::keyClick(a->focusWidget(), Qt::Key_F2);
        EXPECT_EQ(habilitado(a->Command6), c.entrada);
        QTest::keyClick(a->focusWidget(), Qt::Key_F4);
        EXPECT_EQ(habilitado(a->Command7), c.saida);
    }
}

// The yard list's columns keep the login's widths, widened where this system's font would
// cut a heading, a tag, a plate, a date or a time: the widest plates parked after the login too.
TEST_F(ProgramaAcesso, ColunasDaListaNaoCortamPlacaDataEHora) {
    preparaBanco([&](Banco& db) {
        usuario(db, 1, "ana", "a1", "pri");
        db.executa("UPDATE geral SET mostrar_lista = 1");
    });
    ASSERT_TRUE(inicia());
    entra("ana", "a1");
    ASSERT_TRUE(entrou());
    const int minimas[] = {23, 56, 52, 50};
    for (int i = 0; i < 4; ++i) EXPECT_GE(a->grid1->columnWidth(i), minimas[i]) << i;
    estado().db.executa("INSERT INTO veiculos_patio (placa, prisma, data_entrada, hora_entrada) VALUES "
                        "('WWW-WWWW', 999, '2026-12-28', '23:59:59'), ('MMM-MMMM', 999, '2026-12-28', '23:59:59')");
    a->atualiza_lista_patio();
    QApplication::processEvents();
    EXPECT_EQ(colunasCortadas(*a->grid1), QList<int>{});
}
