// New, Open, Save, Save As and Exit driven through the menu with the answers
// a person would give.

#include "test_filecommands_fixture.h"

#include "core/RecipeFile.h"
#include "core/WholeFile.h"

using namespace mostarium;
using namespace mostarium::test;

namespace {

// What the save prompt and the save dialog answer. `saveAs` names the file
// typed into the save dialog (in Recepten), nullopt for Cancel, "" when no
// dialog is expected.
struct Answers {
    bool changed;
    int answer;                     // to the save prompt
    std::optional<QString> saveAs;  // typed into the save dialog; nullopt: Cancel
};

class NewCommand : public FileCommandsTest {};

TEST_F(NewCommand, AsksOnlyForAChangedRecipeAndStopsWhenTheWishedSaveDidNotHappen)
{
    struct Case {
        const char *what;
        Answers in;
        bool readOnlyTarget;
        // Expected:
        int prompts;
        int saveDialogs;
        const char *written;  // file in Recepten that the save wrote, or nullptr
        bool emptied;         // New went on
    };
    const Case cases[] = {
        {"unchanged", {false, mb::No, std::nullopt}, false, 0, 0, nullptr, true},
        {"changed, No", {true, mb::No, std::nullopt}, false, 1, 0, nullptr, true},
        {"changed, Yes, Cancel", {true, mb::Yes, std::nullopt}, false, 1, 1, nullptr, false},
        {"changed, Yes, saved", {true, mb::Yes, QStringLiteral("Kopie")}, false, 1, 1, "Kopie.zlv", true},
        {"changed, Yes, read-only", {true, mb::Yes, QStringLiteral("Alleen.zlv")}, true, 1, 1, nullptr, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        openSample();
        const QByteArray original = bytes(sample(QStringLiteral("Herfstbok.zlv")));
        s().recipe.ReceptGewijzigd = c.in.changed;
        if (c.readOnlyTarget) {
            QFile(sample(QStringLiteral("Alleen.zlv"))).open(QIODevice::WriteOnly);
            makeReadOnly(sample(QStringLiteral("Alleen.zlv")));
        }
        fake.msgAnswers = {c.in.answer};
        fake.saveAnswers = {c.in.saveAs ? std::optional<QString>(sample(*c.in.saveAs)) : std::nullopt};

        trigger("mnuNieuw");

        EXPECT_EQ(savePrompts(), c.prompts);
        EXPECT_EQ(fake.saveDialogs.size(), c.saveDialogs);
        if (c.written) {
            EXPECT_TRUE(bytes(sample(QLatin1String(c.written))).contains("Biernaam=Herfstbok"));
        }
        if (c.readOnlyTarget) {
            EXPECT_EQ(asked(QStringLiteral("Read-only file! Geef unieke filename.")), 1);
        }
        EXPECT_EQ(bytes(sample(QStringLiteral("Herfstbok.zlv"))), original) << "the open file is never touched";
        if (c.emptied) {
            EXPECT_EQ(s().recipe.ReceptStatus, 0);
            EXPECT_FALSE(s().recipe.ReceptGewijzigd);
            EXPECT_TRUE(s().app.fileName.isEmpty());
            EXPECT_TRUE(s().view.panels[7].text.isEmpty());
        } else {
            EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Herfstbok"));
            EXPECT_TRUE(s().recipe.ReceptGewijzigd);
            EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Herfstbok.zlv")));
        }
        QFile::remove(sample(QStringLiteral("Kopie.zlv")));
        QFile::setPermissions(sample(QStringLiteral("Alleen.zlv")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(sample(QStringLiteral("Alleen.zlv")));
        fake.clear();
    }
}

TEST_F(NewCommand, PromptIsAYesNoQuestionTitledAttentie)
{
    openSample();
    s().recipe.ReceptGewijzigd = true;
    trigger("mnuNieuw");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Huidige recept kan gewijzigd zijn! Wilt U het recept Opslaan?"));
    EXPECT_EQ(fake.messages[0].style, mb::YesNo);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));
}

TEST_F(NewCommand, KeepsTheDoubleBrewLayoutAndForgetsTheReadOnlyMark)
{
    openSample();  // a double brew
    ASSERT_TRUE(s().app.dubbelBrouw);
    s().recipe.ReceptAttr = 1;
    trigger("mnuNieuw");
    EXPECT_TRUE(s().app.dubbelBrouw);
    EXPECT_TRUE(item("mnuDubBrouw")->isChecked());
    EXPECT_EQ(s().recipe.ReceptAttr, 0);
    EXPECT_EQ(s().view.panels[0].text, QStringLiteral("DB"));
}

class OpenCommand : public FileCommandsTest {};

TEST_F(OpenCommand, AsksFirstAndACancelledDialogChangesNothing)
{
    struct Case {
        const char *what;
        Answers in;
        std::optional<QString> open;  // chosen in the open dialog; nullopt: Cancel
        // Expected:
        int openDialogs;
        const char *nowOpen;  // ReceptNaam afterwards
        bool stillChanged;
    };
    const Case cases[] = {
        {"unchanged, open", {false, mb::No, std::nullopt}, QStringLiteral("Zomerblond.zlv"), 1, "Zomerblond", false},
        {"unchanged, Cancel", {false, mb::No, std::nullopt}, std::nullopt, 1, "Herfstbok", false},
        {"changed, No, open", {true, mb::No, std::nullopt}, QStringLiteral("Zomerblond.zlv"), 1, "Zomerblond", false},
        {"changed, No, Cancel", {true, mb::No, std::nullopt}, std::nullopt, 1, "Herfstbok", true},
        {"changed, Yes, save Cancel",
         {true, mb::Yes, std::nullopt},
         QStringLiteral("Zomerblond.zlv"),
         0,
         "Herfstbok",
         true},
        {"changed, Yes, saved, open",
         {true, mb::Yes, QStringLiteral("Kopie")},
         QStringLiteral("Zomerblond.zlv"),
         1,
         "Zomerblond",
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        openSample();
        s().recipe.ReceptGewijzigd = c.in.changed;
        fake.msgAnswers = {c.in.answer};
        fake.saveAnswers = {c.in.saveAs ? std::optional<QString>(sample(*c.in.saveAs)) : std::nullopt};
        fake.openAnswers = {c.open ? std::optional<QString>(sample(*c.open)) : std::nullopt};

        trigger("mnuOpen");

        EXPECT_EQ(savePrompts(), c.in.changed ? 1 : 0);
        EXPECT_EQ(fake.openDialogs.size(), c.openDialogs);
        EXPECT_EQ(s().recipe.ReceptNaam, QLatin1String(c.nowOpen));
        EXPECT_EQ(s().app.fileName, sample(QLatin1String(c.nowOpen) + QStringLiteral(".zlv")));
        EXPECT_EQ(s().recipe.ReceptGewijzigd, c.stillChanged);
        if (c.in.saveAs) {
            EXPECT_TRUE(bytes(sample(QStringLiteral("Kopie.zlv"))).contains("Biernaam=Herfstbok"));
        }
        QFile::remove(sample(QStringLiteral("Kopie.zlv")));
        fake.clear();
    }
}

TEST_F(OpenCommand, ShowsThePathRemembersTheFolderAndPlaysTheClick)
{
    s().app.geluidAan = true;
    QDir().mkpath(folder.file(QStringLiteral("elders")));
    QFile::copy(sample(QStringLiteral("Zomerblond.zlv")), folder.file(QStringLiteral("elders/Zomerblond.zlv")));
    const QString path = folder.file(QStringLiteral("elders/Zomerblond.zlv"));
    fake.openAnswers = {path};

    trigger("mnuOpen");

    EXPECT_EQ(s().view.panels[7].text, path);
    EXPECT_EQ(history::entry(1), path);
    EXPECT_EQ(item("mnu1")->text(), history::captionFor(1, path));
    EXPECT_EQ(s().recipe.ReceptPath, folder.file(QStringLiteral("elders")));
    EXPECT_EQ(zym("SysteemVariabelen", "ReceptPath"), folder.file(QStringLiteral("elders")));
    EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/ploc.wav"))});
    EXPECT_TRUE(s().view.fraBrouwSchema.visible);
}

TEST_F(OpenCommand, ADamagedFileIsReportedAndNeverEntersTheList)
{
    const QString bad = sample(QStringLiteral("Kapot.zlv"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[ReceptStatus]\r\nStatus=4\r\n");  // a grain bill that is not there
    f.close();
    fake.openAnswers = {bad};

    trigger("mnuOpen");

    EXPECT_EQ(asked(QStringLiteral("Fout in openen recept! Controleer inhoud bestand!")), 1);
    EXPECT_TRUE(s().app.fileName.isEmpty());
    EXPECT_TRUE(s().view.panels[7].text.isEmpty());
    EXPECT_EQ(history::entry(1), QString());
}

class SaveCommands : public FileCommandsTest {};

TEST_F(SaveCommands, SaveAfterNewRunsSaveAs)
{
    openSample();
    trigger("mnuNieuw");
    s().recipe.setStatus(StatusAlgemeen);
    s().recipe.Algemeen(0) = QStringLiteral("Nieuw bier");
    fake.saveAnswers = {sample(QStringLiteral("Nieuw"))};

    trigger("mnuOpslaan");

    ASSERT_EQ(fake.saveDialogs.size(), 1);
    EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Nieuw.zlv")));
    EXPECT_TRUE(bytes(sample(QStringLiteral("Nieuw.zlv"))).contains("Biernaam=Nieuw bier"));
}

TEST_F(SaveCommands, SaveWritesInPlaceAndWritesADeletedFileAnew)
{
    openSample();
    s().recipe.Algemeen(0) = QStringLiteral("Herfstbok II");
    s().recipe.ReceptGewijzigd = true;
    trigger("mnuOpslaan");
    EXPECT_TRUE(bytes(sample(QStringLiteral("Herfstbok.zlv"))).contains("Biernaam=Herfstbok II"));
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);

    ASSERT_TRUE(QFile::remove(sample(QStringLiteral("Herfstbok.zlv"))));
    s().recipe.ReceptGewijzigd = true;
    trigger("mnuOpslaan");
    EXPECT_TRUE(bytes(sample(QStringLiteral("Herfstbok.zlv"))).contains("Biernaam=Herfstbok II"));
    EXPECT_TRUE(fake.saveDialogs.isEmpty());
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
}

// A second copy of the program stores a note in the recipe file this one
// has open. The autosave copy asks nothing and changes nothing about it;
// Save asks, naming the file: Nee keeps the other copy's file and the
// changed flag, Ja replaces it.
TEST_F(SaveCommands, SaveAsksBeforeItWritesOverAnotherCopysChange)
{
    openSample();
    const QString path = sample(QStringLiteral("Herfstbok.zlv"));
    Session other;
    ASSERT_TRUE(readRecipeFile(other, path).ok);
    other.app.fileName = path;
    other.recipe.Aantekening = QStringLiteral("Notitie uit het andere venster");
    ASSERT_EQ(SaveAantekeningen(other), KeysSaved::Written);
    const QByteArray theirs = bytes(path);

    s().recipe.Algemeen(0) = QStringLiteral("Herfstbok II");
    s().recipe.ReceptGewijzigd = true;
    setAutoSave(true);
    fc->tmrAutoSave_Timer();
    ASSERT_TRUE(QFileInfo::exists(sample(QStringLiteral("Herfstbok_AutoSave.zlv"))));
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));

    fake.msgAnswers = {mb::No};
    trigger("mnuOpslaan");
    ASSERT_EQ(fake.prompts(), QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(fake.messages[0].style, mb::YesNo | mb::Question);
    EXPECT_EQ(bytes(path), theirs);
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    EXPECT_TRUE(fake.saveDialogs.isEmpty());

    fake.clear();
    fake.msgAnswers = {mb::Yes};
    trigger("mnuOpslaan");
    EXPECT_EQ(fake.prompts(), QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(bytes(path), recipeFileBytes(s()));
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
}

TEST_F(SaveCommands, SaveOnAReadOnlyFileRunsSaveAsWhichRefusesThatSameFile)
{
    openSample();
    const QByteArray original = bytes(sample(QStringLiteral("Herfstbok.zlv")));
    makeReadOnly(sample(QStringLiteral("Herfstbok.zlv")));
    s().recipe.ReceptGewijzigd = true;
    fake.saveAnswers = {sample(QStringLiteral("Herfstbok.zlv"))};

    trigger("mnuOpslaan");

    EXPECT_EQ(fake.saveDialogs.size(), 1);
    EXPECT_EQ(asked(QStringLiteral("Read-only file! Geef unieke filename.")), 1);
    EXPECT_EQ(bytes(sample(QStringLiteral("Herfstbok.zlv"))), original);
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
}

TEST_F(SaveCommands, SaveAsOffersTheNameWithItsSuffixAndAddsTheSuffix)
{
    struct Recorder : ScopedFakeServices {
        QStringList offered;
        std::optional<QString> saveFileName(const QString &title, const QString &path, const QString &filter) override
        {
            offered << path << filter;
            return ScopedFakeServices::saveFileName(title, path, filter);
        }
    } rec;
    openSample();
    rec.saveAnswers = {sample(QStringLiteral("Herfst bok 2"))};

    trigger("mnuOpslaanAls");

    ASSERT_EQ(rec.offered.size(), 2);
    EXPECT_EQ(rec.offered[0], sample(QStringLiteral("Herfstbok.zlv")));
    EXPECT_EQ(rec.offered[1], ZlvFilter);
    const QString written = sample(QStringLiteral("Herfst bok 2.zlv"));
    EXPECT_EQ(s().app.fileName, written);
    EXPECT_TRUE(QFileInfo(written).isFile());
    EXPECT_EQ(history::entry(1), written);
    EXPECT_EQ(zym("SysteemVariabelen", "ReceptPath"), folder.file(QStringLiteral("Recepten")));
    // The suffix is added once, in whatever case it was typed.
    rec.saveAnswers = {sample(QStringLiteral("Groot.ZLV"))};
    trigger("mnuOpslaanAls");
    EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Groot.ZLV")));
}

// A name typed without its suffix is saved with ".zlv" added: a recipe
// already under that name was not confirmed in the dialog and is replaced
// only when the brewer agrees. A name chosen whole asks nothing more.
TEST_F(SaveCommands, SaveAsAsksBeforeTheAddedSuffixReplacesARecipe)
{
    openSample(QStringLiteral("Zomerblond.zlv"));
    const QString other = sample(QStringLiteral("Herfstbok.zlv"));
    const QByteArray onDisk = bytes(other);
    s().recipe.ReceptGewijzigd = true;
    fake.saveAnswers = {sample(QStringLiteral("Herfstbok"))};
    fake.msgAnswers = {mb::No};
    trigger("mnuOpslaanAls");
    ASSERT_EQ(fake.prompts(), QStringList{replaceQuestionText(other)});
    EXPECT_EQ(fake.messages[0].style, mb::YesNo | mb::Question);
    EXPECT_EQ(bytes(other), onDisk);
    EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Zomerblond.zlv")));
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    EXPECT_EQ(history::entry(1), sample(QStringLiteral("Zomerblond.zlv")));

    fake.clear();
    fake.saveAnswers = {other};
    trigger("mnuOpslaanAls");
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    EXPECT_EQ(bytes(other), recipeFileBytes(s()));
    EXPECT_EQ(s().app.fileName, other);
}

TEST_F(SaveCommands, SaveAsOfAnEmptyRecipeSaysSoAndACancelKeepsThePath)
{
    s().app.geluidAan = true;
    trigger("mnuOpslaanAls");
    EXPECT_EQ(asked(QStringLiteral("Niets af te drukken of op te slaan!")), 1);
    EXPECT_TRUE(fake.saveDialogs.isEmpty());
    EXPECT_EQ(fake.sounds.size(), 1);

    openSample();
    fake.saveAnswers = {std::nullopt};
    trigger("mnuOpslaanAls");
    EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Herfstbok.zlv")));
    EXPECT_TRUE(fake.sounds.isEmpty());
}

TEST_F(SaveCommands, AFailedWriteKeepsTheOldPathAndTheChangedFlag)
{
    openSample();
    s().recipe.ReceptGewijzigd = true;
    fake.saveAnswers = {folder.file(QStringLiteral("bestaat/niet/Kopie.zlv"))};
    trigger("mnuOpslaanAls");
    EXPECT_EQ(fake.messages.size(), 1u);  // the writer's own message
    EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Herfstbok.zlv")));
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    EXPECT_EQ(history::entry(1), sample(QStringLiteral("Herfstbok.zlv")));
}

class ReadOnlyCommand : public FileCommandsTest {};

TEST_F(ReadOnlyCommand, MarksTheFileOnceAndShowsItInTheCaption)
{
    openSample();
    const QString caption = s().view.fraBrouwSchema.caption;
    trigger("mnuReadOnly");
    EXPECT_FALSE(QFileInfo(sample(QStringLiteral("Herfstbok.zlv"))).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(s().recipe.ReceptAttr, 1);
    EXPECT_EQ(s().view.fraBrouwSchema.caption, caption + QStringLiteral("  (Alleen lezen!) "));
    trigger("mnuReadOnly");
    EXPECT_EQ(s().view.fraBrouwSchema.caption, caption + QStringLiteral("  (Alleen lezen!) "));

    trigger("mnuNieuw");  // no file: nothing to mark
    trigger("mnuReadOnly");
    EXPECT_EQ(s().recipe.ReceptAttr, 0);
}

class ExitCommand : public FileCommandsTest {
protected:
    void SetUp() override
    {
        w->show();
        openSample();
    }
};

TEST_F(ExitCommand, MenuAndCloseBoxAskAndStopWhenTheWishedSaveDidNotHappen)
{
    struct Case {
        const char *what;
        bool viaCloseBox;
        Answers in;
        bool closes;
    };
    const Case cases[] = {
        {"menu, unchanged", false, {false, mb::No, std::nullopt}, true},
        {"menu, changed, No", false, {true, mb::No, std::nullopt}, true},
        {"menu, changed, Yes, Cancel", false, {true, mb::Yes, std::nullopt}, false},
        {"menu, changed, Yes, saved", false, {true, mb::Yes, QStringLiteral("Kopie")}, true},
        {"close box, changed, No", true, {true, mb::No, std::nullopt}, true},
        {"close box, changed, Yes, Cancel", true, {true, mb::Yes, std::nullopt}, false},
        {"close box, unchanged", true, {false, mb::No, std::nullopt}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        // A fresh window for each case: an exit ends the one before.
        w.reset();
        session() = Session{};
        w = std::make_unique<frmRecept>();
        wireCommands(*w, session());
        fc = &fileCommands(*w, session());
        w->show();
        openSample();
        s().recipe.ReceptPath = folder.file(QStringLiteral("Recepten"));
        s().recipe.ReceptGewijzigd = c.in.changed;
        fake.msgAnswers = {c.in.answer};
        fake.saveAnswers = {c.in.saveAs ? std::optional<QString>(sample(*c.in.saveAs)) : std::nullopt};

        if (c.viaCloseBox)
            w->close();
        else
            trigger("mnuAfsluiten");

        EXPECT_EQ(savePrompts(), c.in.changed ? 1 : 0);
        EXPECT_EQ(w->isVisible(), !c.closes);
        if (c.closes) {
            EXPECT_EQ(zym("SysteemVariabelen", "ReceptPath"), folder.file(QStringLiteral("Recepten")));
        }
        if (c.in.saveAs) {
            EXPECT_TRUE(QFileInfo(sample(QStringLiteral("Kopie.zlv"))).isFile());
        }
        QFile::remove(sample(QStringLiteral("Kopie.zlv")));
        QString none;
        EXPECT_TRUE(WriteINI(paths::file(QStringLiteral("ZYM.ini")), QStringLiteral("SysteemVariabelen"),
                             QStringLiteral("ReceptPath"), none));
        fake.clear();
    }
}

TEST_F(ExitCommand, ClosesTheOtherWindowsAndPlaysTheExitSound)
{
    s().app.geluidAan = true;
    windows().show(QStringLiteral("frmStorting"));
    ASSERT_TRUE(isOpen("frmStorting"));
    trigger("mnuAfsluiten");
    EXPECT_FALSE(isOpen("frmStorting"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/exit.wav"))});
}

}  // namespace
