#include "Printing.h"

#include "TextHeight.h"

#include "core/WholeFile.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace mostarium {

namespace {

// The resolution text is laid out at for printing: the screen's, at which
// no text the program takes lays out taller than Qt's layout can represent.
// (At a printer's 1200 dpi it would lay out 12.5 times as tall.)
int layoutDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? std::max(1, qRound(screen->logicalDotsPerInchY())) : 96;
}

// Lays `source` out at the screen's resolution on the page of `device`, with
// 2 cm margins, at least NarrowestTextWidth wide (scaled down to fit a page
// narrower than that), and paints it page by page, scaled to the device.
// A page ends at the top of the first line that does not fit it whole; a
// line taller than a page goes on over the next. Each page gets its number
// at the bottom right. False, with `error` saying why, when the text is too
// tall to print or the device takes no painting or no further page.
bool printPaged(const QTextDocument &source, QPagedPaintDevice &device, QString &error)
{
    if (textHeightBound(source) > MaxTextHeight) {
        error = QStringLiteral("De tekst is te lang om af te drukken.");
        return false;
    }
    // A page without margins gets the printer's usual 2 mm.
    if (device.pageLayout().margins(QPageLayout::Millimeter).isNull())
        device.setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    QPainter painter(&device);
    if (!painter.isActive()) {
        error = QStringLiteral("De printer kon niet beginnen met afdrukken.");
        return false;
    }

    // The layout's own paint device fixes its resolution.
    const int dpi = layoutDpi();
    QImage resolution(1, 1, QImage::Format_Mono);
    resolution.setDotsPerMeterX(qRound(dpi / 0.0254));
    resolution.setDotsPerMeterY(qRound(dpi / 0.0254));
    const std::unique_ptr<QTextDocument> doc(source.clone());
    doc->setUseDesignMetrics(true);
    doc->documentLayout()->setPaintDevice(&resolution);

    const qreal margin = int(2 / 2.54 * dpi);
    qreal scale = qreal(device.logicalDpiY()) / dpi;
    qreal pageWidth = device.width() / scale, pageHeight = device.height() / scale;
    if (pageWidth - 2 * margin < NarrowestTextWidth) {
        const qreal grow = (NarrowestTextWidth + 2 * margin) / std::max<qreal>(1, pageWidth);
        pageWidth *= grow;
        pageHeight *= grow;
        scale /= grow;
    }
    const qreal body = std::max<qreal>(1, pageHeight - 2 * margin);
    QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setLeftMargin(margin);
    frame.setRightMargin(margin);
    doc->rootFrame()->setFrameFormat(frame);
    doc->setPageSize(QSizeF(pageWidth, -1));

    // Laid out whole before its lines are read.
    const qreal end = doc->documentLayout()->documentSize().height();
    // Where each page starts: at the top of a line that would not fit whole
    // on the page before, or a page further on within a line taller than one.
    std::vector<qreal> starts{0};
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const qreal y = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = y + line.y(), bottom = top + line.height();
            if (bottom > starts.back() + body && top > starts.back())
                starts.push_back(top);
            while (bottom > starts.back() + body)
                starts.push_back(starts.back() + body);
        }
    }
    while (starts.size() > 1 && starts.back() >= end)
        starts.pop_back();

    // The page number in the bottom margin, in the device's own coordinates.
    painter.setFont(doc->defaultFont());
    const QFontMetricsF numbers = painter.fontMetrics();
    const qreal numberY = (pageHeight - margin) * scale + numbers.ascent() + 5 * device.logicalDpiY() / 72.0;
    for (std::size_t page = 0; page < starts.size(); ++page) {
        if (page > 0 && !device.newPage()) {
            error =
                QStringLiteral("De printer nam na pagina %1 van %2 geen pagina meer aan.").arg(page).arg(starts.size());
            return false;
        }
        const qreal top = starts[page];
        const qreal bottom = page + 1 < starts.size() ? starts[page + 1] : end;
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, margin - top);
        const QRectF view(0, top, pageWidth, bottom - top);
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        // Black text on white paper, whatever the screen's colours.
        context.palette.setColor(QPalette::Text, Qt::black);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
        const QString number = QString::number(page + 1);
        painter.drawText(QPointF((pageWidth - margin) * scale - numbers.horizontalAdvance(number), numberY), number);
    }
    return true;
}

// What printWhole does, with a painting that may fail: a PDF file is then
// not written at all, and `error` says why.
bool printPagesWhole(QPrinter &printer, const std::function<bool(QPagedPaintDevice &, QString &)> &paint,
                     QString *error)
{
    QString why;
    const QString path = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || path.isEmpty()) {
        if (paint(printer, why))
            return true;
        if (error)
            *error = why;
        return false;
    }
    // The printer would open the file at once, emptying an earlier one, and
    // notices no failed write: the same pages go into memory instead.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(printer.pdfVersion());
        writer.setResolution(printer.resolution());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        writer.setPageLayout(printer.pageLayout());
        writer.setPageRanges(printer.pageRanges());
        if (!paint(writer, why)) {
            if (error)
                *error = why;
            return false;
        }
    }
    if (writeWholeFile(path, pdf, &why))
        return true;
    if (error)
        *error = notWrittenText(path, why);
    return false;
}

}  // namespace

bool printWhole(QPrinter &printer, const std::function<void(QPagedPaintDevice &)> &paint, QString *error)
{
    return printPagesWhole(
        printer,
        [&paint](QPagedPaintDevice &device, QString &) {
            paint(device);
            return true;
        },
        error);
}

bool printTextWhole(QPrinter &printer, const QTextDocument &document, const QTextCursor &cursor, QString *error)
{
    return printPagesWhole(
        printer,
        [&](QPagedPaintDevice &device, QString &why) {
            if (cursor.hasSelection() && printer.printRange() == QPrinter::Selection) {
                QTextDocument part;
                part.setDefaultFont(document.defaultFont());
                QTextCursor(&part).insertFragment(cursor.selection());
                return printPaged(part, device, why);
            }
            return printPaged(document, device, why);
        },
        error);
}

}  // namespace mostarium
