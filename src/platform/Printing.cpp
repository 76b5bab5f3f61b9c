#include "Printing.h"

#include "core/WholeFile.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

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

bool printTextWhole(QPrinter &printer, const QTextDocument &document, const QTextCursor &cursor, QString *error)
{
    return printWhole(
        printer,
        [&](QPagedPaintDevice &device) {
            if (cursor.hasSelection() && printer.printRange() == QPrinter::Selection) {
                QTextDocument part;
                part.setDefaultFont(document.defaultFont());
                QTextCursor(&part).insertFragment(cursor.selection());
                part.print(&device);
            } else {
                document.print(&device);
            }
        },
        error);
}

}  // namespace mostarium
