#include "Printing.h"

#include "core/WholeFile.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <memory>

namespace mostarium {

bool printWhole(QPrinter &printer, const std::function<void(QPagedPaintDevice &)> &paint, QString *error)
{
    const QString path = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || path.isEmpty()) {
        paint(printer);
        return true;
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
        paint(writer);
    }
    QString why;
    if (writeWholeFile(path, pdf, &why))
        return true;
    if (error)
        *error = notWrittenText(path, why);
    return false;
}

void printUnshaped(QTextDocument &document, QPagedPaintDevice &device)
{
    QFont font = document.defaultFont();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    document.setDefaultFont(font);
    QTextCharFormat unshaped;
    unshaped.setFontStyleStrategy(QFont::PreferNoShaping);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(unshaped);
    document.print(&device);
}

bool printTextWhole(QPrinter &printer, const QTextDocument &document, const QTextCursor &cursor, QString *error)
{
    return printWhole(
        printer,
        [&](QPagedPaintDevice &device) {
            if (cursor.hasSelection() && printer.printRange() == QPrinter::Selection) {
                QTextDocument part;
                part.setDefaultFont(document.defaultFont());
                QTextCursor(&part).insertFragment(cursor.selection());
                printUnshaped(part, device);
            } else {
                // A child of the shown document, so that it finds the
                // pictures that document finds.
                const std::unique_ptr<QTextDocument> copy(document.clone(const_cast<QTextDocument *>(&document)));
                printUnshaped(*copy, device);
            }
        },
        error);
}

}  // namespace mostarium
