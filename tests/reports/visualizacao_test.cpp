// The print preview beside the lanes: with a report on screen, and while it is saved as PDF,
// the main window takes entries.

#include "cash/abe_cai.h"
#include "programa/liga_pista.h"
#include "reports/relatorio_teste.h"
#include "reports/visualizacao.h"
#include "support/janela_principal_teste.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class VisualizacaoTest : public JanelaRelatoriosTeste {
protected:
    VisualizacaoTest() {
        amb.ctx.estado.impressora = QStringLiteral("LPT1");   // the fake printer: "Registrar e Imprimir" enabled
        amb.ctx.estado.impressora_fiscal = QStringLiteral(" ");
        ligaPista(amb.ctx, a);
        a.show();
        QApplication::setActiveWindow(&a);
        amb.ctx.estado.numero_caixa = 1;
        a.mostraCaixa();
    }
    ~VisualizacaoTest() override {
        if (previa) previa->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // F2, the plate and "Registrar e Imprimir", as the attendant does them.
    void entra(const char* placa) {
        QTest::keyClick(a.pla, Qt::Key_F2);
        QTest::keyClicks(a.pla, QString::fromLatin1(placa));
        QTest::mouseClick(a.Command6, Qt::LeftButton);
    }
    bool noPatio(const char* placa) {
        return amb.db().existe("SELECT 1 FROM veiculos_patio WHERE placa = ?", {QString::fromLatin1(placa)});
    }

    // The detailed revenue report of 3,000 exits, built as the reports window builds it.
    std::shared_ptr<const DocumentoRelatorio> relatorioDetalhado() {
        amb.db().executa(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2999) "
            "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
            "tipo_estacionamento, caixa, total, valor_liquido, filial) "
            "SELECT '2008-03-20', '08:00:00', '2008-03-20', '09:00:00', 1000 + i, printf('XY-%05d', i), 'R', 1, "
            "10000, 10000, 1 FROM n");
        imprime(janela.Option6);
        EXPECT_EQ(amb.plataforma.visualizados.size(), 1u);
        return amb.plataforma.visualizados.empty() ? nullptr : amb.plataforma.visualizados.back().documento;
    }

    JanelaPrincipalTeste a{amb.ctx};
    QPointer<QWidget> previa;
};

}  // namespace

TEST_F(VisualizacaoTest, PistaRegistraEntradasComAPreviaAbertaEGravandoPdf) {
    const auto documento = relatorioDetalhado();
    ASSERT_TRUE(documento);
    ASSERT_GT(documento->paginas(), 20);

    // The preview opens beside the main window and returns at once: nothing is modal. (A modal
    // preview would wait in its own loop: this closes it, so the test fails instead of hanging.)
    bool abrindo = true, modal = false;
    QTimer::singleShot(0, &a, [&] {
        if (QWidget* m = QApplication::activeModalWidget(); abrindo && m) {
            modal = true;
            m->close();
        }
    });
    previa = visualizaDocumento(documento, "Relatório de Faturamento Detalhado", &janela, amb.plataforma.pastaPrograma());
    abrindo = false;
    EXPECT_FALSE(modal);
    ASSERT_TRUE(previa && previa->isVisible());
    EXPECT_EQ(previa->windowModality(), Qt::NonModal);
    EXPECT_EQ(previa->parentWidget(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    entra("ABC1234");
    EXPECT_TRUE(noPatio("ABC-1234"));

    // "Salvar PDF...": the file chooser is modal to the preview alone; then the pages are written
    // between the program's events, and a car entering meanwhile is registered.
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("faturamento.pdf");
    auto* cancelar = previa->findChild<QAction*>("Cancelar");
    auto* situacao = previa->findChild<QLabel*>("situacao");
    ASSERT_TRUE(cancelar && situacao);
    bool escolhaSoDaPrevia = false;
    QTimer::singleShot(0, previa, [&] {
        auto* escolha = previa->findChild<QFileDialog*>();
        ASSERT_TRUE(escolha);
        escolhaSoDaPrevia = escolha->windowModality() == Qt::WindowModal && escolha->parentWidget() == previa;
        escolha->selectFile(caminho);
        QMetaObject::invokeMethod(escolha, "accept");
    });
    previa->findChild<QAction*>("Salvar_PDF")->trigger();
    EXPECT_TRUE(escolhaSoDaPrevia);
    bool gravandoNaEntrada = false;
    QTimer::singleShot(0, &a, [&] {
        entra("DEF5678");
        gravandoNaEntrada = cancelar->isVisible() && !situacao->text().contains("PDF gravado");
    });
    // The events, until the PDF is written (a bound instead of a hang, should it never be).
    for (int i = 0; i < 100000 && (cancelar->isVisible() || !noPatio("DEF-5678")); ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(gravandoNaEntrada);
    EXPECT_TRUE(noPatio("DEF-5678"));
    EXPECT_TRUE(situacao->text().contains("PDF gravado em " + caminho)) << situacao->text().toStdString();
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              documento->paginas());
    EXPECT_TRUE(amb.plataforma.mensagens.empty()) << amb.plataforma.textosMensagens().join("\n").toStdString();
}

// The program ends while a preview saves its PDF: the preview goes, and nothing half-written is
// left under the chosen name or beside it.
TEST_F(VisualizacaoTest, FimDoProgramaLevaAPreviaEOPdfPelaMetade) {
    const auto documento = relatorioDetalhado();
    ASSERT_TRUE(documento);
    previa = visualizaDocumento(documento, "Relatório", &janela, amb.plataforma.pastaPrograma());
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("parcial.pdf");
    QTimer::singleShot(0, previa, [&] {
        auto* escolha = previa->findChild<QFileDialog*>();
        ASSERT_TRUE(escolha);
        escolha->selectFile(caminho);
        QMetaObject::invokeMethod(escolha, "accept");
    });
    previa->findChild<QAction*>("Salvar_PDF")->trigger();
    QCoreApplication::processEvents();   // some pages written
    ASSERT_TRUE(previa->findChild<QAction*>("Cancelar")->isVisible());   // and more to go
    EXPECT_FALSE(QFile::exists(caminho));   // only once it is whole

    encerraRelatorios();
    EXPECT_TRUE(previa.isNull());
    EXPECT_TRUE(QDir(pasta.path()).isEmpty());
}
