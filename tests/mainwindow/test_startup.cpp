// The start-up run on a constructed main window, with the settings file and
// the command line a test gives it.

#include "test_filecommands_fixture.h"

#include "core/Regional.h"
#include "mainwindow/Application.h"
#include "mainwindow/InfoWindows.h"
#include "mainwindow/StartUp.h"
#include "mainwindow/frmSysParameters.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <stdexcept>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString FirstRun = QStringLiteral(
    "Mostarium heeft gedetecteerd dat dit de eerste keer is dat Mostarium wordt gestart.\r\n"
    "Stel de de korrekte systeem parameters in.");
const QString CommandLineFault = QStringLiteral("Recept kan niet geopend worden. Kontroleer commandline parameter.");

class StartUp : public FileCommandsTest {
protected:
    StartUp()
    {
        for (const char *name : {"frmTip", "frmInfo", "frmRegistreer", "frmAchtergrond"})
            m_saved.append({QLatin1String(name), windows().factory(QLatin1String(name))});
        registerInfoWindows();
        session() = Session{};
        QFile::remove(paths::file(QStringLiteral("ZYM.ini")));
    }
    ~StartUp() override
    {
        for (const auto &[name, factory] : m_saved) {
            windows().unload(name);
            if (factory)
                windows().registerFactory(name, factory);
            else
                windows().unregisterFactory(name);
        }
        ClearRegionalOverrides();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void setting(const char *section, const char *key, const QString &value)
    {
        QString v = value;
        WriteINI(paths::file(QStringLiteral("ZYM.ini")), QLatin1String(section), QLatin1String(key), v);
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
        p.removeIf([](const QString &m) { return m.startsWith(QStringLiteral("Attentie! Mostarium heeft een resolutie")); });
        return p;
    }

private:
    QList<std::pair<QString, WindowRegistry::Factory>> m_saved;
};

TEST_F(StartUp, AFirstStartWithoutSettingsTakesEveryDefault)
{
    QDir().mkpath(folder.file(QStringLiteral("temp")));
    QFile(folder.file(QStringLiteral("temp/Kenmerken.ini"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir(folder.file(QStringLiteral("Documentatie"))).removeRecursively());
    // The data files, whatever letter case the program folder has them in.
    QDir program(folder.path());
    for (const QString &f : program.entryList({QStringLiteral("Biersoorten.txt"), QStringLiteral("Biertypen.mdb")},
                                              QDir::Files))
        ASSERT_TRUE(program.remove(f));

    ASSERT_TRUE(run());

    EXPECT_EQ(said(), (QStringList{QStringLiteral("\\ZYM.ini niet gevonden!"),
                                   QStringLiteral("\\Biersoorten.txt niet gevonden!"),
                                   QStringLiteral("\\Biertypen.mdb niet gevonden!")}));
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
    setting("StartUp", "VolMenu", QStringLiteral("abc"));
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

TEST_F(StartUp, SettingsTheProgramCannotHoldTakeTheirDefaultWithAMessage)
{
    struct Case {
        const char *key;
        const char *value;
        float expected;
        bool message;
    };
    const Case cases[] = {
        {"KetelInhoud", "40000", 200, true},
        {"KetelInhoud", "-32769", 200, true},
        {"KetelInhoud", "22.5", 22, false},
        {"KetelInhoud", "23.5", 24, false},
        {"KetelInhoud", "abc", 0, false},
        {"Evaporatie", "1e39", 25, true},
        {"FilterKuipInhoud", "160", 160, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        session() = Session{};
        installation();
        setting("SysteemVariabelen", c.key, QLatin1String(c.value));

        ASSERT_TRUE(run());

        const RecipeState &r = s().recipe;
        const float got = QLatin1String(c.key) == QLatin1String("KetelInhoud") ? float(r.KetelInhoud)
                          : QLatin1String(c.key) == QLatin1String("Evaporatie") ? r.Evaporatie
                                                                                   : r.FilterKuipInhoud;
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(said().size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_TRUE(said().value(0).contains(QLatin1String(c.key)));
        }
        EXPECT_TRUE(w->isVisible());
        setting("SysteemVariabelen", c.key, QString());
        fake.clear();
        w->hide();
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
    const bool warned = fake.prompts().contains(
        QStringLiteral("Attentie! Mostarium heeft een resolutie gedetecteerd,\r\n"
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
        {"missing file, quoted", u'"' + wegBlanco + u'"', false,
         {QStringLiteral("Bestand ") + wegBlanco + QStringLiteral(" niet gevonden!")}},
        {"damaged file", damaged, false, {QStringLiteral("Fout in openen recept! Controleer inhoud bestand!")}},
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
    EXPECT_EQ(said(), QStringList{QStringLiteral("Bestand ") + folder.file(QStringLiteral("Weg.zlv")) +
                                  QStringLiteral(" niet gevonden!")});
    EXPECT_TRUE(w->isVisible());
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
    frmSysParameters::registerWindow();
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
    QTest::mouseClick(windows().find(QStringLiteral("frmSysParameters"))->findChild<QPushButton *>(
                          QStringLiteral("cmdSP_OK")),
                      Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(zym("StartUp", "EersteMaal"), QStringLiteral("0"));
    fake.clear();
    w->hide();
    ASSERT_TRUE(run());
    EXPECT_TRUE(said().isEmpty()) << qPrintable(said().join(u'|'));
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

} // namespace

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

} // namespace
