// The notes: 250 characters with a line break counting two, written into the
// open ".zlv" file only, and kept for the next Save where they could not be.
#include "open_dialog_fixture.h"

#include "core/Recalc.h"
#include "editors/frmAantekeningen.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class AantekeningenTest : public OpenDialogTest {
protected:
    AantekeningenTest() { load(singleBrew()); }

    QWidget *openIt() { return open("mnuAantekeningen", "frmAantekeningen"); }
    static LimitedTextEdit *text(QWidget *d) { return in<LimitedTextEdit>(d, "txtAantekeningen"); }
    static QString counter(QWidget *d) { return in<QLabel>(d, "lblAanT_Karakters")->text(); }
    static QString left(int n) { return QString::number(n) + QStringLiteral(" karakters voor aantekeningen over"); }
    QString fileValue(const QString &path, const char *key) const
    {
        return ReadINI(path, QStringLiteral("Aantekeningen"), QLatin1String(key), QStringLiteral("<none>"));
    }
    // A sample recipe whose notes line is `line` (Windows-1252 bytes), opened.
    QString openWithNotesLine(const QByteArray &line)
    {
        QByteArray file = bytes(sample(QStringLiteral("Herfstbok.zlv")));
        const qsizetype at = file.indexOf("\nAantekening=") + 1;
        const qsizetype end = file.indexOf("\r\n", at);
        EXPECT_GT(at, 0);
        file.replace(at, end - at, line);
        const QString path = folder.file(QStringLiteral("Recepten/Tekens.zlv"));
        writeFileBytes(path, file);
        EXPECT_TRUE(fc->openFile(path));
        fake.clear();
        return path;
    }
};

}  // namespace

TEST_F(AantekeningenTest, TypingStopsAtTheLimitALineBreakCountingTwo)
{
    QWidget *d = openIt();
    EXPECT_EQ(counter(d), "Aantal Karakters over");
    LimitedTextEdit *t = text(d);
    t->setFocus();
    QTest::keyClicks(t, QString(247, u'a'));
    EXPECT_EQ(counter(d), left(3));
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(counter(d), left(1));
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(t->notesText().count(u'\n'), 1) << "no room for a second line break";
    QTest::keyClicks(t, QStringLiteral("bc"));
    EXPECT_EQ(counter(d), left(0));
    EXPECT_TRUE(t->notesText().endsWith(QStringLiteral("\nb")));

    // Deleting makes room again; a paste takes only what fits.
    QTest::keyClick(t, Qt::Key_Backspace);
    QTest::keyClick(t, Qt::Key_Backspace);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(counter(d), left(4));
    QApplication::clipboard()->setText(QStringLiteral("x\r\nyz"));
    t->paste();
    EXPECT_EQ(t->length(), 250);
    EXPECT_TRUE(t->notesText().endsWith(QStringLiteral("ax\ny"))) << "the z would have made 251";
}

TEST_F(AantekeningenTest, LongerNotesFromAFileShowWholeAndCanOnlyShrink)
{
    s().recipe.Aantekening = QString(300, u'n');
    QWidget *d = openIt();
    LimitedTextEdit *t = text(d);
    EXPECT_EQ(t->notesText().size(), 300);
    EXPECT_EQ(counter(d), left(0));
    t->setFocus();
    t->moveCursor(QTextCursor::End);
    QTest::keyClicks(t, QStringLiteral("z"));
    EXPECT_EQ(t->notesText().size(), 300);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(t->notesText().size(), 299);
    EXPECT_EQ(counter(d), left(0));
}

TEST_F(AantekeningenTest, OkWritesTheOpenRecipeFileAndLeavesTheFlag)
{
    const QString path = openCopy(QStringLiteral("Notities.ZLV"));
    s().app.geluidAan = true;
    const int status = s().recipe.ReceptStatus;
    QWidget *d = openIt();
    text(d)->setNotesText(QStringLiteral("  eerste regel\ntweede  regel  "));
    in<QCheckBox>(d, "chkAantekeningen")->setChecked(true);
    press(d, "cmdAanT_OK");

    EXPECT_FALSE(loaded("frmAantekeningen"));
    EXPECT_EQ(s().recipe.Aantekening, "eerste regel\r\ntweede  regel") << "blanks off the ends, the break kept";
    EXPECT_EQ(s().recipe.InRecept, 1);
    EXPECT_EQ(fileValue(path, "Aantekening"), "eerste regel  tweede  regel");
    EXPECT_EQ(fileValue(path, "InRecept"), "1");
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
    EXPECT_EQ(s().recipe.ReceptStatus, status);
    EXPECT_TRUE(fake.sounds.isEmpty());

    d = openIt();
    EXPECT_EQ(text(d)->notesText(), "eerste regel\ntweede  regel");
    in<QCheckBox>(d, "chkAantekeningen")->setChecked(false);
    press(d, "cmdAanT_OK");
    EXPECT_EQ(s().recipe.InRecept, 0);
    EXPECT_EQ(fileValue(path, "InRecept"), "0");
}

TEST_F(AantekeningenTest, NotesThatReachNoFileMarkTheRecipeChanged)
{
    struct Case {
        const char *name, *file;
        const char *typed;
        bool changed;
    };
    const Case cases[] = {
        {"never saved", "", "nieuw", true},
        {"an imported .xml", "Recepten/Import.xml", "nieuw", true},
        {"'.zlv' inside the path only", "Recepten/oud.zlv.bak", "nieuw", true},
        {"never saved, nothing changed", "", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        load(singleBrew());
        QByteArray before;
        if (*c.file) {
            s().app.fileName = folder.file(QLatin1String(c.file));
            QFile f(s().app.fileName);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("[Aantekeningen]\r\nAantekening=\r\n");
            before = "[Aantekeningen]\r\nAantekening=\r\n";
        }
        QWidget *d = openIt();
        text(d)->setNotesText(QLatin1String(c.typed));
        press(d, "cmdAanT_OK");
        EXPECT_EQ(s().recipe.ReceptGewijzigd, c.changed);
        if (*c.file) {
            EXPECT_EQ(bytes(s().app.fileName), before) << "not written";
        }
    }
}

// A longer note would take a recipe file saved at the size bound past it:
// refused with the file named, the file byte for byte as it was, the note
// kept in the recipe for a Save.
TEST_F(AantekeningenTest, ARecipeFileAtTheBoundTakesNoLongerNoteAndStaysAsItWas)
{
    s().recipe.Aantekening = QStringLiteral("kort");
    const QString path = saveAtTheBound(QStringLiteral("Groot.zlv"));
    const QByteArray atBound = bytes(path);
    QWidget *d = openIt();
    text(d)->setNotesText(QStringLiteral("kort, en nu langer"));
    press(d, "cmdAanT_OK");
    EXPECT_EQ(fake.prompts(), QStringList{notWrittenText(path, recipeTooLargeReason())});
    EXPECT_EQ(bytes(path), atBound);
    EXPECT_EQ(s().recipe.Aantekening, "kort, en nu langer");
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    EXPECT_TRUE(fc->openFile(path));
}

TEST_F(AantekeningenTest, NotesOutliveARecalculationASaveAndAnOpen)
{
    const QString path = openCopy(QStringLiteral("Notities.zlv"));
    QWidget *d = openIt();
    text(d)->setNotesText(QStringLiteral("na 3 weken\nop fles"));
    press(d, "cmdAanT_OK");
    UpdateBrouwschema(s());
    s().recipe.ReceptGewijzigd = true;
    EXPECT_EQ(fc->mnuOpslaan_Click(), SaveAsResult::Saved);
    ASSERT_TRUE(fc->openFile(path));
    EXPECT_EQ(s().recipe.Aantekening, "na 3 weken  op fles") << "the file holds one line";
}

TEST_F(AantekeningenTest, CancelStoresNothing)
{
    s().app.wizardActief = true;
    QWidget *d = openIt();
    text(d)->setNotesText(QStringLiteral("weg"));
    press(d, "cmdAant_Annuleren");
    EXPECT_FALSE(loaded("frmAantekeningen"));
    EXPECT_EQ(s().recipe.Aantekening, "");
    EXPECT_TRUE(s().app.wizardActief);
}

// Notes far over the limit, as a recipe file or an import may bring them, are
// laid out in pieces so that they open at once: the box holds them whole,
// the pieces are cut after a blank, and OK stores them as they were.
TEST_F(AantekeningenTest, LongNotesShowInPiecesAndStoreUnchanged)
{
    QString paragraph;
    while (paragraph.size() < 3 * LimitedTextEdit::PieceLength)
        paragraph += QStringLiteral("hop mout gist ");
    const QString notes = paragraph + QStringLiteral("einde\r\ntweede regel");
    s().recipe.Aantekening = notes;
    QWidget *d = openIt();
    LimitedTextEdit *t = text(d);
    EXPECT_EQ(t->notesText(), paragraph + QStringLiteral("einde\ntweede regel"));
    EXPECT_EQ(t->length(), notes.size());
    EXPECT_EQ(counter(d), left(0));
    const QTextDocument *doc = t->document();
    EXPECT_GE(doc->blockCount(), 5) << "three pieces or more, then the second line";
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        EXPECT_LE(b.text().size(), LimitedTextEdit::PieceLength);
        // The pieces before the paragraph's last are cut after a blank.
        if (b.blockNumber() < doc->blockCount() - 2) {
            EXPECT_TRUE(b.text().endsWith(u' ')) << b.blockNumber();
        }
    }
    press(d, "cmdAanT_OK");
    EXPECT_EQ(s().recipe.Aantekening, notes);
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
}

// Shortened below the limit, the notes keep no break of their pieces: the
// counter counts the text alone, a copy holds no line break there, Backspace
// at the start of a piece takes the character before it, and a line break
// typed inside a piece is one of the text.
TEST_F(AantekeningenTest, TheBreaksBetweenPiecesAreNoPartOfTheText)
{
    const qsizetype n = LimitedTextEdit::PieceLength;
    s().recipe.Aantekening = QString(n, u'a') + QString(n, u'b');
    QWidget *d = openIt();
    LimitedTextEdit *t = text(d);
    ASSERT_EQ(t->document()->blockCount(), 2) << "a text without blanks is cut at the piece's length";
    t->setFocus();
    const int second = t->document()->findBlockByNumber(1).position();
    // All but five letters each side of the break deleted, as with a
    // selection and Delete.
    auto deleteRange = [t](int from, int to) {
        QTextCursor c = t->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        t->setTextCursor(c);
        QTest::keyClick(t, Qt::Key_Delete);
    };
    deleteRange(second + 5, t->document()->characterCount() - 1);
    deleteRange(0, second - 1 - 5);
    ASSERT_EQ(t->document()->blockCount(), 2);
    EXPECT_EQ(t->notesText(), "aaaaabbbbb");
    EXPECT_EQ(counter(d), left(240));

    t->selectAll();
    t->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "aaaaabbbbb");

    t->moveCursor(QTextCursor::Start);
    t->moveCursor(QTextCursor::NextBlock);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(t->notesText(), "aaaabbbbb");
    EXPECT_EQ(t->document()->blockCount(), 1);
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(t->notesText(), "aaaa\nbbbbb");
    EXPECT_EQ(counter(d), left(239));

    press(d, "cmdAanT_OK");
    EXPECT_EQ(s().recipe.Aantekening, "aaaa\r\nbbbbb");
}

// A line break typed or pasted inside a piece of long notes is one of the
// text: it stays when the notes are stored.
TEST_F(AantekeningenTest, ABreakTypedInsideAPieceIsALineBreak)
{
    const qsizetype n = LimitedTextEdit::PieceLength;
    s().recipe.Aantekening = QString(n, u'a') + QString(10, u'b');
    QWidget *d = openIt();
    LimitedTextEdit *t = text(d);
    ASSERT_EQ(t->document()->blockCount(), 2);
    t->setFocus();
    // Room for the break: the first piece shortened to 200 letters.
    QTextCursor c = t->textCursor();
    c.setPosition(0);
    c.setPosition(int(n) - 200, QTextCursor::KeepAnchor);
    t->setTextCursor(c);
    QTest::keyClick(t, Qt::Key_Delete);
    // Inside the second piece, a break typed and one pasted.
    t->moveCursor(QTextCursor::End);
    t->moveCursor(QTextCursor::Left);
    QTest::keyClick(t, Qt::Key_Return);
    QApplication::clipboard()->setText(QStringLiteral("x\r\ny"));
    t->paste();
    EXPECT_EQ(t->notesText(), QString(200, u'a') + QString(9, u'b') + QStringLiteral("\nx\nyb"));
    press(d, "cmdAanT_OK");
    EXPECT_EQ(s().recipe.Aantekening, QString(200, u'a') + QString(9, u'b') + QStringLiteral("\r\nx\r\nyb"));
}

// OK on notes left as they were shown stores them character for character,
// whatever the box's pieces or Qt's plain text would make of them, and leaves
// the recipe file byte for byte.
TEST_F(AantekeningenTest, OkWithoutAnEditLeavesTheFileByteForByte)
{
    QByteArray pieces;  // a paragraph of three pieces, a non-breaking space at every word
    while (pieces.size() < 3 * LimitedTextEdit::PieceLength)
        pieces += "mout\xa0hop ";
    QByteArray everyLetter = "x";  // every byte Windows-1252 gives a letter or sign to
    for (int b = 0x20; b <= 0xff; ++b)
        everyLetter += char(b);
    const struct {
        const char *what;
        QByteArray line;
    } cases[] = {
        {"non-breaking spaces", "Aantekening=Vergisten bij 18\xa0\xb0"
                                "C, daarna\xa0lageren"},
        {"non-breaking spaces at both ends", "Aantekening=\xa0koud lageren\xa0"},
        {"tabs", "Aantekening=hop\tmout\tgist"},
        {"vertical tab, form feed and a unit separator", "Aantekening=a\x0b"
                                                         "b\x0c"
                                                         "c\x1f"
                                                         "d"},
        {"blanks around the equals sign and after the value", "Aantekening =  op fles na 3 weken  "},
        {"line breaks a Save wrote as blanks", "Aantekening=eerste regel  tweede regel"},
        {"long notes in pieces", "Aantekening=" + pieces},
        {"every letter of the code page", "Aantekening=" + everyLetter},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = openWithNotesLine(c.line);
        const QByteArray before = bytes(path);
        const QString read = s().recipe.Aantekening;
        press(openIt(), "cmdAanT_OK");
        EXPECT_EQ(bytes(path), before);
        EXPECT_TRUE(s().recipe.Aantekening == read);
        EXPECT_FALSE(s().recipe.ReceptGewijzigd);
    }
}

// Notes in the recipe that no file line holds (an import's, or typed before
// a Save): OK without an edit keeps each character and line break as it is.
TEST_F(AantekeningenTest, OkWithoutAnEditKeepsTheNotesInTheRecipe)
{
    for (const char16_t *notes :
         {u"a\r\nb", u"a\rb", u"a\nb", u"a\n\rb", u"\r\nbreaks at the ends\r\n", u"  blanks at the ends  ",
          u"\ttabs at the ends\t", u"line\u2028and paragraph\u2029separators",
          u"zero\u200bwidth\u200c\u200d\ufeffcharacters", u"18\u00a0\u00b0C"}) {
        const QString text = QString::fromUtf16(notes);
        SCOPED_TRACE(qPrintable(text));
        load(singleBrew());
        s().recipe.Aantekening = text;
        press(openIt(), "cmdAanT_OK");
        EXPECT_TRUE(s().recipe.Aantekening == text);
        EXPECT_FALSE(s().recipe.ReceptGewijzigd);
    }
}

// What the brewer pastes or types is stored as the box shows it: a
// non-breaking space or a tab stays, every kind of line break is one line
// break (CR LF), and what the file cannot hold and no one sees is left out.
// A copy out of the box gives the same characters back.
TEST_F(AantekeningenTest, PastedAndTypedNotesAreStoredAsTyped)
{
    const struct {
        const char *what;
        const char16_t *given;
        bool typed;
        const char16_t *copied, *stored;
    } cases[] = {
        {"non-breaking space pasted", u"18\u00a0\u00b0C", false, u"18\u00a0\u00b0C", u"18\u00a0\u00b0C"},
        {"non-breaking space typed", u"18\u00a0\u00b0C", true, u"18\u00a0\u00b0C", u"18\u00a0\u00b0C"},
        {"non-breaking spaces at both ends", u"\u00a0lageren\u00a0", false, u"\u00a0lageren\u00a0",
         u"\u00a0lageren\u00a0"},
        {"tab", u"hop\tmout", false, u"hop\tmout", u"hop\tmout"},
        {"CR LF, CR and LF", u"a\r\nb\rc\nd", false, u"a\nb\nc\nd", u"a\r\nb\r\nc\r\nd"},
        {"line and paragraph separators", u"a\u2028b\u2029c", false, u"a\nb\nc", u"a\r\nb\r\nc"},
        {"zero-width characters", u"a\u200bb\u200cc\u200dd\ufeffe", false, u"a\u200bb\u200cc\u200dd\ufeffe", u"abcde"},
    };
    const QString path = openCopy(QStringLiteral("Geplakt.zlv"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString given = QString::fromUtf16(c.given), stored = QString::fromUtf16(c.stored);
        QWidget *d = openIt();
        LimitedTextEdit *t = text(d);
        t->setFocus();
        t->selectAll();
        if (c.typed) {
            for (QChar ch : given)
                QTest::sendKeyEvent(QTest::Click, t, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        } else {
            QApplication::clipboard()->setText(given);
            t->paste();
        }
        t->selectAll();
        t->copy();
        EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf16(c.copied));
        press(d, "cmdAanT_OK");
        EXPECT_EQ(s().recipe.Aantekening, stored);
        EXPECT_EQ(fileValue(path, "Aantekening"), QString(stored).replace(u'\r', u' ').replace(u'\n', u' '));
    }
}
