#pragma once
// Printing a laid-out report: on a printer, or written to a PDF file.

#include <QString>

#include <functional>

class DocumentoRelatorio;
class QPrinter;

// Sets A4 and the margins the report's pages were laid out for.
void configuraImpressora(QPrinter& impressora);
// Prints the pages of the document on the printer as it is configured (all of them, or the
// range chosen in the print dialog). `andamento`, when given, hears of each page printed and
// stops the printing by answering false.
void imprimeDocumento(const DocumentoRelatorio& documento, QPrinter& impressora,
                      const std::function<bool(int feitas, int total)>& andamento = {});
// Writes the document as a PDF file; returns an empty text, or the failure for the operator.
QString gravaPdf(const DocumentoRelatorio& documento, const QString& caminho,
                 const std::function<bool(int feitas, int total)>& andamento = {});
