// Reports at an office, whose database holds the subscribers of two branches under the same
// codes, and the building of a report while the window keeps answering.

#include "reports/janela_relatorios.h"
#include "reports/relatorio.h"
#include "reports/relatorio_teste.h"
#include "subscribers/pagamento_mensalidade.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include <map>

namespace {

class EscritorioTest : public JanelaRelatoriosTeste {
protected:
    EscritorioTest() {
        // Besides 1 Zélia (branch 1) and 2 Bruno, 3 Ana (branch 2): 2 Diana at branch 1 and
        // 1 Eduardo at branch 2, each code with its own vehicles and payments.
        const auto x = [this](const char* sql) { amb.db().executa(QString::fromUtf8(sql)); };
        x("UPDATE geral SET escritorio = 1");
        x("INSERT INTO mensalistas (codigo, nome, tipo, dia_vencto, valor, filial, excluido, tel_cel, data_inicio) VALUES "
          "(2, 'Diana Melo', 2, 5, 800000, 1, 0, '9999-0002', '2008-01-14'), "
          "(1, 'Eduardo Dias', 1, 10, 1500000, 2, 0, '9999-0005', '2008-01-15')");
        x("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) VALUES "
          "(1, 'Fiat', '2001', 'ZZZ-0001', 1), (2, 'Moto', '2011', 'DDD-4444', 1), (1, 'Corsa', '2003', 'EEE-5555', 2)");
        x("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, adicional, filial) VALUES "
          "(1, '2008-03-01', 1500000, 2, '2008-03-12', '09:00:00', 0, 0, 2)");
    }

};

// Each group heading of a subscriber report with the plates listed under it.
std::map<QString, QStringList> placasPorMensalista(const QStringList& linhas) {
    std::map<QString, QStringList> r;
    QString atual;
    for (const QString& l : linhas) {
        if (l.contains(" - tel. ")) {
            EXPECT_EQ(r.count(l), 0u) << "cabeçalho repetido: " << l.toStdString();
            atual = l;
            r[atual];
        } else if (!atual.isEmpty() && l.count(" | ") == 2 && !l.startsWith("Veículo")) {
            r[atual] << l.section(" | ", 2, 2);
        }
    }
    return r;
}

}  // namespace

TEST_F(EscritorioTest, MensalistasComVeiculosListaCadaUmUmaVezComOsSeus) {
    const QString zelia = "1 (filial 1) - Zélia Souza", diana = "2 (filial 1) - Diana Melo",
                  eduardo = "1 (filial 2) - Eduardo Dias", bruno = "2 (filial 2) - Bruno Lima",
                  ana = "3 (filial 2) - Ana Reis";
    const std::map<QString, QStringList> todos = {{zelia, {"ZZZ-0001"}}, {diana, {"DDD-4444"}},
                                                  {eduardo, {"EEE-5555"}}, {bruno, {"CCC-3333"}},
                                                  {ana, {"AAA-1111", "BBB-2222"}}};
    const struct {
        bool porTipo, porVencto;
        QString filial;
        QStringList quem;
    } casos[] = {
        {false, false, "  ", {zelia, diana, eduardo, bruno, ana}},
        {true, false, "  ", {zelia, diana, eduardo, bruno, ana}},
        {false, true, "  ", {zelia, diana, eduardo, bruno, ana}},
        {false, false, "1", {zelia, diana}},
        {false, true, "2", {eduardo, bruno, ana}},
        {true, false, "2", {eduardo, bruno, ana}},
    };
    for (const auto& c : casos) {
        const auto vistos = placasPorMensalista(imprime(janela.Option7, c.porTipo, c.porVencto, c.filial));
        std::map<QString, QStringList> esperado;
        for (const QString& q : c.quem) esperado[q] = todos.at(q);
        std::map<QString, QStringList> porNome;
        for (const auto& [cabecalho, placas] : vistos) {
            // The heading without what comes after the name (and before the code, by due day).
            QString chave = cabecalho.section(" - ", c.porVencto ? 1 : 0, c.porVencto ? 2 : 1);
            porNome[chave] = placas;
        }
        EXPECT_EQ(porNome, esperado) << c.porTipo << c.porVencto << c.filial.toStdString();
    }
}

TEST_F(EscritorioTest, MensalistasUmaLinhaPorMensalistaComSuaFilial) {
    const struct {
        bool porTipo, porVencto;
        QString filial;
        QStringList linhas;   // code, branch and name
    } casos[] = {
        {false, false, "  ", {"3 | 2 | Ana Reis", "2 | 2 | Bruno Lima", "2 | 1 | Diana Melo", "1 | 2 | Eduardo Dias", "1 | 1 | Zélia Souza"}},
        {true, false, "  ", {"2 | 2 | Bruno Lima", "1 | 2 | Eduardo Dias", "1 | 1 | Zélia Souza", "3 | 2 | Ana Reis", "2 | 1 | Diana Melo"}},
        {false, true, "1", {"2 | 1 | Diana Melo", "1 | 1 | Zélia Souza"}},
    };
    for (const auto& c : casos) {
        QStringList vistas;
        for (const QString& l : imprime(janela.Option4, c.porTipo, c.porVencto, c.filial))
            if (l.count(" | ") == 7 && !l.startsWith("Código")) vistas << l.section(" | ", 0, 2);
        EXPECT_EQ(vistas, c.linhas) << c.porTipo << c.porVencto << c.filial.toStdString();
    }
}

// Payments taken at the branches carry their branch; those taken at this installation's own
// register carry none, and the month's row paid with them, or the installation's own branch,
// tells whose they are. A fee row names its payer and branch only when the rows single out one:
// never a subscriber who did not pay. With a branch typed, the fee rows and their total are the
// ones the whole report books to that branch, so the branches and the unbooked rows add up.
TEST_F(EscritorioTest, FaturamentoNomeiaOPagadorDeCadaMensalidade) {
    // At the office's register, as the payment window takes them: 2 Diana of branch 1 and
    // 1 Eduardo of branch 2, whose codes branches 2 and 1 use for others.
    const struct {
        qint64 codigo, filial;
        const char* data;
        qint64 valor;
    } noCaixa[] = {{2, 1, "2008-03-20", 800000}, {1, 2, "2008-03-21", 1500000}};
    for (const auto& c : noCaixa) {
        PedidoPagamento p;
        p.codigo = c.codigo;
        p.mes = QDate(2008, 1, 1);   // the month each started in
        p.valor = Dinheiro::bruto(c.valor);
        p.filial = c.filial;
        p.caixa = 9;
        p.data = QDate::fromString(c.data, Qt::ISODate);
        p.hora = QTime(10, 0);
        ASSERT_TRUE(efetua_pagamento(amb.db(), p).pago) << c.codigo;
    }
    ASSERT_EQ(amb.db().valor("SELECT count(*) FROM pagamento_mensalidade WHERE filial IS NULL").toInt(), 2);
    // A payment without a branch nor its month's row (an older row): the only subscriber of
    // code 3, or, once this is branch 2, the code's subscriber at branch 2.
    const auto x = [this](const char* sql) { amb.db().executa(QString::fromUtf8(sql)); };
    x("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, adicional) VALUES "
      "(3, '2008-02-01', 1500000, 9, '2008-03-22', '10:00:00', 0, 0), "
      "(1, '2008-02-01', 1500000, 9, '2008-03-23', '10:00:00', 0, 0)");
    // Office payments (no branch) that another subscriber of the code could have made, each
    // beside its control: 5 is Vítor (branch 1) and Wagner (2), 6 Vinícius (1) and Otávio (2),
    // 7 Ulisses, registered before there were branches, and Xavier (2).
    x("INSERT INTO mensalistas (codigo, nome, tipo, dia_vencto, valor, filial, excluido) VALUES "
      "(5, 'Vítor Peçanha', 1, 5, 1200000, 1, 0), (5, 'Wagner Prado', 1, 5, 1200000, 2, 0), "
      "(6, 'Vinícius Magalhães', 1, 5, 2500000, 1, 0), (6, 'Otávio Araújo', 1, 5, 2500000, 2, 0), "
      "(7, 'Ulisses Antigo', 1, 5, 1200000, NULL, 0), (7, 'Xavier Filial Dois', 1, 5, 1200000, 2, 0)");
    x("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, adicional, filial) VALUES "
      // Code 5's March, at branch 1 and at the office in the same second; February a second apart.
      "(5, '2008-03-01', 1200000, 7, '2008-03-24', '10:00:00', 0, 0, 1), "
      "(5, '2008-03-01', 1200000, 9, '2008-03-24', '10:00:00', 0, 0, NULL), "
      "(5, '2008-02-01', 1200000, 7, '2008-03-25', '10:00:00', 0, 0, 1), "
      "(5, '2008-02-01', 1200000, 9, '2008-03-25', '10:00:01', 0, 0, NULL), "
      // Vinícius's March at branch 1; Otávio's February at the office, whose row stands, and his
      // March there, whose row branch 2's file replaced later, unpaid.
      "(6, '2008-03-01', 2500000, 7, '2008-03-26', '08:00:00', 0, 0, 1), "
      "(6, '2008-02-01', 2500000, 9, '2008-03-27', '11:00:00', 0, 0, NULL), "
      "(6, '2008-03-01', 2500000, 9, '2008-03-30', '11:00:00', 0, 0, NULL), "
      // Xavier's March at branch 2, Ulisses's March and Xavier's February at the office.
      "(7, '2008-03-01', 1200000, 8, '2008-03-28', '09:00:00', 0, 0, 2), "
      "(7, '2008-03-01', 1200000, 9, '2008-03-28', '12:00:00', 0, 0, NULL), "
      "(7, '2008-02-01', 1200000, 9, '2008-03-29', '12:00:00', 0, 0, NULL)");
    x("INSERT INTO mensalidades (codigo, mes, pago, data_pgto, hora_pgto, valor, filial) VALUES "
      "(5, '2008-03-01', 1, '2008-03-24', '10:00:00', 1200000, 1), (5, '2008-03-01', 1, '2008-03-24', '10:00:00', 1200000, 2), "
      "(5, '2008-02-01', 1, '2008-03-25', '10:00:00', 1200000, 1), (5, '2008-02-01', 1, '2008-03-25', '10:00:01', 1200000, 2), "
      "(6, '2008-03-01', 1, '2008-03-26', '08:00:00', 2500000, 1), (6, '2008-02-01', 1, '2008-03-27', '11:00:00', 2500000, 2), "
      "(6, '2008-03-01', 0, NULL, NULL, NULL, 2), (7, '2008-03-01', 1, '2008-03-28', '09:00:00', 1200000, 2), "
      "(7, '2008-03-01', 1, '2008-03-28', '12:00:00', 1200000, NULL), (7, '2008-02-01', 1, '2008-03-29', '12:00:00', 1200000, 2)");

    const QStringList naFilial = {"05/03/2008 | 1 | Zélia Souza | 03/2008 | 1 | 0,00 | 0,00 | 80,00",
                                  "10/03/2008 | 2 | Bruno Lima | 03/2008 | 2 | 0,00 | 0,00 | 150,00",
                                  "12/03/2008 | 1 | Eduardo Dias | 03/2008 | 2 | 0,00 | 0,00 | 150,00",
                                  "20/03/2008 | 2 | Diana Melo | 01/2008 | 1 | 0,00 | 0,00 | 80,00",
                                  "21/03/2008 | 1 | Eduardo Dias | 01/2008 | 2 | 0,00 | 0,00 | 150,00",
                                  "22/03/2008 | 3 | Ana Reis | 02/2008 | 2 | 0,00 | 0,00 | 150,00"};
    const struct {
        const char* instalacao;   // the settings row
        QString ultima;           // the code-1 payment without a month's row
        QString seis;             // the code-6 one
        QString semFilial;        // the sum of the rows no branch holds: those not booked, Ulisses's
        QString propria;          // the branch of a payment taken here whose payer tells none
    } casos[] = {
        // The office: codes 1 and 6 are two subscribers each, and nothing tells which paid.
        {"UPDATE geral SET escritorio = 1, filial = NULL", "23/03/2008 | 1 |  | 02/2008 |  | 0,00 | 0,00 | 150,00",
         "30/03/2008 | 6 |  | 03/2008 |  | 0,00 | 0,00 | 250,00", "640,00", ""},
        // A branch: what its own register took and no payer's branch claims is its own.
        {"UPDATE geral SET escritorio = 0, filial = 2",
         "23/03/2008 | 1 | Eduardo Dias | 02/2008 | 2 | 0,00 | 0,00 | 150,00",
         "30/03/2008 | 6 | Otávio Araújo | 03/2008 | 2 | 0,00 | 0,00 | 250,00", "0,00", "2"},
    };
    const auto novas = [](const QString& propria) { return QStringList{
        // Two branches' rows of the month paid in that second: neither is named.
        "24/03/2008 | 5 |  | 03/2008 | " + propria + " | 0,00 | 0,00 | 120,00",
        "24/03/2008 | 5 | Vítor Peçanha | 03/2008 | 1 | 0,00 | 0,00 | 120,00",
        "25/03/2008 | 5 | Vítor Peçanha | 02/2008 | 1 | 0,00 | 0,00 | 120,00",
        "25/03/2008 | 5 | Wagner Prado | 02/2008 | 2 | 0,00 | 0,00 | 120,00",
        "26/03/2008 | 6 | Vinícius Magalhães | 03/2008 | 1 | 0,00 | 0,00 | 250,00",
        "27/03/2008 | 6 | Otávio Araújo | 02/2008 | 2 | 0,00 | 0,00 | 250,00",
        "28/03/2008 | 7 | Xavier Filial Dois | 03/2008 | 2 | 0,00 | 0,00 | 120,00",
        // The month's row of a subscriber without a branch names him, and no branch but this
        // installation's own.
        "28/03/2008 | 7 | Ulisses Antigo | 03/2008 | " + propria + " | 0,00 | 0,00 | 120,00",
        "29/03/2008 | 7 | Xavier Filial Dois | 02/2008 | 2 | 0,00 | 0,00 | 120,00"}; };
    const auto mensalidades = [](const QStringList& linhas) {
        QStringList r;
        for (const QString& l : linhas)
            if (l.contains("/03/2008 | ") && l.count(" | ") == 7) r << l;
        return r;
    };
    const auto soma = [](const QStringList& linhas) {
        Dinheiro d;
        for (const QString& l : linhas) d += Dinheiro::ler(l.section(" | ", 7, 7)).value_or(Dinheiro::reais(-1000000));
        return d;
    };
    for (const auto& c : casos) {
        x(c.instalacao);
        for (QRadioButton* opcao : {janela.Option5, janela.Option6}) {
            SCOPED_TRACE(std::string(c.instalacao) + " " + opcao->objectName().toStdString());
            const QStringList linhas = imprime(opcao, false, false, "  ");
            const QStringList todas = mensalidades(linhas);
            EXPECT_EQ(todas.join("\n").toStdString(),
                      (naFilial + QStringList{c.ultima} + novas(c.propria) + QStringList{c.seis}).join("\n").toStdString());
            EXPECT_TRUE(linhas.contains("Total das mensalidades recebidas | 2.500,00"));
            EXPECT_TRUE(linhas.contains("Total das mensalidades | 2.500,00"));
            // Each branch's report: the rows booked to it, and their sum in both totals.
            QStringList semFilial = todas;
            Dinheiro dasFiliais;
            for (const QString filial : {"1", "2"}) {
                const QStringList daFilial = todas.filter(QRegularExpression("^([^|]*\\| ){4}" + filial + " \\|"));
                for (const QString& l : daFilial) semFilial.removeOne(l);
                const QStringList vistas = imprime(opcao, false, false, filial);
                EXPECT_EQ(mensalidades(vistas).join("\n").toStdString(), daFilial.join("\n").toStdString());
                const QString total = soma(mensalidades(vistas)).formata();
                EXPECT_TRUE(vistas.contains("Total das mensalidades | " + total)) << filial.toStdString();
                EXPECT_TRUE(vistas.contains("Total das mensalidades recebidas | " + total));
                dasFiliais += soma(mensalidades(vistas));
            }
            EXPECT_EQ(soma(semFilial).formata(), c.semFilial);
            EXPECT_EQ((dasFiliais + soma(semFilial)).formata(), "2.500,00");
        }
    }
}

TEST_F(EscritorioTest, FaturamentoDepoisDeCadaOrdemDosMensalistas) {
    const struct {
        QRadioButton* JanelaRelatorios::*opcao;
        bool porTipo, porVencto;
    } ordens[] = {
        {&JanelaRelatorios::Option4, true, false}, {&JanelaRelatorios::Option4, false, true},
        {&JanelaRelatorios::Option7, true, false}, {&JanelaRelatorios::Option7, false, true},
        {&JanelaRelatorios::Option4, false, false},
    };
    for (const auto& o : ordens) {
        imprime(janela.*o.opcao, o.porTipo, o.porVencto, "  ");
        // The boxes stay ticked, as the operator left them.
        for (QRadioButton* faturamento : {janela.Option5, janela.Option6}) {
            const QStringList linhas = imprime(faturamento, o.porTipo, o.porVencto, "  ");
            EXPECT_TRUE(linhas.contains("Total das mensalidades recebidas | 380,00"))
                << faturamento->objectName().toStdString() << o.porTipo << o.porVencto;
        }
    }
}

TEST_F(EscritorioTest, CancelarParaAMontagemEDeixaAJanelaComoEstava) {
    amb.db().executa(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 19999) "
        "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
        "tipo_estacionamento, caixa, total, valor_liquido, filial) "
        "SELECT '2008-03-20', '08:00:00', '2008-03-20', '09:00:00', 1000 + i, printf('XY-%05d', i), 'R', 1, "
        "10000, 10000, 1 FROM n");
    janela.Option6->setChecked(true);
    janela.dat_ini_det->setText("01/03/2008");
    janela.dat_fim_det->setText("31/03/2008");

    // The click returns at once; while the report is read the window shows its progress and the
    // way to stop it, the hourglass over itself alone.
    const auto andamentoVisivel = [this] {
        return !janela.progresso->isHidden() && !janela.lidas->isHidden() && !janela.cancelar->isHidden() &&
               !janela.Command1->isEnabled() && janela.cursor().shape() == Qt::WaitCursor;
    };
    janela.Command1_Click();
    EXPECT_TRUE(janela.cr.construindo());
    EXPECT_TRUE(andamentoVisivel());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    janela.cancelar->click();
    esperaRelatorio(amb.plataforma, janela.cr);
    EXPECT_TRUE(amb.plataforma.visualizados.empty());
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_TRUE(janela.progresso->isHidden() && janela.cancelar->isHidden() && janela.lidas->isHidden());
    EXPECT_TRUE(janela.Command1->isEnabled());
    EXPECT_EQ(janela.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(janela.cr.construindo());

    // Run again: once the preview has the first page, the window shows no progress of a build
    // that is the preview's now, and the preview follows it to its last page.
    janela.Command1_Click();
    while (amb.plataforma.visualizados.empty()) QCoreApplication::processEvents();
    EXPECT_FALSE(janela.cr.construindo());
    EXPECT_TRUE(janela.progresso->isHidden() && janela.cancelar->isHidden() && janela.lidas->isHidden());
    EXPECT_TRUE(janela.Command1->isEnabled());
    EXPECT_EQ(janela.cursor().shape(), Qt::ArrowCursor);
    esperaRelatorio(amb.plataforma, janela.cr);
    ASSERT_EQ(amb.plataforma.visualizados.size(), 1u);
    const DocumentoRelatorio& doc = *amb.plataforma.visualizados.back().documento;
    EXPECT_TRUE(doc.concluido());
    const QStringList linhas = doc.texto();
    EXPECT_EQ(linhas.filter(" | XY-").size(), 20000);
    EXPECT_TRUE(linhas.contains("Total das saídas | 20.034,50"));
    EXPECT_TRUE(linhas.contains(QString("Estacionamento Central | Página %1 de %1").arg(doc.paginas())));
}

TEST(DocumentoRelatorio, PaginasCheiasAteAAlturaImprimivel) {
    DocumentoRelatorio doc("Relatório", "Cabeçalho", "Rodapé");
    doc.comecaSecao("Seção", {{"a", "Forma de Pagamento", 5, Formato::Texto, false},
                              {"b", "Valor", 95, Formato::Moeda, false}});
    for (int i = 0; i < 500; ++i) doc.acrescenta(LinhaRelatorio::Tipo::Detalhe, {std::to_string(i), "1,00"});
    doc.conclui();
    ASSERT_GT(doc.paginas(), 2);
    // Every page but the last holds the same number of rows, the section heading repeated.
    const int porPagina = int(doc.textoPagina(0).size()) - 5;
    for (int p = 0; p + 1 < doc.paginas(); ++p) {
        EXPECT_EQ(doc.textoPagina(p).size(), porPagina + 5) << p;
        EXPECT_EQ(doc.textoPagina(p)[2], p ? "Seção (continuação)" : "Seção");
    }

    // Painted, the last row of a full page ends close to the footer: at most two rows apart.
    const QSizeF tamanho = tamanhoPaginaRelatorio();
    const double escala = 0.25;
    QImage imagem(int(tamanho.width() * escala), int(tamanho.height() * escala), QImage::Format_RGB32);
    imagem.fill(Qt::white);
    {
        QPainter p(&imagem);
        p.scale(escala, escala);
        doc.pintaPagina(p, 0);
    }
    std::vector<bool> tinta(size_t(imagem.height()), false);
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width() && !tinta[size_t(y)]; ++x)
            tinta[size_t(y)] = qGray(imagem.pixel(x, y)) < 128;
    int y = imagem.height() - 1;
    while (y > 0 && !tinta[size_t(y)]) --y;   // bottom of the footer
    while (y > 0 && tinta[size_t(y)]) --y;    // its top
    const int topoRodape = y;
    while (y > 0 && !tinta[size_t(y)]) --y;   // the last row's bottom
    const double linha = tamanho.height() * escala / (porPagina + 8);
    EXPECT_LT(topoRodape - y, 2.5 * linha);
}

TEST_F(EscritorioTest, MesmoRelatorioLidoAParteOuNaConexaoDaJanela) {
    // With the write-ahead journal the report is read over a connection of its own; without
    // it, on the window's connection, at once. Both give the same pages; so does a report read
    // apart while a monthly fee is paid between its first read and its last: it is in none of
    // its lines nor totals.
    const QStringList aParte = imprime(janela.Option6, false, false, "  ");
    {
        Banco leitura;
        leitura.abre(amb.db().caminho(), Banco::kSenha);
        MontagemRelatorio montagem(leitura, janela.cr.pedido());
        EXPECT_FALSE(montagem.avanca(1));
        amb.db().executa("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, "
                         "adicional, filial) VALUES (3, '2008-03-01', 1500000, 5, '2008-03-31', '18:00:00', 0, 0, 2)");
        while (!montagem.avanca(256)) {}
        EXPECT_EQ(montagem.documento()->texto(), aParte);
    }
    amb.db().executa("DELETE FROM pagamento_mensalidade WHERE caixa = 5");
    amb.db().executa("PRAGMA journal_mode = DELETE");
    ASSERT_EQ(amb.db().valor("PRAGMA journal_mode").toString(), "delete");
    EXPECT_EQ(imprime(janela.Option6, false, false, "  "), aParte);
    EXPECT_TRUE(aParte.contains("Total geral | 414,50"));
}

TEST_F(EscritorioTest, ConveniosComATarifaInteira) {
    amb.db().executa("UPDATE convenios SET das_hor_ini = '08:00:00', das_hor_fim = '12:00:00', das_cobrar = 30000, "
                     "apos_cobrar = 20000, apos_a_cada = '01:00:00' WHERE convenio = 'Shopping'");
    amb.db().executa("INSERT INTO convenios (convenio, isento_fixo_variavel, apos_fixo, seg) VALUES "
                     "('Clínica', 'V', 50000, 1), ('Banco', 'I', NULL, 1)");
    amb.db().executa("INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) SELECT codigo, '02:00:00', 10000, 1 "
                     "FROM convenios WHERE convenio = 'Clínica'");
    const QStringList linhas = imprime(janela.Option3, false, false, "  ");
    EXPECT_EQ(linhas.mid(1, 12),
              (QStringList{"Passo | Duração (horas) | Valor", "4 - Banco (Isento) - Seg - qualquer horário",
                           "3 - Clínica (Variável) - Seg - qualquer horário", "1 | 02:00 | 1,00",
                           "Após tempo acima, cobrar o valor fixo de R$ 5,00",
                           "2 - Hotel (Valor fixo 10,00) - Seg - qualquer horário",
                           "1 - Shopping (Variável) - Seg Ter - das 08:00 às 22:00 - das 08:00 às 12:00, cobrar R$ 3,00",
                           "1 | 01:00 | 0,00", "2 | 03:00 | 4,00", "Após tempo acima, cobrar R$ 2,00 a cada 01:00",
                           "Estacionamento Central | Página 1 de 1"}));
}
