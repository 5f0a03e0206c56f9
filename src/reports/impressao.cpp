#include "reports/impressao.h"

#include "reports/documento.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

void configuraImpressora(QPrinter& impressora) {
    impressora.setPageSize(QPageSize(QPageSize::A4));
    impressora.setPageOrientation(QPageLayout::Portrait);
    impressora.setPageMargins(QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
}

void imprimeDocumento(const DocumentoRelatorio& documento, QPrinter& impressora,
                      const std::function<bool(int, int)>& andamento) {
    int de = 0, ate = documento.paginas() - 1;
    if (impressora.printRange() == QPrinter::PageRange && impressora.fromPage() > 0) {
        de = impressora.fromPage() - 1;
        ate = std::min(ate, impressora.toPage() - 1);
    }
    if (ate < de) return;
    QPainter p;
    if (!p.begin(&impressora)) return;
    p.setRenderHint(QPainter::TextAntialiasing);
    // The painter starts at the printable area's corner, in device pixels.
    const double escala = impressora.resolution() / kUnidadesPorPolegada;
    for (int pg = de; pg <= ate; ++pg) {
        if (pg > de && !impressora.newPage()) break;
        p.save();
        p.scale(escala, escala);
        documento.pintaPagina(p, pg);
        p.restore();
        if (andamento && !andamento(pg - de + 1, ate - de + 1)) {
            impressora.abort();
            break;
        }
    }
    p.end();
}

QString gravaPdf(const DocumentoRelatorio& documento, const QString& caminho,
                 const std::function<bool(int, int)>& andamento) {
    {
        // QPrinter says nothing when it cannot write the file: try it first.
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly))
            return QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(caminho, f.errorString());
    }
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(caminho);
    impressora.setDocName(documento.titulo());
    configuraImpressora(impressora);
    imprimeDocumento(documento, impressora, andamento);
    if (QFileInfo(caminho).size() == 0)
        return QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho);
    return {};
}
