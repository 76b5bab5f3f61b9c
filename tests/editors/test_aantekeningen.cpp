// The notes: 250 characters with a line break counting two, written into the
// open ".zlv" file only, and kept for the next Save where they could not be.
#include "open_dialog_fixture.h"

#include "core/Recalc.h"
#include "editors/frmAantekeningen.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>

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
    EXPECT_EQ(t->toPlainText().count(u'\n'), 1) << "no room for a second line break";
    QTest::keyClicks(t, QStringLiteral("bc"));
    EXPECT_EQ(counter(d), left(0));
    EXPECT_TRUE(t->toPlainText().endsWith(QStringLiteral("\nb")));

    // Deleting makes room again; a paste takes only what fits.
    QTest::keyClick(t, Qt::Key_Backspace);
    QTest::keyClick(t, Qt::Key_Backspace);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(counter(d), left(4));
    QApplication::clipboard()->setText(QStringLiteral("x\r\nyz"));
    t->paste();
    EXPECT_EQ(t->length(), 250);
    EXPECT_TRUE(t->toPlainText().endsWith(QStringLiteral("ax\ny"))) << "the z would have made 251";
}

TEST_F(AantekeningenTest, LongerNotesFromAFileShowWholeAndCanOnlyShrink)
{
    s().recipe.Aantekening = QString(300, u'n');
    QWidget *d = openIt();
    LimitedTextEdit *t = text(d);
    EXPECT_EQ(t->toPlainText().size(), 300);
    EXPECT_EQ(counter(d), left(0));
    t->setFocus();
    t->moveCursor(QTextCursor::End);
    QTest::keyClicks(t, QStringLiteral("z"));
    EXPECT_EQ(t->toPlainText().size(), 300);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(t->toPlainText().size(), 299);
    EXPECT_EQ(counter(d), left(0));
}

TEST_F(AantekeningenTest, OkWritesTheOpenRecipeFileAndLeavesTheFlag)
{
    const QString path = openCopy(QStringLiteral("Notities.ZLV"));
    s().app.geluidAan = true;
    const int status = s().recipe.ReceptStatus;
    QWidget *d = openIt();
    text(d)->setPlainText(QStringLiteral("  eerste regel\ntweede  regel  "));
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
    EXPECT_EQ(text(d)->toPlainText(), "eerste regel\ntweede  regel");
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
        text(d)->setPlainText(QLatin1String(c.typed));
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
    text(d)->setPlainText(QStringLiteral("kort, en nu langer"));
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
    text(d)->setPlainText(QStringLiteral("na 3 weken\nop fles"));
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
    text(d)->setPlainText(QStringLiteral("weg"));
    press(d, "cmdAant_Annuleren");
    EXPECT_FALSE(loaded("frmAantekeningen"));
    EXPECT_EQ(s().recipe.Aantekening, "");
    EXPECT_TRUE(s().app.wizardActief);
}
