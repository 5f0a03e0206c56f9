#include "reports/visualizacao.h"

#include "reports/documento.h"
#include "reports/impressao.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kPixelsPorMm = 96.0 / 25.4;
constexpr int kEspaco = 12;

// The pages one under the other, each painted when it comes into view.
class AreaPaginas : public QAbstractScrollArea {
public:
    AreaPaginas(const DocumentoRelatorio& doc, QWidget* pai) : QAbstractScrollArea(pai), doc_(doc) {
        setObjectName(QStringLiteral("previa"));
        viewport()->setBackgroundRole(QPalette::Dark);
        viewport()->setAutoFillBackground(true);
    }

    void amplia(double fator) {
        const double pagina = paginaNoTopo();
        zoom_ = std::clamp(zoom_ * fator, 0.2, 5.0);
        atualiza();
        verticalScrollBar()->setValue(int(pagina * alturaComEspaco()));
    }
    void paginaInteira() {
        zoom_ = (viewport()->height() - 2 * kEspaco) / (297.0 * kPixelsPorMm);
        amplia(1.0);
    }
    void atualiza() {
        const int total = int(doc_.paginas() * alturaComEspaco()) + kEspaco;
        verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
        verticalScrollBar()->setPageStep(viewport()->height());
        verticalScrollBar()->setSingleStep(40);
        const int largura = int(larguraPapel()) + 2 * kEspaco;
        horizontalScrollBar()->setRange(0, std::max(0, largura - viewport()->width()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        viewport()->update();
    }
    int paginaNoTopo() const { return int(verticalScrollBar()->value() / alturaComEspaco()); }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QAbstractScrollArea::resizeEvent(e);
        atualiza();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(viewport());
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const double passo = alturaComEspaco();
        const int topo = verticalScrollBar()->value();
        const double x = std::max(double(kEspaco), (viewport()->width() - larguraPapel()) / 2) -
                         horizontalScrollBar()->value();
        for (int pg = int(topo / passo); pg < doc_.paginas(); ++pg) {
            const double y = kEspaco + pg * passo - topo;
            if (y > viewport()->height()) break;
            p.fillRect(QRectF(x, y, larguraPapel(), alturaPapel()), Qt::white);
            p.save();
            p.translate(x + kMargemMm * kPixelsPorMm * zoom_, y + kMargemMm * kPixelsPorMm * zoom_);
            const double escala = zoom_ * 96.0 / kUnidadesPorPolegada;
            p.scale(escala, escala);
            doc_.pintaPagina(p, pg);
            p.restore();
        }
    }

private:
    double larguraPapel() const { return 210.0 * kPixelsPorMm * zoom_; }
    double alturaPapel() const { return 297.0 * kPixelsPorMm * zoom_; }
    double alturaComEspaco() const { return alturaPapel() + kEspaco; }

    const DocumentoRelatorio& doc_;
    double zoom_ = 1.0;
};

}  // namespace

void visualizaDocumento(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo, QWidget* pai) {
    const DocumentoRelatorio& doc = *documento;
    QPrinter impressora(QPrinter::HighResolution);
    configuraImpressora(impressora);
    impressora.setDocName(titulo);

    QDialog janela(pai);
    janela.setObjectName(QStringLiteral("visualizacao"));
    janela.setWindowTitle(titulo);
    janela.resize(900, 1000);
    auto* leiaute = new QVBoxLayout(&janela);
    auto* barra = new QToolBar(&janela);
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* area = new AreaPaginas(doc, &janela);
    auto* situacao = new QLabel(&janela);
    situacao->setObjectName(QStringLiteral("situacao"));
    auto* andamento = new QProgressBar(&janela);
    andamento->setObjectName(QStringLiteral("andamento"));
    andamento->setRange(0, 0);
    andamento->setMaximumWidth(200);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(situacao, 1);
    rodape->addWidget(andamento);
    leiaute->addWidget(barra);
    leiaute->addWidget(area, 1);
    leiaute->addLayout(rodape);

    // Writing every page, with a way to stop.
    const auto comAndamento = [&](const QString& texto, const std::function<void(const std::function<bool(int, int)>&)>& f) {
        QProgressDialog progresso(texto, QStringLiteral("Cancelar"), 0, doc.paginas(), &janela);
        progresso.setWindowModality(Qt::WindowModal);
        progresso.setMinimumDuration(500);
        f([&progresso](int feitas, int total) {
            progresso.setMaximum(total);
            progresso.setValue(feitas);
            return !progresso.wasCanceled();
        });
    };
    auto* imprimir = barra->addAction(QStringLiteral("Imprimir..."), &janela, [&] {
        QPrintDialog escolha(&impressora, &janela);
        escolha.setWindowTitle(QStringLiteral("Imprimir"));
        escolha.setMinMax(1, doc.paginas());
        if (escolha.exec() != QDialog::Accepted) return;
        comAndamento(QStringLiteral("Imprimindo..."),
                     [&](const auto& a) { imprimeDocumento(doc, impressora, a); });
    });
    auto* salvar = barra->addAction(QStringLiteral("Salvar PDF..."), &janela, [&] {
        const QString caminho = QFileDialog::getSaveFileName(
            &janela, QStringLiteral("Salvar PDF"), QDir::home().filePath(titulo + QStringLiteral(".pdf")),
            QStringLiteral("Arquivos PDF (*.pdf)"));
        if (caminho.isEmpty()) return;
        bool parou = false;
        QString falha;
        comAndamento(QStringLiteral("Gravando o PDF..."), [&](const auto& a) {
            falha = gravaPdf(doc, caminho, [&](int feitas, int total) { return (parou = !a(feitas, total)) == false; });
        });
        if (parou) QFile::remove(caminho);
        else if (!falha.isEmpty()) QMessageBox::information(&janela, QStringLiteral("Quelmar"), falha);
    });
    barra->addSeparator();
    barra->addAction(QStringLiteral("Ampliar"), area, [area] { area->amplia(1.25); });
    barra->addAction(QStringLiteral("Reduzir"), area, [area] { area->amplia(0.8); });
    barra->addAction(QStringLiteral("Página inteira"), area, [area] { area->paginaInteira(); });
    barra->addSeparator();
    barra->addAction(QStringLiteral("Fechar"), &janela, &QDialog::accept);

    // Printing waits for the last page; meanwhile the pages laid out so far are shown.
    const auto mostraSituacao = [&] {
        const bool pronto = doc.concluido();
        imprimir->setEnabled(pronto);
        salvar->setEnabled(pronto);
        andamento->setVisible(!doc.concluido() && !doc.interrompido());
        area->viewport()->setCursor(andamento->isVisible() ? Qt::BusyCursor : Qt::ArrowCursor);
        if (pronto) situacao->setText(QStringLiteral("%1 página(s)").arg(doc.paginas()));
        else if (doc.interrompido()) situacao->setText(QStringLiteral("Relatório interrompido: %1 página(s)").arg(doc.paginas()));
        else situacao->setText(QStringLiteral("Montando o relatório: %1 página(s), %2 linha(s)...")
                                   .arg(doc.paginas()).arg(doc.linhas()));
        area->atualiza();
    };
    QObject::connect(&doc, &DocumentoRelatorio::cresceu, &janela, mostraSituacao);
    QObject::connect(&doc, &DocumentoRelatorio::terminou, &janela, mostraSituacao);
    mostraSituacao();

    janela.exec();
}
