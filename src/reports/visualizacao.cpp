#include "reports/visualizacao.h"

#include "reports/impressao.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>
#include <QDialog>

void visualizaDocumento(const QTextDocument& documento, const QString& titulo, QWidget* pai) {
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
    auto* previa = new QPrintPreviewWidget(&impressora, &janela);
    previa->setObjectName(QStringLiteral("previa"));
    QObject::connect(previa, &QPrintPreviewWidget::paintRequested, &janela,
                     [&documento](QPrinter* p) { imprimeDocumento(documento, *p); });
    leiaute->addWidget(barra);
    leiaute->addWidget(previa);

    barra->addAction(QStringLiteral("Imprimir..."), &janela, [&] {
        QPrintDialog escolha(&impressora, &janela);
        escolha.setWindowTitle(QStringLiteral("Imprimir"));
        if (escolha.exec() == QDialog::Accepted) imprimeDocumento(documento, impressora);
    });
    barra->addAction(QStringLiteral("Salvar PDF..."), &janela, [&] {
        const QString caminho = QFileDialog::getSaveFileName(
            &janela, QStringLiteral("Salvar PDF"), QDir::home().filePath(titulo + QStringLiteral(".pdf")),
            QStringLiteral("Arquivos PDF (*.pdf)"));
        if (caminho.isEmpty()) return;
        const QString falha = gravaPdf(documento, caminho);
        if (!falha.isEmpty()) QMessageBox::information(&janela, QStringLiteral("Quelmar"), falha);
    });
    barra->addSeparator();
    barra->addAction(QStringLiteral("Ampliar"), previa, [previa] { previa->zoomIn(); });
    barra->addAction(QStringLiteral("Reduzir"), previa, [previa] { previa->zoomOut(); });
    barra->addAction(QStringLiteral("Página inteira"), previa, [previa] { previa->fitInView(); });
    barra->addSeparator();
    barra->addAction(QStringLiteral("Fechar"), &janela, &QDialog::accept);

    janela.exec();
}
