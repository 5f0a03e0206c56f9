#include "programa/plataforma_qt.h"

#include "reports/visualizacao.h"
#include "widgets/retoma_teclado.h"

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

}  // namespace

QString PlataformaQt::pastaPrograma() const { return QCoreApplication::applicationDirPath(); }

QDateTime PlataformaQt::agora() const { return QDateTime::currentDateTime(); }

void PlataformaQt::mensagem(const QString& texto, Icone icone, const QString& titulo) {
    QMessageBox::Icon i = QMessageBox::Information;
    if (icone == Icone::Exclamacao) i = QMessageBox::Warning;
    if (icone == Icone::Critico) i = QMessageBox::Critical;
    if (icone == Icone::Nenhum) i = QMessageBox::NoIcon;
    QWidget* emUso = QApplication::activeWindow();
    QMessageBox caixa(i, titulo, texto, QMessageBox::Ok, emUso);
    CursorNormal seta;
    caixa.exec();
    // The keys typed next go to the window the box stood over, with or without a window manager.
    if (emUso) retomaTeclado(emUso);
}

bool PlataformaQt::pergunta(const QString& texto, const QString& titulo) {
    // A plain Yes/No question: no icon.
    QWidget* emUso = QApplication::activeWindow();
    QMessageBox caixa(QMessageBox::NoIcon, titulo, texto, QMessageBox::Yes | QMessageBox::No, emUso);
    // S and N answer as well as Enter (Sim) and Esc (Não): a message box presses the button
    // whose underlined letter is typed.
    caixa.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    caixa.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    CursorNormal seta;
    const bool sim = caixa.exec() == QMessageBox::Yes;
    if (emUso) retomaTeclado(emUso);
    return sim;
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
