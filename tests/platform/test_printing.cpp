// Printing to a PDF file: the file is written whole or not at all, with the
// page setup the printer dialog chose.

#include "platform/Printing.h"

#include "core/WholeFile.h"
#include "output/output_support.h"
#include "support/FileFaults.h"
#include "support/QtPrint.h"
#include "support/TempProgramFolder.h"

#include <QFont>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

TEST(PrintWhole, APdfFileIsWrittenWholeWithItsPageSetupOrLeftAsItWas)
{
    TempProgramFolder folder;
    const QString pdf = folder.file(QStringLiteral("blad.pdf"));
    const QByteArray old("%PDF-1.4 het vorige blad");
    writeFileBytes(pdf, old);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Keuringsformulier\nTotaalindruk"));
    const auto paint = [&doc](QPagedPaintDevice &device) { doc.print(&device); };
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setDocName(QStringLiteral("Keuringsformulier"));
    printer.setPageSize(QPageSize(QPageSize::A5));

    QString error;
    {
        FullDisk full(1000);
        EXPECT_FALSE(printWhole(printer, paint, &error));
    }
    EXPECT_EQ(fileBytes(pdf), old);
    EXPECT_EQ(error, notWrittenText(pdf, QStringLiteral("het bestand wordt groter dan het systeem toestaat")));

    error.clear();
    ASSERT_TRUE(printWhole(printer, paint, &error));
    EXPECT_TRUE(error.isEmpty());
    const QByteArray made = fileBytes(pdf);
    EXPECT_TRUE(made.startsWith("%PDF"));
    EXPECT_TRUE(made.trimmed().endsWith("%%EOF"));
    bool found = false;
    const QString text = toolText(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &found);
    const QString info = toolText(QStringLiteral("pdfinfo"), {pdf}, &found);
    if (!found)
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    EXPECT_TRUE(text.contains(QStringLiteral("Totaalindruk"))) << qPrintable(text);
    EXPECT_TRUE(info.contains(QStringLiteral("(A5)"))) << qPrintable(info);
    EXPECT_TRUE(info.contains(QStringLiteral("Keuringsformulier"))) << qPrintable(info);
}

TEST(PrintWhole, TextIsPrintedLetterByLetterSoThePdfHoldsWholeWords)
{
    // Calibri (Carlito here) joins "tt", "ti", "fi" and "fl" into one glyph;
    // the PDF's text layer would then name only the first letter.
    TempProgramFolder folder;
    QPlainTextEdit viewer;
    viewer.setFont(QFont(QStringLiteral("Calibri"), 11));
    viewer.setPlainText(QStringLiteral("Bitterheid Botteldatum\nGeschatte kooktijd: afloop van de storting, fijn"));
    const QString pdf = folder.file(QStringLiteral("lijst.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(printTextWhole(printer, *viewer.document(), viewer.textCursor()));
    EXPECT_EQ(viewer.document()->defaultFont().styleStrategy(), viewer.font().styleStrategy()) << "the shown text kept";

    bool found = false;
    const QString text = toolText(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &found);
    if (!found)
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    for (const char *word : {"Bitterheid", "Botteldatum", "Geschatte", "kooktijd", "afloop", "storting", "fijn"})
        EXPECT_TRUE(text.contains(QLatin1String(word))) << word << " in " << qPrintable(text);
}

}  // namespace
