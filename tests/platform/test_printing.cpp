// Printing to a PDF file: the file is written whole or not at all, with the
// page setup the printer dialog chose.

#include "platform/Printing.h"

#include "platform/TextHeight.h"

#include "core/WholeFile.h"
#include "output/output_support.h"
#include "support/FileFaults.h"
#include "support/QtPrint.h"
#include "support/TempProgramFolder.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QStandardPaths>
#include <QTextCharFormat>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextCursor>
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

// The pages of a PDF file, from pdfinfo; 0 without it.
int pdfPages(const QString &pdf)
{
    bool found = false;
    const QString info = toolText(QStringLiteral("pdfinfo"), {pdf}, &found);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString pdfPageText(const QString &pdf, int page)
{
    bool found = false;
    const QString n = QString::number(page);
    return toolText(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")}, &found);
}

// Text is laid out for printing at the screen's resolution, where anything
// the program takes fits Qt's layout: the tallest text it takes prints whole
// at the printer's 1200 dpi, on any paper, its pages numbered.
TEST(PrintWhole, TheTallestTextTakenPrintsAllItsPages)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    TempProgramFolder folder;
    // Line breaks only, in paragraphs of a thousand, up to the height bound.
    QTextDocument doc;
    const qreal line = TextHeightMeasure(doc).lineSpacing(QTextCharFormat());
    const int paragraphs = int(MaxTextHeight / line / 1001);
    QString text = QStringLiteral("Begin");
    for (int i = 0; i < paragraphs; ++i)
        text += QString(1000, QChar(0x2028)) + QLatin1Char('\n');
    doc.setPlainText(text + QStringLiteral("Einde"));
    ASSERT_LE(textHeightBound(doc), MaxTextHeight);
    ASSERT_GT(textHeightBound(doc), 0.99 * MaxTextHeight);
    const QFontMetricsF font(doc.defaultFont());
    struct Case {
        const char *what;
        QPageSize::PageSizeId size;
    } cases[] = {
        {"A4", QPageSize::A4},
        // Narrower than the least width text is laid out at: scaled down.
        {"A7", QPageSize::A7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString pdf = folder.file(QStringLiteral("lang.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(c.size));
        QString error;
        ASSERT_TRUE(printTextWhole(printer, doc, QTextCursor(&doc), &error)) << qPrintable(error);
        // At least the lines over the height of a page at the screen's
        // resolution, or at the least width for a narrower page.
        const QSizeF page = QPageSize(c.size).size(QPageSize::Inch) * 96;
        const qreal pageHeight = page.height() * std::max<qreal>(1, (NarrowestTextWidth + 150) / page.width());
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, int(paragraphs * 1000.0 * font.height() / pageHeight));
        const QString first = pdfPageText(pdf, 1), last = pdfPageText(pdf, pages);
        EXPECT_TRUE(first.contains(QStringLiteral("Begin"))) << qPrintable(first);
        EXPECT_TRUE(last.contains(QStringLiteral("Einde"))) << qPrintable(last);
        EXPECT_TRUE(last.contains(QString::number(pages))) << pages << qPrintable(last);
    }
}

// Text taller than any the program takes (as an edit elsewhere could make)
// is not printed at all: named, and an earlier file stays as it was.
TEST(PrintWhole, TextTooTallToPrintIsNamedAndWritesNothing)
{
    TempProgramFolder folder;
    const QString pdf = folder.file(QStringLiteral("blad.pdf"));
    const QByteArray old("%PDF-1.4 het vorige blad");
    writeFileBytes(pdf, old);
    QTextDocument doc;
    doc.setPlainText(QString(500000, QChar(0x2028)));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QString error;
    EXPECT_FALSE(printTextWhole(printer, doc, QTextCursor(&doc), &error));
    EXPECT_EQ(error, QStringLiteral("De tekst is te lang om af te drukken."));
    EXPECT_EQ(fileBytes(pdf), old);
}

}  // namespace
