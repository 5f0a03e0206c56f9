#pragma once
// The print preview of a report, as the operator sees it: the pages, zoom, "Imprimir" and
// "Salvar PDF...". Only pages in view are painted, so a report of thousands of pages opens at
// once; while the report is still being built the pages fill in, with the progress shown, and
// printing waits for the last page. Only the real seam opens it; tests never do.

#include <QString>

#include <memory>

class DocumentoRelatorio;
class QWidget;

void visualizaDocumento(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo, QWidget* pai);
