#include "common/output.h"

#include "common/appfont.h"
#include "common/barcode.h"
#include "common/messages.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>

#include <cmath>

namespace report {

namespace {

QString pdfDir;
int pdfCounter = 0;

QPageLayout pageLayout(const Document& doc)
{
    const QPageSize size(doc.paperMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

}  // namespace

void setPrintToPdfDir(const QString& dir)
{
    pdfDir = dir;
    pdfCounter = 0;
    if (!dir.isEmpty())
        QDir().mkpath(dir);
}

QString printToPdfDir()
{
    return pdfDir;
}

namespace {

constexpr double kSongtiAscent = 0.859;

void drawBarcode(const Item& item, QPainter& painter, double dotsPerMm, double printerDotsPerMm)
{
    const barcode::Symbol symbol = barcode::code128(item.text);
    if (!symbol.valid())
        return;
    const double module =
        barcode::moduleWidth(symbol.modulesWithQuietZones(), item.rect.width(), item.penMm, printerDotsPerMm);
    double x0 = (item.rect.left() + barcode::kQuietZoneModules * module) * dotsPerMm;
    double y0 = item.rect.top() * dotsPerMm;
    double height = item.rect.height() * dotsPerMm;
    double step = module * dotsPerMm;
    if (printerDotsPerMm > 0) {
        // Whole dots: every bar and space of one width prints alike.
        x0 = std::round(x0);
        y0 = std::round(y0);
        height = std::round(height);
        step = std::round(step);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const barcode::Bar& bar : symbol.bars)
        painter.drawRect(QRectF(x0 + bar.start * step, y0, bar.width * step, height));
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

void renderPage(const Page& page, QPainter& painter, double dotsPerMm, double printerDotsPerMm)
{
    auto mm = [dotsPerMm](const QRectF& r) {
        return QRectF(r.x() * dotsPerMm, r.y() * dotsPerMm, r.width() * dotsPerMm,
                      r.height() * dotsPerMm);
    };
    for (const Item& item : page.items) {
        if (item.hidden)
            continue;
        switch (item.kind) {
        case Item::Text: {
            QFont font = songti(item.style.pointSize);
            font.setBold(item.style.bold);
            painter.setFont(font);
            painter.setPen(Qt::black);
            QRectF box = mm(item.rect);
            if (item.style.align & Qt::AlignTop) {
                // Fields placed by their top edge were laid out for 宋体, whose ascent is 0.859 em;
                // a fallback font with a taller ascent would sit lower and run into what is below
                // (the barcodes of a ticket). Put the baseline where 宋体's would be.
                const double em = item.style.pointSize * dotsPerMm * 25.4 / 72;
                const double shift = QFontMetricsF(font, painter.device()).ascent() - kSongtiAscent * em;
                if (shift > 0)
                    box.translate(0, -shift);
            }
            painter.drawText(box, int(item.style.align) | Qt::TextSingleLine, item.text);
            break;
        }
        case Item::Line:
            painter.setPen(QPen(Qt::black, item.penMm * dotsPerMm));
            painter.drawLine(mm(item.rect).topLeft(), mm(item.rect).bottomRight());
            break;
        case Item::Box:
            painter.setPen(QPen(Qt::black, item.penMm * dotsPerMm));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(mm(item.rect));
            break;
        case Item::Barcode:
            drawBarcode(item, painter, dotsPerMm, printerDotsPerMm);
            break;
        }
    }
}

void render(const Document& doc, QPainter& painter, QPagedPaintDevice& device, bool dotsKnown)
{
    // The device's own resolution converts millimetres once; the painter stays unscaled, so
    // point sizes of fonts keep their meaning.
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    for (int i = 0; i < doc.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        renderPage(doc.pages[i], painter, dotsPerMm, dotsKnown ? dotsPerMm : 0);
    }
}

bool writePdf(const Document& doc, const QString& path, QString* error)
{
    QPdfWriter writer(path);
    writer.setTitle(doc.title);
    writer.setCreator(QStringLiteral("Ventrel"));
    writer.setResolution(600);
    writer.setPageLayout(pageLayout(doc));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1").arg(path);
        return false;
    }
    render(doc, painter, writer, false);
    painter.end();
    return true;
}

bool print(const Document& doc, QWidget* parent)
{
    if (!pdfDir.isEmpty()) {
        const QString path =
            QDir(pdfDir).filePath(QStringLiteral("print-%1.pdf").arg(++pdfCounter, 4, 10, QLatin1Char('0')));
        QString error;
        if (!writePdf(doc, path, &error)) {
            msg::error(error, QStringLiteral("错误"), parent);
            return false;
        }
        return true;
    }
    if (QPrinterInfo::defaultPrinter().isNull()) {
        msg::warning(QStringLiteral("这台电脑没有设置默认打印机，无法打印。\n可以在预览中另存为 PDF。"),
                     QStringLiteral("提示"), parent);
        return false;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(doc.title);
    printer.setPageLayout(pageLayout(doc));
    QPainter painter;
    if (!painter.begin(&printer)) {
        msg::error(QStringLiteral("打印机没有响应，未能打印。"), QStringLiteral("错误"), parent);
        return false;
    }
    render(doc, painter, printer, true);
    painter.end();
    return true;
}

namespace {

class PdfStream : public PageStream {
public:
    PdfStream(const QString& path, const QString& title, const QSizeF& paperMm) : writer_(path), path_(path)
    {
        writer_.setTitle(title);
        writer_.setCreator(QStringLiteral("Ventrel"));
        writer_.setResolution(600);
        Document paper;
        paper.paperMm = paperMm;
        writer_.setPageLayout(pageLayout(paper));
        dotsPerMm_ = writer_.logicalDpiX() / 25.4;
    }
    bool add(const Page& page) override
    {
        if (pages_ == 0 && !painter_.begin(&writer_)) {
            error_ = QStringLiteral("无法写入文件 %1").arg(path_);
            return false;
        }
        if (pages_ > 0)
            writer_.newPage();
        renderPage(page, painter_, dotsPerMm_, 0);
        ++pages_;
        return true;
    }
    bool finish() override
    {
        if (pages_ == 0 && !painter_.begin(&writer_)) {  // an empty run still leaves a file
            error_ = QStringLiteral("无法写入文件 %1").arg(path_);
            return false;
        }
        return painter_.end();
    }

private:
    QPdfWriter writer_;
    QPainter painter_;
    QString path_;
    double dotsPerMm_ = 0;
    int pages_ = 0;
};

class PrintJobStream : public PageStream {
public:
    PrintJobStream(const QString& title, const QSizeF& paperMm, QWidget* parent) : parent_(parent)
    {
        doc_.title = title;
        doc_.paperMm = paperMm;
    }
    bool add(const Page& page) override
    {
        doc_.pages = {page};
        if (!print(doc_, parent_)) {
            error_ = QStringLiteral("打印没有完成");
            return false;
        }
        return true;
    }
    bool finish() override { return true; }

private:
    Document doc_;
    QWidget* parent_;
};

}  // namespace

std::unique_ptr<PageStream> pdfStream(const QString& path, const QString& title, const QSizeF& paperMm)
{
    return std::make_unique<PdfStream>(path, title, paperMm);
}

std::unique_ptr<PageStream> printJobStream(const QString& title, const QSizeF& paperMm, QWidget* parent)
{
    return std::make_unique<PrintJobStream>(title, paperMm, parent);
}

void preview(const Document& doc, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc.title);
    printer.setPageLayout(pageLayout(doc));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(doc.title.isEmpty() ? QStringLiteral("打印预览") : doc.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&doc](QPrinter* p) {
                         QPainter painter(p);
                         render(doc, painter, *p, true);
                     });
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        QAction* save = bar->addAction(QStringLiteral("另存为PDF"));
        QObject::connect(save, &QAction::triggered, &dialog, [&doc, &dialog] {
            const QString path = QFileDialog::getSaveFileName(&dialog, QStringLiteral("另存为PDF"),
                                                              doc.title + QStringLiteral(".pdf"),
                                                              QStringLiteral("PDF 文件 (*.pdf)"));
            QString error;
            if (!path.isEmpty() && !writePdf(doc, path, &error))
                msg::error(error, QStringLiteral("错误"), &dialog);
        });
    }
    dialog.resize(900, 700);
    dialog.exec();
}

}  // namespace report
