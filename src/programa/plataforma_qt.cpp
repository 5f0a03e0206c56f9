#include "programa/plataforma_qt.h"

#include "reports/visualizacao.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>

namespace {

// The arrow over a message box, even while the window behind it shows the hourglass.
class CursorNormal {
public:
    CursorNormal() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~CursorNormal() { QGuiApplication::restoreOverrideCursor(); }
    CursorNormal(const CursorNormal&) = delete;
    CursorNormal& operator=(const CursorNormal&) = delete;
};

// A box that closes by hiding: a dialog that closes drops its window on the display at once,
// and with it the keys the display had already sent to it, typed right after the key that
// closed it. Hidden, its window stays until the next box has closed, and the keyboard's guide
// passes those keys on.
class CaixaMensagem : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void done(int resposta) override {
        setResult(resposta);
        hide();
    }
};

}  // namespace

PlataformaQt::~PlataformaQt() { delete caixaFechada_; }

QString PlataformaQt::pastaPrograma() const { return QCoreApplication::applicationDirPath(); }

QDateTime PlataformaQt::agora() const { return QDateTime::currentDateTime(); }

void PlataformaQt::mensagem(const QString& texto, Icone icone, const QString& titulo) {
    QMessageBox::Icon i = QMessageBox::Information;
    if (icone == Icone::Exclamacao) i = QMessageBox::Warning;
    if (icone == Icone::Critico) i = QMessageBox::Critical;
    if (icone == Icone::Nenhum) i = QMessageBox::NoIcon;
    mostra(new CaixaMensagem(i, titulo, texto, QMessageBox::Ok, QApplication::activeWindow()));
}

bool PlataformaQt::pergunta(const QString& texto, const QString& titulo) {
    // A plain Yes/No question: no icon.
    auto* caixa = new CaixaMensagem(QMessageBox::NoIcon, titulo, texto,
                                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    // S and N answer as well as Enter (Sim) and Esc (Não): a message box presses the button
    // whose underlined letter is typed.
    caixa->button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    caixa->button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    return mostra(caixa) == QMessageBox::Yes;
}

int PlataformaQt::mostra(QMessageBox* caixa) {
    CursorNormal seta;
    const int resposta = caixa->exec();
    // The box goes when the next one has closed (see `CaixaMensagem`).
    delete caixaFechada_;
    caixaFechada_ = caixa;
    return resposta;
}

void PlataformaQt::encerra() {
    // Every change is already written; the program ends at once, even before its event loop.
    encerraRelatorios();
    if (aoEncerrar_) aoEncerrar_();
    // Whoever asked to end has chosen about the printouts still waiting for the ticket printer:
    // the one being written is given up at once, so the end takes no more than a moment.
    impressora_.abandona();
    std::exit(0);
}

void PlataformaQt::aguarda(int ms, std::function<void()> depois) {
    QTimer::singleShot(ms, qApp, std::move(depois));
}

void PlataformaQt::visualiza(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo) {
    visualizaDocumento(std::move(documento), titulo, QApplication::activeWindow(), pastaPrograma());
}
