#pragma once
// Printing a laid-out report: on a printer, or written to a PDF file.

#include <QString>

class QPrinter;
class QTextDocument;

// Sets A4 and the margins the report's pages were laid out for.
void configuraImpressora(QPrinter& impressora);
// Prints every page of the document on the printer as it is configured.
void imprimeDocumento(const QTextDocument& documento, QPrinter& impressora);
// Writes the document as a PDF file; returns an empty text, or the failure for the operator.
QString gravaPdf(const QTextDocument& documento, const QString& caminho);
