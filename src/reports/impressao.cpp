#include "reports/impressao.h"

#include "branches/arquivos.h"
#include "data/banco.h"
#include "data/conexoes_abertas.h"
#include "reports/documento.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

void configuraImpressora(QPrinter& impressora) {
    impressora.setPageSize(QPageSize(QPageSize::A4));
    impressora.setPageOrientation(QPageLayout::Portrait);
    impressora.setPageMargins(QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
}

namespace {

bool pdfInteiro(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0) return false;
    f.seek(std::max<qint64>(0, f.size() - 32));
    return f.readAll().contains("%%EOF");
}

std::unique_ptr<QPrinter> impressoraPdf(const DocumentoRelatorio& documento, const QString& caminho) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(caminho);
    p->setDocName(documento.titulo());
    configuraImpressora(*p);
    return p;
}

}  // namespace

ImpressaoRelatorio::ImpressaoRelatorio(const DocumentoRelatorio& documento, QPrinter& impressora)
    : documento_(documento), impressora_(impressora) {}

// The PDF is written under a second name and takes the chosen one once whole: a file that was
// there stays until then, and stays when the saving is cancelled or fails.
ImpressaoRelatorio::ImpressaoRelatorio(const DocumentoRelatorio& documento, const QString& caminho)
    : documento_(documento), proprio_(impressoraPdf(documento, caminho + kSufixoGravando)), impressora_(*proprio_),
      caminho_(caminho), temporario_(caminho + kSufixoGravando) {}

ImpressaoRelatorio::~ImpressaoRelatorio() {
    if (!terminada_) cancela();
}

bool ImpressaoRelatorio::comeca() {
    comecou_ = true;
    de_ = 0;
    ate_ = documento_.paginas() - 1;
    if (impressora_.printRange() == QPrinter::PageRange && impressora_.fromPage() > 0) {
        de_ = impressora_.fromPage() - 1;
        ate_ = std::min(ate_, impressora_.toPage() - 1);
    }
    atual_ = de_;
    if (!caminho_.isEmpty()) {
        // The database, its log, or another file the engine holds for the program: replaced by
        // a PDF, the records would be lost.
        if (conexaoQueUsa(caminho_)) {
            falha_ = QStringLiteral("Não foi possível gravar o arquivo %1: ele é o banco de dados em uso pelo programa.")
                         .arg(caminho_);
            return false;
        }
        const QFileInfo destino(caminho_);
        if (destino.exists() && (!destino.isFile() || !destino.isWritable())) {
            falha_ = QStringLiteral("Não foi possível gravar o arquivo %1: o arquivo que já existe não pode ser "
                                    "substituído.")
                         .arg(caminho_);
            return false;
        }
        // QPrinter says nothing when it cannot write the file: try it first.
        QFile f(temporario_);
        if (!f.open(QIODevice::WriteOnly)) {
            falha_ = QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(caminho_, f.errorString());
            return false;
        }
    }
    if (ate_ < de_) return true;
    if (!pintor_.begin(&impressora_)) {
        falha_ = caminho_.isEmpty() ? QStringLiteral("Não foi possível imprimir: a impressora não está disponível.")
                                    : QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho_);
        return false;
    }
    pintor_.setRenderHint(QPainter::TextAntialiasing);
    return true;
}

bool ImpressaoRelatorio::avanca(int ms) {
    if (terminada_) return true;
    if (!comecou_ && !comeca()) {
        terminada_ = true;
        return true;
    }
    QElapsedTimer relogio;
    relogio.start();
    // The painter starts at the printable area's corner, in device pixels.
    const double escala = impressora_.resolution() / kUnidadesPorPolegada;
    while (atual_ <= ate_) {
        if (atual_ > de_ && !impressora_.newPage()) {
            falha_ = caminho_.isEmpty() ? QStringLiteral("A impressão foi interrompida pela impressora.")
                                        : QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho_);
            break;
        }
        pintor_.save();
        pintor_.scale(escala, escala);
        documento_.pintaPagina(pintor_, atual_);
        pintor_.restore();
        ++atual_;
        if (relogio.elapsed() >= ms) break;
    }
    if (atual_ > ate_ || !falha_.isEmpty()) termina();
    return terminada_;
}

void ImpressaoRelatorio::termina() {
    terminada_ = true;
    if (pintor_.isActive()) pintor_.end();
    if (caminho_.isEmpty()) return;
    // A disk that filled up leaves a file cut short: it ends without the PDF's closing mark.
    if (falha_.isEmpty() && !pdfInteiro(temporario_))
        falha_ = QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho_);
    if (falha_.isEmpty()) {
        try {
            substituiArquivo(temporario_, caminho_);
        } catch (const ErroBanco&) {
            falha_ = QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho_);
        }
    }
    if (!falha_.isEmpty()) removeArquivo(temporario_);
}

void ImpressaoRelatorio::cancela() {
    if (terminada_) return;
    terminada_ = true;
    if (pintor_.isActive()) {
        impressora_.abort();
        pintor_.end();
    }
    if (comecou_ && !caminho_.isEmpty()) removeArquivo(temporario_);
}

QString gravaPdf(const DocumentoRelatorio& documento, const QString& caminho) {
    ImpressaoRelatorio pdf(documento, caminho);
    while (!pdf.avanca(0)) {}
    return pdf.falha();
}
