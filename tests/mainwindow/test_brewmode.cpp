#include "test_filecommands_fixture.h"

#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "mainwindow/BrewMode.h"

#include "support/FakeServices.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <gtest/gtest.h>

using namespace mostarium;

namespace {

constexpr int All = 1 | 2 | 4 | 8 | 16 | 64 | 128 | 256 | 512;  // every part of beer 1

// A recipe with every part of the first beer and nothing of the second.
void fillBeer1(RecipeState &r, bool dubbel)
{
    r.Doelstellingen.redim(dubbel ? 10 : 5);
    r.Doelstellingen(1) = 20;
    r.Aromahop(0, 2) = QStringLiteral("4.5");
    r.Bitterhop(0, 2) = QStringLiteral("7.2");
    r.Evaluatie(0, 0) = QStringLiteral("19");
}

struct Row {
    const char *what;
    bool fromDubbel;
    int bitsBefore;
    std::function<void(RecipeState &)> setUp;
    int bitsAfter;
};

const Row Rows[] = {
    {"to double without beer-2 data: targets and evaluation bits cleared, beer 1's hops kept", false, All,
     [](RecipeState &r) { fillBeer1(r, false); }, All - 1 - 64},
    {"to double with a hop bit but empty hop lists: hop bit cleared", false, 8, [](RecipeState &) {}, 0},
    {"to single with rows in a beer-2 hop list: that bit kept", true, 32 + 2,
     [](RecipeState &r) { r.Bitterhop2(0, 0) = QStringLiteral("Magnum"); }, 32 + 2},
    {"back to single: targets, hops and evaluation restored, beer-2 hops cleared", true, All - 1 - 8 - 64 + 32,
     [](RecipeState &r) { fillBeer1(r, true); }, All},
    {"to double with a beer-2 volume: targets and beer 1's hops kept", false, All,
     [](RecipeState &r) {
         fillBeer1(r, false);
         r.Doelstellingen.redimPreserve(10);
         r.Doelstellingen(6) = 15;
         r.Evaluatie(0, 1) = QStringLiteral("14");
     },
     All},
    {"to double with two beer-2 hop rows: hop bit kept", false, All,
     [](RecipeState &r) {
         fillBeer1(r, false);
         r.Aromahop2.redim(1, 6);
     },
     All - 1 - 64},
    {"to double from the start shapes with nothing entered", false, 0, [](RecipeState &) {}, 0},
    {"to single with nothing entered", true, 0, [](RecipeState &) {}, 0},
    {"to single without a first-beer volume: no targets bit", true, 4,
     [](RecipeState &r) { r.Doelstellingen.redim(10); }, 4},
    {"to single with targets alone, cleared by the switch to double: targets bit set again", true, 0,
     [](RecipeState &r) {
         r.Doelstellingen.redim(10);
         r.Doelstellingen(1) = 25;
     },
     1},
    {"to single with a first-beer volume: targets bit set", true, 4,
     [](RecipeState &r) {
         r.Doelstellingen.redim(10);
         r.Doelstellingen(1) = 25;
     },
     5},
    {"to single with one empty alpha cell: no hop bit", true, 2,
     [](RecipeState &r) { r.Bitterhop(0, 2) = QStringLiteral("5"); }, 2},
    {"to single with a measured volume of 0: no evaluation bit", true, 2,
     [](RecipeState &r) { r.Evaluatie(0, 0) = QStringLiteral("0"); }, 2},
};

}  // namespace

class BrewModeSwitch : public ::testing::Test {
protected:
    test::ScopedFakeServices fake;
    test::TempProgramFolder folder;
};

TEST_F(BrewModeSwitch, StatusBitsFollowTheDataOfTheNewMode)
{
    for (const Row &row : Rows) {
        SCOPED_TRACE(row.what);
        Session s;
        s.app.dubbelBrouw = row.fromDubbel;
        s.app.geluidAan = false;
        row.setUp(s.recipe);
        s.recipe.ReceptStatus = std::int16_t(row.bitsBefore);
        int layouts = 0;
        SwitchBrouwType(s, [&] {
            ++layouts;
            ApplyBrouwTypeToView(s);
        });
        EXPECT_EQ(s.app.dubbelBrouw, !row.fromDubbel);
        EXPECT_EQ(s.recipe.ReceptStatus, row.bitsAfter);
        EXPECT_TRUE(s.recipe.ReceptGewijzigd);
        EXPECT_EQ(layouts, 1);
        EXPECT_EQ(s.view.panels[0].text, row.fromDubbel ? "EB" : "DB");
    }
}

TEST_F(BrewModeSwitch, ShapesGrowAndKeepTheirContents)
{
    Session s;
    s.app.geluidAan = false;
    s.recipe.Evaluatie(0, 0) = QStringLiteral("19");
    s.recipe.Evaluatie(0, 2) = QStringLiteral("third column");
    SwitchBrouwType(s, {});
    EXPECT_EQ(s.recipe.Doelstellingen.ubound(), 10);
    EXPECT_EQ(s.recipe.Doelstellingen(6), 0);
    EXPECT_EQ(s.recipe.Evaluatie.rowUbound(), 2);
    EXPECT_EQ(s.recipe.Evaluatie.colUbound(), 1);  // the start shape's third column goes
    EXPECT_EQ(s.recipe.Evaluatie(0, 0), "19");

    // Back to single: nothing shrinks, so the second beer is found again later.
    s.recipe.Doelstellingen(6) = 12;
    SwitchBrouwType(s, {});
    EXPECT_EQ(s.recipe.Doelstellingen.ubound(), 10);
    EXPECT_EQ(s.recipe.Doelstellingen(6), 12);
    EXPECT_EQ(s.recipe.Evaluatie.colUbound(), 1);
}

TEST_F(BrewModeSwitch, ClickSoundTwiceToDoubleOnceToSingleNoneWhenOff)
{
    Session s;
    s.app.geluidAan = true;
    SwitchBrouwType(s, {});
    const QString ploc = paths::file(QStringLiteral("Sounds/ploc.wav"));
    EXPECT_EQ(fake.sounds, QStringList({ploc, ploc}));
    fake.sounds.clear();
    SwitchBrouwType(s, {});
    EXPECT_EQ(fake.sounds, QStringList({ploc}));
    fake.sounds.clear();
    s.app.geluidAan = false;
    SwitchBrouwType(s, {});
    EXPECT_TRUE(fake.sounds.isEmpty());
}

TEST_F(BrewModeSwitch, CaptionsAndVisibilityOfTheEvaluationFrames)
{
    struct Case {
        bool dubbel;
        int bits;
        bool ds, ds2, ev2;
    };
    // The targets bit makes the targets frame of the mode visible; single
    // brew hides both second-beer frames.
    const Case cases[] = {
        {true, 1, false, true, false},
        {true, 0, false, false, false},
        {false, 1, true, false, false},
        {false, 0, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "dubbel " << c.dubbel << " bits " << c.bits);
        Session s;
        s.view.fraEvalDS.visible = s.view.fraEvalDS2.visible = s.view.fraEvalEv2.visible = false;
        s.app.dubbelBrouw = c.dubbel;
        s.recipe.ReceptStatus = std::int16_t(c.bits);
        ApplyBrouwTypeToView(s);
        EXPECT_EQ(s.view.fraEvalDS.visible, c.ds);
        EXPECT_EQ(s.view.fraEvalDS2.visible, c.ds2);
        EXPECT_EQ(s.view.fraEvalEv2.visible, c.ev2);
        EXPECT_EQ(s.view.fraBSAHop.caption, c.dubbel ? " Aromahop dikbier " : " Aromahop ");
        EXPECT_EQ(s.view.fraBSBHop.caption, c.dubbel ? " Bitterhop dikbier " : " Bitterhop ");
        EXPECT_EQ(s.view.fraEvalDS.caption, c.dubbel ? " Doelstellingen dikbier " : " Doelstellingen ");
        EXPECT_EQ(s.view.fraEvalEv.caption, c.dubbel ? " Evaluatie dikbier " : " Evaluatie ");
        if (c.dubbel) {
            EXPECT_EQ(s.view.fraEvalDS2.caption, " Doelstellingen dunbier ");
            EXPECT_EQ(s.view.fraEvalEv2.caption, " Evaluatie dunbier ");
        }
        EXPECT_EQ(s.view.panels[0].text, c.dubbel ? "DB" : "EB");
    }
}

TEST_F(BrewModeSwitch, LayoutRunsBeforeTheTargetsBitIsCleared)
{
    // The layout sees the bits of step 2, so the second beer's targets frame
    // is shown although the targets bit is cleared right after.
    Session s;
    s.app.geluidAan = false;
    fillBeer1(s.recipe, false);
    s.recipe.ReceptStatus = All;
    s.view.fraEvalDS2.visible = false;
    SwitchBrouwType(s, [&] { ApplyBrouwTypeToView(s); });
    EXPECT_TRUE(s.view.fraEvalDS2.visible);
    EXPECT_FALSE(s.recipe.hasStatus(StatusDoelstellingen));
}

namespace {

QStringList sectionsOf(const QByteArray &file)
{
    QStringList names;
    for (const QByteArray &line : file.split('\n'))
        if (line.startsWith('['))
            names << QString::fromLatin1(line.trimmed().mid(1).chopped(1));
    return names;
}

bool holdsRows(const Table2D<QString> &t)
{
    for (int i = 0; i <= t.rowUbound(); ++i)
        for (int c = HopSoort; c <= HopGravity; ++c)
            if (t.has(i, c) && !t(i, c).isEmpty())
                return true;
    return false;
}

// Every label and frame as shown: text, caption, colour, visibility.
QStringList shown(DisplayModel v)
{
    QStringList out;
    v.forEachFrame(
        [&](const QString &name, FrameSlot &f) { out << name + u'=' + f.caption + (f.visible ? u'+' : u'-'); });
    v.forEachLabel([&](const QString &name, LabelSlot &l) {
        out << name + u'=' + l.text + (l.visible ? u'+' : u'-') + QString::number(l.fore.value_or(0xFFFFFFFFu))
                   + l.toolTip;
    });
    return out;
}

struct Recipe {
    QString name;
    Session session;
};

std::vector<Recipe> everyRecipe()
{
    std::vector<Recipe> all = {{"singleBrew", test::singleBrew()},
                               {"decoctionBrew", test::decoctionBrew()},
                               {"lateGrainBrew", test::lateGrainBrew()},
                               {"failingBrew", test::failingBrew()},
                               {"doubleBrew", test::doubleBrew()}};
    const QDir samples(test::resourcesFolder() + QStringLiteral("/Recepten"));
    for (const QString &f : samples.entryList({QStringLiteral("*.zlv")}, QDir::Files)) {
        Session s;
        s.recipe.BrouwVerlies = 1.5f;
        EXPECT_TRUE(readRecipeFile(s, samples.filePath(f)).ok) << qPrintable(f);
        all.push_back({f, s});
    }
    return all;
}

}  // namespace

TEST_F(BrewModeSwitch, BackAndForthKeepsEveryPartAndShowsTheScheduleOfTheModeShown)
{
    constexpr int Kept = StatusAlgemeen | StatusStorting | StatusMaischschema | StatusGistkeuze | StatusToevoegingen;
    for (Recipe &recipe : everyRecipe()) {
        SCOPED_TRACE(qPrintable(recipe.name));
        Session &s = recipe.session;
        s.app.geluidAan = false;
        UpdateBrouwschema(s);
        const bool startDubbel = s.app.dubbelBrouw;
        const int startBits = s.recipe.ReceptStatus;
        const QByteArray original = recipeFileBytes(s);
        const QStringList originalSections = sectionsOf(original);
        const bool hops1 = holdsRows(s.recipe.Aromahop) || holdsRows(s.recipe.Bitterhop);
        const bool hops2 = holdsRows(s.recipe.Aromahop2) || holdsRows(s.recipe.Bitterhop2);

        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(n);
            SwitchBrouwType(s, [&] { ApplyBrouwTypeToView(s); });
            ASSERT_EQ(s.app.dubbelBrouw, startDubbel != (n % 2 == 1));

            // What is shown is what a fresh recalculation in this mode shows.
            Session fresh = s;
            UpdateBrouwschema(fresh);
            EXPECT_EQ(shown(s.view), shown(fresh.view));
            if (s.recipe.hasStatus(StatusDoelstellingen)) {
                EXPECT_EQ(s.view.fraBrouwSchema.caption.contains(u'/'), s.app.dubbelBrouw)
                    << qPrintable(s.view.fraBrouwSchema.caption);
            }
            if (!s.app.dubbelBrouw) {
                EXPECT_FALSE(s.view.lbl_VerwachtOG2.visible);
            }

            // Every save keeps the parts the switch has no say in and every
            // hop list that holds rows.
            const QStringList sections = sectionsOf(recipeFileBytes(s));
            EXPECT_EQ(s.recipe.ReceptStatus & Kept, startBits & Kept);
            for (const char *name : {"Algemeen", "Storting", "Maischschema", "Gistkeuze", "Toevoegingen"})
                EXPECT_EQ(sections.contains(QLatin1String(name)), originalSections.contains(QLatin1String(name)))
                    << name;
            if (hops1) {
                EXPECT_TRUE(sections.contains(QStringLiteral("Aromahop"))
                            && sections.contains(QStringLiteral("Bitterhop")));
            }
            if (hops2) {
                EXPECT_TRUE(sections.contains(QStringLiteral("Aromahop2"))
                            && sections.contains(QStringLiteral("Bitterhop2")));
            }

            // Back in the mode it started in, the file is the file it was.
            if (n % 2 == 0) {
                EXPECT_EQ(s.recipe.ReceptStatus, startBits);
                EXPECT_EQ(recipeFileBytes(s), original);
            }
        }
    }
}

namespace {
using BrewModeWindow = test::FileCommandsTest;
}

TEST_F(BrewModeWindow, DoubleBrewSwitchedTwiceAndSavedKeepsItsHops)
{
    openSample(QStringLiteral("Herfstbok.zlv"));
    ASSERT_TRUE(s().app.dubbelBrouw);
    auto *schedule = w->findChild<QGroupBox *>(QStringLiteral("fraBrouwSchema"));
    ASSERT_NE(schedule, nullptr);
    ASSERT_TRUE(schedule->title().contains(QStringLiteral("75/25 L"))) << qPrintable(schedule->title());

    trigger("mnuDubBrouw");
    EXPECT_FALSE(item("mnuDubBrouw")->isChecked());
    EXPECT_FALSE(schedule->title().contains(u'/')) << qPrintable(schedule->title());
    auto *og2 = w->findChild<QWidget *>(QStringLiteral("lbl_VerwachtOG2"));
    ASSERT_NE(og2, nullptr);
    EXPECT_FALSE(og2->isVisibleTo(w.get()));
    auto *og = w->findChild<QLabel *>(QStringLiteral("lbl_verwachtOG"));
    ASSERT_NE(og, nullptr);
    EXPECT_TRUE(og->text().startsWith(QStringLiteral("Verwacht OG: "))) << qPrintable(og->text());

    trigger("mnuDubBrouw");
    trigger("mnuOpslaan");
    const QByteArray saved = bytes(sample(QStringLiteral("Herfstbok.zlv")));
    EXPECT_TRUE(saved.contains("Status=1023"));
    for (const char *section : {"[Aromahop]", "[Bitterhop]", "[Aromahop2]", "[Bitterhop2]"})
        EXPECT_TRUE(saved.contains(section)) << section;
}

namespace {

enum class SaveKind { Save, SaveAs, AutoSave };

const char *saveName(SaveKind k)
{
    switch (k) {
    case SaveKind::Save:
        return "Save";
    case SaveKind::SaveAs:
        return "Save As";
    case SaveKind::AutoSave:
        return "autosave";
    }
    return "";
}

// What the file keeps of the first beer: the targets with the style, and the
// measured values.
QStringList firstBeer(const QByteArray &file)
{
    const IniDocument ini(file);
    QStringList out;
    for (const char *key : {"Biersoort1", "Volume1", "AlcPerc1", "FG1", "EBU1", "Koolzuur1"})
        out << QLatin1String(key) + u'='
                   + ini.find(u"Doelstellingen", QString::fromLatin1(key)).value_or(QStringLiteral("-"));
    for (const char *key : {"Volume", "OG", "FG"})
        out << QLatin1String(key) + u'='
                   + ini.find(u"Evaluatie", QString::fromLatin1(key)).value_or(QStringLiteral("-"));
    return out;
}

// The first beer as the reopened recipe holds it.
QStringList firstBeer(const RecipeState &r)
{
    QStringList out{r.Biersoort1};
    for (int i = 1; i <= 5; ++i)
        out << QString::number(r.Doelstellingen.has(i) ? r.Doelstellingen(i) : -1);
    for (int q = 0; q <= 2; ++q)
        out << (r.Evaluatie.has(q, 0) ? r.Evaluatie(q, 0) : QStringLiteral("-"));
    return out;
}

// The recipes with targets: the builders (two with measured values) and the
// shipped and test samples, each as the bytes of a recipe file. A test sample
// with the bytes of a shipped one runs once.
std::vector<std::pair<QString, QByteArray>> recipesWithTargets()
{
    Session measuredSingle = test::singleBrew();
    test::setMeasured(measuredSingle, 0, "19", "1049", "1011");
    Session measuredDouble = test::doubleBrew();
    test::setMeasured(measuredDouble, 0, "19", "1072", "1012");
    test::setMeasured(measuredDouble, 1, "14", "1040", "1008");
    std::vector<std::pair<QString, QByteArray>> all = {
        {"singleBrew", recipeFileBytes(test::singleBrew())},
        {"decoctionBrew", recipeFileBytes(test::decoctionBrew())},
        {"lateGrainBrew", recipeFileBytes(test::lateGrainBrew())},
        {"failingBrew", recipeFileBytes(test::failingBrew())},
        {"doubleBrew", recipeFileBytes(test::doubleBrew())},
        {"singleBrew measured", recipeFileBytes(measuredSingle)},
        {"doubleBrew measured", recipeFileBytes(measuredDouble)},
    };
    for (const QString &folder :
         {test::resourcesFolder() + QStringLiteral("/Recepten"), QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/data")}) {
        const QDir dir(folder);
        for (const QString &f : dir.entryList({QStringLiteral("*.zlv")}, QDir::Files)) {
            const QByteArray recipe = test::fileBytes(dir.filePath(f));
            EXPECT_FALSE(recipe.isEmpty()) << qPrintable(f);
            if (std::none_of(all.begin(), all.end(), [&](const auto &known) { return known.second == recipe; }))
                all.push_back({dir.dirName() + u'/' + f, recipe});
        }
    }
    return all;
}

// The labels of the schedule and the evaluation as shown. The frames are
// left out: a switch leaves the visibility of some evaluation frames and the
// grain total in the grain frame's caption as the earlier mode had them,
// which the reset of an open clears.
QStringList scheduleLabels(const DisplayModel &v)
{
    QStringList out = shown(v);
    out.removeIf([](const QString &line) { return line.startsWith(QStringLiteral("fra")); });
    return out;
}

}  // namespace

TEST_F(BrewModeWindow, SwitchesAndASaveKeepTheFirstBeersTargetsAndMeasuredValues)
{
    const QString path = sample(QStringLiteral("Recept.zlv"));
    for (const auto &[name, recipe] : recipesWithTargets()) {
        ASSERT_TRUE(IniDocument(recipe).hasSection(u"Doelstellingen")) << qPrintable(name);
        for (int switches = 1; switches <= 3; ++switches) {
            for (SaveKind kind : {SaveKind::Save, SaveKind::SaveAs, SaveKind::AutoSave}) {
                SCOPED_TRACE(testing::Message()
                             << qPrintable(name) << ", " << switches << " switches, " << saveName(kind));
                for (const QString &f : QDir(QFileInfo(path).absolutePath()).entryList({QStringLiteral("Recept*")}))
                    QFile::remove(QFileInfo(path).absoluteDir().filePath(f));
                ASSERT_TRUE(writeWholeFile(path, recipe));
                openSample(QStringLiteral("Recept.zlv"));
                const bool startDubbel = s().app.dubbelBrouw;
                const QByteArray original = recipeFileBytes(s());
                const QStringList beer1 = firstBeer(s().recipe);

                for (int n = 0; n < switches; ++n)
                    trigger("mnuDubBrouw");
                const bool dubbel = s().app.dubbelBrouw;
                ASSERT_EQ(dubbel, startDubbel != (switches % 2 == 1));
                const int bits = s().recipe.ReceptStatus;
                const DisplayModel before = s().view;

                QString saved = path;
                switch (kind) {
                case SaveKind::Save:
                    trigger("mnuOpslaan");
                    break;
                case SaveKind::SaveAs:
                    saved = sample(QStringLiteral("Recept kopie.zlv"));
                    fake.saveAnswers = {saved};
                    trigger("mnuOpslaanAls");
                    break;
                case SaveKind::AutoSave:
                    saved = FileCommands::autoSaveName(path);
                    setAutoSave(true);
                    fc->tmrAutoSave_Timer();
                    setAutoSave(false);
                    break;
                }
                const QByteArray file = bytes(saved);
                ASSERT_FALSE(file.isEmpty());
                EXPECT_EQ(firstBeer(file), firstBeer(original));
                EXPECT_TRUE(file.contains(dubbel ? "Brouw=Dubbel" : "Brouw=Enkel"));
                if (switches % 2 == 0) {
                    EXPECT_EQ(file, original);
                }

                // Reopened from a window in the same mode and from one in the
                // other: the file's mode, the bits the switch left, and the
                // schedule of a fresh recalculation in that mode.
                for (int reopen = 0; reopen < 2; ++reopen) {
                    SCOPED_TRACE(reopen == 0 ? "reopened in the same mode" : "reopened in the other mode");
                    if (reopen == 1)
                        trigger("mnuDubBrouw");
                    ASSERT_TRUE(fc->openFile(saved));
                    EXPECT_EQ(s().app.dubbelBrouw, dubbel);
                    EXPECT_EQ(firstBeer(s().recipe), beer1);
                    EXPECT_EQ(s().recipe.ReceptStatus, bits);
                    Session fresh = s();
                    UpdateBrouwschema(fresh);
                    EXPECT_EQ(shown(s().view), shown(fresh.view));
                    EXPECT_EQ(scheduleLabels(s().view), scheduleLabels(before));
                    EXPECT_EQ(recipeFileBytes(s()), file) << "saved again, the file stays";
                }
            }
        }
    }
}

TEST_F(BrewModeWindow, TargetsAloneSurviveASwitchToDoubleASaveAsAndASwitchBack)
{
    // In a double brew without a second beer no bit is left, yet the recipe
    // holds the first beer's targets: Save As writes them.
    Session targets;
    test::setTargets(targets, {20, 5, 1012, 30, 5});
    ASSERT_TRUE(writeWholeFile(sample(QStringLiteral("Doelen.zlv")), recipeFileBytes(targets)));
    openSample(QStringLiteral("Doelen.zlv"));
    trigger("mnuDubBrouw");
    ASSERT_EQ(s().recipe.ReceptStatus, 0);

    const QString copy = sample(QStringLiteral("Doelen kopie.zlv"));
    fake.saveAnswers = {copy};
    trigger("mnuOpslaanAls");
    EXPECT_TRUE(fake.messages.empty());
    const QByteArray file = bytes(copy);
    EXPECT_TRUE(file.contains("Status=1\r\n"));
    EXPECT_TRUE(file.contains("Brouw=Dubbel\r\n"));
    EXPECT_TRUE(file.contains("Volume1=20\r\n"));

    ASSERT_TRUE(fc->openFile(copy));
    EXPECT_TRUE(s().app.dubbelBrouw);
    EXPECT_EQ(s().recipe.ReceptStatus, 0);
    trigger("mnuDubBrouw");
    EXPECT_EQ(s().recipe.ReceptStatus, StatusDoelstellingen);
    EXPECT_EQ(s().recipe.Doelstellingen(1), 20.0f);
}
