#include "mainwindow_fixture.h"

#include "core/Ini.h"
#include "core/Paths.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QToolBar>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QString zym() { return paths::file(QStringLiteral("ZYM.ini")); }
QString ini(const char *section, const char *key)
{
    return ReadINI(zym(), QLatin1String(section), QLatin1String(key), QStringLiteral("<none>"));
}

const char *const ShortMenuHides[] = {
    "mnuDubBrouw",
    "mnuSep1",
    "mnuCorrectie",
    "mnuCalculator",
    "mnuHopPartitionMagic",
    "mnuWateraanpassing",
    "mnuAfvullen",
    "mnuEditBierSoorten",
    "mnuSep4",
    "mnuBierIndeling",
    "mnuReceptOptiMaischer",
    "mnuBeerSounds",
    "mnuOpenBestandbijOpstarten",
    "mnuSysParameters",
    "mnuHelpLinks",
    "mnuRegistreer",
    "mnuCheckForUpdates",
};

const char *const Pictured[] = {"mnuNieuw",  "mnuOpen",           "mnuOpslaan", "mnuAfdrukken",  "mnuAfsluiten",
                                "mnuWizard", "mnuHInhoudsopgave", "mnuTips",    "mnuRegistreer", "mnuInfo"};

}  // namespace

class OptionsTest : public MainWindowTest {};

TEST_F(OptionsTest, EachToggleWritesItsKeyAtOnce)
{
    struct Case {
        const char *item;
        const char *section;
        const char *key;
        bool inverted;
    };
    const Case cases[] = {
        {"mnuBeerSounds", "Sounds", "SoundsOn", false},
        {"mnuOpenBestandbijOpstarten", "StartUp", "LaadBestand1", false},
        {"mnuAutoSaveOn", "StartUp", "AutoSaveOn", false},
        {"mnuSpoelcurveRecept", "StartUp", "SpoelCurveBijRecept", false},
        {"mnuVerkort", "StartUp", "VolMenu", true},
    };
    ASSERT_FALSE(QFile::exists(zym()));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        const bool was = item(c.item)->isChecked();
        trigger(c.item);
        EXPECT_EQ(item(c.item)->isChecked(), !was);
        EXPECT_EQ(ini(c.section, c.key), (!was != c.inverted) ? "1" : "0");
        w->runCommand(QLatin1String(c.item));
        EXPECT_EQ(item(c.item)->isChecked(), was);
        EXPECT_EQ(ini(c.section, c.key), (was != c.inverted) ? "1" : "0");
    }
}

TEST_F(OptionsTest, OptionsTakeEffectAtOnce)
{
    session().app.geluidAan = true;
    w->refreshView();
    ASSERT_TRUE(item("mnuBeerSounds")->isChecked());
    // The toolbar button is the same command: the menu's check follows.
    clickButton("Biergeluiden");
    EXPECT_FALSE(session().app.geluidAan);
    EXPECT_FALSE(item("mnuBeerSounds")->isChecked());
    EXPECT_EQ(ini("Sounds", "SoundsOn"), "0");

    trigger("mnuAutoSaveOn");
    EXPECT_TRUE(w->tmrAutoSave()->isActive());
    EXPECT_EQ(w->tmrAutoSave()->interval(), 60000);
    trigger("mnuAutoSaveOn");
    EXPECT_FALSE(w->tmrAutoSave()->isActive());

    const bool curve = session().app.spoelcurveRecept;
    trigger("mnuSpoelcurveRecept");
    EXPECT_EQ(session().app.spoelcurveRecept, !curve);
}

TEST_F(OptionsTest, ShortMenuHidesSeventeenItemsAndThreeButtons)
{
    trigger("mnuVerkort");
    EXPECT_EQ(ini("StartUp", "VolMenu"), "0");
    EXPECT_TRUE(item("mnuVerkort")->isChecked());
    for (const char *name : ShortMenuHides)
        EXPECT_FALSE(item(name)->isVisible()) << name;
    for (const char *key : {"Wateraanpassing", "Biergeluiden", "Registreer"})
        EXPECT_FALSE(child<QAction>(qPrintable(QStringLiteral("Toolbar1_") + QLatin1String(key)))->isVisible()) << key;
    // The file and online menus and the rest stay.
    for (const char *name : {"mnuNieuw", "mnuAfsluiten", "mnuOpenMostariumOnline", "mnuAlgemeen", "mnuWizard",
                             "mnuConversie", "mnuTips", "mnuInfo", "mnuVerkort", "mnuAutoSaveOn"})
        EXPECT_TRUE(item(name)->isVisible()) << name;
    EXPECT_TRUE(child<QAction>("Toolbar1_Storting")->isVisible());

    trigger("mnuVerkort");
    EXPECT_EQ(ini("StartUp", "VolMenu"), "1");
    for (const char *name : ShortMenuHides)
        EXPECT_TRUE(item(name)->isVisible()) << name;
    EXPECT_TRUE(child<QAction>("Toolbar1_Registreer")->isVisible());
}

TEST_F(OptionsTest, MenuPicturesStayOnTheSameItemsInBothMenus)
{
    auto pictured = [&] {
        QStringList names;
        for (QAction *a : w->findChildren<QAction *>())
            if (!a->icon().isNull() && a->objectName().startsWith(QLatin1String("mnu")))
                names << a->objectName();
        names.sort();
        return names;
    };
    QStringList expected;
    for (const char *n : Pictured)
        expected << QLatin1String(n);
    expected.sort();
    EXPECT_EQ(pictured(), expected);

    // Fresh window straight into the short menu: nine pictures, none misplaced.
    frmRecept other;
    for (QAction *a : other.findChildren<QAction *>())
        a->setIcon(QIcon());
    other.ToonVerkortMenu(true);
    QStringList shortNames;
    for (QAction *a : other.findChildren<QAction *>())
        if (!a->icon().isNull() && a->objectName().startsWith(QLatin1String("mnu")))
            shortNames << a->objectName();
    shortNames.sort();
    QStringList nine = expected;
    nine.removeAll(QStringLiteral("mnuRegistreer"));
    EXPECT_EQ(shortNames, nine);

    trigger("mnuVerkort");
    trigger("mnuVerkort");
    EXPECT_EQ(pictured(), expected);
}

TEST_F(OptionsTest, HiddenItemsLoseTheirAccelerators)
{
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        GTEST_SKIP() << "no active window on this platform";
    w->ToonVerkortMenu(true);
    QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(session().app.dubbelBrouw);
    QTest::keyClick(w.get(), Qt::Key_F1);
    EXPECT_EQ(fake.helpPages, QStringList({"Inleiding.htm"}));

    w->ToonVerkortMenu(false);
    QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(session().app.dubbelBrouw);
}
