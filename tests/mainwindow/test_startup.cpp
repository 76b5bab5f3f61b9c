// The start-up run on a constructed main window, with the settings file and
// the command line a test gives it.

#include "test_filecommands_fixture.h"

#include "core/Regional.h"
#include "core/ZymSettings.h"
#include "mainwindow/Application.h"
#include "mainwindow/InfoWindows.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/StartUp.h"
#include "mainwindow/frmSysParameters.h"
#include "support/FileFaults.h"
#include "platform/QtServices.h"

#include "support/widgets/ModalCloser.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <stdexcept>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString FirstRun =
    QStringLiteral("Mostarium heeft gedetecteerd dat dit de eerste keer is dat Mostarium wordt gestart.\r\n"
                   "Stel de de korrekte systeem parameters in.");
const QString CommandLineFault = QStringLiteral("Recept kan niet geopend worden. Kontroleer commandline parameter.");

class StartUp : public FileCommandsTest {
protected:
    StartUp()
    {
        session() = Session{};
        QFile::remove(paths::file(QStringLiteral("ZYM.ini")));
    }
    ~StartUp() override
    {
        ClearRegionalOverrides();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void setting(const char *section, const char *key, const QString &value)
    {
        QString v = value;
        EXPECT_TRUE(WriteINI(paths::file(QStringLiteral("ZYM.ini")), QLatin1String(section), QLatin1String(key), v));
    }
    // A complete installation: the shipped settings, which the samples were
    // made for, and the files the program checks for.
    void installation()
    {
        setting("StartUp", "ShowTips", QStringLiteral("0"));
        for (const char *f : {"Biersoorten.txt", "Biertypen.mdb"}) {
            QFile file(paths::file(QLatin1String(f)));
            file.open(QIODevice::WriteOnly);
        }
    }
    static void setEntries1(const QString &path) { setting("FileHistory", "1", path); }
    bool run(const QString &commandLine = QString())
    {
        StartUpOptions o;
        o.commandLine = commandLine;
        o.splashPauseMs = 0;
        return Form_Load(*w, s(), o);
    }
    // What the start-up said, without the warning a small test screen gets.
    QStringList said() const
    {
        QStringList p = fake.prompts();
        p.removeIf(
            [](const QString &m) { return m.startsWith(QStringLiteral("Attentie! Mostarium heeft een resolutie")); });
        return p;
    }

private:
};

TEST_F(StartUp, AFirstStartWithoutSettingsTakesEveryDefault)
{
    QDir().mkpath(folder.file(QStringLiteral("temp")));
    QFile(folder.file(QStringLiteral("temp/Kenmerken.ini"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir(folder.file(QStringLiteral("Documentatie"))).removeRecursively());
    // The data files, whatever letter case the program folder has them in.
    QDir program(folder.path());
    for (const QString &f :
         program.entryList({QStringLiteral("Biersoorten.txt"), QStringLiteral("Biertypen.mdb")}, QDir::Files))
        ASSERT_TRUE(program.remove(f));

    ASSERT_TRUE(run());

    // Each named where the program looks for it, with the system's separator.
    const auto missing = [this](const char *file) {
        return QDir::toNativeSeparators(folder.file(QLatin1String(file))) + QStringLiteral(" niet gevonden!");
    };
    EXPECT_EQ(said(), (QStringList{missing("ZYM.ini"), missing("Biersoorten.txt"), missing("Biertypen.mdb")}));
    for (const auto &m : fake.messages)
        if (m.prompt.endsWith(QStringLiteral("niet gevonden!"))) {
            EXPECT_EQ(m.style, mb::OKOnly);
            EXPECT_TRUE(m.title.isEmpty());
        }
    EXPECT_FALSE(item("mnuEditBierSoorten")->isEnabled());
    EXPECT_FALSE(item("mnuReceptSuggestie")->isEnabled());

    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmInfo"))) << "the splash is gone";
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("Wortkamer   -   Rev. ")));
    EXPECT_TRUE(s().app.geluidAan);
    EXPECT_TRUE(item("mnuBeerSounds")->isChecked());
    EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/startup.wav"))});
    EXPECT_TRUE(item("mnuAutoSaveOn")->isChecked());
    EXPECT_TRUE(w->tmrAutoSave()->isActive());
    EXPECT_EQ(w->tmrAutoSave()->interval(), 60000);
    EXPECT_TRUE(item("mnuOpenBestandbijOpstarten")->isChecked());
    EXPECT_TRUE(item("mnuSpoelcurveRecept")->isChecked());
    EXPECT_FALSE(item("mnuVerkort")->isChecked());
    EXPECT_TRUE(isOpen("frmTip"));
    EXPECT_FALSE(isOpen("frmSysParameters"));

    const RecipeState &r = s().recipe;
    EXPECT_EQ(r.KetelInhoud, 200);
    EXPECT_EQ(r.FilterKuipInhoud, 150.0f);
    EXPECT_EQ(r.Evaporatie, 25.0f);
    EXPECT_EQ(r.SpoelenTot, 3.0f);
    EXPECT_EQ(r.ReceptStatus, 0);
    EXPECT_FALSE(r.ReceptGewijzigd);
    EXPECT_EQ(r.ReceptPath, paths::file(QStringLiteral("Recepten")));
    EXPECT_EQ(s().view.lbl_vol_maisch.toolTip, QStringLiteral("Filterkuip inhoud is 150 L"));
    EXPECT_FALSE(s().view.fraBrouwSchema.visible);
    EXPECT_EQ(s().view.panels[0].text, QStringLiteral("EB"));
    EXPECT_EQ(item("mnu1")->text(), QStringLiteral("  &1 "));

    for (const QString &f : paths::dataFolders())
        EXPECT_TRUE(QFileInfo(folder.file(f)).isDir()) << qPrintable(f);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("temp/Kenmerken.ini"))));
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("URLs/MostariumOnline.url"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(paths::file(QStringLiteral("ZYM.ini")))) << "start-up writes no settings";

    // The user's separators are read; the program's own stay "." and ",".
    EXPECT_EQ(r.OrigDecimalSeparator, QLocale::system().decimalPoint());
    EXPECT_EQ(GetRegionalSetting(LOCALE_SDECIMAL), QStringLiteral("."));
}

TEST_F(StartUp, OptionsSetTheirItemsFromTheTrimmedNumber)
{
    installation();
    setting("Sounds", "SoundsOn", QStringLiteral("0"));
    setting("StartUp", "VolMenu", QStringLiteral(" 0.0 "));
    setting("StartUp", "AutoSaveOn", QStringLiteral(" 2 "));
    setting("StartUp", "SpoelCurveBijRecept", QStringLiteral("0"));

    ASSERT_TRUE(run());

    EXPECT_FALSE(s().app.geluidAan);
    EXPECT_TRUE(fake.sounds.isEmpty());
    EXPECT_TRUE(item("mnuVerkort")->isChecked());
    EXPECT_FALSE(item("mnuDubBrouw")->isVisible());
    EXPECT_FALSE(item("mnuAutoSaveOn")->isChecked());
    EXPECT_FALSE(w->tmrAutoSave()->isActive());
    EXPECT_FALSE(s().app.spoelcurveRecept);
    EXPECT_FALSE(isOpen("frmTip"));
    EXPECT_TRUE(said().isEmpty()) << qPrintable(said().join(u'|'));
}

TEST_F(StartUp, HostileSettingsTakeTheirDefaultWithAMessageAndTheStartUpGoesOn)
{
    struct Key {
        const char *section, *key, *def;
    };
    // In the order the start-up reads them.
    const Key keys[] = {
        {"Sounds", "SoundsOn", "1"},
        {"SysteemVariabelen", "KetelInhoud", "200"},
        {"SysteemVariabelen", "MaximumAlcPerc", "20"},
        {"SysteemVariabelen", "FixedVolFilterPlaatBodem", "8"},
        {"SysteemVariabelen", "VolFilterPlaatBodem", "8"},
        {"SysteemVariabelen", "Evaporatie", "25"},
        {"SysteemVariabelen", "FilterKuipInhoud", "150"},
        {"SysteemVariabelen", "BrouwVerlies", "0"},
        {"StartUp", "SpoelCurveBijRecept", "1"},
        {"StartUp", "VolMenu", "1"},
        {"StartUp", "LaadBestand1", "1"},
        {"StartUp", "AutoSaveOn", "1"},
        {"StartUp", "ShowTips", "1"},
        {"StartUp", "EersteMaal", "0"},
    };
    // What each key decides, as the window and the state show it.
    auto observed = [&] {
        const RecipeState &r = s().recipe;
        return QList<double>{double(s().app.geluidAan),
                             double(r.KetelInhoud),
                             r.MaximumAlcPerc,
                             r.FixedVolFilterPlaatBodem,
                             r.VolFilterPlaatBodem,
                             r.Evaporatie,
                             r.FilterKuipInhoud,
                             r.BrouwVerlies,
                             double(s().app.spoelcurveRecept),
                             double(item("mnuVerkort")->isChecked()),
                             double(item("mnuOpenBestandbijOpstarten")->isChecked()),
                             double(item("mnuAutoSaveOn")->isChecked()),
                             double(isOpen("frmTip")),
                             double(isOpen("frmSysParameters"))};
    };
    // Every key set to `value`, or to its default when `value` is null.
    auto startWith = [&](const char *value) {
        session() = Session{};
        installation();
        for (const Key &k : keys)
            setting(k.section, k.key, QLatin1String(value ? value : k.def));
        item("mnuOpenBestandbijOpstarten")->setChecked(false);
        item("mnuAutoSaveOn")->setChecked(false);
        fake.clear();
        EXPECT_TRUE(run());
        EXPECT_TRUE(w->isVisible());
        const QList<double> seen = observed();
        windows().unload(QStringLiteral("frmTip"));
        windows().unload(QStringLiteral("frmSysParameters"));
        w->hide();
        return seen;
    };
    const QList<double> defaults = startWith(nullptr);
    EXPECT_TRUE(said().isEmpty()) << qPrintable(said().join(u'|'));

    for (const char *value : {"1e999", "abc", "", "3.4e38", "-1", "1.2.3"}) {
        SCOPED_TRACE(value);
        const QList<double> seen = startWith(value);
        // -1 is a number every switch can hold: it keeps its meaning (not 0,
        // not 1); an installation value below 0 is refused like the rest.
        const bool minusOne = QLatin1String(value) == QLatin1String("-1");
        QStringList expected;
        for (int i = 0; i < int(std::size(keys)); ++i) {
            const Key &k = keys[i];
            const bool isSwitch = QLatin1String(k.section) != QLatin1String("SysteemVariabelen");
            if (minusOne && isSwitch)
                continue;
            expected << invalidSettingText(QLatin1String(k.key), QLatin1String(k.def));
            EXPECT_EQ(seen.value(i), defaults.value(i)) << k.key;
        }
        if (minusOne)
            expected << FirstRun;
        EXPECT_EQ(said(), expected);
        for (const auto &m : fake.messages)
            if (m.prompt.startsWith(QStringLiteral("Ongeldige waarde"))) {
                EXPECT_EQ(m.style, mb::Exclamation);
                EXPECT_EQ(m.title, QStringLiteral("Attentie!"));
            }
        if (minusOne) {
            EXPECT_EQ(seen.mid(8), (QList<double>{1, 0, 0, 0, 0, 1})) << "the switches as numbers not 0 and not 1";
            EXPECT_EQ(seen.value(0), 1);
        }
    }
}

TEST(ReceptPathRule, AnAbsolutePathOfAnExistingFolderIsKept)
{
    TempProgramFolder folder;
    QDir().mkpath(folder.file(QStringLiteral("Mijn recepten")));
    QFile(folder.file(QStringLiteral("Mijn recepten/a.zlv"))).open(QIODevice::WriteOnly);
    const QString def = folder.file(QStringLiteral("Recepten"));
    const struct {
        QString value;
        QString expected;
    } cases[] = {
        {folder.file(QStringLiteral("Mijn recepten")), folder.file(QStringLiteral("Mijn recepten"))},
        {folder.file(QStringLiteral("Mijn recepten/")), folder.file(QStringLiteral("Mijn recepten/"))},
        {folder.file(QStringLiteral("Bestaat niet")), def},
        {QStringLiteral("Mijn recepten"), def},  // relative
        {QStringLiteral("C:\\Recepten"), def},
        {folder.file(QStringLiteral("Mijn recepten/a.zlv")), def},  // a file, not a folder
        {QString(), def},
    };
    for (const auto &c : cases)
        EXPECT_EQ(receptPathFromSetting(c.value), c.expected) << qPrintable(c.value);
}

TEST(ScreenWarning, OnlyWhenBothWidthAndHeightAreShort)
{
    EXPECT_TRUE(needsScreenWarning(800, 600));
    EXPECT_TRUE(needsScreenWarning(1023, 767));
    EXPECT_FALSE(needsScreenWarning(1280, 720));
    EXPECT_FALSE(needsScreenWarning(1000, 768));
    EXPECT_FALSE(needsScreenWarning(1024, 600));
}

TEST_F(StartUp, TheScreenWarningFollowsTheScreen)
{
    installation();
    ASSERT_TRUE(run());
    const QSize size = QGuiApplication::primaryScreen()->size();
    const bool warned =
        fake.prompts().contains(QStringLiteral("Attentie! Mostarium heeft een resolutie gedetecteerd,\r\n"
                                               "minder dan 1024 x 768. Voor een optimaal gebruik van Mostarium\r\n"
                                               "wordt dit minimaal aangeraden."));
    EXPECT_EQ(warned, needsScreenWarning(size.width(), size.height()));
}

TEST(CommandLineRecipe, QuotesAreStrippedAndBlanksTrimmed)
{
    EXPECT_EQ(commandLineRecipe(QStringLiteral("  /r/Bock.zlv ")), QStringLiteral("/r/Bock.zlv"));
    EXPECT_EQ(commandLineRecipe(QStringLiteral("\"/r/Mijn recepten/Bock.zlv\"")),
              QStringLiteral("/r/Mijn recepten/Bock.zlv"));
    EXPECT_EQ(commandLineRecipe(QStringLiteral(" \"/r/a.zlv\" ")), QStringLiteral("/r/a.zlv"));
}

// The program works in its program folder, whatever folder it was started
// in; a recipe named from that folder is still found.
TEST(EnterProgramFolder, TheProgramFolderBecomesTheWorkingFolder)
{
    TempProgramFolder program;
    QTemporaryDir started;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(started.path()));
    const QString here = QDir::currentPath();
    const struct {
        const char *line, *expected;  // expected: relative to the folder started in, or absolute
    } cases[] = {
        {"Recepten/Bock.zlv", "Recepten/Bock.zlv"},
        {"\"Mijn recepten/Bock.zlv\"", "Mijn recepten/Bock.zlv"},
        {"/r/Bock.zlv", "/r/Bock.zlv"},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(QDir::setCurrent(here));
        const QString expected = QString::fromUtf8(c.expected);
        EXPECT_EQ(enterProgramFolder(QString::fromUtf8(c.line)),
                  expected.isEmpty() || expected.startsWith(u'/') ? expected : here + u'/' + expected);
        EXPECT_EQ(QDir::currentPath(), QDir(paths::programFolder()).canonicalPath());
    }
    QDir::setCurrent(before);
}

TEST_F(StartUp, TheCommandLineRecipeIsOpenedAndCalculatedBeforeTheWindowShows)
{
    installation();
    const QDir dir(folder.file(QStringLiteral("Mijn recepten")));
    dir.mkpath(QStringLiteral("."));
    const QString path = dir.filePath(QStringLiteral("Herfst bok.zlv"));
    QFile::copy(sample(QStringLiteral("Herfstbok.zlv")), path);
    setEntries1(sample(QStringLiteral("Zomerblond.zlv")));

    ASSERT_TRUE(run(QLatin1Char('"') + path + QLatin1Char('"')));

    EXPECT_TRUE(said().isEmpty()) << qPrintable(said().join(u'|'));
    EXPECT_EQ(s().app.fileName, path);
    EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Herfst bok"));
    EXPECT_TRUE(s().app.dubbelBrouw);
    EXPECT_GT(s().recipe.OGSG, 1000.0f) << "calculated";
    EXPECT_EQ(s().view.panels[7].text, path);
    EXPECT_EQ(history::entry(1), path);
    EXPECT_FALSE(item("mnuOpenBestandbijOpstarten")->isChecked()) << "a command line suppresses recent file 1";
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
    EXPECT_EQ(zym("SysteemVariabelen", "ReceptPath"), QStringLiteral("<none>"));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(StartUp, MessagesOfTheRecipeOpenedAtStartAreNotHiddenBehindTheSplash)
{
    installation();
    const QString damaged = folder.file(QStringLiteral("Kapot.zlv"));
    {
        QFile f(damaged);
        f.open(QIODevice::WriteOnly);
        f.write("[ReceptStatus]\r\nStatus=4\r\n");
    }
    struct Probe : ScopedFakeServices {
        QStringList onTopDuring;
        int msgBox(const QString &prompt, int style, const QString &title) override
        {
            const QWidget *info = windows().find(QStringLiteral("frmInfo"));
            if (info && info->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                onTopDuring << prompt;
            return ScopedFakeServices::msgBox(prompt, style, title);
        }
    } probe;
    for (const bool viaCommandLine : {true, false}) {
        SCOPED_TRACE(viaCommandLine ? "command line" : "recent file 1");
        setEntries1(damaged);
        ASSERT_TRUE(run(viaCommandLine ? damaged : QString()));
        EXPECT_TRUE(probe.prompts().contains(QStringLiteral("Fout in openen recept! Controleer inhoud bestand!")));
        EXPECT_EQ(probe.onTopDuring, QStringList());
        probe.clear();
        w->hide();
    }
}

TEST_F(StartUp, ABadCommandLineStillOpensTheMainWindow)
{
    const QString damaged = folder.file(QStringLiteral("Kapot.zlv"));
    {
        QFile f(damaged);
        f.open(QIODevice::WriteOnly);
        f.write("[ReceptStatus]\r\nStatus=4\r\n");
    }
    struct Case {
        const char *what;
        QString commandLine;
        bool throwing;
        QStringList messages;
    };
    const QString weg = folder.file(QStringLiteral("Weg.zlv"));
    const QString wegBlanco = folder.file(QStringLiteral("Weg met blanco.zlv"));
    const Case cases[] = {
        {"missing file", weg, false, {QStringLiteral("Bestand ") + weg + QStringLiteral(" niet gevonden!")}},
        {"missing file, quoted",
         u'"' + wegBlanco + u'"',
         false,
         {QStringLiteral("Bestand ") + wegBlanco + QStringLiteral(" niet gevonden!")}},
        {"damaged file", damaged, false, {QStringLiteral("Fout in openen recept! Controleer inhoud bestand!")}},
        {"a folder", folder.path(), false, {folder.path() + QStringLiteral(" is een map en wordt niet gelezen!")}},
        {"failure while opening", sample(QStringLiteral("Herfstbok.zlv")), true, {CommandLineFault}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        session() = Session{};
        installation();
        setEntries1(sample(QStringLiteral("Zomerblond.zlv")));
        if (c.throwing)
            s().closeSpargeWindow = [] { throw std::runtime_error("kapot"); };

        EXPECT_TRUE(run(c.commandLine));

        EXPECT_EQ(said(), c.messages);
        for (const auto &m : fake.messages) {
            if (m.prompt.startsWith(QStringLiteral("Bestand "))) {
                EXPECT_EQ(m.style, mb::Exclamation);
                EXPECT_EQ(m.title, QStringLiteral("Attentie!"));
            }
        }
        EXPECT_TRUE(w->isVisible());
        EXPECT_NE(s().recipe.ReceptNaam, QStringLiteral("Zomerblond")) << "recent file 1 is not opened";
        EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmInfo")));
        s().closeSpargeWindow = nullptr;
        fake.clear();
        w->hide();
    }
}

TEST_F(StartUp, AFailureBeforeTheRecipeIsOpenedEndsTheStartUp)
{
    installation();
    struct Failing : ScopedFakeServices {
        void processEvents() override { throw std::runtime_error("kapot"); }
    } failing;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run());
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0].prompt, QStringLiteral("Mostarium FormLoad failed!"));
    EXPECT_EQ(failing.messages[0].style, mb::Exclamation);
    EXPECT_EQ(failing.messages[0].title, QStringLiteral("Attentie!"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmInfo")));
}

TEST_F(StartUp, RecentFileOneOpensOnlyForATrimmedOne)
{
    const struct {
        const char *value;
        bool opens;
    } cases[] = {{" 1.0 ", true}, {"1", true}, {"2", false}, {"0", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        session() = Session{};
        installation();
        setEntries1(sample(QStringLiteral("Zomerblond.zlv")));
        setting("StartUp", "LaadBestand1", QLatin1String(c.value));
        item("mnuOpenBestandbijOpstarten")->setChecked(false);

        ASSERT_TRUE(run());

        EXPECT_EQ(s().recipe.ReceptNaam == QStringLiteral("Zomerblond"), c.opens);
        EXPECT_EQ(item("mnuOpenBestandbijOpstarten")->isChecked(), c.opens);
        if (c.opens) {
            EXPECT_EQ(s().view.panels[7].text, sample(QStringLiteral("Zomerblond.zlv")));
        }
        fake.clear();
        w->hide();
    }

    // A recent file that is gone is named, and the window opens empty.
    session() = Session{};
    setEntries1(folder.file(QStringLiteral("Weg.zlv")));
    setting("StartUp", "LaadBestand1", QStringLiteral("1"));
    ASSERT_TRUE(run());
    EXPECT_EQ(said(), QStringList{QStringLiteral("Bestand ") + folder.file(QStringLiteral("Weg.zlv"))
                                  + QStringLiteral(" niet gevonden!")});
    EXPECT_TRUE(w->isVisible());
}

TEST_F(StartUp, RecentFileOneAndTheRecipeFolderReadBackAsWrittenEscapedOrPlain)
{
    struct Case {
        const char *what;
        QString folderName;
        bool escaped;  // written by the program's settings writer, else as a plain Windows-1252 value
    };
    const Case cases[] = {
        {"Polish letters", QStringLiteral("Bier żółć"), true},
        {"a plain Windows-1252 settings file", QStringLiteral("Café Ærø"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        session() = Session{};
        installation();
        const QString dir = folder.file(QStringLiteral("Recepten/") + c.folderName);
        ASSERT_TRUE(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/Bock.zlv");
        ASSERT_TRUE(QFile::copy(sample(QStringLiteral("Zomerblond.zlv")), path));
        if (c.escaped) {
            history::UpdateFileHistory(path);
            keepZymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("ReceptPath"), dir);
        } else {
            setEntries1(path);
            setting("SysteemVariabelen", "ReceptPath", dir);
        }
        EXPECT_FALSE(fileBytes(paths::file(QStringLiteral("ZYM.ini"))).contains('?'));

        ASSERT_TRUE(run());

        EXPECT_TRUE(said().isEmpty()) << qPrintable(said().join(u'|'));
        EXPECT_EQ(s().app.fileName, path);
        EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Bock"));
        EXPECT_EQ(s().recipe.ReceptPath, dir);
        EXPECT_EQ(item("mnu1")->text(), history::captionFor(1, path));
        fake.clear();
        w->hide();
    }
}

TEST_F(StartUp, TheFirstRunAsksForTheSystemParameters)
{
    installation();
    setting("StartUp", "EersteMaal", QStringLiteral("1"));
    ASSERT_TRUE(run());
    EXPECT_EQ(said(), QStringList{FirstRun});
    EXPECT_TRUE(isOpen("frmSysParameters"));
    EXPECT_EQ(zym("StartUp", "EersteMaal"), QStringLiteral("1")) << "the window's OK resets it, not the start-up";
}

TEST_F(StartUp, TheShippedSettingsAskForTheSystemParametersOnceOnly)
{
    registerWindow(QStringLiteral("frmSysParameters"), session());
    ASSERT_TRUE(QFile::copy(resourcesFolder() + QStringLiteral("/ZYM.ini"), paths::file(QStringLiteral("ZYM.ini"))));
    for (const char *f : {"Biersoorten.txt", "Biertypen.mdb"})
        QFile(paths::file(QLatin1String(f))).open(QIODevice::WriteOnly);

    ASSERT_TRUE(run());
    EXPECT_EQ(said(), QStringList{FirstRun});
    EXPECT_TRUE(isOpen("frmTip"));
    ASSERT_TRUE(isOpen("frmSysParameters"));
    EXPECT_EQ(s().recipe.KetelInhoud, 200);
    EXPECT_EQ(s().recipe.ReceptPath, paths::file(QStringLiteral("Recepten")));

    // Confirming the window ends the first start.
    QTest::mouseClick(
        windows().find(QStringLiteral("frmSysParameters"))->findChild<QPushButton *>(QStringLiteral("cmdSP_OK")),
        Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(zym("StartUp", "EersteMaal"), QStringLiteral("0"));
    fake.clear();
    w->hide();
    ASSERT_TRUE(run());
    EXPECT_TRUE(said().isEmpty()) << qPrintable(said().join(u'|'));
}

TEST_F(StartUp, ASettingsFileThatIsAPipeOrFarTooLargeIsNamedAndEverySettingTakesItsDefault)
{
    for (const char *f : {"Biersoorten.txt", "Biertypen.mdb"})
        QFile(paths::file(QLatin1String(f))).open(QIODevice::WriteOnly);
    const QString zym = paths::file(QStringLiteral("ZYM.ini"));
    const QString defaults = QStringLiteral(" De standaard instellingen worden gebruikt.");
    {
        Fifo fifo(zym);
        ASSERT_TRUE(fifo.made());
        ASSERT_TRUE(run());
        EXPECT_EQ(said(), QStringList{QDir::toNativeSeparators(zym)
                                      + QStringLiteral(" is geen gewoon bestand en wordt niet gelezen!") + defaults});
        EXPECT_FALSE(fifo.blockedSomeone());
    }
    EXPECT_EQ(s().recipe.KetelInhoud, 200);
    EXPECT_EQ(s().recipe.FilterKuipInhoud, 150.0f);
    EXPECT_TRUE(item("mnuAutoSaveOn")->isChecked());
    EXPECT_TRUE(isOpen("frmTip"));
    EXPECT_TRUE(w->isVisible());

    fake.clear();
    w->hide();
    ASSERT_TRUE(makeLargeFile(zym, 200 * 1024 * 1024));
    ASSERT_TRUE(run());
    EXPECT_EQ(said(), QStringList{QDir::toNativeSeparators(zym)
                                  + QStringLiteral(" is groter dan 4 MB en wordt niet gelezen!") + defaults});
    EXPECT_EQ(s().recipe.KetelInhoud, 200);
    EXPECT_EQ(QFileInfo(zym).size(), 200 * 1024 * 1024) << "left as it is";
}

TEST_F(StartUp, TheFirstStartWithTheRealBoxesSurvivesTheSplashGoing)
{
    // The shipped settings, silent: the first-run box opens right after the
    // splash has been queued for deletion.
    ASSERT_TRUE(QFile::copy(resourcesFolder() + QStringLiteral("/ZYM.ini"), paths::file(QStringLiteral("ZYM.ini"))));
    QFile::setPermissions(paths::file(QStringLiteral("ZYM.ini")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    setting("Sounds", "SoundsOn", QStringLiteral("0"));
    for (const char *f : {"Biersoorten.txt", "Biertypen.mdb"})
        QFile(paths::file(QLatin1String(f))).open(QIODevice::WriteOnly);
    QtServices real;
    Services *old = setServices(&real);
    ModalCloser closer;
    for (int i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        session() = Session{};
        ASSERT_TRUE(run());
        EXPECT_TRUE(closer.titles.contains(QStringLiteral("Attentie!")));
        // The window that asked, or the main window; never the splash. The
        // first-run notice comes when the tip stands in front: it is the tip's.
        for (const QPointer<QWidget> &parent : closer.parents)
            EXPECT_TRUE(parent.isNull() || parent == w.get() || parent->objectName() == QLatin1String("frmTip"))
                << qPrintable(parent->objectName());
        ASSERT_FALSE(closer.parents.isEmpty());
        EXPECT_EQ(closer.parents.last().data(), windows().find(QStringLiteral("frmTip")));
        closer.titles.clear();
        closer.parents.clear();
        windows().unload(QStringLiteral("frmSysParameters"));
        windows().unload(QStringLiteral("frmTip"));
        w->hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    setServices(old);
}

TEST_F(StartUp, TheSplashStandsUntilTheMainWindowIsShown)
{
    installation();
    struct Probe : ScopedFakeServices {
        frmRecept *main = nullptr;
        bool splashSeen = false, mainHidden = false;
        void processEvents() override
        {
            if (!splashSeen) {
                QWidget *info = windows().find(QStringLiteral("frmInfo"));
                splashSeen = info && info->isVisible();
                mainHidden = !main->isVisible();
            }
            ScopedFakeServices::processEvents();
        }
    } probe;
    probe.main = w.get();
    setting("StartUp", "ShowTips", QStringLiteral("1"));
    ASSERT_TRUE(run());
    EXPECT_TRUE(probe.splashSeen);
    EXPECT_TRUE(probe.mainHidden);
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmInfo")));
    EXPECT_TRUE(w->isVisible());
}

}  // namespace

namespace {

TEST(LastResort, AnEscapedErrorIsShownAndLoggedAndTheProgramGoesOn)
{
    ScopedFakeServices fake;
    QObject receiver;
    receiver.setObjectName(QStringLiteral("mnuOpen"));
    testing::internal::CaptureStderr();
    const bool delivered = deliverGuarded(&receiver, []() -> bool { throw std::runtime_error("kapot"); });
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(delivered);
    EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Error in mnuOpen")});
    EXPECT_NE(log.find("Error in mnuOpen: kapot"), std::string::npos) << log;

    // An unnamed receiver is named by its class; a good delivery passes its result.
    fake.clear();
    QTimer timer;
    testing::internal::CaptureStderr();
    deliverGuarded(&timer, []() -> bool { throw 42; });
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Error in QTimer")});
    EXPECT_TRUE(deliverGuarded(&timer, [] { return true; }));
}

}  // namespace
