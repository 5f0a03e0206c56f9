#include "reports/visualizacao.h"

#include "reports/construcao.h"
#include "reports/documento.h"
#include "reports/impressao.h"
#include "widgets/escolha_arquivo.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kPixelsPorMm = 96.0 / 25.4;
constexpr int kEspaco = 12;
// Printing and saving paint pages for this long, then let the program's events through.
constexpr int kMsPorVez = 25;

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

class JanelaVisualizacao : public QWidget {
public:
    JanelaVisualizacao(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo,
                       const QString& pastaPrograma)
        : doc_(std::move(documento)), titulo_(titulo), pastaPrograma_(pastaPrograma) {
        setObjectName(QStringLiteral("visualizacao"));
        setWindowTitle(titulo);
        setAttribute(Qt::WA_DeleteOnClose);
        // Closing the main window still ends the program, with a preview open or not.
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(900, 1000);
        auto* leiaute = new QVBoxLayout(this);
        auto* barra = new QToolBar(this);
        barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
        area_ = new AreaPaginas(*doc_, this);
        situacao_ = new QLabel(this);
        situacao_->setObjectName(QStringLiteral("situacao"));
        andamento_ = new QProgressBar(this);
        andamento_->setObjectName(QStringLiteral("andamento"));
        andamento_->setMaximumWidth(200);
        auto* rodape = new QHBoxLayout;
        rodape->addWidget(situacao_, 1);
        rodape->addWidget(andamento_);
        leiaute->addWidget(barra);
        leiaute->addWidget(area_, 1);
        leiaute->addLayout(rodape);

        imprimir_ = barra->addAction(QStringLiteral("Imprimir..."), this, [this] { imprime(); });
        salvar_ = barra->addAction(QStringLiteral("Salvar PDF..."), this, [this] { salva(); });
        cancelar_ = barra->addAction(QStringLiteral("Cancelar"), this, [this] { para(QStringLiteral("cancelada")); });
        barra->addSeparator();
        barra->addAction(QStringLiteral("Ampliar"), this, [this] { area_->amplia(1.25); });
        barra->addAction(QStringLiteral("Reduzir"), this, [this] { area_->amplia(0.8); });
        barra->addAction(QStringLiteral("Página inteira"), this, [this] { area_->paginaInteira(); });
        barra->addSeparator();
        barra->addAction(QStringLiteral("Fechar"), this, &QWidget::close);
        for (QAction* a : {imprimir_, salvar_, cancelar_})
            a->setObjectName(a->text().remove(QLatin1Char('.')).replace(QLatin1Char(' '), QLatin1Char('_')));

        relogio_.setInterval(0);
        connect(&relogio_, &QTimer::timeout, this, [this] { passo(); });
        connect(doc_.get(), &DocumentoRelatorio::cresceu, this, [this] { mostraSituacao(); });
        connect(doc_.get(), &DocumentoRelatorio::terminou, this, [this] { mostraSituacao(); });
        mostraSituacao();
    }

    ~JanelaVisualizacao() override {
        trabalho_.reset();   // a printing or a PDF stopped half-way is dropped
        // The report still being built is not wanted any more.
        if (!doc_->concluido()) doc_->abandona();
    }

private:
    void imprime() {
        if (!impressora_) {
            impressora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            configuraImpressora(*impressora_);
            impressora_->setDocName(titulo_);
        }
        // Modal to the preview only: the other windows go on.
        QPrintDialog escolha(impressora_.get(), this);
        escolha.setWindowTitle(QStringLiteral("Imprimir"));
        escolha.setMinMax(1, doc_->paginas());
        // No printing to a file here: its file chooser would list folders by opening their files;
        // "Salvar PDF" writes the file.
        escolha.setOption(QAbstractPrintDialog::PrintToFile, false);
        escolha.setWindowModality(Qt::WindowModal);
        if (escolha.exec() != QDialog::Accepted) return;
        comeca(std::make_unique<ImpressaoRelatorio>(*doc_, *impressora_), QStringLiteral("Imprimindo"),
               QStringLiteral("Impressão enviada à impressora."));
    }

    void salva() {
        QFileDialog escolha(this, QStringLiteral("Salvar PDF"), QDir::home().filePath(titulo_ + QStringLiteral(".pdf")),
                            QStringLiteral("Arquivos PDF (*.pdf)"));
        escolhaSemAbrirArquivos(escolha);
        escolha.setAcceptMode(QFileDialog::AcceptSave);
        escolha.setDefaultSuffix(QStringLiteral("pdf"));
        escolha.setWindowModality(Qt::WindowModal);
        if (escolha.exec() != QDialog::Accepted || escolha.selectedFiles().isEmpty()) return;
        const QString caminho = escolha.selectedFiles().first();
        comeca(std::make_unique<ImpressaoRelatorio>(*doc_, caminho, pastaPrograma_), QStringLiteral("Gravando o PDF"),
               QStringLiteral("PDF gravado em %1.").arg(caminho));
    }

    void comeca(std::unique_ptr<ImpressaoRelatorio> trabalho, const QString& texto, const QString& feito) {
        trabalho_ = std::move(trabalho);
        textoTrabalho_ = texto;
        textoFeito_ = feito;
        relogio_.start();
        mostraSituacao();
    }

    // A few pages, then the program's events.
    void passo() {
        if (!trabalho_) return relogio_.stop();
        if (!trabalho_->avanca(kMsPorVez)) return mostraSituacao();
        relogio_.stop();
        const QString falha = trabalho_->falha();
        trabalho_.reset();
        resultado_ = falha.isEmpty() ? textoFeito_ : falha;
        mostraSituacao();
        if (!falha.isEmpty()) {
            // Over the preview alone, without waiting for it, and without taking the keyboard
            // from the lane the operator may be typing at meanwhile.
            auto* aviso = new QMessageBox(QMessageBox::Warning, QStringLiteral("Quelmar"), falha,
                                          QMessageBox::Ok, this);
            aviso->setAttribute(Qt::WA_DeleteOnClose);
            aviso->setAttribute(Qt::WA_ShowWithoutActivating);
            aviso->open();
        }
    }

    void para(const QString& como) {
        if (!trabalho_) return;
        relogio_.stop();
        trabalho_.reset();
        resultado_ = textoTrabalho_ == QLatin1String("Imprimindo") ? QStringLiteral("Impressão %1.").arg(como)
                                                                   : QStringLiteral("Gravação do PDF %1.").arg(como);
        mostraSituacao();
    }

    // Printing waits for the last page; meanwhile the pages laid out so far are shown.
    void mostraSituacao() {
        const bool pronto = doc_->concluido();
        const bool trabalhando = trabalho_ != nullptr;
        imprimir_->setEnabled(pronto && !trabalhando);
        salvar_->setEnabled(pronto && !trabalhando);
        cancelar_->setVisible(trabalhando);
        const bool montando = !pronto && !doc_->interrompido();
        andamento_->setVisible(montando || trabalhando);
        if (trabalhando) {
            andamento_->setRange(0, trabalho_->total());
            andamento_->setValue(trabalho_->feitas());
            situacao_->setText(QStringLiteral("%1: página %2 de %3...")
                                   .arg(textoTrabalho_).arg(trabalho_->feitas()).arg(trabalho_->total()));
        } else if (montando) {
            andamento_->setRange(0, 0);
            situacao_->setText(QStringLiteral("Montando o relatório: %1 página(s), %2 linha(s)...")
                                   .arg(doc_->paginas()).arg(doc_->linhas()));
        } else if (pronto) {
            situacao_->setText(QStringLiteral("%1 página(s)").arg(doc_->paginas()) +
                               (resultado_.isEmpty() ? QString() : QStringLiteral(". ") + resultado_));
        } else {
            const QString motivo = doc_->motivoInterrupcao();
            situacao_->setText(QStringLiteral("Relatório interrompido: %1 página(s)").arg(doc_->paginas()) +
                               (motivo.isEmpty() ? QString() : QStringLiteral(". ") + motivo));
        }
        area_->viewport()->setCursor(montando ? Qt::BusyCursor : Qt::ArrowCursor);
        area_->atualiza();
    }

    std::shared_ptr<const DocumentoRelatorio> doc_;
    QString titulo_;
    QString pastaPrograma_;   // none of its files is replaced by a PDF
    AreaPaginas* area_;
    QLabel* situacao_;
    QProgressBar* andamento_;
    QAction* imprimir_;
    QAction* salvar_;
    QAction* cancelar_;
    std::unique_ptr<QPrinter> impressora_;   // made on the first print: it asks the system for printers
    std::unique_ptr<ImpressaoRelatorio> trabalho_;
    QTimer relogio_;
    QString textoTrabalho_, textoFeito_, resultado_;
};

}  // namespace

QWidget* visualizaDocumento(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo,
                            QWidget* perto, const QString& pastaPrograma) {
    // A window of its own, owned by nobody: the window that asked may close before it.
    auto* janela = new JanelaVisualizacao(std::move(documento), titulo, pastaPrograma);
    if (perto) janela->move(perto->window()->pos() + QPoint(40, 40));
    // A long report arrives while the operator may be back at the lane: it takes the keyboard
    // only from the reports window that is waiting for it, never from the cars being typed.
    const bool pedida = perto && perto->window()->objectName() == QLatin1String("rel");
    janela->setAttribute(Qt::WA_ShowWithoutActivating, !pedida);
    janela->show();
    if (pedida) {
        janela->raise();
        janela->activateWindow();
    }
    return janela;
}

void encerraRelatorios() {
    // Picked first: a preview takes its own top-level children (a message over it) along.
    QList<QPointer<QWidget>> previas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<JanelaVisualizacao*>(w)) previas << w;
    for (const QPointer<QWidget>& w : previas) delete w.data();
    for (ConstrucaoRelatorio* c : QCoreApplication::instance()->findChildren<ConstrucaoRelatorio*>())
        c->cancela();
}
