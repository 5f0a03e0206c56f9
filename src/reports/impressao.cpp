#include "reports/impressao.h"

#include "reports/documento.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QTextDocument>

void configuraImpressora(QPrinter& impressora) {
    impressora.setPageSize(QPageSize(QPageSize::A4));
    impressora.setPageOrientation(QPageLayout::Portrait);
    impressora.setPageMargins(QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
}

void imprimeDocumento(const QTextDocument& documento, QPrinter& impressora) {
    documento.print(&impressora);
}

QString gravaPdf(const QTextDocument& documento, const QString& caminho) {
    {
        // QPrinter says nothing when it cannot write the file: try it first.
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly))
            return QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(caminho, f.errorString());
    }
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(caminho);
    impressora.setDocName(documento.metaInformation(QTextDocument::DocumentTitle));
    configuraImpressora(impressora);
    imprimeDocumento(documento, impressora);
    if (QFileInfo(caminho).size() == 0)
        return QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho);
    return {};
}
