// The autosave tick, called directly, the autosave bracket around the file
// commands, and the refusals while an optimiser runs.

#include "test_filecommands_fixture.h"

#include "core/LinkFiles.h"
#include "core/Optimisers.h"
#include "core/WholeFile.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmSysParameters.h"

#include <QLabel>
#include <QPushButton>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class AutoSave : public FileCommandsTest {
protected:
    // Places a sample under another name and opens it.
    QString openAs(const QString &relative)
    {
        const QString path = folder.file(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile::copy(sample(QStringLiteral("Zomerblond.zlv")), path);
        EXPECT_TRUE(fc->openFile(path));
        fake.clear();
        return path;
    }
};

TEST(AutoSaveName, TakesThePartBeforeTheFileNamesOwnExtension)
{
    const struct {
        const char *path;
        const char *copy;
    } cases[] = {
        {"/r/Tripel.zlv", "/r/Tripel_AutoSave.zlv"},
        {"/r/Tripel.ZLV", "/r/Tripel_AutoSave.ZLV"},
        {"/r/oud.zlv/Bock.zlv", "/r/oud.zlv/Bock_AutoSave.zlv"},  // the folder's name plays no part
        {"/r/a.zlv.zlv", "/r/a.zlv_AutoSave.zlv"},
        {"/r/Recept", ""},
        {"/r/Import.xml", ""},
        {"/r/.zlv", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FileCommands::autoSaveName(QLatin1String(c.path)), QLatin1String(c.copy)) << c.path;
}

TEST_F(AutoSave, ATickWritesTheCopyBesideTheRecipeAndLeavesTheRecipeAsItWas)
{
    const QString path = openAs(QStringLiteral("Recepten/Tripel.ZLV"));
    const QByteArray original = bytes(path);
    setAutoSave(true);
    s().recipe.Algemeen(0) = QStringLiteral("Tripel in de maak");
    s().recipe.ReceptGewijzigd = true;

    fc->tmrAutoSave_Timer();

    const QString copy = folder.file(QStringLiteral("Recepten/Tripel_AutoSave.ZLV"));
    EXPECT_TRUE(bytes(copy).contains("Biernaam=Tripel in de maak"));
    EXPECT_EQ(bytes(path), original);
    EXPECT_TRUE(s().recipe.ReceptGewijzigd) << "a copy is no save of the recipe";
    EXPECT_EQ(s().app.fileName, path);
    EXPECT_EQ(s().view.panels[7].text, path) << "panel 8 keeps naming the open recipe";
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("StatusBar_Panel8"))->text(), path);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(w->tmrAutoSave()->isActive());

    // The copy is replaced at every tick; Exit still asks for the recipe.
    s().recipe.Algemeen(0) = QStringLiteral("Tripel bijna klaar");
    fc->tmrAutoSave_Timer();
    EXPECT_TRUE(bytes(copy).contains("Biernaam=Tripel bijna klaar"));
}

// A file of the copy's name that this session did not write (an earlier
// session's copy, a recipe of that name) is replaced only when the brewer
// agrees, and is asked about once: Nee keeps it and makes no copy; after Ja
// the copy is replaced at every tick without a word.
TEST_F(AutoSave, AnEarlierFileOfTheCopysNameIsReplacedOnlyWhenAgreed)
{
    setAutoSave(true);
    openAs(QStringLiteral("Recepten/Tripel.zlv"));
    const QString copy = folder.file(QStringLiteral("Recepten/Tripel_AutoSave.zlv"));
    writeFileBytes(copy, "eerdere kopie\r\n");
    fake.msgAnswers = {mb::No};
    fc->tmrAutoSave_Timer();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.startsWith(replaceQuestionText(copy))) << qPrintable(fake.messages[0].prompt);
    EXPECT_EQ(fake.messages[0].style, mb::YesNo | mb::Question);
    EXPECT_EQ(bytes(copy), "eerdere kopie\r\n");
    fc->tmrAutoSave_Timer();
    EXPECT_EQ(fake.messages.size(), 1u) << "asked once";
    EXPECT_EQ(bytes(copy), "eerdere kopie\r\n");
    EXPECT_TRUE(w->tmrAutoSave()->isActive());

    openAs(QStringLiteral("Recepten/Bock.zlv"));
    const QString bock = folder.file(QStringLiteral("Recepten/Bock_AutoSave.zlv"));
    writeFileBytes(bock, "eerdere kopie\r\n");
    fake.msgAnswers = {mb::Yes};
    fc->tmrAutoSave_Timer();
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(bytes(bock).contains("Biernaam=Zomerblond"));
    s().recipe.Algemeen(0) = QStringLiteral("Bock bijna klaar");
    fc->tmrAutoSave_Timer();
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(bytes(bock).contains("Biernaam=Bock bijna klaar"));
}

TEST_F(AutoSave, WritesNothingWhereThereIsNothingToCopyOrItMayNot)
{
    struct Case {
        const char *what;
        const char *file;  // opened recipe, relative; nullptr: none
        bool optionOn;
        bool readOnly;
        bool deleted;
        bool optimising;
    };
    const Case cases[] = {
        {"option off", "Recepten/Een.zlv", false, false, false, false},
        {"no recipe file", nullptr, true, false, false, false},
        {"read-only recipe", "Recepten/Twee.zlv", true, true, false, false},
        {"recipe file deleted", "Recepten/Drie.zlv", true, false, true, false},
        {"no .zlv extension", "Recepten/Vier", true, false, false, false},
        {"optimiser running", "Recepten/Vijf.zlv", true, false, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        trigger("mnuNieuw");
        QString path;
        if (c.file)
            path = openAs(QLatin1String(c.file));
        if (c.readOnly)
            makeReadOnly(path);
        if (c.deleted)
            QFile::remove(path);
        setAutoSave(c.optionOn);
        s().app.optimiserBusy = c.optimising;
        const QStringList before = QDir(folder.file(QStringLiteral("Recepten"))).entryList(QDir::Files);

        fc->tmrAutoSave_Timer();

        EXPECT_EQ(QDir(folder.file(QStringLiteral("Recepten"))).entryList(QDir::Files), before);
        EXPECT_TRUE(fake.messages.empty());
        EXPECT_EQ(s().app.fileName, path);
        s().app.optimiserBusy = false;
    }
}

TEST_F(AutoSave, TheTimerRestsWhileACommandWorksAndRunsAgainAfterIt)
{
    setAutoSave(true);
    w->tmrAutoSave()->start();
    openSample();
    struct Probe : ScopedFakeServices {
        QTimer *timer = nullptr;
        bool activeDuringDialog = true;
        std::optional<QString> openFileName(const QString &, const QString &, const QString &) override
        {
            activeDuringDialog = timer->isActive();
            return std::nullopt;
        }
    } probe;
    probe.timer = w->tmrAutoSave();
    trigger("mnuOpen");
    EXPECT_FALSE(probe.activeDuringDialog);
    EXPECT_TRUE(w->tmrAutoSave()->isActive()) << "a cancelled dialog closes the bracket too";

    // With the option off the commands leave the timer alone.
    setAutoSave(false);
    w->tmrAutoSave()->stop();
    trigger("mnuOpen");
    EXPECT_FALSE(w->tmrAutoSave()->isActive());
}

TEST_F(AutoSave, TheTimerTicksIntoTheTickHandler)
{
    const QString path = openAs(QStringLiteral("Recepten/Klok.zlv"));
    setAutoSave(true);
    const QString copy = folder.file(QStringLiteral("Recepten/Klok_AutoSave.zlv"));
    w->tmrAutoSave()->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(copy).isFile(); }, 5000));
    w->tmrAutoSave()->stop();
    w->tmrAutoSave()->setInterval(60000);
    EXPECT_EQ(s().app.fileName, path);
}

class WhileOptimising : public FileCommandsTest {};

TEST_F(WhileOptimising, CommandsThatReplaceTheRecipeRefuseAndChangeNothing)
{
    history::UpdateFileHistory(sample(QStringLiteral("Zomerblond.zlv")));
    const struct {
        const char *command;
    } cases[] = {{"mnuNieuw"}, {"mnuOpen"}, {"mnu1"}, {"mnuAfsluiten"}, {"close box"}};
    w->show();
    openSample();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command);
        s().recipe.ReceptGewijzigd = true;
        s().app.optimiserBusy = true;
        fake.openAnswers = {sample(QStringLiteral("Zomerblond.zlv"))};
        if (QLatin1String(c.command) == QLatin1String("close box"))
            w->close();
        else
            trigger(c.command);
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].title, OptiMaischerTitle);
        EXPECT_TRUE(fake.openDialogs.isEmpty());
        EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Herfstbok"));
        EXPECT_TRUE(w->isVisible());
        fake.clear();
    }
    s().app.optimiserBusy = false;
}

TEST_F(WhileOptimising, TheSystemParametersWindowKeepsItsValuesUntilTheRunEnds)
{
    registerWindow(QStringLiteral("frmSysParameters"), session());
    auto *win = windows().load(QStringLiteral("frmSysParameters"));
    ASSERT_NE(win, nullptr);
    s().app.optimiserBusy = true;
    QTest::mouseClick(win->findChild<QPushButton *>(QStringLiteral("cmdSP_OK")), Qt::LeftButton);
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(zym("StartUp", "EersteMaal"), QStringLiteral("<none>"));
    EXPECT_TRUE(windows().isLoaded(QStringLiteral("frmSysParameters")));

    s().app.optimiserBusy = false;
    QTest::mouseClick(win->findChild<QPushButton *>(QStringLiteral("cmdSP_OK")), Qt::LeftButton);
    EXPECT_EQ(zym("StartUp", "EersteMaal"), QStringLiteral("0"));
}

class OnlineSite : public FileCommandsTest {};

TEST_F(OnlineSite, WritesAMissingLinkFileAndOpensAnExistingOneAsItIs)
{
    const QString link = paths::file(QStringLiteral("URLs/MostariumOnline.url"));
    QFile::remove(link);
    trigger("mnuOpenMostariumOnline");
    EXPECT_EQ(bytes(link), QByteArray("[InternetShortcut]\r\nURL=") + onlineSiteAddress().toLatin1() + "\r\n");
    EXPECT_EQ(fake.urls, QStringList{onlineSiteAddress()});

    fake.clear();
    ASSERT_TRUE(WriteInternetShortCut(link, QStringLiteral("https://example.org/eigen/")));
    trigger("mnuOpenMostariumOnline");
    EXPECT_EQ(fake.urls, QStringList{QStringLiteral("https://example.org/eigen/")});
}

TEST_F(OnlineSite, ALinkFileThatCannotBeWrittenIsReported)
{
    QDir(folder.file(QStringLiteral("URLs"))).removeRecursively();
    QFile blocker(folder.file(QStringLiteral("URLs")));  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    trigger("mnuOpenMostariumOnline");
    EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Error in mnuOpenMostariumOnline_Click")});
    EXPECT_TRUE(fake.urls.isEmpty());
}

}  // namespace
