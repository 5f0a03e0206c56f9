#include "programa/liga_janelas.h"
#include "reports/janela_relatorios.h"
#include "reports/relatorio_teste.h"
#include "support/janela_principal_teste.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class JanelaRelatoriosTest : public RelatorioTeste {
protected:
    JanelaRelatorios janela{amb.ctx};

    QString arquivoPedido() const {
        return janela.cr.pedido().arquivo.mid(amb.plataforma.pastaPrograma().size() + 1);
    }
    // As the report reads them.
    QStringList formulas() {
        const auto f = textosFormulas(janela.cr.pedido(), amb.db());
        return {f[0], f[1], f[2]};
    }
};

}  // namespace

TEST_F(JanelaRelatoriosTest, HabilitacaoPorOpcao) {
    // Opens with "Usuários" chosen, yet the branch enabled: no option handler has run.
    EXPECT_EQ(janela.objectName(), "rel");
    EXPECT_TRUE(janela.Option1->isChecked() && janela.fil->isEnabled());
    EXPECT_FALSE(janela.Check1->isEnabled() || janela.Check2->isEnabled() || janela.dat_ini->isEnabled());
    EXPECT_EQ(janela.dat_ini->displayText(), kDataVazia);

    const struct {
        QRadioButton* JanelaRelatorios::*opcao;
        bool datas, datasDet, checks, filial;
    } casos[] = {
        {&JanelaRelatorios::Option4, false, false, true, true},
        {&JanelaRelatorios::Option5, true, false, true, true},   // the boxes stay enabled
        {&JanelaRelatorios::Option3, false, false, true, false},
        {&JanelaRelatorios::Option6, false, true, true, true},
        {&JanelaRelatorios::Option7, false, false, true, true},
        {&JanelaRelatorios::Option2, false, false, true, false},
        {&JanelaRelatorios::Option1, false, false, true, false},
    };
    for (const auto& c : casos) {
        janela.fil->setText("3");
        (janela.*c.opcao)->setChecked(true);
        const QString nome = (janela.*c.opcao)->objectName();
        EXPECT_EQ(janela.dat_ini->isEnabled(), c.datas) << nome.toStdString();
        EXPECT_EQ(janela.dat_fim->isEnabled(), c.datas) << nome.toStdString();
        EXPECT_EQ(janela.dat_ini_det->isEnabled(), c.datasDet) << nome.toStdString();
        EXPECT_EQ(janela.dat_fim_det->isEnabled(), c.datasDet) << nome.toStdString();
        EXPECT_EQ(janela.Check1->isEnabled() && janela.Check2->isEnabled(), c.checks) << nome.toStdString();
        EXPECT_EQ(janela.fil->isEnabled(), c.filial) << nome.toStdString();
        // Options without a branch empty it; the others keep what was typed.
        EXPECT_EQ(janela.fil->displayText(), c.filial ? "3 " : kFilialVazia) << nome.toStdString();
    }
    janela.Option4->setChecked(true);
    EXPECT_EQ(janela.fil->displayText(), kFilialVazia);

    janela.Check1->setChecked(true);
    janela.Check2->setChecked(true);
    EXPECT_FALSE(janela.Check1->isChecked());
    janela.Check1->setChecked(true);
    EXPECT_FALSE(janela.Check2->isChecked());
    janela.Check1->setChecked(false);
    EXPECT_FALSE(janela.Check1->isChecked() || janela.Check2->isChecked());
}

TEST_F(JanelaRelatoriosTest, PedidoDeCadaOpcao) {
    const QString rodape = "rodape='Estacionamento Central'";
    const QString faixaSaida = "({registro_saida.data_saida}>=#2008/03/01# and {registro_saida.data_saida}<=#2008/03/31#)";
    const QString faixaPgto = "({pagamento_mensalidade.data}>=#2008/03/01# and {pagamento_mensalidade.data}<=#2008/03/31#)";
    const struct {
        QRadioButton* JanelaRelatorios::*opcao;
        bool porTipo, porVencto;
        const char* filial;
        const char* arquivo;
        QString titulo, selecao;
        QStringList formulas, ordem;
        QString selecaoSub;
    } casos[] = {
        {&JanelaRelatorios::Option1, false, false, "  ", "rel_usu.rpt", "Relatório de Usuários", "",
         {"titulo=''", "", rodape}, {"", ""}, ""},
        {&JanelaRelatorios::Option2, false, false, "  ", "rel_tab.rpt", "Tabela de Preços", "",
         {"titulo=''", "", rodape}, {"", ""}, ""},
        {&JanelaRelatorios::Option4, true, false, "  ", "rel_men.rpt", "Relatório de Mensalistas",
         "{mensalistas.excluido}=FALSE", {"titulo=''", "", rodape},
         {"+{tipos_mensalistas.tipo}", "+{mensalistas.nome}"}, ""},
        // The sort fields stay on the component from the last subscriber report.
        {&JanelaRelatorios::Option3, false, false, "  ", "rel_con.rpt", "Relatório de Convênios", "",
         {"titulo=''", "", rodape}, {"+{tipos_mensalistas.tipo}", "+{mensalistas.nome}"}, ""},
        {&JanelaRelatorios::Option4, false, true, "  ", "rel_men_ven.rpt", "Relatório de Mensalistas",
         "{mensalistas.excluido}=FALSE", {"titulo=''", "", rodape}, {"", ""}, ""},
        {&JanelaRelatorios::Option7, false, false, "3 ", "rel_men_vei.rpt", "Relatório de Mensalistas com Veículos",
         "{mensalistas.excluido}=FALSE and {mensalistas.filial}=3 ", {"titulo=''", "", rodape}, {"", ""}, ""},
        {&JanelaRelatorios::Option7, false, true, "  ", "rel_men_vei_ven.rpt", "Relatório de Mensalistas com Veículos",
         "{mensalistas.excluido}=FALSE", {"titulo=''", "", rodape}, {"", ""}, ""},
        {&JanelaRelatorios::Option5, false, false, "  ", "rel_fat.rpt", "Relatório de Faturamento", faixaSaida,
         {"titulo='Faturamento entre 01/03/2008 e 31/03/2008'", "total_mensalidades= 230", rodape}, {"", ""},
         faixaPgto},
        // One branch restricts the stays, the monthly-fee total and the subreport alike.
        {&JanelaRelatorios::Option6, false, false, "2 ", "rel_fat_det.rpt", "Relatório de Faturamento Detalhado",
         faixaSaida + " and {registro_saida.filial}=2 ",
         {"titulo='Faturamento detalhado entre 01/03/2008 e 31/03/2008'", "total_mensalidades= 150", rodape},
         {"", ""}, faixaPgto + " and {pagamento_mensalidade.filial}=2 "},
    };
    for (QLineEdit* d : {janela.dat_ini, janela.dat_ini_det}) d->setText("01/03/2008");
    for (QLineEdit* d : {janela.dat_fim, janela.dat_fim_det}) d->setText("31/03/2008");
    for (const auto& c : casos) {
        (janela.*c.opcao)->setChecked(true);
        janela.Check1->setChecked(c.porTipo);
        janela.Check2->setChecked(c.porVencto);
        janela.fil->setText(QString::fromLatin1(c.filial));
        const size_t vistos = amb.plataforma.visualizados.size();
        janela.Command1_Click();
        esperaRelatorio(amb.plataforma, janela.cr);
        SCOPED_TRACE(c.arquivo);
        EXPECT_TRUE(amb.plataforma.mensagens.empty()) << amb.plataforma.textosMensagens().join("\n").toStdString();
        ASSERT_EQ(amb.plataforma.visualizados.size(), vistos + 1);
        EXPECT_EQ(amb.plataforma.visualizados.back().titulo, c.titulo);
        const PedidoRelatorio& p = janela.cr.pedido();
        EXPECT_EQ(arquivoPedido(), c.arquivo);
        EXPECT_EQ(p.titulo, c.titulo);
        EXPECT_EQ(p.selecao, c.selecao);
        EXPECT_EQ(formulas(), c.formulas);
        EXPECT_EQ((QStringList{p.ordem[0], p.ordem[1]}), c.ordem);
        EXPECT_EQ(p.selecaoSub.value("rel_fat_mensalidades"), c.selecaoSub);
        EXPECT_TRUE(janela.cr.subrelatorio().isEmpty());
        EXPECT_EQ(janela.cr.ajustes().value(34), QVariant(true));
        EXPECT_EQ(janela.cr.ajustes().value(67), QVariant(2));
    }
}

TEST_F(JanelaRelatoriosTest, DatasEArquivoVerificadosAntes) {
    janela.Option5->setChecked(true);
    QFile::remove(amb.plataforma.pastaPrograma() + "/rel_fat.rpt");
    janela.dat_fim->setText("31/03/2008");
    janela.Command1_Click();   // the start date is tested even with the template missing
    janela.dat_ini->setText("31/02/2008");
    janela.Command1_Click();
    janela.dat_ini->setText("01/03/2008");
    janela.dat_fim->setText("  /03/2008");
    janela.Command1_Click();
    janela.dat_fim->setText(" 1/ 4/08");
    janela.Command1_Click();
    janela.Option6->setChecked(true);
    janela.dat_ini_det->setText("01/03/2008");
    janela.Command1_Click();
    const QString pasta = amb.plataforma.pastaPrograma();
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              (QStringList{"Data Inicial inválida.", "Data Inicial inválida.", "Data Final inválida.",
                           "Arquivo " + pasta + "/rel_fat.rpt não encontrado.", "Data Final inválida."}));
    for (const auto& m : amb.plataforma.mensagens) EXPECT_EQ(m.icone, Icone::Informacao);
    EXPECT_TRUE(amb.plataforma.visualizados.empty());
    EXPECT_EQ(janela.cr.selecao(), "");   // emptied before the checks
}

TEST_F(JanelaRelatoriosTest, RodapeComAEmpresaComoEla) {
    const struct {
        QVariant empresa;
        const char* formula;
        const char* rodape;
    } casos[] = {
        {"Estacionamento D'Ávila", "rodape='Estacionamento D''Ávila'", "Estacionamento D'Ávila"},
        {QVariant(), "rodape='Quelmar'", "Quelmar"},
        {"", "rodape=''", ""},
    };
    for (const auto& c : casos) {
        amb.db().executa("UPDATE geral SET empresa = ?", {c.empresa});
        janela.Command1_Click();
        esperaRelatorio(amb.plataforma, janela.cr);
        EXPECT_EQ(janela.cr.pedido().formulas[2], QString::fromUtf8(c.formula));
        ASSERT_FALSE(linhasVistas().isEmpty());
        EXPECT_EQ(linhasVistas().last(), QString::fromUtf8(c.rodape) + " | Página 1 de 1");
    }
}

TEST_F(JanelaRelatoriosTest, BotaoCincoAbreUmaJanelaSo) {
    JanelaPrincipalTeste a(amb.ctx);
    liga_janela_relatorios(amb.ctx, a);
    a.botoes[4]->trigger();
    a.botoes[4]->trigger();
    const auto janelas = a.findChildren<JanelaRelatorios*>("rel");
    ASSERT_EQ(janelas.size(), 1);
    EXPECT_TRUE(janelas[0]->isVisible());
    EXPECT_EQ(janelas[0]->windowTitle(), "Relatórios");
    janelas[0]->Command2_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(a.findChildren<JanelaRelatorios*>("rel").isEmpty());
}
