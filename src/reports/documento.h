#pragma once
// Lays a report out on pages of a text document: every page starts with the report's title and
// the template's header line, each section repeats its column headings on every page it
// reaches, and every page ends with the template's footer and "Página n de m". The document
// carries its page size, so printing it or writing it as PDF keeps these pages.

#include "reports/relatorio.h"

#include <QSizeF>
#include <QTextDocument>

#include <memory>

// A4 less margins of 10 mm, in the document's units (1/96 inch).
inline constexpr double kMargemMm = 10.0;
QSizeF tamanhoPaginaRelatorio();

// Lines of rows a page holds besides its header and footer.
inline constexpr int kLinhasPorPagina = 46;

std::unique_ptr<QTextDocument> documentoRelatorio(const Relatorio& r);
