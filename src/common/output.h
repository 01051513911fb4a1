#pragma once
// Where a document goes: the preview window, the default printer (no dialog), or a PDF file.
// With "--print-to-pdf DIR" every job meant for a printer becomes a numbered PDF in DIR.

#include "common/page.h"

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace report {

// Draws the document's pages on a paged device (a printer or a PDF writer) that is set to
// the document's paper size.
void render(const Document& doc, QPainter& painter, QPagedPaintDevice& device);
void renderPage(const Page& page, QPainter& painter, double dotsPerMm);

// Writes the document as a PDF; fonts are embedded. Returns false with a message in *error.
bool writePdf(const Document& doc, const QString& path, QString* error = nullptr);

// Sends the document to the default printer without a dialog, or to the next numbered PDF of
// the print-to-PDF folder. Returns false (and shows why) when there is no printer.
bool print(const Document& doc, QWidget* parent = nullptr);

// The preview window; it prints and saves a PDF too. Modal.
void preview(const Document& doc, QWidget* parent = nullptr);

void setPrintToPdfDir(const QString& dir);
QString printToPdfDir();

}  // namespace report
