#pragma once
// The print preview of a report, as the operator sees it: the pages, zoom, "Imprimir" and
// "Salvar PDF...". Only the real seam opens it; tests never do.

#include <QString>

class QTextDocument;
class QWidget;

void visualizaDocumento(const QTextDocument& documento, const QString& titulo, QWidget* pai);
