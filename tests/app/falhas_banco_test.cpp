// A database that refuses the work of a window: each window tells what it could not do, in
// Portuguese, leaves the data as it was and stays in use.

#include "widgets/caixa_texto.h"
#include "access/janela_usuarios.h"
#include "app/falha_solta.h"
#include "branches/janela_cadastro_filiais.h"
#include "branches/janela_envio_tickets.h"
#include "cash/abe_cai.h"
#include "cash/fec_cai.h"
#include "cash/val_cai.h"
#include "config/diaria_aba.h"
#include "config/janela_configuracao.h"
#include "reports/janela_relatorios.h"
#include "subscribers/consulta_mensalistas.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "subscribers/troca_codigo_dialogo.h"
#include "support/pista_janela.h"
#include "widgets/campo_entrada.h"
#include "yard/can.h"
#include "yard/cancelas.h"
#include "yard/janela_lista_patio.h"
#include "yard/lista_cancela.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

class FalhasBanco : public PistaTest {
protected:
    // Every row of the tables, as text, to tell whether anything changed.
    QStringList conteudo(const QStringList& tabelas) {
        QStringList r;
        for (const QString& t : tabelas) {
            QSqlQuery q = amb.db().executa(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(t));
            while (q.next()) {
                QStringList campos;
                for (int i = 0; i < q.record().count(); ++i) campos << q.value(i).toString();
                r << t + QLatin1Char(':') + campos.join(u'|');
            }
        }
        return r;
    }
    void mensalistaNoBanco() {
        amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (7, 'Centro')");
        amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                         "VALUES (3, 'Mensal', 1000000, 10)");
        amb.db().executa("INSERT INTO mensalistas (codigo, nome, data_inicio, tipo, dia_vencto, valor, "
                         "filial, excluido, num_max_veic, tolerancia) "
                         "VALUES (1, 'Ana', '2008-03-16', 3, 10, 1000000, 7, 0, 1, 0)");
    }
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
    std::unique_ptr<JanelaMensalistas> men;
    MemoriaConfiguracao memoria;
};

template <typename W>
W* cria(std::unique_ptr<QWidget>& dono, W* janela) {
    dono.reset(janela);
    janela->show();
    return janela;
}

}  // namespace

// One handler of each window, the database refusing it: a write on a read-only file, or a read
// of a table that cannot be read. The message says what could not be done and why, the data is
// as it was, and the window is still there, in use.
TEST_F(FalhasBanco, CadaJanelaDizOQueNaoFoiFeito) {
    using Dono = std::unique_ptr<QWidget>;
    struct Caso {
        const char* janela;
        const char* ilegivel;   // the table that cannot be read; nullptr: the file refuses writes
        QStringList conferidas;
        std::function<void()> prepara;
        std::function<QWidget*(Dono&)> age;   // opens the window and runs its handler
        const char* inicio;
    };
    Contexto& ctx = amb.ctx;
    PlataformaFalsa& p = amb.plataforma;
    const Caso casos[] = {
        {"usu", nullptr, {"usuarios"}, nullptr,
         [&](Dono& d) {
             auto* j = cria(d, new JanelaUsuarios(ctx));
             j->usu->setText("novo");
             j->sen->setText("x");
             j->checks[0]->setChecked(true);
             j->Command2->click();
             return j;
         },
         "Não foi possível gravar o usuário. Nada foi gravado.\n"},
        {"abe_cai", nullptr, {"caixa"}, nullptr,
         [&](Dono& d) {
             auto* j = cria(d, new AberturaCaixa(ctx, janela));
             j->tro->setText("50,00");
             j->Command1->click();
             return j;
         },
         "Não foi possível abrir o caixa. Nada foi gravado.\n"},
        {"fec_cai", nullptr, {"caixa", "fechamento_caixa"},
         [&] {
             amb.db().executa("INSERT INTO caixa (numero, usuario, data_abertura, hora_abertura, "
                              "aberto, troco) VALUES (1, 'maria', '2026-12-07', '07:45:12', 1, 0)");
             abreCaixa(1);
             p.responde({true});
         },
         [&](Dono& d) {
             auto* j = cria(d, new FechamentoCaixa(ctx, janela));
             j->Command1->click();
             return j;
         },
         "Não foi possível fechar o caixa. O caixa continua aberto e nada foi alterado.\n"},
        {"val_cai", "registro_saida", {}, [&] { abreCaixa(1); },
         [&](Dono& d) { return cria(d, new ValorCaixa(ctx)); },
         "Não foi possível calcular o valor em caixa.\n"},
        {"con", nullptr, {"diaria"}, nullptr,
         [&](Dono& d) {
             auto* j = cria(d, new JanelaConfiguracao(ctx, janela, memoria));
             j->diaria->tem_dia->setText("24");
             j->diaria->val_dia->setText("30,00");
             j->diaria->Command18->click();
             return j;
         },
         "Não foi possível gravar a diária. Nada foi gravado.\n"},
        {"men", nullptr, {"mensalistas"}, [&] { mensalistaNoBanco(); },
         [&](Dono& d) {
             auto* j = cria(d, new JanelaMensalistas(ctx, &janela));
             j->mostra_mensalista(*leFichaMensalista(amb.db(), {1, 7}));
             p.responde({true});
             j->Command4->click();
             return j;
         },
         "Não foi possível excluir o mensalista. Nada foi gravado.\n"},
        {"cons_men", "mensalistas", {},
         [&] {
             mensalistaNoBanco();
             men = std::make_unique<JanelaMensalistas>(ctx, &janela);
         },
         [&](Dono& d) { return cria(d, new ConsultaMensalistas(ctx)); },
         "Não foi possível ler a lista de mensalistas.\n"},
        {"tro_cod", nullptr, {"mensalistas"},
         [&] {
             mensalistaNoBanco();
             men = std::make_unique<JanelaMensalistas>(ctx, &janela);
             men->mostra_mensalista(*leFichaMensalista(amb.db(), {1, 7}));
         },
         [&](Dono& d) {
             auto* j = cria(d, new TrocaCodigoDialogo(ctx, *men));
             j->nov->setText("5");
             j->Command1->click();
             return j;
         },
         "Não foi possível alterar o código do mensalista. Nada foi gravado.\n"},
        {"pag_men", nullptr, {"pagamento_mensalidade", "mensalidades"},
         [&] {
             mensalistaNoBanco();
             p.defineAgora(QDateTime(QDate(2008, 3, 16), QTime(10, 0)));
             ctx.estado.data_atual = QDate(2008, 3, 16);
             ctx.estado.numero_caixa = 4;
         },
         [&](Dono& d) {
             auto* j = cria(d, new JanelaPagamento(ctx));
             j->men->setCurrentIndex(j->men->findText("Ana"));
             j->Command1->click();
             j->mes->setText("03/08");
             j->Command2->click();
             return j;
         },
         "Não foi possível registrar o pagamento da mensalidade. Nada foi gravado.\n"},
        {"rel", "usuarios", {},
         [&] {
             QFile::copy(QDir(QStringLiteral(QUELMAR_MODELOS)).filePath("rel_usu.rpt"),
                         QDir(p.pastaPrograma()).filePath("rel_usu.rpt"));
         },
         [&](Dono& d) {
             auto* j = cria(d, new JanelaRelatorios(ctx));
             j->Option1->setChecked(true);
             j->Command1->click();
             // The report is read beside the events: until it has failed.
             while (j->cr.construindo()) QCoreApplication::processEvents();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
             return j;
         },
         "Não foi possível gerar o relatório \"Relatório de Usuários\".\n"},
        {"can", nullptr, {"veiculos_patio", "cancelamento_ticket"},
         [&] {
             abreCaixa(3);
             estaciona(amb, "ABC-1234", 123);
         },
         [&](Dono& d) {
             auto* j = cria(d, new Cancelamento(ctx, janela));
             j->tic->setText("123");
             j->Command1->click();
             return j;
         },
         "Não foi possível cancelar o ticket. O veículo continua no pátio e nada foi gravado.\n"},
        {"lis", "veiculos_patio", {}, [&] { estaciona(amb, "ABC-1234", 123); },
         [&](Dono& d) { return cria(d, new JanelaListaPatio(ctx, nullptr)); },
         "Não foi possível ler os veículos do pátio.\n"},
        {"lis_ent", nullptr, {"lista_entrada"},
         [&] {
             amb.db().executa("INSERT INTO lista_entrada (placa, data_entrada, hora_entrada) "
                              "VALUES ('ABC-1234', '2024-03-05', '14:35:00')");
         },
         [&](Dono& d) {
             auto* j = cria(d, new ListaCancela(ctx, janela, cancelas, Lado::Entrada));
             j->Command1->click();
             return j;
         },
         "Não foi possível retirar o veículo da lista. Nada foi gravado.\n"},
        {"fil_cad", nullptr, {"filiais"}, nullptr,
         [&](Dono& d) {
             auto* j = cria(d, new JanelaCadastroFiliais(ctx));
             j->Command1->click();
             j->nom->setText("Centro");
             j->Command2->click();
             return j;
         },
         "Não foi possível gravar a filial. Nada foi gravado.\n"},
        {"fil_env", "filiais", {}, nullptr,
         [&](Dono& d) { return cria(d, new JanelaEnvioTickets(ctx)); },
         "Não foi possível ler a lista de filiais.\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.janela);
        // Each window over a database of its own.
        amb.db().executa("PRAGMA query_only = 0");
        for (const char* t : {"usuarios", "caixa", "fechamento_caixa", "diaria", "mensalistas",
                              "tipos_mensalistas", "filiais", "pagamento_mensalidade", "mensalidades",
                              "veiculos_patio", "cancelamento_ticket", "lista_entrada"})
            amb.db().executa(QStringLiteral("DELETE FROM %1").arg(t));
        ctx.estado.numero_caixa = 0;
        men.reset();
        p.mensagens.clear();
        p.avisos.clear();
        if (c.prepara) c.prepara();
        const QStringList antes = conteudo(c.conferidas);

        if (c.ilegivel) amb.db().executa(QStringLiteral("ALTER TABLE %1 RENAME TO fora").arg(c.ilegivel));
        else amb.db().executa("PRAGMA query_only = 1");
        Dono dono;
        QWidget* j = c.age(dono);
        if (c.ilegivel) amb.db().executa(QStringLiteral("ALTER TABLE fora RENAME TO %1").arg(c.ilegivel));
        else amb.db().executa("PRAGMA query_only = 0");

        // A failure that arrives by itself (a report read beside the events) is a notice.
        std::vector<MensagemVista> ditas = p.mensagens;
        for (const AvisoVisto& a : p.avisos) ditas.push_back({a.texto, a.icone, {}});
        const auto criticas = std::count_if(ditas.begin(), ditas.end(),
                                            [](const MensagemVista& m) { return m.icone == Icone::Critico; });
        EXPECT_EQ(criticas, 1) << p.textosMensagens().join(" | ").toStdString();
        ASSERT_FALSE(ditas.empty());
        const QString& texto = ditas.back().texto;
        EXPECT_TRUE(texto.startsWith(QString::fromUtf8(c.inicio))) << texto.toStdString();
        // The cause follows, in Portuguese: the read-only file by name, or the refused read.
        EXPECT_TRUE(c.ilegivel ? texto.contains("O banco de dados recusou a operação")
                               : texto.contains(amb.db().caminho() + " está protegido contra gravação"))
            << texto.toStdString();
        EXPECT_EQ(conteudo(c.conferidas), antes);
        EXPECT_EQ(p.encerramentos, 0);
        EXPECT_TRUE(j->isVisible() && j->isEnabled()) << "the window stays in use";
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "no hourglass left behind";
    }
}

// What no window caught is told instead of ending the program.
TEST(FalhaSolta, DitaEmPortuguesSemEncerrar) {
    PlataformaFalsa p;
    EXPECT_TRUE(entregaSemEncerrar(p, [] { return true; }));
    EXPECT_FALSE(entregaSemEncerrar(p, []() -> bool {
        throw ErroBanco(QStringLiteral("O arquivo dados.mdb está em uso por outro programa."));
    }));
    EXPECT_FALSE(entregaSemEncerrar(p, []() -> bool { throw std::out_of_range("linha 3"); }));
    ASSERT_EQ(p.mensagens.size(), 2u);
    EXPECT_EQ(p.mensagens[0].texto, "Não foi possível concluir a operação.\n"
                                    "O arquivo dados.mdb está em uso por outro programa.");
    EXPECT_EQ(p.mensagens[1].texto, "Não foi possível concluir a operação: erro interno (linha 3).");
    EXPECT_EQ(p.mensagens[1].icone, Icone::Critico);
    EXPECT_EQ(p.encerramentos, 0);
}

// A window opened from the main window works under its own hourglass: none stays over it while
// it is open.
TEST_F(FalhasBanco, JanelaAbertaSemAmpulheta) {
    abreCaixa(1);
    bool comAmpulheta = true;
    janela.abreValorCaixa = [&] { comAmpulheta = QGuiApplication::overrideCursor() != nullptr; };
    janela.Command9->click();
    EXPECT_FALSE(comAmpulheta);
}
