#include "Printing.h"

#include "core/WholeFile.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>

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

}  // namespace mostarium
