// The pages of the reports as they are painted: groups carried across page breaks with their
// heading, and the widest value of every column set whole in its box.

#include "data/dinheiro.h"
#include "reports/encaixe.h"
#include "reports/janela_relatorios.h"
#include "reports/relatorio_teste.h"

#include <QFontMetricsF>
#include <QRegularExpression>

#include <functional>

namespace {

class PaginasTest : public JanelaRelatoriosTeste {
protected:
    const DocumentoRelatorio& documento() const { return *amb.plataforma.visualizados.back().documento; }
    void x(const QString& sql, const QVariantList& valores = {}) { amb.db().executa(sql, valores); }
};

// A text of `n` characters of wide capitals, in words, as the longest names are.
QString largo(int n) {
    QString t;
    while (t.size() < n) t += QStringLiteral("WANDERLEY MAGALHÃES ");
    return t.left(n).trimmed().leftJustified(n, u'W');
}

}  // namespace

// A day of the revenue reports, or a subscriber with many vehicles, that goes on over a page
// break has its heading repeated on top of the next page, marked as continued. No page ends
// with a heading, in any template: not when the line under it is a wide name taking several
// lines, nor when it heads a group without lines (a subscriber without vehicles, a partner
// without steps).
TEST_F(PaginasTest, GrupoContinuadoRepeteSeuCabecalho) {
    // 150 exits on 10/03, some on each of 80 days, and a subscriber with 90 vehicles.
    x("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 149) "
      "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
      "tipo_estacionamento, caixa, total, valor_liquido, filial) "
      "SELECT '2008-03-10', '08:00:00', '2008-03-10', '09:00:00', 500 + i, printf('DIA-%04d', i), 'R', 1, "
      "10000, 10000, 1 FROM n");
    x("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 239) "
      "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
      "tipo_estacionamento, caixa, total, valor_liquido, filial) "
      "SELECT d, '08:00:00', d, '09:00:00', 1000 + i, printf('VAR-%04d', i), substr('RTD', i % 3 + 1, 1), 1, "
      "10000, 10000, 1 FROM (SELECT i, date('2007-12-01', '+' || (i / 3) || ' days') AS d FROM n)");
    x("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 89) "
      "INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) "
      "SELECT 2, 'Frota', '2008', printf('FRT-%04d', i), 2 FROM n");
    // 300 subscribers of the widest names over four due days, a third of them without vehicles;
    // 100 partners, two in three without steps, and one with 60 steps.
    x("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 299) "
      "INSERT INTO mensalistas (codigo, nome, tipo, dia_vencto, valor, filial, excluido, tel_cel, data_inicio) "
      "SELECT 100 + i, ? || printf(' %04d', i), 1, 1 + i * 7 % 28, 1500000, 1, 0, '9999-0000', '2008-01-01' FROM n",
      {largo(45)});
    x("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) "
      "SELECT codigo, 'Carro', '2008', printf('MEN-%04d', codigo), 1 FROM mensalistas WHERE codigo >= 100 AND codigo % 3 > 0");
    x("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99) "
      "INSERT INTO convenios (convenio, isento_fixo_variavel, valor_fixo, seg) "
      "SELECT printf('Parceiro %03d', i), substr('IFV', i % 3 + 1, 1), 50000, 1 FROM n");
    x("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60) "
      "INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) "
      "SELECT c.codigo, printf('%02d:00:00', n.i % 24), 10000, n.i FROM convenios c, n "
      "WHERE c.isento_fixo_variavel = 'V' AND (c.convenio = 'Parceiro 002' OR n.i <= 2)");

    const QRegularExpression dia(QStringLiteral("^Dia \\d\\d/\\d\\d/\\d{4}$"));
    const QRegularExpression mensalista(QStringLiteral("^\\d+ \\(filial \\d+\\) - .* - tel\\. "));
    const QRegularExpression mensalistaVencto(QStringLiteral("^Vencto\\. dia \\d+ - \\d+ \\(filial \\d+\\) - "));
    const QRegularExpression vencimento(QStringLiteral("^Vencimento dia \\d+$"));
    const QRegularExpression convenio(QStringLiteral("^\\d+ - .* \\((Isento|Valor fixo|Variável)"));
    const struct {
        QRadioButton* JanelaRelatorios::*opcao;
        bool porVencto;
        QString inicio, fim;
        QString colunas;                 // the heading row of the grouped section
        const QRegularExpression& grupo;
        QString subtotal;                // the line that closes a group; empty: the next heading does
    } casos[] = {
        {&JanelaRelatorios::Option6, false, "01/03/2008", "31/03/2008",
         "Ticket | Placa | Entrada | Hora | Saída | Forma de Pagamento | Caixa | Filial | Valor", dia, "Total do dia"},
        {&JanelaRelatorios::Option5, false, "01/12/2007", "31/03/2008", "Forma de Pagamento | Veículos | Valor", dia,
         "Total do dia"},
        {&JanelaRelatorios::Option7, false, "", "", "Veículo | Ano | Placa", mensalista, ""},
        {&JanelaRelatorios::Option7, true, "", "", "Veículo | Ano | Placa", mensalistaVencto, ""},
        {&JanelaRelatorios::Option4, true, "", "",
         "Código | Filial | Nome | Tipo | Telefone | Início | Vencto. | Mensalidade", vencimento, "Total do dia"},
        {&JanelaRelatorios::Option3, false, "", "", "Passo | Duração (horas) | Valor", convenio, "Após tempo acima"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE((janela.*c.opcao)->objectName().toStdString() + (c.porVencto ? " vencto" : ""));
        for (QLineEdit* d : {janela.dat_ini, janela.dat_ini_det}) d->setText(c.inicio);
        for (QLineEdit* d : {janela.dat_fim, janela.dat_fim_det}) d->setText(c.fim);
        (janela.*c.opcao)->setChecked(true);
        janela.Check2->setChecked(c.porVencto);
        janela.Command1_Click();
        esperaRelatorio(amb.plataforma, janela.cr);
        ASSERT_FALSE(amb.plataforma.visualizados.empty());
        const DocumentoRelatorio& doc = documento();
        ASSERT_GT(doc.paginas(), 1);

        QString aberto;   // the heading of the group whose lines the last page ended with
        QString noPe;     // a heading the last page ended with
        int continuados = 0;
        const auto ehCabecalho = [&c](const QString& l) {
            return c.grupo.match(l).hasMatch() && !l.endsWith(QStringLiteral(" (continuação)"));
        };
        for (int p = 0; p < doc.paginas(); ++p) {
            const QStringList linhas = doc.textoPagina(p);
            // A page that the report goes on after ends with a line that heads nothing.
            const QString& ultima = linhas[linhas.size() - 2];
            EXPECT_FALSE(p + 1 < doc.paginas() && (c.grupo.match(ultima).hasMatch() || ultima == c.colunas))
                << p << ultima.toStdString();
            const qsizetype cab = linhas.indexOf(c.colunas);
            if (cab < 0) continue;   // past the grouped section
            // The lines of the grouped section on this page: up to the next section or the footer.
            QStringList corpo = linhas.mid(cab + 1, linhas.size() - cab - 2);
            const auto fim = std::find_if(corpo.begin(), corpo.end(), [](const QString& l) {
                return l.startsWith(QStringLiteral("Total das saídas")) || l == QStringLiteral("Mensalidades Recebidas");
            });
            corpo.erase(fim, corpo.end());
            if (corpo.isEmpty()) continue;
            const QString& primeira = corpo.first();
            if (p > 0 && !ehCabecalho(primeira)) {
                // A page that starts inside a group says which, and only that one.
                EXPECT_FALSE(aberto.isEmpty()) << p << primeira.toStdString();
                EXPECT_EQ(primeira, aberto + " (continuação)") << p;
                // A heading that ended the page before did not leave its lines behind it.
                EXPECT_NE(aberto, noPe) << p;
                ++continuados;
            }
            noPe = ehCabecalho(corpo.last()) ? corpo.last() : QString();
            for (const QString& l : corpo) {
                if (ehCabecalho(l)) aberto = l;
                else if (!c.subtotal.isEmpty() && l.startsWith(c.subtotal)) aberto.clear();
            }
        }
        EXPECT_GT(continuados, 0);
    }
}

// Every column's widest value, every report and order, and totals past a thousand million:
// each text painted fits its box at no less than the smallest size allowed, a total on one
// line, nothing is left out or cut, and neighbouring cells keep a gap between them.
TEST_F(PaginasTest, ValoresMaisLargosInteirosNasColunas) {
    const qint64 maior = Dinheiro::maiorDigitado().valorBruto();
    const qint64 codigo = 2147483647;
    x("INSERT INTO usuarios (codigo, usuario, senha, data_cadastro, excluido, usu, men, con, lis, rel, ger, bac, pri) "
      "VALUES (?, ?, 'x', '2008-12-28', 0, 1, 1, 1, 1, 1, 1, 1, 1)", {codigo, QString(10, u'W')});
    x("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('23:59:00', ?, 32767)", {maior});
    x("UPDATE rotativo SET apos_cobrar = ?, apos_a_cada = '23:59:00'", {maior});
    x("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES ('23:58:00', '23:59:00', ?)", {maior});
    x("UPDATE diaria SET tempo = 32767, valor = ?", {maior});
    x("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (32767, ?, ?, 31)", {largo(30), maior});
    x("INSERT INTO convenios (convenio, isento_fixo_variavel, valor_fixo, dom, seg, ter, qua, qui, sex, sab, "
      "hora_inicio, hora_fim) VALUES (?, 'F', ?, 1, 1, 1, 1, 1, 1, 1, '23:58:00', '23:59:00')",
      {largo(20), maior});
    x("INSERT INTO convenios (convenio, isento_fixo_variavel, dom, seg, ter, qua, qui, sex, sab, hora_inicio, "
      "hora_fim, das_hor_ini, das_hor_fim, das_cobrar, apos_cobrar, apos_a_cada) VALUES "
      "(?, 'V', 1, 1, 1, 1, 1, 1, 1, '23:58:00', '23:59:00', '23:58:00', '23:59:00', ?, ?, '23:59:00')",
      {QString(20, u'M'), maior, maior});
    x("INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) SELECT codigo, '23:59:00', ?, 32767 "
      "FROM convenios WHERE isento_fixo_variavel = 'V'", {maior});
    // Thirteen of the largest amounts: their sums pass a thousand million.
    for (int i = 0; i < 13; ++i) {
        x("INSERT INTO mensalistas (codigo, nome, tipo, dia_vencto, valor, filial, excluido, tel_cel, data_inicio) "
          "VALUES (?, ?, ?, 31, ?, 99, 0, '+55 (011) 98765-4321', '2008-12-28')",
          {codigo - i, i ? QString(50, u'W') : largo(50), 32767, maior});
        x("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) VALUES (?, ?, '2008', 'WWW-WWWW', 99)",
          {codigo - i, largo(40)});
        x("INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
          "tipo_estacionamento, caixa, total, valor_liquido, filial) VALUES "
          "('2008-03-28', '23:58:00', '2008-03-28', '23:59:00', ?, 'WWW-WWWW', 'M', ?, ?, ?, 99)",
          {codigo - i, codigo, maior, maior});
        x("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, adicional, filial) "
          "VALUES (?, '2008-12-01', ?, ?, '2008-03-28', '23:59:00', ?, ?, 99)",
          {codigo - i, maior, codigo, maior, maior});
    }
    x("UPDATE geral SET empresa = ?", {largo(60)});

    const EncaixeTexto normal(85);
    const double menor = normal.fonte(false).pixelSize() * EncaixeTexto::kMenorProporcao - 0.5;
    const QString dinheiro = "99.999.999,99", soma = "1.299.999.999,87", numero = "2147483647", nome = largo(50),
                  telefone = "+55 (011) 98765-4321";
    const struct {
        QRadioButton* JanelaRelatorios::*opcao;
        bool porTipo, porVencto;
        QStringList umaLinha;   // widest values painted on one line: numbers are never broken
        QStringList inteiros;   // and others, whole in the page's text
    } casos[] = {
        {&JanelaRelatorios::Option1, false, false, {numero, QString(10, u'W')}, {}},
        {&JanelaRelatorios::Option2, false, false, {dinheiro, "32767"}, {largo(30)}},
        {&JanelaRelatorios::Option3, false, false, {dinheiro}, {largo(20)}},
        {&JanelaRelatorios::Option4, false, false, {numero, telefone, dinheiro, "1.300.000.379,87"}, {nome, largo(30)}},
        {&JanelaRelatorios::Option4, false, true, {numero, telefone, dinheiro, soma, "1.300.000.379,87"}, {nome}},
        {&JanelaRelatorios::Option7, false, false, {"WWW-WWWW"}, {nome, telefone, dinheiro, largo(40)}},
        {&JanelaRelatorios::Option7, false, true, {"WWW-WWWW"}, {nome, telefone, dinheiro, largo(40)}},
        {&JanelaRelatorios::Option5, false, false,
         {dinheiro, soma, numero, "12/2008", "1.300.000.034,37", "1.300.000.229,87", "2.600.000.264,24"}, {nome}},
        {&JanelaRelatorios::Option6, false, false,
         {numero, dinheiro, soma, "WWW-WWWW", "1.300.000.034,37", "1.300.000.229,87", "2.600.000.264,24"}, {nome}},
    };
    const auto semBrancos = [](QString t) { return t.remove(QRegularExpression(QStringLiteral("\\s"))); };
    for (const auto& c : casos) {
        imprime(janela.*c.opcao, c.porTipo, c.porVencto);
        SCOPED_TRACE((janela.*c.opcao)->objectName().toStdString() + (c.porVencto ? " vencto" : ""));
        ASSERT_FALSE(amb.plataforma.visualizados.empty());
        const DocumentoRelatorio& doc = documento();
        for (int p = 0; p < doc.paginas(); ++p) {
            const DesenhoPagina d = doc.desenhoPagina(p);
            QString pintado;
            for (size_t i = 0; i < d.textos.size(); ++i) {
                const TextoPosto& t = d.textos[i];
                pintado += t.texto;
                EXPECT_FALSE(t.texto.contains(u'…')) << t.texto.toStdString();
                EXPECT_LE(QFontMetricsF(t.fonte).horizontalAdvance(t.texto), t.caixa.width() + 0.01)
                    << t.texto.toStdString();
                EXPECT_LE(t.caixa.right(), tamanhoPaginaRelatorio().width() + 0.01) << t.texto.toStdString();
                EXPECT_GE(t.fonte.pixelSize(), menor) << t.texto.toStdString();
                // Cells side by side (the footer's two halves aside) keep at least 1.5 mm apart.
                for (size_t j = 0; j < i; ++j) {
                    const QRectF& a = d.textos[j].caixa;
                    const QRectF& b = t.caixa;
                    if (a.top() >= b.bottom() || b.top() >= a.bottom() || a.left() == 0) continue;
                    EXPECT_GE(std::max(b.left() - a.right(), a.left() - b.right()), 1.5 * 720 / 25.4)
                        << d.textos[j].texto.toStdString() << " / " << t.texto.toStdString();
                }
            }
            // Every character of the page's values is painted, in order.
            EXPECT_EQ(semBrancos(pintado).toStdString(),
                      semBrancos(doc.textoPagina(p).join(QString()).remove(u'|')).toStdString());
        }
        QStringList linhas;
        for (int p = 0; p < doc.paginas(); ++p)
            for (const TextoPosto& t : doc.desenhoPagina(p).textos) linhas << t.texto;
        for (const QString& valor : c.umaLinha) EXPECT_TRUE(linhas.contains(valor)) << valor.toStdString();
        const QString todo = doc.texto().join(u'\n');
        for (const QString& valor : c.inteiros) EXPECT_TRUE(todo.contains(valor)) << valor.toStdString();
    }
}

// However many rows fill the pages above, the closing totals (three after days, or one) stay on
// one page under at least the last row, and a day's subtotal under the day's last row.
TEST(DocumentoRelatorio, TotaisJuntosComAUltimaLinha) {
    using T = LinhaRelatorio::Tipo;
    const QVector<ColunaModelo> colunas{{"f", "Forma", 50, Formato::Texto, false}, {"v", "Valor", 50, Formato::Moeda, true}};
    for (const int totais : {1, 3})
        for (int n = 30; n < 130; ++n) {
            SCOPED_TRACE(std::to_string(totais) + " totais, " + std::to_string(n) + " linhas");
            DocumentoRelatorio doc("Relatório", "Cabeçalho", "Rodapé");
            doc.comecaSecao({}, colunas);
            for (int i = 0; i < n; ++i) {
                if (totais == 3 && i % 4 == 0) doc.acrescenta(T::Grupo, {"Dia " + std::to_string(i / 4)});
                doc.acrescenta(T::Detalhe, {"Linha " + std::to_string(i), "1,00"});
                if (totais == 3 && (i % 4 == 3 || i + 1 == n)) doc.acrescenta(T::Subtotal, {"Total do dia", "4,00"});
            }
            for (int t = 0; t < totais; ++t) doc.acrescenta(T::Resumo, {"Fecho " + std::to_string(t), "9,00"});
            doc.comecaSecao("Mensalidades", colunas);
            doc.acrescenta(T::Detalhe, {"Linha de mensalidade", "5,00"});
            doc.acrescenta(T::Resumo, {"Fecho das mensalidades", "5,00"});
            doc.conclui();
            const QStringList linhas = doc.texto();   // each total under a row or a total: none opens a page
            EXPECT_EQ(linhas.filter(QRegularExpression("^Linha \\d+ \\|")).size(), n);
            for (qsizetype i = 1; i < linhas.size(); ++i) {
                if (!linhas[i].startsWith("Fecho") && !linhas[i].startsWith("Total do dia")) continue;
                const QString& acima = linhas[i - 1];
                EXPECT_TRUE(acima.startsWith("Linha") || acima.startsWith("Fecho") || acima.startsWith("Total do dia"))
                    << linhas[i].toStdString() << " / " << acima.toStdString();
            }
        }
}
