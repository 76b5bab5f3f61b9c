// The height measure that keeps rich text from laying out too tall for Qt:
// for every shape pasted HTML can take it is at least the height the text
// lays out to at the narrowest width.

#include "platform/TextHeight.h"

#include "platform/InsertedBreaks.h"
#include "platform/RichTextBox.h"
#include "support/FakeServices.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFont>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>

using namespace mostarium;

namespace {

QString repeated(const QString &unit, int count = 200)
{
    QString out;
    for (int i = 0; i < count; ++i)
        out += unit;
    return out;
}

// A picture of `width` by `height` pixels as a data URL.
QString pictureUrl(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

struct Laid {
    qreal height, bound;
};

// `html` in a document of the report's font, laid out at the narrowest width.
Laid layOut(const QString &html)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Calibri"), 10));
    doc.setHtml(html);
    doc.setTextWidth(NarrowestTextWidth);
    return {doc.documentLayout()->documentSize().height(), textHeightBound(doc)};
}

const QString Words = QStringLiteral("Mout, hop, gist en water worden bier na het koken en gisten. ");

TEST(TextHeight, TheMeasureIsNeverBelowTheHeightLaidOut)
{
    const QString line = QStringLiteral("Zomerblond<br>");
    const QString picture = pictureUrl(40, 300);
    struct Case {
        const char *shape;
        QString html;
    } cases[] = {
        {"plain lines", repeated(line)},
        {"plain paragraphs of words", repeated(QStringLiteral("<p>") + repeated(Words, 5) + QStringLiteral("</p>"))},
        {"empty paragraphs", repeated(QStringLiteral("<p></p>"))},
        {"font size 7", QStringLiteral("<font size=7>") + repeated(line) + QStringLiteral("</font>")},
        {"font size 7, breaks outside", repeated(QStringLiteral("<font size=7>Zomerblond</font><br>"))},
        {"font size +4", QStringLiteral("<font size=+4>") + repeated(line) + QStringLiteral("</font>")},
        {"font size 7, words", QStringLiteral("<font size=7>") + repeated(Words, 30) + QStringLiteral("</font>")},
        {"xx-large", QStringLiteral("<span style='font-size:xx-large'>") + repeated(line) + QStringLiteral("</span>")},
        {"font size in pixels",
         QStringLiteral("<span style='font-size:90px'>") + repeated(line) + QStringLiteral("</span>")},
        {"headings", repeated(QStringLiteral("<h1>Brouwschema</h1>"))},
        {"empty headings", repeated(QStringLiteral("<h1></h1>"))},
        {"headings of every level",
         repeated(QStringLiteral("<h1>a</h1><h2>b</h2><h3>c</h3><h4>d</h4><h5>e</h5><h6>f</h6>"), 40)},
        {"one large word among small words",
         repeated(QStringLiteral("<p>") + repeated(Words, 3) + QStringLiteral("<font size=7>Bier</font> ")
                  + repeated(Words, 3) + QStringLiteral("</p>"))},
        {"small pieces ending tall lines", repeated(QStringLiteral("Mout en hop <font size=7>a b</font> "), 400)},
        {"line height 1000 %",
         QStringLiteral("<p style='line-height:1000%'>") + repeated(line) + QStringLiteral("</p>")},
        {"line height 1000 % over paragraphs", repeated(QStringLiteral("<p style='line-height:1000%'>Bier</p>"))},
        {"line height 1000 %, words",
         QStringLiteral("<p style='line-height:1000%'>") + repeated(Words, 30) + QStringLiteral("</p>")},
        {"fixed line height", QStringLiteral("<p style='line-height:300px; -qt-line-height-type:fixed'>")
                                  + repeated(line) + QStringLiteral("</p>")},
        {"minimum line height", QStringLiteral("<p style='line-height:300px; -qt-line-height-type:minimum'>")
                                    + repeated(line) + QStringLiteral("</p>")},
        {"line distance", QStringLiteral("<p style='line-height:300px; -qt-line-height-type:line-distance'>")
                              + repeated(line) + QStringLiteral("</p>")},
        {"empty paragraphs of line height 1000 %", repeated(QStringLiteral("<p style='line-height:1000%'></p>"))},
        {"block margins", repeated(QStringLiteral("<p style='margin-top:300px; margin-bottom:200px'>Bier</p>"))},
        {"indents narrowing the line",
         repeated(QStringLiteral("<p style='margin-left:120px; margin-right:100px; text-indent:40px'>") + Words
                  + QStringLiteral("</p>"))},
        {"block indent", repeated(QStringLiteral("<p style='-qt-block-indent:4'>") + Words + QStringLiteral("</p>"))},
        {"nested lists",
         repeated(QStringLiteral("<ul><li>") + Words + QStringLiteral("<ul><li>") + Words + QStringLiteral("<ol><li>")
                      + Words + QStringLiteral("</li></ol></li></ul></li></ul>"),
                  40)},
        {"table of narrow cells with padding and borders",
         QStringLiteral("<table border=10 cellpadding=40 cellspacing=20>")
             + repeated(QStringLiteral("<tr>") + repeated(QStringLiteral("<td>") + Words + QStringLiteral("</td>"), 8)
                            + QStringLiteral("</tr>"),
                        30)
             + QStringLiteral("</table>")},
        {"tables in tables",
         repeated(QStringLiteral("<table border=5 cellpadding=10><tr><td><table border=5 cellpadding=10><tr><td>")
                      + Words + QStringLiteral("</td><td>Bier</td></tr></table></td></tr></table>"),
                  40)},
        {"cells with paddings of their own",
         QStringLiteral("<table>")
             + repeated(QStringLiteral("<tr><td style='padding-top:100px; padding-bottom:80px'>"
                                       "Bier</td></tr>"))
             + QStringLiteral("</table>")},
        {"pictures with a height", repeated(QStringLiteral("<img src='%1' width=40 height=300><br>").arg(picture), 50)},
        {"pictures at their own size", repeated(QStringLiteral("<img src='%1'><br>").arg(picture), 50)},
        {"pictures with a width only", repeated(QStringLiteral("<img src='%1' width=200><br>").arg(picture), 50)},
        {"pictures among words",
         repeated(QStringLiteral("<img src='%1' width=40 height=60> ").arg(picture) + Words, 50)},
        {"floating pictures",
         repeated(QStringLiteral("<img src='%1' align=left width=200 height=30>").arg(picture) + Words + Words, 50)},
        {"a picture that is not there", repeated(QStringLiteral("<img src='weg.png'><br>"))},
        {"letter spacing",
         QStringLiteral("<p style='letter-spacing:40px'>") + repeated(Words, 10) + QStringLiteral("</p>")},
        {"word spacing",
         QStringLiteral("<p style='word-spacing:200px'>") + repeated(Words, 10) + QStringLiteral("</p>")},
        {"capitals", QStringLiteral("<p style='text-transform:uppercase'>")
                         + repeated(QStringLiteral("iiii jjjj "), 300) + QStringLiteral("</p>")},
        {"small capitals", QStringLiteral("<p style='font-variant:small-caps'>")
                               + repeated(QStringLiteral("iiii "), 400) + QStringLiteral("</p>")},
        {"superscript", QStringLiteral("<sup>") + repeated(line) + QStringLiteral("</sup>")},
        {"superscript among large text", repeated(QStringLiteral("<font size=7>a<sup>b</sup><sub>c</sub></font><br>"))},
        {"tabs", QStringLiteral("<pre>") + repeated(QStringLiteral("a\tb\tc\td\te\tf\n")) + QStringLiteral("</pre>")},
        {"rulers", repeated(QStringLiteral("<hr>"))},
        {"characters beyond Latin-1", repeated(QStringLiteral("啤酒 🍺 Ωμέγα<br>"))},
        {"characters from another font", repeated(QStringLiteral("啤<br>"))},
        {"characters from another font in a small size",
         QStringLiteral("<font size=1>") + repeated(QStringLiteral("🍺 啤<br>")) + QStringLiteral("</font>")},
        {"a table of a given height", QStringLiteral("<table height=5000><tr><td>Bier</td></tr></table>")},
        {"cells of a given height", repeated(QStringLiteral("<table><tr><td height=500>Bier</td></tr></table>"), 20)},
        {"blocks of a given height", repeated(QStringLiteral("<div style='height:500px'>Bier</div>"), 20)},
        {"floating tables",
         repeated(QStringLiteral("<table align=left width=200 border=1><tr><td>Bier</td></tr></table>") + Words, 30)},
        {"pictures in the middle of a line",
         repeated(QStringLiteral("<img src='%1' width=40 height=300 style='vertical-align:middle'>x<br>").arg(picture),
                  50)},
        {"pictures in lines of 1000 %",
         QStringLiteral("<p style='line-height:1000%'>")
             + repeated(QStringLiteral("<img src='%1' width=40 height=300><br>").arg(picture), 50)
             + QStringLiteral("</p>")},
        {"rulers of a height", repeated(QStringLiteral("<hr size=300>"))},
        {"no wrapping",
         QStringLiteral("<p style='white-space:nowrap'>") + repeated(Words, 20) + QStringLiteral("</p>")},
        {"a monospaced font", QStringLiteral("<tt>") + repeated(Words, 30) + QStringLiteral("</tt>")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shape);
        const Laid laid = layOut(c.html);
        EXPECT_GE(laid.bound, laid.height);
    }
}

// The measure is meant to refuse little that fits: for plain text it stays
// within a small factor of the height laid out.
TEST(TextHeight, PlainTextIsMeasuredCloseToItsHeight)
{
    struct Case {
        const char *shape;
        QString html;
    } cases[] = {
        {"lines", repeated(QStringLiteral("Zomerblond<br>"))},
        {"paragraphs of words", repeated(QStringLiteral("<p>") + repeated(Words, 5) + QStringLiteral("</p>"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shape);
        const Laid laid = layOut(c.html);
        EXPECT_LE(laid.bound, 2.5 * laid.height);
    }
}

// Where long words get their breaks: after every MaxWordLength characters
// without a word end, never between the two halves of a letter.
TEST(TextHeight, LongWordsBreakAfterEveryMaxWordLengthCharacters)
{
    const QString face = QString::fromUtf8("\xF0\x9F\x8D\xBA");  // two UTF-16 units
    struct Case {
        const char *what;
        QString text;
        std::vector<int> at;
    } cases[] = {
        {"words with ends", QString(200, u'a') + u' ' + QString(200, u'b'), {}},
        {"one long word", QString(600, u'a'), {256, 512}},
        {"a letter of two units across the place", QString(255, u'a') + face + QString(300, u'b'), {257, 513}},
        {"a zero-width space ends a word", QString(200, u'a') + QChar(ZeroWidthSpace) + QString(200, u'b'), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTextDocument doc;
        doc.setPlainText(c.text);
        EXPECT_EQ(longWordBreaks(doc), c.at);
    }
}

// The breaks the program puts into long words lay out as part of their word:
// measured with it, they neither pass under the height laid out nor add a
// line each to the measure (which would take it past twice that height).
TEST(TextHeight, LongWordsWithInsertedBreaksAreMeasuredAsTheyLayOut)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Calibri"), 10));
    QTextCursor cursor(&doc);
    const QTextCharFormat plain = cursor.charFormat();
    for (int word = 0; word < 20; ++word) {
        if (word > 0)
            cursor.insertText(QString(QChar::ParagraphSeparator), plain);
        for (int piece = 0; piece < 40; ++piece) {
            cursor.insertText(QString(MaxWordLength, QChar(u'a' + piece % 26)), plain);
            cursor.insertText(QString(ZeroWidthSpace), insertedBreakFormat(plain));
        }
    }
    doc.setTextWidth(NarrowestTextWidth);
    const qreal height = doc.documentLayout()->documentSize().height(), bound = textHeightBound(doc);
    EXPECT_GE(bound, height);
    EXPECT_LE(bound, 2 * height);
}

// What typing adds to the measure kept is at least what the measure of the
// whole text grows by: also where the typed text is the tallest of a long
// paragraph, where it ends a paragraph of tall lines, and where it replaces
// a selection over two paragraphs, which it joins.
TEST(TextHeight, TypingAddsAtLeastWhatTheMeasureGrows)
{
    const QString smallText = QStringLiteral("<p>") + repeated(Words, 40) + QStringLiteral("</p>");
    struct Case {
        const char *edit;
        QString html;
        int from, to;  // the selection, in characters from the end when negative
        QString typed;
        int size;  // of the typed text, in HTML sizes
    } cases[] = {
        {"a tall letter in small text", smallText, -1, -1, QStringLiteral("B"), 7},
        {"a new paragraph in lines of 1000 %",
         QStringLiteral("<p style='line-height:1000%'>") + repeated(Words, 20) + QStringLiteral("</p>"), -1, -1,
         QString(QChar::ParagraphSeparator), 3},
        {"a line break in lines of 1000 %",
         QStringLiteral("<p style='line-height:1000%'>") + repeated(Words, 20) + QStringLiteral("</p>"), 100, 100,
         QString(QChar(0x2028)), 3},
        {"over two paragraphs, the tall one selected",
         smallText + QStringLiteral("<p><font size=7>Bier</font></p>") + smallText, 2000, -1000, QStringLiteral("B"),
         7},
        {"over two paragraphs in small text", smallText + smallText, 1000, -1000, QStringLiteral("Bier"), 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edit);
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Calibri"), 10));
        doc.setHtml(c.html);
        const int last = doc.characterCount() - 1;
        QTextCursor cursor(&doc);
        cursor.setPosition(c.from < 0 ? last + 1 + c.from : c.from);
        cursor.setPosition(c.to < 0 ? last + 1 + c.to : c.to, QTextCursor::KeepAnchor);
        QTextCharFormat format = cursor.charFormat();
        format.setProperty(QTextFormat::FontSizeAdjustment, c.size - 3);
        const qreal before = textHeightBound(doc, cursor.selectionStart(), cursor.selectionEnd());
        const qreal added = textHeightTyped(cursor, c.typed, format);
        cursor.insertText(c.typed, format);
        EXPECT_GE(before + added, textHeightBound(doc));
        doc.setTextWidth(NarrowestTextWidth);
        EXPECT_GE(before + added, doc.documentLayout()->documentSize().height());
    }
}

// Text pasted into a paragraph joins it: what the measure takes of the two
// apart and of the joins is at least the height the text then lays out to.
TEST(TextHeight, PastedTextIsMeasuredAtLeastAsTallAsItLaysOut)
{
    struct Case {
        const char *paste;
        QString into, pasted;
    } cases[] = {
        {"tall words into small text", repeated(Words, 40),
         QStringLiteral("<font size=7>a b</font> Mout en hop <font size=7>c d</font>")},
        {"small text into tall words",
         QStringLiteral("<font size=7>") + repeated(Words, 10) + QStringLiteral("</font>"),
         repeated(Words, 10) + QStringLiteral("<p>") + repeated(Words, 10)},
        {"paragraphs of 1000 % into small text", repeated(Words, 40),
         QStringLiteral("Bier<p style='line-height:1000%'>") + repeated(Words, 4) + QStringLiteral("</p>Bier")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.paste);
        QTextDocument doc, inserted;
        doc.setDefaultFont(QFont(QStringLiteral("Calibri"), 10));
        inserted.setDefaultFont(doc.defaultFont());
        doc.setHtml(c.into);
        inserted.setHtml(c.pasted);
        QTextCursor cursor(&doc);
        cursor.setPosition(doc.characterCount() / 2);
        const qreal measured = textHeightBound(doc) + textHeightBound(inserted) + textHeightJoined(cursor, inserted);
        cursor.insertFragment(QTextDocumentFragment(&inserted));
        doc.setTextWidth(NarrowestTextWidth);
        EXPECT_GE(measured, doc.documentLayout()->documentSize().height());
    }
}

// HTML pasted into a rich-text box that would lay out taller than the
// bound is refused whole with a beep, in every shape that makes lines
// taller; a quarter of it is taken.
TEST(TextHeight, ABoxRefusesAPasteThatWouldLayOutTooTall)
{
    test::ScopedFakeServices fake;
    struct Case {
        const char *shape;
        QString unit;
        qreal lineHeight;  // laid out at the narrowest width, in pixels
    } cases[] = {
        {"font size 7", QStringLiteral("<font size=7>a<br></font>"), 40},
        {"headings", QStringLiteral("<h1>a</h1>"), 50},
        {"line height 1000 %", QStringLiteral("<p style='line-height:1000%'>a</p>"), 150},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shape);
        const int tooMany = int(1.1 * MaxTextHeight / c.lineHeight);
        for (const int count : {tooMany, tooMany / 4}) {
            RichTextBox box(QStringLiteral("rtbProef"));
            box.document()->setDefaultFont(QFont(QStringLiteral("Calibri"), 10));
            box.setPlainText(QStringLiteral("Brouwschema"));
            const int beeps = fake.beeps;
            auto *mime = new QMimeData;
            mime->setHtml(repeated(c.unit, count));
            QApplication::clipboard()->setMimeData(mime);
            box.paste();
            if (count == tooMany) {
                EXPECT_EQ(fake.beeps, beeps + 1);
                EXPECT_EQ(box.toPlainText(), QStringLiteral("Brouwschema"));
            } else {
                EXPECT_EQ(fake.beeps, beeps);
                EXPECT_GT(box.toPlainText().size(), count);
            }
        }
    }
}

}  // namespace
