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

namespace {

// A plain Yes/No question: no icon.
CaixaMensagem* caixaPergunta(const QString& texto, const QString& titulo) {
    auto* caixa = new CaixaMensagem(QMessageBox::NoIcon, titulo, texto,
                                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    // S and N answer as well as Enter and Esc (Não): a message box presses the button whose
    // underlined letter is typed.
    caixa->button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    caixa->button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    return caixa;
}

// How often a question that follows a changing count reads it again.
constexpr int kReleituraPerguntaMs = 200;

}  // namespace

bool PlataformaQt::pergunta(const QString& texto, const QString& titulo) {
    return mostra(caixaPergunta(texto, titulo)) == QMessageBox::Yes;
}

bool PlataformaQt::perguntaAtualizada(std::function<QString()> texto, const QString& titulo) {
    const QString primeiro = texto();
    if (primeiro.isEmpty()) return false;
    CaixaMensagem* caixa = caixaPergunta(primeiro, titulo);
    // The default button also holds the keyboard: an Enter typed by habit answers No.
    caixa->setDefaultButton(QMessageBox::No);
    QTimer releitura;
    QObject::connect(&releitura, &QTimer::timeout, caixa, [caixa, &texto] {
        const QString agora = texto();
        if (agora.isEmpty())
            caixa->done(QMessageBox::No);
        else if (agora != caixa->text())
            caixa->setText(agora);
    });
    releitura.start(kReleituraPerguntaMs);
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
