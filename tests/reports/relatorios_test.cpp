#include "data/gravacao_segura.h"
#include "reports/controle_relatorio.h"
#include "reports/impressao.h"
#include "reports/janela_relatorios.h"
#include "reports/relatorio_teste.h"
#include "support/disco_cheio.h"
#include "support/retrato_morte.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <optional>

namespace {

const QString kRodape = "Estacionamento Central | Página 1 de 1";

class RelatoriosTest : public JanelaRelatoriosTeste {
protected:
    // Runs a request straight on the component; returns the message shown, if any.
    QString falha(const PedidoRelatorio& p) {
        ControleRelatorio cr(amb.db(), amb.plataforma);
        cr.defineArquivo(p.arquivo);
        cr.defineTitulo(p.titulo);
        cr.defineSelecao(p.selecao);
        for (int i = 0; i < 2; ++i) cr.defineOrdem(i, p.ordem[size_t(i)]);
        for (auto it = p.selecaoSub.begin(); it != p.selecaoSub.end(); ++it) {
            cr.escolheSubrelatorio(it.key());
            cr.defineSelecao(it.value());
            cr.escolheSubrelatorio({});
        }
        amb.plataforma.mensagens.clear();
        amb.plataforma.avisos.clear();
        cr.executa();
        esperaRelatorio(amb.plataforma, cr);
        EXPECT_TRUE(amb.plataforma.visualizados.empty());
        // Told in a notice that leaves the keyboard to the lane, never in a message box.
        EXPECT_TRUE(amb.plataforma.mensagens.empty());
        return amb.plataforma.avisos.empty() ? QString() : amb.plataforma.avisos.back().texto;
    }
    QString modelo(const QString& nome) const { return amb.plataforma.pastaPrograma() + "/" + nome; }
    void escreve(const QString& nome, const QByteArray& texto) {
        QFile f(modelo(nome));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(texto);
    }
};

}  // namespace

TEST_F(RelatoriosTest, CadaOpcaoListaSuasLinhasEmOrdemComTotais) {
    const QString mensalistasCab = "Código | Filial | Nome | Tipo | Telefone | Início | Vencto. | Mensalidade";
    const QString ana = "3 | 2 | Ana Reis | Moto | 9999-0003 | 12/01/2008 | 5 | 150,00";
    const QString bruno = "2 | 2 | Bruno Lima | Carro |  | 11/01/2008 | 10 | 150,00";
    const QString zelia = "1 | 1 | Zélia Souza | Carro | 9999-0001 | 10/01/2008 | 5 | 80,00";
    const QStringList mensalidades = {
        "Mensalidades Recebidas", "Pagamento | Código | Mensalista | Mês | Filial | Desconto | Adicional | Valor",
        "05/03/2008 | 1 | Zélia Souza | 03/2008 | 1 | 0,00 | 0,00 | 80,00",
        "10/03/2008 | 2 | Bruno Lima | 03/2008 | 2 | 0,00 | 0,00 | 150,00",
        "Total das mensalidades recebidas | 230,00", kRodape};
    const QStringList totais = {"Total das saídas | 34,50", "Total das mensalidades | 230,00", "Total geral | 264,50"};
    const struct {
        QRadioButton* JanelaRelatorios::*opcao;
        bool porTipo, porVencto;
        QStringList linhas;
    } casos[] = {
        {&JanelaRelatorios::Option1, false, false,
         {"Relatório de Usuários",
          "Código | Usuário | Cadastro | Usuários | Mensal. | Config. | Pátio | Relat. | Filiais | Backup | Principal",
          "2 | ana | 03/02/2008 | Não | Não | Não | Não | Sim | Não | Não | Não",
          "1 | bruno | 02/01/2008 | Sim | Não | Não | Não | Sim | Não | Não | Sim", kRodape}},
        {&JanelaRelatorios::Option2, false, false,
         {"Tabela de Preços", "Rotativo - Tabela de Tempo", "Período | Duração (horas) | Valor", "1 | 01:00 | 5,00",
          "2 | 02:00 | 8,00", "Rotativo - Período Adicional", "Após a tabela, a cada (horas) | Cobrar",
          "01:00 | 3,00", "Turnos", "Início | Fim | Valor", "08:00 | 18:00 | 20,00", "Diária",
          "Tempo (horas) | Valor", "24 | 30,00", "Tipos de Mensalistas", "Código | Tipo | Vencto. | Mensalidade",
          "1 | Carro | 10 | 150,00", "2 | Moto | 5 | 80,00", kRodape}},
        {&JanelaRelatorios::Option3, false, false,
         {"Relatório de Convênios", "Passo | Duração (horas) | Valor",
          "2 - Hotel (Valor fixo 10,00) - Seg - qualquer horário",
          "1 - Shopping (Variável) - Seg Ter - das 08:00 às 22:00", "1 | 01:00 | 0,00", "2 | 03:00 | 4,00",
          kRodape}},
        {&JanelaRelatorios::Option4, false, false,
         {"Relatório de Mensalistas", mensalistasCab, ana, bruno, zelia, "Total das mensalidades | 380,00", kRodape}},
        {&JanelaRelatorios::Option4, true, false,
         {"Relatório de Mensalistas", mensalistasCab, bruno, zelia, ana, "Total das mensalidades | 380,00", kRodape}},
        {&JanelaRelatorios::Option4, false, true,
         {"Relatório de Mensalistas", mensalistasCab, "Vencimento dia 5", ana, zelia, "Total do dia | 230,00",
          "Vencimento dia 10", bruno, "Total do dia | 150,00", "Total das mensalidades | 380,00", kRodape}},
        {&JanelaRelatorios::Option7, false, false,
         {"Relatório de Mensalistas com Veículos", "Veículo | Ano | Placa",
          "3 (filial 2) - Ana Reis - Moto - tel. 9999-0003 - vencto. dia 5 - 150,00", "Gol | 2010 | AAA-1111",
          "Uno | 2005 | BBB-2222", "2 (filial 2) - Bruno Lima - Carro - tel.  - vencto. dia 10 - 150,00",
          "Civic | 2012 | CCC-3333", "1 (filial 1) - Zélia Souza - Carro - tel. 9999-0001 - vencto. dia 5 - 80,00", kRodape}},
        {&JanelaRelatorios::Option7, true, false,
         {"Relatório de Mensalistas com Veículos", "Veículo | Ano | Placa",
          "2 (filial 2) - Bruno Lima - Carro - tel.  - vencto. dia 10 - 150,00", "Civic | 2012 | CCC-3333",
          "1 (filial 1) - Zélia Souza - Carro - tel. 9999-0001 - vencto. dia 5 - 80,00",
          "3 (filial 2) - Ana Reis - Moto - tel. 9999-0003 - vencto. dia 5 - 150,00", "Gol | 2010 | AAA-1111",
          "Uno | 2005 | BBB-2222", kRodape}},
        {&JanelaRelatorios::Option7, false, true,
         {"Relatório de Mensalistas com Veículos", "Veículo | Ano | Placa",
          "Vencto. dia 5 - 3 (filial 2) - Ana Reis - Moto - tel. 9999-0003 - 150,00", "Gol | 2010 | AAA-1111",
          "Uno | 2005 | BBB-2222", "Vencto. dia 5 - 1 (filial 1) - Zélia Souza - Carro - tel. 9999-0001 - 80,00",
          "Vencto. dia 10 - 2 (filial 2) - Bruno Lima - Carro - tel.  - 150,00", "Civic | 2012 | CCC-3333", kRodape}},
        {&JanelaRelatorios::Option5, false, false,
         QStringList{"Relatório de Faturamento", "Faturamento entre 01/03/2008 e 31/03/2008",
                     "Forma de Pagamento | Veículos | Valor", "Dia 01/03/2008", "Convênio | 1 | 7,50",
                     "Rotativo | 2 | 15,00", "Total do dia | 3 | 22,50", "Dia 02/03/2008", "Mensalista | 1 | 0,00",
                     "Total do dia | 1 | 0,00", "Dia 15/03/2008", "Rotativo | 1 | 12,00", "Total do dia | 1 | 12,00"} +
             totais + mensalidades},
        {&JanelaRelatorios::Option6, false, false,
         QStringList{"Relatório de Faturamento Detalhado", "Faturamento detalhado entre 01/03/2008 e 31/03/2008",
                     "Ticket | Placa | Entrada | Hora | Saída | Forma de Pagamento | Caixa | Filial | Valor",
                     "Dia 01/03/2008", "11 | RRR-0001 | 01/03/2008 | 08:00 | 09:00 | Rotativo | 1 | 1 | 10,00",
                     "12 | RRR-0002 | 01/03/2008 | 10:00 | 10:30 | Rotativo | 1 | 2 | 5,00",
                     "13 | CCC-0003 | 01/03/2008 | 11:00 | 12:00 | Convênio | 1 | 2 | 7,50", "Total do dia | 22,50",
                     "Dia 02/03/2008", "0000000000 | AAA-1111 | 02/03/2008 | 07:00 | 19:00 | Mensalista | 2 | 2 | 0,00",
                     "Total do dia | 0,00", "Dia 15/03/2008",
                     "14 | RRR-0004 | 15/03/2008 | 08:00 | 08:40 | Rotativo | 3 | 1 | 12,00", "Total do dia | 12,00"} +
             totais + mensalidades},
    };
    for (const auto& c : casos) {
        const QStringList linhas = imprime(janela.*c.opcao, c.porTipo, c.porVencto);
        EXPECT_EQ(linhas.join("\n").toStdString(), c.linhas.join("\n").toStdString())
            << (janela.*c.opcao)->objectName().toStdString() << c.porTipo << c.porVencto;
    }
}

// A branch's revenue report holds every stay and monthly fee booked to it: at the office, the
// rows merged from it; at the branch itself, every stay its lane ended and every fee its register
// took (stored without a branch, its file gives them its number), as the office's report of it.
TEST_F(RelatoriosTest, FaturamentoDeMarcoNaFilial2SoComSuasSaidasEMensalidades) {
    const QStringList cabeca = {"Relatório de Faturamento", "Faturamento entre 01/03/2008 e 31/03/2008",
                                "Forma de Pagamento | Veículos | Valor", "Dia 01/03/2008", "Convênio | 1 | 7,50",
                                "Rotativo | 1 | 5,00", "Total do dia | 2 | 12,50", "Dia 02/03/2008",
                                "Mensalista | 1 | 0,00", "Total do dia | 1 | 0,00"};
    const QString mensalidadesCab = "Pagamento | Código | Mensalista | Mês | Filial | Desconto | Adicional | Valor";
    const QString bruno = "10/03/2008 | 2 | Bruno Lima | 03/2008 | 2 | 0,00 | 0,00 | 150,00";
    // Branch 2 on its own: branch 1's rows are not there, its lane ends a stay on 20/03 (with its
    // number, as the lane writes it) and its register takes fees (without a branch), Pedro's
    // first one among them (he has no branch).
    const struct {
        const char* onde;
        std::vector<const char*> prepara;
        QStringList linhas;
    } casos[] = {
        {"escritório", {"UPDATE geral SET escritorio = 1"},
         cabeca + QStringList{"Total das saídas | 12,50", "Total das mensalidades | 150,00", "Total geral | 162,50",
                              "Mensalidades Recebidas", mensalidadesCab, bruno,
                              "Total das mensalidades recebidas | 150,00", kRodape}},
        {"filial 2",
         {"UPDATE geral SET escritorio = 0, filial = 2", "DELETE FROM registro_saida WHERE filial = 1",
          "DELETE FROM pagamento_mensalidade WHERE filial = 1", "UPDATE pagamento_mensalidade SET filial = NULL",
          "INSERT INTO registro_saida (data_saida, ticket, placa, tipo_estacionamento, caixa, valor_liquido, "
          "filial) VALUES ('2008-03-20', 20, 'RRR-0020', 'R', 9, 90000, 2)",
          "INSERT INTO mensalistas (codigo, nome, filial, excluido) VALUES (5, 'Pedro Antigo', NULL, 0)",
          "INSERT INTO mensalidades (codigo, mes, pago, data_pgto, hora_pgto, valor) VALUES "
          "(5, '2008-03-01', 1, '2008-03-20', '10:00:00', 500000)",
          "INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, adicional) "
          "VALUES (5, '2008-03-01', 500000, 9, '2008-03-20', '10:00:00', 0, 0)"},
         cabeca + QStringList{"Dia 20/03/2008", "Rotativo | 1 | 9,00", "Total do dia | 1 | 9,00",
                              "Total das saídas | 21,50", "Total das mensalidades | 200,00", "Total geral | 221,50",
                              "Mensalidades Recebidas", mensalidadesCab, bruno,
                              "20/03/2008 | 5 | Pedro Antigo | 03/2008 | 2 | 0,00 | 0,00 | 50,00",
                              "Total das mensalidades recebidas | 200,00", kRodape}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.onde);
        for (const char* sql : c.prepara) amb.db().executa(sql);
        EXPECT_EQ(imprime(janela.Option5, false, false, "2").join("\n").toStdString(),
                  c.linhas.join("\n").toStdString());
    }
    // A range without payments nor stays.
    amb.db().executa("DELETE FROM pagamento_mensalidade");
    amb.db().executa("DELETE FROM registro_saida");
    const QStringList vazio = imprime(janela.Option5);
    EXPECT_EQ(textosFormulas(janela.cr.pedido(), amb.db())[1], "total_mensalidades=0");
    EXPECT_TRUE(vazio.contains("Nenhuma saída no período.") && vazio.contains("Total geral | 0,00") &&
                vazio.contains("Nenhuma mensalidade recebida no período."));
}

TEST_F(RelatoriosTest, PaginasRepetemTituloCabecalhosENumeracao) {
    for (int i = 0; i < 120; ++i)
        amb.db().executa("INSERT INTO usuarios (usuario, senha, excluido) VALUES (?, 'x', 0)",
                         {QString("u%1").arg(i, 3, 10, QChar('0'))});
    const QStringList linhas = imprime(janela.Option1);
    const DocumentoRelatorio& doc = *amb.plataforma.visualizados.back().documento;
    const QString cab = "Código | Usuário | Cadastro | Usuários | Mensal. | Config. | Pátio | Relat. | Filiais | Backup | Principal";
    EXPECT_EQ(linhas.count(cab), 3);
    EXPECT_EQ(linhas.count("Relatório de Usuários"), 3);
    for (int p = 1; p <= 3; ++p) EXPECT_TRUE(linhas.contains(QString("Estacionamento Central | Página %1 de 3").arg(p)));
    // The laid-out pages are the document's own: no page spills onto another.
    EXPECT_EQ(doc.paginas(), 3);
    QStringList usuarios;
    for (const QString& l : linhas)
        if (l.contains(" | u") || l.contains(" | ana") || l.contains(" | bruno")) usuarios << l.section(" | ", 1, 1);
    QStringList ordenados = usuarios;
    std::sort(ordenados.begin(), ordenados.end());
    EXPECT_EQ(usuarios.size(), 122);
    EXPECT_EQ(usuarios, ordenados);
}

TEST_F(RelatoriosTest, PdfGravado) {
    amb.db().executa("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 119) "
                     "INSERT INTO usuarios (usuario, senha, excluido) SELECT printf('u%03d', i), 'x', 0 FROM n");
    imprime(janela.Option1);
    const DocumentoRelatorio& doc = *amb.plataforma.visualizados.back().documento;
    ASSERT_EQ(doc.paginas(), 3);
    QTemporaryDir dir;
    const QString caminho = dir.filePath("usuarios.pdf");
    EXPECT_EQ(gravaPdf(doc, caminho, amb.plataforma.pastaPrograma()), "");
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3);
    EXPECT_TRUE(gravaPdf(doc, dir.filePath("nao/existe.pdf"), amb.plataforma.pastaPrograma()).startsWith("Não foi possível gravar o arquivo"));

    // Over a file that was there, a save cancelled or dropped half-way (the preview closed, the
    // program ended), killed (the next start cleans up) or failing (the disk fills up, told as
    // such) leaves that file as it was and nothing beside it.
    const QByteArray antigo = "o PDF de ontem";
    ASSERT_TRUE(f.remove() && f.open(QIODevice::WriteOnly) && f.write(antigo) == antigo.size());
    f.close();
    const QString programa = amb.plataforma.pastaPrograma();
    // What a kill while `parcial` is written leaves on the disk, as the next start finds it.
    const auto mata = [&](ImpressaoRelatorio& gravacao, const QString& parcial) {
        const RetratoMorte retrato({parcial}, programa + "/" + kGravacoesAnotadas);
        gravacao.cancela();
        retrato.volta();
        removeCopiasTemporarias(programa + "/dados.mdb");
    };
    for (const QString como : {"cancelada", "largada", "morta", "disco cheio", "disco cheio no começo"}) {
        {
            std::optional<DiscoCheio> cheio;
            if (como == "disco cheio") cheio.emplace(pdf.size() / 2);
            if (como == "disco cheio no começo") cheio.emplace(512);
            ImpressaoRelatorio gravacao(doc, caminho, programa);
            EXPECT_FALSE(gravacao.avanca(0));   // a page written, more to go
            if (como == "cancelada") gravacao.cancela();
            while (como.startsWith("disco cheio") && !gravacao.avanca(0)) {}
            // No room for the first page's writing: the pages after it are not painted.
            if (como == "disco cheio no começo") {
                EXPECT_EQ(gravacao.feitas(), 1);
            }
            EXPECT_EQ(gravacao.falha(), como.startsWith("disco cheio") ? textoDiscoCheio(caminho) : QString());
            if (como == "morta") {
                mata(gravacao, caminho + kSufixoGravando);
                EXPECT_EQ(QDir(programa).entryList({"dados.mdb.*"}), QStringList());
            }
        }
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == antigo) << como.toStdString();
        f.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"usuarios.pdf"});
    }

    // A link (to a copy of the database) or a user's file at the name the PDF takes while it is
    // written is neither written through nor removed; the PDF is written beside it, and a kill
    // midway leaves it only until the next start.
    const QString alvo = dir.filePath("copia.mdb"), ocupado = caminho + kSufixoGravando;
    ASSERT_TRUE(QFile::copy(programa + "/dados.mdb", alvo));
    QFile copia(alvo);
    ASSERT_TRUE(copia.open(QIODevice::ReadOnly));
    const QByteArray doBanco = copia.readAll(), doUsuario = "o relatório do usuário";
    for (const bool ligacao : {true, false})
        for (const bool morta : {false, true}) {
            SCOPED_TRACE(std::string(ligacao ? "ligação" : "arquivo do usuário") + (morta ? ", morta" : ""));
            QFile u(ocupado);
            ASSERT_TRUE(ligacao ? QFile::link(alvo, ocupado)
                                : u.open(QIODevice::WriteOnly) && u.write(doUsuario) == doUsuario.size());
            u.close();
            QFile::remove(caminho);
            {
                ImpressaoRelatorio gravacao(doc, caminho, programa);
                while (!gravacao.avanca(0) && !morta) {}
                EXPECT_EQ(gravacao.falha(), "");
                const QStringList escritos = QDir(dir.path()).entryList({"usuarios.pdf.*.gravando"});
                ASSERT_EQ(escritos.size(), int(morta));   // the one beside, while it is written
                if (morta) mata(gravacao, dir.filePath(escritos.first()));
            }
            EXPECT_EQ(QFile::exists(caminho), !morta);
            // Read through the link, the copy of the database as it was.
            EXPECT_EQ(QFileInfo(ocupado).symLinkTarget(), ligacao ? alvo : "");
            EXPECT_TRUE(u.open(QIODevice::ReadOnly) && u.readAll() == (ligacao ? doBanco : doUsuario));
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).join(' '),
                      morta ? "copia.mdb usuarios.pdf.gravando" : "copia.mdb usuarios.pdf usuarios.pdf.gravando");
            EXPECT_FALSE(QFile::exists(programa + "/" + kGravacoesAnotadas));
            ASSERT_TRUE(QFile::remove(ocupado));
        }
}

TEST_F(RelatoriosTest, FalhasDizemPorQueSemMostrarNada) {
    PedidoRelatorio p;
    p.titulo = "Relatório de Usuários";
    p.arquivo = modelo("rel_usu.rpt");
    p.selecao = "{usuarios.codigo}=1 or 1=1";
    EXPECT_TRUE(falha(p).startsWith("Fórmula de seleção não aceita"));
    p.selecao = "{mensalistas.filial}=1";   // a table this template does not read
    EXPECT_EQ(falha(p), "A fórmula de seleção usa a tabela mensalistas, que o modelo rel_usu.rpt não lê.");
    p.selecao.clear();
    p.ordem[0] = "+{usuarios.usuario}; DROP TABLE usuarios";
    EXPECT_TRUE(falha(p).startsWith("Fórmula de seleção não aceita"));
    p.ordem[0].clear();

    QDir(amb.plataforma.pastaPrograma()).mkdir("pasta.rpt");
    p.arquivo = modelo("pasta.rpt");
    EXPECT_TRUE(falha(p).startsWith("Não foi possível ler o modelo de relatório " + modelo("pasta.rpt")));

    escreve("rel_x.rpt", "tabelas: usuarios\ncoluna: usuario | Usuário\n");
    p.arquivo = modelo("rel_x.rpt");
    EXPECT_EQ(falha(p), "Modelo de relatório rel_x.rpt, linha 2: coluna: campo | cabeçalho | largura | formato [| soma]");

    escreve("rel_x.rpt", "tabelas: usuarios\nconsulta: SELECT usuario FROM usuarios\ncoluna: senha | Senha | 10 | texto\n");
    EXPECT_EQ(falha(p), "Modelo de relatório rel_x.rpt: a consulta não traz senha.");

    escreve("rel_x.rpt", "tabelas: usuarios\nconsulta: SELECT x FROM tabela_que_falta\ncoluna: x | X | 10 | texto\n");
    const QString m = falha(p);
    EXPECT_TRUE(m.startsWith("Não foi possível gerar o relatório \"Relatório de Usuários\".\nO banco de dados recusou a operação")) << m.toStdString();

    QFile::remove(modelo("rel_fat_mensalidades.rpt"));
    p.arquivo = modelo("rel_fat.rpt");
    EXPECT_TRUE(falha(p).startsWith("Não foi possível ler o modelo de relatório " + modelo("rel_fat_mensalidades.rpt")));
    for (const auto& v : amb.plataforma.mensagens) EXPECT_EQ(v.icone, Icone::Critico);
}
