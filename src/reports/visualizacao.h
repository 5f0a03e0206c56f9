#pragma once
// The print preview of a report, as the operator sees it: the pages, zoom, "Imprimir" and
// "Salvar PDF...". It is a window of its own beside the others, never modal: the lanes go on
// taking cars while a report is on screen, printing or being saved. Only pages in view are
// painted, so a report of thousands of pages opens at once; while the report is still being
// built the pages fill in, with the progress shown, and printing waits for the last page.
// Printing and saving go a few pages at a time between the program's events, with their
// progress and a way to stop them in the preview. Closing the preview stops what it still does,
// the build of its report included.

#include <QString>

#include <memory>

class DocumentoRelatorio;
class QWidget;

// Opens the preview and returns at once. `perto` is the window it opens over; it does not own
// the preview, which lives until the operator closes it (or the program ends). `pastaPrograma`
// is the program's folder, whose files a PDF never replaces.
QWidget* visualizaDocumento(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo,
                            QWidget* perto, const QString& pastaPrograma);

// The program ends: every preview goes (a PDF it was writing is dropped) and every report still
// being read stops, while the program is still whole, not once its parts are being torn down.
void encerraRelatorios();
