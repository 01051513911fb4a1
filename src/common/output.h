#pragma once
// Where a document goes: the preview window, the default printer (no dialog), or a PDF file.
// With "--print-to-pdf DIR" every job meant for a printer becomes a numbered PDF in DIR.

#include "common/page.h"

#include <memory>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace report {

// Draws the document's pages on a paged device (a printer or a PDF writer) that is set to
// the document's paper size. dotsKnown: the device's resolution is the printer's own, so
// barcode modules become whole dots (a printer or an image, not a PDF).
void render(const Document& doc, QPainter& painter, QPagedPaintDevice& device, bool dotsKnown);
// dotsPerMm converts millimetres to the painter's device units; printerDotsPerMm, when above
// 0, is the resolution barcode bars are aligned to (the same as dotsPerMm on a printer or an
// image; 0 for a PDF, whose printer is not known).
void renderPage(const Page& page, QPainter& painter, double dotsPerMm, double printerDotsPerMm = 0);

// Pages written one at a time, so long runs (thousands of ticket pages) do not hold every
// page in memory.
class PageStream {
public:
    virtual ~PageStream() = default;
    virtual bool add(const Page& page) = 0;  // false on failure, with error() saying why
    virtual bool finish() = 0;
    QString error() const { return error_; }

protected:
    QString error_;
};

// All pages into one PDF file.
std::unique_ptr<PageStream> pdfStream(const QString& path, const QString& title, const QSizeF& paperMm);
// Every page a print job of its own on the default printer, without a dialog (or a numbered PDF
// of the print-to-PDF folder each).
std::unique_ptr<PageStream> printJobStream(const QString& title, const QSizeF& paperMm, QWidget* parent = nullptr);

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
