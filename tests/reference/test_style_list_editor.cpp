// The style-list editor: what it shows, how its buttons change the list, and
// what reaches BierSoorten.txt.

#include "mainwindow/mainwindow_fixture.h"

#include "core/Paths.h"
#include "reference/frmBierSoorten.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QByteArray ThreeStyles = "Tripel,blond en sterk\r\nBock,donker\r\nPils,licht\r\n";

class StyleEditor : public MainWindowTest {
protected:
    QString listPath() const { return folder.file(QStringLiteral("BierSoorten.txt")); }

    void writeList(const QByteArray &bytes)
    {
        QFile f(listPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray listBytes() const
    {
        QFile f(listPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    frmBierSoorten *open(const QByteArray &bytes)
    {
        writeList(bytes);
        trigger("mnuEditBierSoorten");
        auto *x = windows().find<frmBierSoorten>(QStringLiteral("frmBierSoorten"));
        EXPECT_TRUE(x && x->isVisible());
        if (x) {
            editor = x;
            combo = x->findChild<QComboBox *>(QStringLiteral("cmbBierSoorten"));
        }
        return x;
    }

    void press(const char *button)
    {
        auto *b = editor->findChild<QPushButton *>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    // A choice from the drop-down list, as the mouse makes it.
    void choose(const QString &item)
    {
        const int row = combo->findText(item);
        ASSERT_GE(row, 0) << item.toStdString();
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        ASSERT_EQ(combo->currentIndex(), row);
    }
    void type(const QString &text)
    {
        combo->lineEdit()->selectAll();
        // Key by key, also the letters no key name covers.
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, combo->lineEdit(), Qt::Key_unknown, QString(c), {});
    }
    QString caption() const { return editor->findChild<QGroupBox *>(QStringLiteral("fraBierSoorten"))->title(); }

    frmBierSoorten *editor = nullptr;
    QComboBox *combo = nullptr;
};

TEST_F(StyleEditor, ShowsItsControlsAndTheListSorted)
{
    ASSERT_TRUE(open("pils,licht\r\nzonder komma\r\n  Bock,donker\r\nAltbier,koper\r\n"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Edit BierSoorten.txt"));
    EXPECT_EQ(caption(), QStringLiteral(" Edit BierSoorten.txt  "));
    EXPECT_EQ(editor->findChild<QLabel *>(QStringLiteral("lblBS_Selecteer"))->text(), QStringLiteral("Biersoort:"));
    const std::pair<const char *, const char *> buttons[] = {{"cmdBS_Vervang", "&Vervang"},
                                                             {"cmdBS_Verwijder", "Ver&wijder"},
                                                             {"cmdBS_Voegtoe", "Voeg &toe"},
                                                             {"cmdBS_OK", "&OK"},
                                                             {"cmdBS_Annuleren", "&Annuleren"}};
    for (const auto &[name, text] : buttons)
        EXPECT_EQ(editor->findChild<QPushButton *>(QString::fromLatin1(name))->text(), QString::fromLatin1(text));
    EXPECT_EQ(editor->findChild<QLabel *>(QStringLiteral("picBS_Help"))->toolTip(), QStringLiteral("Open OnLine Help"));
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(editor->items(), QStringList({"  Bock,donker", "Altbier,koper", "pils,licht"}));
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_EQ(editor->rememberedRow(), -1);
}

TEST_F(StyleEditor, OkWithoutEditsWritesTheListSortedAndPlaysTheClick)
{
    session().app.geluidAan = true;
    ASSERT_TRUE(open("Pils,licht\nzonder komma\r\n  Bock,donker\r\n,leeg\r\nAltbier,k\xf6per\r\n"));
    press("cmdBS_OK");
    EXPECT_EQ(listBytes(), QByteArray("  Bock,donker\r\n,leeg\r\nAltbier,k\xf6per\r\nPils,licht\r\n"));
    EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/ploc.wav"))});
    EXPECT_FALSE(isOpen("frmBierSoorten"));
}

TEST_F(StyleEditor, CancelAndTheCloseBoxLeaveTheFileAsItWas)
{
    session().app.geluidAan = true;
    enum How { CancelButton, EscKey, CloseBox };
    for (const How how : {CancelButton, EscKey, CloseBox}) {
        fake.sounds.clear();
        ASSERT_TRUE(open(ThreeStyles));
        choose(QStringLiteral("Bock,donker"));
        press("cmdBS_Verwijder");
        type(QStringLiteral("Ale,fruitig"));
        press("cmdBS_Voegtoe");
        ASSERT_EQ(editor->items(), QStringList({"Ale,fruitig", "Pils,licht", "Tripel,blond en sterk"}));
        if (how == CancelButton)
            press("cmdBS_Annuleren");
        else if (how == EscKey)
            QTest::keyClick(combo->lineEdit(), Qt::Key_Escape);
        else
            editor->close();
        EXPECT_FALSE(isOpen("frmBierSoorten")) << how;
        EXPECT_EQ(listBytes(), ThreeStyles) << how;
        EXPECT_EQ(fake.sounds.size(), how == CloseBox ? 0 : 1) << how;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(StyleEditor, ReplaceActsOnTheChosenStyleWhereverItMoved)
{
    ASSERT_TRUE(open("Bock,donker\r\nPils,licht\r\nTripel,blond\r\n"));
    choose(QStringLiteral("Pils,licht"));
    EXPECT_EQ(caption(), QStringLiteral(" Edit BierSoorten.txt  Listindex:1"));
    // Add moves Pils a row down before the Replace.
    type(QStringLiteral("Ale,x"));
    press("cmdBS_Voegtoe");
    EXPECT_EQ(editor->rememberedRow(), 2);
    type(QStringLiteral("  Pilsener,licht en hoppig  "));
    press("cmdBS_Vervang");
    EXPECT_EQ(editor->items(), QStringList({"Ale,x", "Bock,donker", "Pilsener,licht en hoppig", "Tripel,blond"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("  Pilsener,licht en hoppig  "));
    // The new line is the one remembered: a second Replace changes it again.
    EXPECT_EQ(editor->rememberedRow(), 2);
    EXPECT_EQ(caption(), QStringLiteral(" Edit BierSoorten.txt  Listindex:2"));
    type(QStringLiteral("Zwarte Pils,donker"));
    press("cmdBS_Vervang");
    EXPECT_EQ(editor->items(), QStringList({"Ale,x", "Bock,donker", "Tripel,blond", "Zwarte Pils,donker"}));
    EXPECT_EQ(editor->rememberedRow(), 3);
    EXPECT_TRUE(fake.messages.empty());
    press("cmdBS_OK");
    EXPECT_EQ(listBytes(), QByteArray("Ale,x\r\nBock,donker\r\nTripel,blond\r\nZwarte Pils,donker\r\n"));
}

TEST_F(StyleEditor, ReplaceWithNothingRememberedChangesNothing)
{
    ASSERT_TRUE(open(ThreeStyles));
    const QStringList before = editor->items();
    // Nothing chosen yet.
    type(QStringLiteral("Ale,x"));
    press("cmdBS_Vervang");
    EXPECT_EQ(editor->items(), before);
    // The chosen style deleted since.
    choose(QStringLiteral("Pils,licht"));
    press("cmdBS_Verwijder");
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_EQ(editor->rememberedRow(), -1);
    EXPECT_EQ(caption(), QStringLiteral(" Edit BierSoorten.txt  "));
    type(QStringLiteral("Ale,x"));
    press("cmdBS_Vervang");
    EXPECT_EQ(editor->items(), QStringList({"Bock,donker", "Tripel,blond en sterk"}));
    EXPECT_EQ(fake.prompts(), QStringList(2, KiesEerstTeVervangen));
    EXPECT_EQ(fake.messages.back().style, mb::Exclamation);
    EXPECT_EQ(fake.messages.back().title, QStringLiteral("Attentie!"));
}

TEST_F(StyleEditor, TypingLetsGoOfTheListsSelectionSoDeleteDoesNothing)
{
    ASSERT_TRUE(open(ThreeStyles));
    choose(QStringLiteral("Bock,donker"));
    combo->lineEdit()->end(false);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral(" en moutig"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Bock,donker en moutig"));
    EXPECT_EQ(editor->rememberedRow(), 0);
    press("cmdBS_Verwijder");
    EXPECT_EQ(editor->items().size(), 3);
    // Enter inserts nothing either; on a line of the list it chooses it.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(editor->items().size(), 3);
    EXPECT_TRUE(isOpen("frmBierSoorten"));
    type(QStringLiteral("Tripel,blond en sterk"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(editor->items().size(), 3);
    EXPECT_EQ(editor->rememberedRow(), 2);
}

TEST_F(StyleEditor, AddTrimsAndKeepsDuplicatesRefusesBadLines)
{
    ASSERT_TRUE(open(ThreeStyles));
    for (const char *text : {"  Pils,licht  ", ",zonder naam"}) {
        type(QString::fromLatin1(text));
        press("cmdBS_Voegtoe");
        EXPECT_EQ(combo->currentText(), QString::fromLatin1(text));
    }
    EXPECT_EQ(editor->items(),
              QStringList({",zonder naam", "Bock,donker", "Pils,licht", "Pils,licht", "Tripel,blond en sterk"}));
    EXPECT_TRUE(fake.messages.empty());

    const QStringList before = editor->items();
    struct Bad {
        QString text, message;
    };
    const Bad bad[] = {
        {QStringLiteral("Pils licht"), KommaOntbreekt},
        {QString::fromUtf8("Grodziskie,Pools rookbier ł"),
         QString::fromUtf8("Het teken \"ł\" kan niet in BierSoorten.txt worden bewaard!")},
    };
    for (const Bad &b : bad)
        for (const char *button : {"cmdBS_Voegtoe", "cmdBS_Vervang"}) {
            fake.messages.clear();
            type(b.text);
            press(button);
            EXPECT_EQ(fake.prompts(), QStringList{b.message}) << button;
            EXPECT_EQ(editor->items(), before);
            EXPECT_EQ(combo->currentText(), b.text);
        }

    // The command again brings the same window forward, edits and all.
    trigger("mnuEditBierSoorten");
    EXPECT_EQ(windows().find(QStringLiteral("frmBierSoorten")), editor);
    EXPECT_EQ(editor->items(), before);
}

TEST_F(StyleEditor, ASaveThatFailsKeepsTheWindowAndItsEdits)
{
    ASSERT_TRUE(open(ThreeStyles));
    type(QStringLiteral("Ale,x"));
    press("cmdBS_Voegtoe");
    // A folder where the file was: root ignores read-only bits, not this.
    ASSERT_TRUE(QFile::remove(listPath()));
    ASSERT_TRUE(QDir().mkdir(listPath()));
    press("cmdBS_OK");
    EXPECT_EQ(fake.prompts(), QStringList{BierSoortenNietOpgeslagen});
    EXPECT_TRUE(isOpen("frmBierSoorten"));
    EXPECT_EQ(editor->items().size(), 4);
    // Once the way is clear the same OK writes the edits.
    ASSERT_TRUE(QDir().rmdir(listPath()));
    press("cmdBS_OK");
    EXPECT_EQ(listBytes(), QByteArray("Ale,x\r\nBock,donker\r\nPils,licht\r\nTripel,blond en sterk\r\n"));
}

TEST_F(StyleEditor, AMissingOrUnreadableListOpensNoWindow)
{
    struct Case {
        const char *what;
        void (*make)(const QString &path);
        QString message;
    };
    const Case cases[] = {
        {"missing", [](const QString &path) { QFile::remove(path); }, bierSoortenNietGevonden()},
        {"a folder", [](const QString &path) { QFile::remove(path), QDir().mkdir(path); }, BierSoortenNietGelezen},
    };
    for (const Case &c : cases) {
        fake.messages.clear();
        c.make(listPath());
        trigger("mnuEditBierSoorten");
        EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmBierSoorten"))) << c.what;
        ASSERT_EQ(fake.prompts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
        EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));
    }
}

TEST_F(StyleEditor, FoundAndWrittenUnderItsOwnLetterCase)
{
    QFile::remove(listPath());
    const QString other = folder.file(QStringLiteral("biersoorten.TXT"));
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Pils,licht\r\n");
    f.close();
    trigger("mnuEditBierSoorten");
    editor = windows().find<frmBierSoorten>(QStringLiteral("frmBierSoorten"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->items(), QStringList{"Pils,licht"});
    press("cmdBS_OK");
    EXPECT_FALSE(QFileInfo::exists(listPath()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Pils,licht\r\n"));
}

}  // namespace
