// The fake printer dialog's answer: print into a PDF file.
#include "support/FakeServices.h"

#include <QPrinter>

namespace {

void toPdf(QPrinter &printer, const QString &pdf, bool selection)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
}

[[maybe_unused]] const bool installed = [] {
    mostarium::test::FakeServices::pdfPrinterSetup = &toPdf;
    return true;
}();

}  // namespace
