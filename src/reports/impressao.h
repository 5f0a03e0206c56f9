#pragma once
// Printing a laid-out report: on a printer, or written to a PDF file. The printing goes a page at
// a time, so whoever drives it paints a few pages between the windows' events and a report of
// thousands of pages never holds the program.

#include <QPainter>
#include <QString>

#include <memory>

class ArquivoTemporario;
class DocumentoRelatorio;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class SaidaPdf;

// Sets A4 and the margins the report's pages were laid out for.
void configuraImpressora(QPagedPaintDevice& folhas);

class ImpressaoRelatorio {
public:
    // On `impressora` as it is configured: all the pages, or the range chosen in the print dialog.
    ImpressaoRelatorio(const DocumentoRelatorio& documento, QPrinter& impressora);
    // Into the PDF file `caminho`, which a file already there becomes only once the PDF is whole.
    // `pastaPrograma` is the program's folder: no file the program keeps there is ever replaced
    // by a PDF, and the PDF being written is noted there until it is whole or dropped.
    ImpressaoRelatorio(const DocumentoRelatorio& documento, const QString& caminho, const QString& pastaPrograma);
    // Stopped before its end: the printer's job is dropped, a PDF half written is removed and a
    // file that was at `caminho` stays.
    ~ImpressaoRelatorio();
    ImpressaoRelatorio(const ImpressaoRelatorio&) = delete;
    ImpressaoRelatorio& operator=(const ImpressaoRelatorio&) = delete;

    // Paints the next pages for about `ms` milliseconds, at least one; true once it is over:
    // every page done, or a failure (falha()).
    bool avanca(int ms);
    void cancela();
    int feitas() const { return atual_ - de_; }
    int total() const { return ate_ - de_ + 1; }
    // Why it failed, for the operator; empty when it did not.
    const QString& falha() const { return falha_; }

private:
    bool comeca();
    // The PDF's file, opened under its second name; false with falha_ told when it cannot be.
    bool abrePdf();
    void termina();

    const DocumentoRelatorio& documento_;
    QPrinter* impressora_ = nullptr;   // printing
    QString caminho_, pastaPrograma_;   // saving
    std::unique_ptr<ArquivoTemporario> temporario_;   // the PDF while it is written
    std::unique_ptr<SaidaPdf> saida_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter pintor_;
    int de_ = 0, ate_ = -1, atual_ = 0;
    bool comecou_ = false, terminada_ = false;
    QString falha_;
};

// Writes the document as a PDF file at once; returns an empty text, or the failure for the
// operator.
QString gravaPdf(const DocumentoRelatorio& documento, const QString& caminho, const QString& pastaPrograma);
