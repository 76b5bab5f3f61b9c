// The report's and the judging sheet's box: the invisible breaks it puts into
// a long pasted word are for its layout only. Whatever takes text out of the
// box gets the words as they were pasted, with the brewer's own zero-width
// spaces.

#include "platform/RichTextBox.h"

#include "platform/Printing.h"
#include "platform/TextHeight.h"

#include "output/output_support.h"
#include "support/QtPrint.h"
#include "support/TempProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QTest>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QChar Zw(ZeroWidthSpace);

// A word of `n` letters, a to z over and over, so that a letter lost or
// doubled anywhere shows.
QString longWord(int n)
{
    QString w;
    for (int i = 0; i < n; ++i)
        w += QChar(u'a' + i % 26);
    return w;
}

// Copy and drag are the box's own; the test reaches the drag's data.
class Box : public RichTextBox {
public:
    Box() : RichTextBox(QStringLiteral("rtbTest")) {}
    using RichTextBox::createMimeDataFromSelection;
};

// What text leaving the box carries: its plain text and the plain text of its
// HTML, which a word processor takes.
struct Carried {
    QString text, html;
};

Carried carried(const QMimeData &data)
{
    return {data.text(), QTextDocumentFragment::fromHtml(data.html()).toPlainText()};
}

Carried clipboard() { return carried(*QApplication::clipboard()->mimeData()); }

class PastedLongWord : public ::testing::Test {
public:
    // "Zie " and a word of 600 letters, which gets a break before its 257th
    // and its 513th letter (at 260 and 516 in the pasted text), and a
    // zero-width space of the brewer's own.
    const QString word = longWord(600);
    const QString pasted = QStringLiteral("Zie ") + word + QStringLiteral(" en zo") + Zw + QStringLiteral("verder");

    void SetUp() override
    {
        box.resize(400, 300);
        fill();
    }
    // The box with only the pasted text, the clipboard empty.
    void fill()
    {
        box.clear();
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        // Laid out in pieces: two breaks more than the brewer's one.
        ASSERT_EQ(box.toPlainText().count(Zw), 3);
        QApplication::clipboard()->clear();
    }
    void select(int from, int to)
    {
        QTextCursor c(box.document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        box.setTextCursor(c);
    }
    void selectAll() { box.selectAll(); }

    Box box;
};

TEST_F(PastedLongWord, EveryWayOutGivesTheWordsAsPasted)
{
    struct Case {
        const char *what;
        std::function<Carried(PastedLongWord &)> take;
        QString expected;
    } cases[] = {
        {"Ctrl+C",
         [](PastedLongWord &t) {
             t.selectAll();
             QTest::keyClick(&t.box, Qt::Key_C, Qt::ControlModifier);
             return clipboard();
         },
         pasted},
        {"the context menu's copy",
         [](PastedLongWord &t) {
             t.selectAll();
             const std::unique_ptr<QMenu> menu(t.box.createStandardContextMenu());
             auto *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
             EXPECT_NE(copy, nullptr);
             if (copy)
                 copy->trigger();
             return clipboard();
         },
         pasted},
        {"Ctrl+X",
         [](PastedLongWord &t) {
             t.selectAll();
             QTest::keyClick(&t.box, Qt::Key_X, Qt::ControlModifier);
             EXPECT_TRUE(t.box.toPlainText().isEmpty());
             return clipboard();
         },
         pasted},
        {"a drag",
         [](PastedLongWord &t) {
             t.selectAll();
             const std::unique_ptr<QMimeData> data(t.box.createMimeDataFromSelection());
             return carried(*data);
         },
         pasted},
        // From the 101st letter of the word to its 497th, over the first break.
        {"part of the word, copied",
         [](PastedLongWord &t) {
             t.select(104, 501);
             QTest::keyClick(&t.box, Qt::Key_C, Qt::ControlModifier);
             return clipboard();
         },
         word.mid(100, 396)},
        // Text without an inserted break goes out as the box always gives it.
        {"the brewer's own zero-width space, copied",
         [](PastedLongWord &t) {
             t.select(t.box.toPlainText().size() - 9, t.box.toPlainText().size());
             QTest::keyClick(&t.box, Qt::Key_C, Qt::ControlModifier);
             return clipboard();
         },
         QStringLiteral("zo") + Zw + QStringLiteral("verder")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fill();
        const Carried out = c.take(*this);
        EXPECT_EQ(out.text, c.expected);
        EXPECT_EQ(out.html, c.expected);
    }
}

// Text put in right after an inserted break would take that break's format
// with it; a zero-width space the brewer adds there is his own and stays.
TEST_F(PastedLongWord, AZeroWidthSpaceAddedNextToABreakStays)
{
    struct Case {
        const char *what;
        std::function<void(Box &)> add;
    } cases[] = {
        {"typed",
         [](Box &b) {
             QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(Zw));
             QApplication::sendEvent(&b, &key);
         }},
        {"typed through an input method",
         [](Box &b) {
             QInputMethodEvent commit;
             commit.setCommitString(QString(Zw));
             QApplication::sendEvent(&b, &commit);
         }},
        {"pasted",
         [](Box &b) {
             QApplication::clipboard()->setText(QString(Zw));
             QTest::keyClick(&b, Qt::Key_V, Qt::ControlModifier);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fill();
        // Right behind the first break, before the word's 257th letter.
        select(261, 261);
        c.add(box);
        ASSERT_EQ(box.toPlainText().count(Zw), 4);
        selectAll();
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard().text, QString(pasted).insert(260, Zw));
    }
}

// The breaks stay in the printed layout, as on the screen; the PDF's text
// holds the word whole and no break.
TEST_F(PastedLongWord, APrintedPdfHoldsTheWordWhole)
{
    TempProgramFolder folder;
    const QString pdf = folder.file(QStringLiteral("blad.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QString error;
    ASSERT_TRUE(printTextWhole(printer, *box.document(), box.textCursor(), &error)) << qPrintable(error);
    bool found = false;
    QString text = toolText(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &found);
    if (!found)
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    EXPECT_FALSE(text.contains(Zw));
    // The word wraps over lines of the page.
    text.remove(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains(word)) << qPrintable(text);
}

}  // namespace
