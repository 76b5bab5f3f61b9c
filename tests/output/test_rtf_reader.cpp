// Reading our RTF subset into a text document, and surviving anything else.
#include "output/RtfReader.h"
#include "output/RtfReport.h"

#include "support/QtPrint.h"
#include "support/TempProgramFolder.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSet>
#include <QTextBlockFormat>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QString plainOf(const QByteArray &rtf)
{
    QTextDocument doc;
    readRtf(rtf, doc);
    return doc.toPlainText();
}

QTextCharFormat formatAt(const QTextDocument &doc, const QString &text)
{
    const QTextCursor c = doc.find(text);
    EXPECT_FALSE(c.isNull()) << qPrintable(text);
    return c.charFormat();
}

}  // namespace

TEST(RtfReader, TextAndCharacters)
{
    const struct {
        const char *rtf;
        const char *text;
    } cases[] = {
        {"{\\rtf1 a\\par b}", "a\nb"},
        {"{\\rtf1 63 \\'baC caf\\'e9 \\'80}", "63 \u00BAC caf\u00E9 \u20AC"},
        {"{\\rtf1\\uc1 \\u269?x \\u-10180?\\u-8326?}", "\u010Dx \U0001F37A"},
        {"{\\rtf1 \\{x\\} \\\\ y}", "{x} \\ y"},
        {"{\\rtf1{\\fonttbl{\\f0 Calibri;}}{\\colortbl;\\red0\\green0\\blue255;}{\\*\\generator x;}tekst}", "tekst"},
        {"{\\rtf1 a\\tab b\\line c}", "a\tb\nc"},
        // Damaged: unbalanced groups, a cut escape, a cut control word.
        {"{\\rtf1 {{{a}", "a"},
        {"{\\rtf1 a}}}} b", "a b"},
        {"{\\rtf1 a\\'", "a"},
        {"{\\rtf1 a\\", "a"},
        {"zonder kop", "zonder kop"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(plainOf(QByteArray(c.rtf)), QString::fromUtf8(c.text));
    }
}

TEST(RtfReader, OurTemplateKeepsItsLayout)
{
    TempProgramFolder folder(true);
    QFile f(reportTemplateFile(false));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    readRtf(f.readAll(), doc);
    const QTextBlock title = doc.begin();
    EXPECT_EQ(title.text(), "#Brouwschema#");
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat t = formatAt(doc, QStringLiteral("#Brouwschema#"));
    EXPECT_TRUE(t.font().bold());
    EXPECT_TRUE(t.fontItalic());
    EXPECT_DOUBLE_EQ(t.fontPointSize(), 16);
    EXPECT_EQ(t.foreground().color(), QColor(Qt::blue));
    EXPECT_EQ(t.fontFamilies().toStringList(), QStringList{"Calibri"});
    EXPECT_TRUE(formatAt(doc, QStringLiteral("Algemeen:")).font().bold());
    const QTextCharFormat body = formatAt(doc, QStringLiteral("Brouwdatum"));
    EXPECT_FALSE(body.font().bold());
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 10);
    EXPECT_DOUBLE_EQ(doc.find(QStringLiteral("Brouwdatum")).blockFormat().leftMargin(), 284 / 15.0);
}

// The shipped templates are taken, and the height bound measured on them
// is at least their height laid out at the narrowest width and not far
// above it, so that reports in their shape are not refused early.
TEST(RtfReader, TheShippedTemplatesAreMeasuredAtLeastAndCloseToTheirHeight)
{
    for (const char *name : {"template_EB.rtf", "template_DB.rtf", "Keuringsformulier.rtf", "Eenheden.rtf"}) {
        SCOPED_TRACE(name);
        QFile f(QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources/Templates/") + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Calibri"), 10));
        ASSERT_TRUE(readRtf(f.readAll(), doc));
        doc.setTextWidth(NarrowestTextWidth);
        const qreal height = doc.documentLayout()->documentSize().height(), bound = textHeightBound(doc);
        EXPECT_GE(bound, height);
        EXPECT_LE(bound, 2.5 * height);
    }
}

TEST(RtfReader, PictureOfTheSpargeCurve)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    RtfPicture p;
    QBuffer b(&p.png);
    b.open(QIODevice::WriteOnly);
    image.save(&b, "PNG");
    p.width = 40;
    p.height = 20;
    const RtfFill fill = fillTemplate("{\\rtf1 #Aantekening#\\par einde}", {{"Aantekening", "noot"}}, p);
    QTextDocument doc;
    readRtf(fill.rtf, doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("noot\uFFFC\neinde"));
    const QTextCursor c = doc.find(QString(QChar::ObjectReplacementCharacter));
    ASSERT_FALSE(c.isNull());
    const QTextImageFormat f = c.charFormat().toImageFormat();
    EXPECT_DOUBLE_EQ(f.width(), 40);
    const QImage back = doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
    EXPECT_EQ(back.size(), QSize(40, 20));
}

TEST(RtfReader, NeverFailsOnDamagedInput)
{
    TempProgramFolder folder(true);
    QFile f(reportTemplateFile(true));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    QRandomGenerator random(19);
    for (int round = 0; round < 300; ++round) {
        QByteArray bad = good;
        for (int k = 0; k < 1 + round % 20; ++k) {
            const int at = int(random.bounded(bad.size()));
            switch (random.bounded(3)) {
            case 0:
                bad[at] = char(random.bounded(256));
                break;
            case 1:
                bad.remove(at, int(random.bounded(40)));
                break;
            default:
                bad.insert(at, QByteArray(int(random.bounded(5)), "{}\\'"[random.bounded(4)]));
                break;
            }
        }
        QTextDocument doc;
        readRtf(bad, doc);
    }
    // Nesting far beyond any document.
    QTextDocument deep;
    readRtf(QByteArray(100000, '{') + "x" + QByteArray(100000, '}'), deep);
    EXPECT_EQ(deep.toPlainText(), "x");
    QTextDocument pict;
    readRtf("{\\rtf1{\\pict\\pngblip 0123456789abcdef zz}na}", pict);
    EXPECT_EQ(pict.toPlainText(), "na");
}

// A word or paragraph longer than any real one is laid out in pieces; its
// text, its order and its paragraph's formatting stay as written.
TEST(RtfReader, OverLongWordsAndParagraphsKeepTheirText)
{
    // The beer's low half falls where the first break would go.
    const QString word = QString(255, QLatin1Char('x')) + QStringLiteral("\U0001F37A")
                         + QString(300000, QLatin1Char('x')) + QStringLiteral("\u010Dy");
    QString words;
    for (int i = 0; i < 20000; ++i)
        words += QStringLiteral("brouw%1 ").arg(i);
    struct Case {
        const char *what;
        QString text;
    } cases[] = {{"one unbroken word", word}, {"one paragraph of words", words}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray rtf = "{\\rtf1\\pard\\qc\\li600\\fi300\\sb120\\sa240\\b ";
        rtf += rtfEscape(c.text);
        rtf += "\\par\\pard einde}";
        QTextDocument doc;
        readRtf(rtf, doc);
        ASSERT_GT(doc.blockCount(), 2);  // split, or the test shows nothing
        QString back;
        for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next()) {
            const bool last = b.next() == doc.end();
            if (!last) {
                back += b.text();
                EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
                EXPECT_DOUBLE_EQ(b.blockFormat().leftMargin(), 600 / 15.0);
                EXPECT_DOUBLE_EQ(b.blockFormat().textIndent(), b == doc.begin() ? 300 / 15.0 : 0.0);
                EXPECT_DOUBLE_EQ(b.blockFormat().topMargin(), b == doc.begin() ? 120 / 15.0 : 0.0);
                EXPECT_DOUBLE_EQ(b.blockFormat().bottomMargin(), b.next().next() == doc.end() ? 240 / 15.0 : 0.0);
                EXPECT_TRUE(b.begin().fragment().charFormat().font().bold());
            } else {
                EXPECT_EQ(b.text(), "einde");
            }
        }
        // Only invisible break opportunities were added, never inside a
        // character that takes two code units.
        const QChar split[] = {QChar(0xD83C), QChar(0x200B)};
        EXPECT_FALSE(back.contains(QStringView(split, 2)));
        back.remove(QChar(0x200B));
        EXPECT_EQ(back, c.text);
    }
    // Words of ordinary length get nothing added.
    EXPECT_EQ(plainOf("{\\rtf1 " + QByteArray(256, 'a') + " b}"), QString(256, QLatin1Char('a')) + " b");
}

// A file of more paragraphs and format changes than any report: the early
// part keeps its formatting, and all of the text is there, in order.
TEST(RtfReader, EndlessParagraphsAndFormatChangesKeepTheText)
{
    QByteArray rtf = "{\\rtf1 ";
    QString expected;
    for (int i = 0; i < 120000; ++i) {
        rtf += "\\b " + QByteArray::number(i) + "\\b0 x\\par ";
        expected += QString::number(i) + QStringLiteral("x\n");
    }
    rtf += "einde}";
    expected += QStringLiteral("einde");
    QTextDocument doc;
    readRtf(rtf, doc);
    QString text = doc.toPlainText();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    EXPECT_TRUE(text == expected) << "the text differs";
    for (int n : {0, 1, 999}) {
        const QTextBlock b = doc.findBlockByNumber(n);
        EXPECT_EQ(b.text(), QString::number(n) + QStringLiteral("x"));
        QTextBlock::iterator it = b.begin();
        EXPECT_TRUE(it.fragment().charFormat().font().bold()) << n;
        ++it;
        ASSERT_FALSE(it.atEnd()) << n;
        EXPECT_FALSE(it.fragment().charFormat().font().bold()) << n;
    }
}

// Empty paragraphs each take a line of their own font, also where every one
// is a block of its own: a document of them too tall to lay out is refused,
// a shorter one is read.
TEST(RtfReader, EmptyParagraphsCountTowardsTheHeightBound)
{
    const auto paragraphs = [](int count) {
        // Alternate indents give every paragraph a block of its own.
        QByteArray rtf = "{\\rtf1\\fs3276 ";
        for (int i = 0; i < count; ++i)
            rtf += i % 2 ? "\\pard\\li15\\fs3276\\par " : "\\pard\\fs3276\\par ";
        return rtf + "x}";
    };
    struct Case {
        int count;
        bool read;
    } cases[] = {{400, true}, {4000, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        QTextDocument doc;
        EXPECT_EQ(readRtf(paragraphs(c.count), doc), c.read);
        EXPECT_EQ(doc.blockCount(), c.read ? c.count + 1 : 1);
    }
}

// Indents of a billion twips either way are kept within 22 inches, so that
// Qt's layout of the text ends; spacing between paragraphs is never negative.
TEST(RtfReader, HugeIndentsAndNegativeSpacingAreKeptInBounds)
{
    QByteArray rtf = "{\\rtf1\\li-2000000000\\ri-2000000000\\fi-2000000000\\sb-2000000000\\sa-2000000000 ";
    for (int i = 0; i < 2000; ++i)
        rtf += "woord ";
    rtf += "\\par\\li2000000000\\ri2000000000\\fi2000000000 x\\par}";
    QTextDocument doc;
    ASSERT_TRUE(readRtf(rtf, doc));
    const QTextBlockFormat wide = doc.firstBlock().blockFormat(), narrow = doc.findBlockByNumber(1).blockFormat();
    for (qreal indent : {wide.leftMargin(), wide.rightMargin(), wide.textIndent()})
        EXPECT_DOUBLE_EQ(indent, -31680 / 15.0);
    for (qreal indent : {narrow.leftMargin(), narrow.rightMargin(), narrow.textIndent()})
        EXPECT_DOUBLE_EQ(indent, 31680 / 15.0);
    EXPECT_EQ(wide.topMargin(), 0);
    EXPECT_EQ(wide.bottomMargin(), 0);
    doc.setTextWidth(NarrowestTextWidth);
    EXPECT_GT(doc.size().height(), 0);
    EXPECT_LE(doc.size().height(), MaxTextHeight);
}

// A template that changes its font size and style at every word keeps its
// text whole and its first 256 fonts; text asked in a further font keeps the
// font it has, so that the fonts to load stay few.
TEST(RtfReader, AFontAtEveryWordKeepsTheTextAndAtMost256Fonts)
{
    QByteArray rtf = "{\\rtf1 ";
    QString expected;
    for (int i = 0; i < 3000; ++i) {
        rtf += "\\fs" + QByteArray::number(2 + i % 300) + (i % 2 ? "\\b" : "\\b0") + (i % 3 ? "\\i" : "\\i0")
               + (i % 5 ? "\\ul " : "\\ul0 ") + QByteArray::number(i) + ' ';
        expected += QString::number(i) + QLatin1Char(' ');
    }
    QTextDocument doc;
    ASSERT_TRUE(readRtf(rtf + '}', doc));
    EXPECT_TRUE(doc.toPlainText() == expected) << "the text differs";
    // Underlined or not, a font loads once.
    QSet<QString> fonts;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QFont font = it.fragment().charFormat().font();
            fonts.insert(QStringLiteral("%1 %2 %3").arg(font.pointSizeF()).arg(font.bold()).arg(font.italic()));
        }
    EXPECT_LE(fonts.size(), 256);
    const QTextCharFormat first = formatAt(doc, QStringLiteral("1 ")), later = formatAt(doc, QStringLiteral("2 "));
    EXPECT_EQ(first.fontPointSize(), 1.5);
    EXPECT_TRUE(first.font().bold());
    EXPECT_EQ(later.fontPointSize(), 2);
    EXPECT_FALSE(later.font().bold());
}
