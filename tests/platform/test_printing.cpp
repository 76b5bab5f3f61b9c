// Printing to a PDF file: the file is written whole or not at all, with the
// page setup the printer dialog chose.

#include "platform/Printing.h"

#include "platform/TextHeight.h"

#include "core/WholeFile.h"
#include "output/output_support.h"
#include "support/FileFaults.h"
#include "support/QtPrint.h"
#include "support/TempProgramFolder.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPlainTextEdit>
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

namespace {

// The text window shows a line as long as it is; on paper it wraps at the
// page's width, so that the end of a long supplier line, also of a word too
// long to lay out in one piece, is printed too.
TEST(PrintWhole, LongLinesWrapAtThePageWidth)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    TempProgramFolder folder;
    QString words = QStringLiteral("Brouwmarkt De Hop, Hoofdstraat 12, Utrecht:");
    while (words.size() < 190)
        words += QStringLiteral(" mout hop gist");
    words += QStringLiteral(" Slotwoord");
    const QString unbroken =
        QStringLiteral("https://brouwmarkt.example/") + QString(970, QLatin1Char('m')) + QStringLiteral("Slotstuk");
    QPlainTextEdit viewer;  // as the text window shows a file
    viewer.setLineWrapMode(QPlainTextEdit::NoWrap);
    viewer.setPlainText(QStringLiteral("Shopping List for 20 L Tripel\n") + words + u'\n' + unbroken);
    const QString pdf = folder.file(QStringLiteral("lijst.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(printTextWhole(printer, *viewer.document(), viewer.textCursor()));
    EXPECT_EQ(viewer.document()->defaultTextOption().wrapMode(), QTextOption::NoWrap) << "the shown text kept";
    bool found = false;
    const QString text = toolText(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &found);
    EXPECT_TRUE(text.simplified().contains(words)) << qPrintable(text);
    EXPECT_TRUE(QString(text).remove(QRegularExpression(QStringLiteral("\\s"))).contains(unbroken)) << qPrintable(text);
}

// A page whose room between the margins cannot hold a line of the text
// (the document's own or any taller one) is refused with the paper's size,
// before anything is painted: no PDF is written, an earlier one stays.
TEST(PrintWhole, APageTooSmallForALineIsRefusedNamingThePaper)
{
    TempProgramFolder folder;
    const QString pdf = folder.file(QStringLiteral("klein.pdf"));
    const QByteArray old("%PDF-1.4 het vorige blad");
    struct Case {
        const char *what;
        QPageSize paper;
        const char *tallLine;  // HTML of a line among a hundred plain ones
        const char *refusal;   // empty when printed
    } cases[] = {
        {"a strip of paper", QPageSize(QSizeF(210, 42), QPageSize::Millimeter), "",
         "Het papier 210 × 42 mm is te klein: tussen de marges past geen regel van de tekst."},
        {"room for plain lines", QPageSize(QSizeF(210, 52.5), QPageSize::Millimeter), "", ""},
        {"one line too tall for it", QPageSize(QSizeF(210, 52.5), QPageSize::Millimeter),
         "<p style='font-size:30pt'>kop</p>",
         "Het papier 210 × 52.5 mm is te klein: tussen de marges past geen regel van de tekst."},
        {"a standard size", QPageSize(QPageSize::A10), "<p style='font-size:400pt'>kop</p>",
         "Het papier A10 (26 × 37 mm) is te klein: tussen de marges past geen regel van de tekst."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeFileBytes(pdf, old);
        QString html = QString::fromUtf8(c.tallLine);
        for (int i = 1; i <= 100; ++i)
            html += QStringLiteral("<p style='margin:0'>regel %1</p>").arg(i);
        QTextDocument doc;
        doc.setHtml(html);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(c.paper);
        QString error;
        const bool printed = printTextWhole(printer, doc, QTextCursor(&doc), &error);
        EXPECT_EQ(error, QString::fromUtf8(c.refusal));
        EXPECT_EQ(printed, error.isEmpty());
        if (printed)
            EXPECT_TRUE(fileBytes(pdf).startsWith("%PDF-1.4\n")) << "a new file";
        else
            EXPECT_EQ(fileBytes(pdf), old);
    }
}

// The numbers "r001" … of the lines of `text` in the order they stand.
QStringList lineNumbers(const QString &text)
{
    QStringList numbers;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("\\br\\d{3}\\b")).globalMatch(text);
    while (it.hasNext())
        numbers << it.next().captured();
    return numbers;
}

// Pages break between lines: every line of the text stands on one page,
// once, in its order, whatever the lines' heights and the spacing between
// them, also where a page ends with a paragraph's last line or a heading.
TEST(PrintWhole, EachLineStandsWholeOnOnePage)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    TempProgramFolder folder;
    struct Case {
        const char *what;
        QString html;  // a line: %1 its number
        QString before = {}, after = {};
    } cases[] = {
        {"plain paragraphs", QStringLiteral("<p style='margin:0'>r%1 regel</p>")},
        {"spaced paragraphs", QStringLiteral("<p style='margin-top:7px; margin-bottom:5px'>r%1 regel</p>")},
        {"headings", QStringLiteral("<h2>r%1 kop</h2>")},
        {"line breaks", QStringLiteral("r%1 regel<br>")},
        {"growing sizes", QStringLiteral("<p style='font-size:%2pt'>r%1 regel</p>")},
        {"tall line height", QStringLiteral("<p style='line-height:180%'>r%1 regel</p>")},
        {"short line height", QStringLiteral("<p style='line-height:70%'>r%1 regel</p>")},
        // Rows of a table, which lays its cells out apart from the text.
        {"table rows", QStringLiteral("<tr><td>r%1</td><td>cel</td></tr>"), QStringLiteral("<table border=1>"),
         QStringLiteral("</table>")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString html = c.before;
        QStringList expected;
        for (int i = 1; i <= 300; ++i) {
            const QString n = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
            html += QString(c.html)
                        .replace(QStringLiteral("%1"), n)
                        .replace(QStringLiteral("%2"), QString::number(8 + i % 13));
            expected << QStringLiteral("r") + n;
        }
        QTextDocument doc;
        doc.setHtml(html + c.after);
        const QString pdf = folder.file(QStringLiteral("regels.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A6));
        QString error;
        ASSERT_TRUE(printTextWhole(printer, doc, QTextCursor(&doc), &error)) << qPrintable(error);
        const int pages = pdfPages(pdf);
        ASSERT_GT(pages, 3);
        QStringList printed;
        for (int page = 1; page <= pages; ++page)
            printed += lineNumbers(pdfPageText(pdf, page));
        EXPECT_EQ(printed.join(u' '), expected.join(u' '));
    }
}

}  // namespace
