#include "info_windows_fixture.h"

#include "core/Paths.h"

#include "core/Ini.h"
#include "core/Tips.h"
#include "mainwindow/frmTip.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QRadioButton>

using namespace mostarium;

namespace {

class TipWindow : public test::InfoWindowsTest {
protected:
    TipWindow()
    {
        frmTip::setRandomSource([] { return 0.0; });
    }
    ~TipWindow() override { frmTip::setRandomSource(nullptr); }

    QWidget *open()
    {
        showTips();
        return windows().find("frmTip");
    }
    QString counter(QWidget *w) { return child<QLabel>(w, "lblTipIndex")->text(); }
    QString tip(QWidget *w) { return child<QLabel>(w, "lblTipText")->text(); }
    QString showTipsKey() { return ReadINI(paths::zymIni(), "StartUp", "ShowTips", "<geen>"); }
};

TEST_F(TipWindow, ShowsTheFileInOrderAndWrapsAround)
{
    writeFile(folder.file("Tips.txt"), "Eerste\r\nTweede\r\nDerde\r\n");
    QWidget *w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Tip van de Dag");
    EXPECT_EQ(child<QLabel>(w, "Label1")->text(), "Wist U dat...");
    EXPECT_TRUE(child<QRadioButton>(w, "optSequence_0")->isChecked());
    EXPECT_EQ(counter(w), "[1/3]");  // the draw 0 gives tip 1
    EXPECT_EQ(tip(w), "Eerste");

    child<QRadioButton>(w, "optSequence_1")->click();
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        click(w, "cmdNextTip");
        seen << counter(w) + tip(w);
    }
    EXPECT_EQ(seen, (QStringList{"[2/3]Tweede", "[3/3]Derde", "[1/3]Eerste", "[2/3]Tweede"}));
}

TEST_F(TipWindow, RandomOrderDoesNotRepeatATip)
{
    writeFile(folder.file("Tips.txt"), "a\r\nb\r\nc\r\nd\r\n");
    QWidget *w = open();
    EXPECT_EQ(counter(w), "[1/4]");
    click(w, "cmdNextTip");  // 1 again is drawn: tip 2
    EXPECT_EQ(counter(w), "[2/4]");
    click(w, "cmdNextTip");  // 1 drawn, not the last one
    EXPECT_EQ(counter(w), "[1/4]");
}

TEST_F(TipWindow, WithoutTipsFileEveryButtonShowsTheOneTip)
{
    QFile::remove(folder.file("Tips.txt"));
    frmTip::setRandomSource([] { return 0.99; });
    QWidget *w = open();
    EXPECT_EQ(counter(w), "[1/1]");
    EXPECT_EQ(tip(w), missingTipsText());
    for (const char *order : {"optSequence_0", "optSequence_1"}) {
        child<QRadioButton>(w, order)->click();
        for (int i = 0; i < 3; ++i) {
            click(w, "cmdNextTip");
            EXPECT_EQ(counter(w), "[1/1]") << order;
            EXPECT_EQ(tip(w), missingTipsText()) << order;
        }
    }
}

TEST_F(TipWindow, AnEmptyTipsFileShowsNoTip)
{
    writeFile(folder.file("Tips.txt"), "");
    QWidget *w = open();
    EXPECT_EQ(tip(w), "");
    EXPECT_EQ(counter(w), "[0/0]");
    click(w, "cmdNextTip");
    EXPECT_EQ(counter(w), "[0/0]");
}

TEST_F(TipWindow, TheShippedTipsLoad)
{
    QWidget *w = open();
    const QString c = counter(w);
    EXPECT_TRUE(c.startsWith("[1/")) << c.toStdString();
    EXPECT_GE(c.mid(3, c.size() - 4).toInt(), 40);
    EXPECT_FALSE(tip(w).isEmpty());
}

TEST_F(TipWindow, CheckBoxFollowsShowTips)
{
    const struct {
        const char *stored;  // nullptr: no key
        bool ticked;
    } cases[] = {{nullptr, true}, {"1", true},  {" 1 ", true}, {"1.0", true},
                 {"0", false},    {"2", false}, {"ja", true},  {"1e999", true}};  // no number: the default
    for (const auto &c : cases) {
        QFile::remove(paths::zymIni());
        if (c.stored) {
            QString v = QString::fromLatin1(c.stored);
            EXPECT_TRUE(WriteINI(paths::zymIni(), "StartUp", "ShowTips", v));
        }
        QWidget *w = open();
        EXPECT_EQ(child<QCheckBox>(w, "chkShowAtStartUp")->isChecked(), c.ticked) << (c.stored ? c.stored : "none");
        windows().unload("frmTip");
        flush();
    }
}

TEST_F(TipWindow, OkStoresTheCheckBoxAndUnloads)
{
    QString zero = "0";
    EXPECT_TRUE(WriteINI(paths::zymIni(), "StartUp", "ShowTips", zero));
    session().app.geluidAan = true;
    QWidget *w = open();
    child<QCheckBox>(w, "chkShowAtStartUp")->setChecked(true);
    click(w, "cmdOK");
    EXPECT_EQ(showTipsKey(), "1");
    EXPECT_FALSE(windows().isLoaded("frmTip"));
    EXPECT_EQ(fake.sounds, QStringList{folder.path() + "/Sounds/ploc.wav"});

    w = open();
    child<QCheckBox>(w, "chkShowAtStartUp")->setChecked(false);
    click(w, "cmdOK");
    EXPECT_EQ(showTipsKey(), "0");
}

TEST_F(TipWindow, CloseBoxStoresNothing)
{
    QString one = "1";
    EXPECT_TRUE(WriteINI(paths::zymIni(), "StartUp", "ShowTips", one));
    const QByteArray before = test::fileBytes(paths::zymIni());
    QWidget *w = open();
    child<QCheckBox>(w, "chkShowAtStartUp")->setChecked(false);
    w->close();
    EXPECT_FALSE(windows().isLoaded("frmTip"));
    EXPECT_EQ(test::fileBytes(paths::zymIni()), before);
}

TEST_F(TipWindow, ASecondRequestRaisesTheSameWindowWithoutReloading)
{
    writeFile(folder.file("Tips.txt"), "a\r\nb\r\nc\r\n");
    QWidget *w = open();
    child<QRadioButton>(w, "optSequence_1")->click();
    click(w, "cmdNextTip");
    EXPECT_EQ(counter(w), "[2/3]");
    writeFile(folder.file("Tips.txt"), "x\r\n");
    EXPECT_EQ(open(), w);
    EXPECT_EQ(counter(w), "[2/3]");
    EXPECT_EQ(tip(w), "b");
}

}  // namespace
