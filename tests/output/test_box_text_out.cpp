// The report's and the judging sheet's box lay a word longer than 256
// letters out with invisible breaks. A copy, the saved report and the printed
// PDF give the words as the brewer stored, pasted or shipped them: without
// those breaks, with a zero-width space of his own.
#include "output_fixture.h"

#include "core/Paths.h"
#include "core/WholeFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTest>
#include <QTextDocumentFragment>
#include <functional>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QChar Zw(0x200B);

// A word of `n` letters, a to z over and over, so that a letter lost or
// doubled anywhere shows.
QString longWord(int n)
{
    QString w;
    for (int i = 0; i < n; ++i)
        w += QChar(u'a' + i % 26);
    return w;
}

// The text of a PDF file with its lines joined: a long word wraps.
QString joinedPdfText(const QString &pdf)
{
    bool found = false;
    QString text = toolText(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &found);
    if (!found)
        ADD_FAILURE() << "pdftotext is not installed (scripts/install-deps.sh test)";
    return text.remove(QLatin1Char('\n'));
}

class TextOut : public OutputTest {
protected:
    // Two long words and a zero-width space of the brewer's own.
    const QString first = longWord(600), second = longWord(1000).mid(7);
    const QString text =
        QStringLiteral("Vooraf ") + first + QStringLiteral(" dan") + Zw + QStringLiteral("nog ") + second;

    void SetUp() override { open("Zomerblond.zlv"); }

    // The report on the screen, saved as `rtf` and printed to `pdf`, with
    // `text` as the recipe's notes.
    QTextEdit *report(const QString &rtf, const QString &pdf)
    {
        session().recipe.Aantekening = text;
        session().recipe.InRecept = 1;
        trigger("mnuAfdrukken");
        check("chkNaarScherm")->setChecked(true);
        check("chkNaarBestand")->setChecked(true);
        box("txtAfdNaar")->setText(rtf);
        fake.printAnswers.push_back(pdf);
        ok();
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        return in<QTextEdit>("frmReport", "rtbReport");
    }
    // The judging sheet, read from a sheet file that holds `text`.
    QTextEdit *sheetWithText()
    {
        QByteArray rtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Calibri;}}\\f0\\fs20 Keuringsformulier\\par ");
        for (const QChar c : text)
            rtf += c == Zw ? QByteArray("\\u8203?") : QByteArray(1, char(c.unicode()));
        writeFileBytes(folder.file(QStringLiteral("Templates/Keuringsformulier.rtf")), rtf + "\\par }");
        trigger("mnuKeurFormulier");
        return in<QTextEdit>("frmKeuringsformulier", "rtbKeuringsFormulier");
    }
    // The sheet's box with `text` pasted at its end.
    QTextEdit *sheetWithPaste()
    {
        trigger("mnuKeurFormulier");
        QTextEdit *sheet = in<QTextEdit>("frmKeuringsformulier", "rtbKeuringsFormulier");
        sheet->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText(text);
        QTest::keyClick(sheet, Qt::Key_V, Qt::ControlModifier);
        return sheet;
    }
    void printSheet(const QString &pdf)
    {
        fake.printAnswers.push_back(pdf);
        in<QAction>("frmKeuringsformulier", "mnuKFPrint")->trigger();
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    }
};

}  // namespace

TEST_F(TextOut, LongWordsLeaveTheBoxAsTheyCameIn)
{
    const QString rtf = folder.file(QStringLiteral("Recepten/verslag.rtf"));
    const QString pdf = folder.file(QStringLiteral("blad.pdf"));
    struct Case {
        const char *what;
        std::function<QTextEdit *()> show;
        std::function<void()> print;
        bool saved;
    } cases[] = {
        {"the report, with the words in the recipe's notes", [&] { return report(rtf, pdf); }, [] {}, true},
        {"the judging sheet, with the words pasted", [&] { return sheetWithPaste(); }, [&] { printSheet(pdf); }, false},
        {"the judging sheet, with the words in its file", [&] { return sheetWithText(); }, [&] { printSheet(pdf); },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(pdf);
        fake.clear();
        QTextEdit *box = c.show();
        ASSERT_NE(box, nullptr);
        // Laid out with breaks in both long words.
        ASSERT_GT(box->toPlainText().count(Zw), 3);

        box->selectAll();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        EXPECT_TRUE(copied->text().contains(text));
        EXPECT_EQ(copied->text().count(Zw), 1);
        EXPECT_TRUE(QTextDocumentFragment::fromHtml(copied->html()).toPlainText().contains(text));

        if (c.saved) {
            const QByteArray file = fileBytes(rtf);
            EXPECT_TRUE(file.contains(first.toLatin1() + " dan\\u8203?nog " + second.toLatin1()));
        }

        c.print();
        const QString printed = joinedPdfText(pdf);
        EXPECT_FALSE(printed.contains(Zw));
        EXPECT_TRUE(printed.contains(first)) << qPrintable(printed);
        EXPECT_TRUE(printed.contains(second));

        // The sheet is read again from its file the next time.
        if (isOpen("frmKeuringsformulier")) {
            in<QAction>("frmKeuringsformulier", "mnuKFAfsluiten")->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}
