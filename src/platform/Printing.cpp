#include "Printing.h"

#include "TextHeight.h"

#include "core/WholeFile.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextOption>
#include <QUrl>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
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

// Tells every font of `document` to prefer no shaping, so that no ligature
// ("tt", "ti", "fi" in Calibri) stands for two letters: a PDF's text layer
// names one letter per glyph, and copying or searching it would lose the
// other.
void preferNoShaping(QTextDocument &document)
{
    QFont font = document.defaultFont();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    document.setDefaultFont(font);
    QTextCharFormat unshaped;
    unshaped.setFontStyleStrategy(QFont::PreferNoShaping);
    QTextCursor all(&document);
    // In one edit, so that the cursor lays nothing out.
    all.beginEditBlock();
    all.select(QTextCursor::Document);
    all.mergeCharFormat(unshaped);
    all.endEditBlock();
}

// Breaks every run of more than MaxWordLength characters without a word end
// in `doc` with a line separator after each MaxWordLength characters: a line
// of a plain-text window is laid out as it is shown, and on paper it wraps,
// where a word of megabytes would take minutes to lay out (layout measures
// a word whole for every line it wraps over). A separator is no character
// of the printed text, so a PDF's text still holds the word whole.
void breakLongWords(QTextDocument &doc)
{
    const std::vector<int> at = longWordBreaks(doc);
    // In one edit, so that no insertion lays its paragraph out anew; from the
    // end, so that the positions still hold.
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (auto p = at.rbegin(); p != at.rend(); ++p) {
        cursor.setPosition(*p);
        cursor.insertText(QString(QChar(QChar::LineSeparator)));
    }
    cursor.endEditBlock();
}

// The copy of `source` that goes on paper, laid out on `resolution`: the
// screen's, so that what the program shows also lays out on paper. Whatever
// is done to the text for printing is done here, to this copy; the text
// shown stays as it is. Lines wrap at the page's width (a line wider than
// the paper would be cut at its edge), long words anywhere, as in the
// windows that show rich text. Words too long to lay out quickly are broken
// last, after any other change to the text.
std::unique_ptr<QTextDocument> printedCopy(const QTextDocument &source, QImage &resolution)
{
    // A child of the source, so that it finds the pictures the source finds.
    std::unique_ptr<QTextDocument> doc(source.clone(const_cast<QTextDocument *>(&source)));
    doc->setUseDesignMetrics(true);
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc->setDefaultTextOption(option);
    preferNoShaping(*doc);
    breakLongWords(*doc);
    doc->documentLayout()->setPaintDevice(&resolution);
    return doc;
}

// The room a picture of `block` has: the text's width between the page's
// margins and the paragraph's indents.
qreal pictureRoom(const QTextDocument &doc, const QTextBlockFormat &block, qreal textWidth)
{
    const qreal left = block.leftMargin() + block.indent() * doc.indentWidth();
    return textWidth - std::max<qreal>(0, left) - std::max<qreal>(0, block.rightMargin())
           - std::max<qreal>(0, block.textIndent());
}

// Scales down, keeping their proportions, the pictures of `doc` that are
// wider than the text between the page's margins (`textWidth`) or taller than
// `height`. On screen a picture keeps its size; a page has no room beside it.
// A picture as wide as the room starts a line of its own: the text before it
// keeps a line of its own height (the layout would make the line it leaves
// as tall as the picture, a blank the picture's height).
void fitPictures(QTextDocument &doc, qreal textWidth, qreal height)
{
    struct Fit {
        int from, to;
        QTextImageFormat size;
        bool ownLine;
    };
    std::vector<Fit> fits;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            QSizeF size(image.width(), image.height());
            if (size.width() <= 0 || size.height() <= 0) {
                const QImage picture = doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
                if (picture.isNull())
                    continue;
                size = picture.size();
            }
            const qreal room = pictureRoom(doc, block.blockFormat(), textWidth);
            const qreal scale = std::min({qreal(1), room / size.width(), height / size.height()});
            if (scale >= 1)
                continue;
            QTextImageFormat fitted;
            fitted.setWidth(std::max<qreal>(1, size.width() * scale));
            fitted.setHeight(std::max<qreal>(1, size.height() * scale));
            const int inBlock = fragment.position() - block.position();
            const bool ownLine = room / size.width() <= height / size.height() && inBlock > 0
                                 && block.text().at(inBlock - 1) != QChar::LineSeparator;
            fits.push_back({fragment.position(), fragment.position() + fragment.length(), fitted, ownLine});
        }
    }
    // In one edit, so that the cursor lays nothing out; from the end, so that
    // a line break put in moves no picture still to be fitted.
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (auto fit = fits.rbegin(); fit != fits.rend(); ++fit) {
        cursor.setPosition(fit->from);
        cursor.setPosition(fit->to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(fit->size);
        if (fit->ownLine) {
            cursor.setPosition(fit->from);
            cursor.insertText(QString(QChar::LineSeparator));
        }
    }
    cursor.endEditBlock();
}

// A number of millimetres as the brewer reads it: whole, or to a tenth.
QString millimetres(qreal mm)
{
    const qreal tenths = std::round(mm * 10);
    return std::fmod(tenths, 10) == 0 ? QString::number(qint64(tenths / 10)) : QString::number(tenths / 10, 'f', 1);
}

// The paper of `device` named: "A4 (210 × 297 mm)", a size of its own by its
// measures alone.
QString paperName(const QPagedPaintDevice &device)
{
    const QPageLayout layout = device.pageLayout();
    const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
    const QString measures =
        millimetres(mm.width()) + QStringLiteral(" × ") + millimetres(mm.height()) + QStringLiteral(" mm");
    if (layout.pageSize().id() == QPageSize::Custom)
        return measures;
    return QPageSize::key(layout.pageSize().id()) + QStringLiteral(" (") + measures + QLatin1Char(')');
}

QString paperTooSmallText(const QPagedPaintDevice &device)
{
    return QStringLiteral("Het papier ") + paperName(device)
           + QStringLiteral(" is te klein: tussen de marges past geen regel van de tekst.");
}

// One printed page: the part of the laid-out text from `top` to `end` (the
// next page's top), whose lines are those that start in it.
struct Page {
    qreal top = 0;
    qreal end = 0;
    // Lines ending at or above this belong to the pages before (a line may
    // reach below the next one's top when the line height is under 100 %).
    qreal before = 0;
    // How far this page's lines reach down.
    qreal ink = 0;
    // The paragraph the page starts within, when it started on a page
    // before: its lines here are drawn one by one.
    QTextBlock continued;
    QPointF origin;     // where `continued`'s lines are placed from
    int firstLine = 0;  // of `continued`, the first on this page
    // Whether a line of it shows anything.
    bool shows = false;
};

// Lays `source` out at the screen's resolution on the page of `device`, with
// 2 cm margins, at least NarrowestTextWidth wide (scaled down to fit a page
// narrower than that), and paints it page by page, scaled to the device.
// A page ends at the top of the first line that does not fit it whole, so
// that each line stands on one page, once. Each page gets its number at the
// bottom right. False, with `error` saying why, when the text is too tall to
// print, a line of it does not fit between the page's margins (nothing is
// then painted) or the device takes no painting or no further page.
bool printPaged(const QTextDocument &source, QPagedPaintDevice &device, QString &error)
{
    // A page without margins gets the printer's usual 2 mm.
    if (device.pageLayout().margins(QPageLayout::Millimeter).isNull())
        device.setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);

    // The layout's own paint device fixes its resolution.
    const int dpi = layoutDpi();
    QImage resolution(1, 1, QImage::Format_Mono);
    resolution.setDotsPerMeterX(qRound(dpi / 0.0254));
    resolution.setDotsPerMeterY(qRound(dpi / 0.0254));

    const qreal margin = int(2 / 2.54 * dpi);
    qreal scale = qreal(device.logicalDpiY()) / dpi;
    qreal pageWidth = device.width() / scale, pageHeight = device.height() / scale;
    if (pageWidth - 2 * margin < NarrowestTextWidth) {
        const qreal grow = (NarrowestTextWidth + 2 * margin) / std::max<qreal>(1, pageWidth);
        pageWidth *= grow;
        pageHeight *= grow;
        scale /= grow;
    }
    const qreal body = pageHeight - 2 * margin;
    // Not even one line of the document's own font fits: refused before any
    // layout.
    if (body < QFontMetricsF(source.defaultFont(), &resolution).height()) {
        error = paperTooSmallText(device);
        return false;
    }

    const std::unique_ptr<QTextDocument> doc = printedCopy(source, resolution);
    // Measured as it will be laid out.
    if (textHeightBound(*doc) > MaxTextHeight) {
        error = QStringLiteral("De tekst is te lang om af te drukken.");
        return false;
    }
    QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setLeftMargin(margin);
    frame.setRightMargin(margin);
    doc->rootFrame()->setFrameFormat(frame);
    doc->setPageSize(QSizeF(pageWidth, -1));
    // A picture keeps room on its page for the line it stands in.
    fitPictures(*doc, pageWidth - 2 * margin, body * 3 / 4);

    // Laid out whole before its lines are read.
    const qreal end = doc->documentLayout()->documentSize().height();
    std::vector<Page> pages{Page{}};
    qreal reached = 0;  // the lowest bottom of the lines so far
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        // In the document's coordinates, also in a table's cell.
        const QPointF origin = doc->documentLayout()->blockBoundingRect(block).topLeft();
        const qreal y = origin.y();
        QString text;  // read when first needed
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = y + line.y(), bottom = top + line.height();
            if (bottom - top > body) {
                error = paperTooSmallText(device);
                return false;
            }
            if (bottom > pages.back().top + body && top > pages.back().top) {
                pages.back().end = top;
                Page next;
                next.top = top;
                next.before = reached < bottom ? std::max(top, reached) : top;
                if (i > 0) {
                    next.continued = block;
                    next.origin = origin;
                    next.firstLine = i;
                }
                pages.push_back(next);
            }
            pages.back().ink = std::max(pages.back().ink, bottom);
            if (!pages.back().shows) {
                if (text.isNull())
                    text = block.text();
                pages.back().shows = !QStringView(text).mid(line.textStart(), line.textLength()).trimmed().isEmpty();
            }
            reached = std::max(reached, bottom);
        }
    }
    pages.back().end = std::max(end, pages.back().top);
    // Empty lines at the end print no page of their own.
    while (pages.size() > 1 && !pages.back().shows)
        pages.pop_back();

    QPainter painter(&device);
    if (!painter.isActive()) {
        error = QStringLiteral("De printer kon niet beginnen met afdrukken.");
        return false;
    }
    // The page number in the bottom margin, in the device's own coordinates.
    painter.setFont(doc->defaultFont());
    const QFontMetricsF numbers = painter.fontMetrics();
    const qreal numberY = (pageHeight - margin) * scale + numbers.ascent() + 5 * device.logicalDpiY() / 72.0;
    // Lines exactly at a page's edge are left to the page they start on.
    constexpr qreal Edge = 1.0 / 64;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const Page &page = pages[index];
        if (index > 0 && !device.newPage()) {
            error =
                QStringLiteral("De printer nam na pagina %1 van %2 geen pagina meer aan.").arg(index).arg(pages.size());
            return false;
        }
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, margin - page.top);
        const qreal inkEnd = std::min(page.top + body, std::max(page.end, page.ink));
        painter.setClipRect(QRectF(0, page.top, pageWidth, inkEnd - page.top));
        // Only the lines that start on this page are drawn, so that a PDF's
        // text holds each line once. The layout draws a paragraph from the
        // line before the area it is asked for: a paragraph begun on an
        // earlier page is drawn here line by line instead.
        qreal from = index == 0 ? -margin : page.before + Edge;
        const qreal to = index + 1 < pages.size() ? page.end - Edge : inkEnd;
        // Black text on white paper, whatever the screen's colours.
        painter.setPen(Qt::black);
        if (page.continued.isValid()) {
            const QTextLayout *layout = page.continued.layout();
            for (int i = page.firstLine; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                if (page.origin.y() + line.y() >= page.end)
                    break;
                line.draw(&painter, page.origin);
            }
            from = std::max(from, page.origin.y() + layout->boundingRect().bottom() + Edge);
        }
        if (from < to) {
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, from, pageWidth, to - from);
            context.palette.setColor(QPalette::Text, Qt::black);
            doc->documentLayout()->draw(&painter, context);
        }
        painter.restore();
        const QString number = QString::number(index + 1);
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
