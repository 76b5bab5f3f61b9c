#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/ScheduleDisplay.h"
#include "core/Session.h"
#include "support/FakeServices.h"
#include "support/QtPrint.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class ScheduleDisplay : public ::testing::Test {
protected:
    TempProgramFolder folder;
    ScopedFakeServices fake;
};

TEST_F(ScheduleDisplay, WisBrouwschemaBlanksEveryTextAndNothingElse)
{
    Session s = doubleBrew();
    setMeasured(s, 0, "20", "1070", "1012");
    setMeasured(s, 1, "15", "1036", "1008");
    setDecoction(s, 100, 35, 20);
    UpdateBrouwschema(s);
    s.app.dubbelBrouw = false;  // the second beer's labels are hidden, and blanked all the same
    s.view.lbl_VerwachtSGNaSpoelen.text = QStringLiteral("SG na spoelen: from an earlier recipe");
    ASSERT_FALSE(s.view.lblMDecoctieStap.text.isEmpty());

    DisplayModel before = s.view;
    WisBrouwschema(s);
    s.view.forEachLabel([&](const QString &name, LabelSlot &l) {
        EXPECT_EQ(l.text, "") << name.toStdString();
        const LabelSlot *old = before.label(name);
        EXPECT_EQ(l.fore, old->fore) << name.toStdString();
        EXPECT_EQ(l.back, old->back) << name.toStdString();
        EXPECT_EQ(l.toolTip, old->toolTip) << name.toStdString();
        EXPECT_EQ(l.visible, old->visible) << name.toStdString();
    });
    s.view.forEachFrame(
        [&](const QString &name, FrameSlot &f) { EXPECT_EQ(f, *before.frame(name)) << name.toStdString(); });
    EXPECT_GT(s.view.revision, before.revision);
}

TEST_F(ScheduleDisplay, ScratchFileGoesButTheTastingWordsStay)
{
    Session s = singleBrew();
    s.recipe.Kenmerken[0] = QStringLiteral("Goudblond");
    s.recipe.setStatus(StatusKenmerken);
    QDir().mkpath(folder.path() + "/temp");
    const QString scratch = paths::file(QStringLiteral("temp/Kenmerken.ini"));
    {
        QFile f(scratch);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Kenmerken]\r\nKleur=Goudblond\r\n");
    }
    WisBrouwschema(s);
    EXPECT_FALSE(QFile::exists(scratch));
    EXPECT_EQ(s.recipe.Kenmerken[0], "Goudblond");
    EXPECT_TRUE(s.recipe.hasStatus(StatusKenmerken));

    // Without a scratch file there is nothing to do; a recalculation neither.
    WisBrouwschema(s);
    UpdateBrouwschema(s);
    EXPECT_EQ(s.recipe.Kenmerken[0], "Goudblond");
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ScheduleDisplay, ShowBrouwschemaShowsBothFrames)
{
    Session s;
    ASSERT_FALSE(s.view.fraBrouwSchema.visible);
    const auto rev = s.view.revision;
    ShowBrouwschema(s);
    EXPECT_TRUE(s.view.fraBrouwSchema.visible);
    EXPECT_TRUE(s.view.fraEvaluatie.visible);
    EXPECT_GT(s.view.revision, rev);
}

TEST_F(ScheduleDisplay, StatusBarPanelsFollowTheirBits)
{
    // Enabled panels 2..7 for each status: Algemeen, Doelstellingen, Storting,
    // Maischschema, Hopgift, Evaluatie.
    struct Row {
        std::int16_t status;
        bool panels[6];
    } rows[] = {
        {1023, {true, true, true, true, true, true}},     {0, {false, false, false, false, false, false}},
        {32, {false, false, false, false, false, false}}, {128 + 256 + 512, {false, false, false, false, false, false}},
        {1, {false, true, false, false, false, false}},   {2, {false, false, false, true, false, false}},
        {4, {false, false, true, false, false, false}},   {8, {false, false, false, false, true, false}},
        {16, {true, false, false, false, false, false}},  {64, {false, false, false, false, false, true}},
        {5, {false, true, true, false, false, false}},
    };
    Session s;
    s.view.panels[0].text = QStringLiteral("DB");
    s.view.panels[7].text = QStringLiteral("C:/recepten/blond.zlv");
    for (const Row &row : rows) {
        s.recipe.ReceptStatus = row.status;
        UpdateStatusBar(s);
        for (int p = 0; p < 6; ++p)
            EXPECT_EQ(s.view.panels[std::size_t(p + 1)].enabled, row.panels[p]) << row.status << " panel " << p + 2;
    }
    // Brew mode, path, date and time are not this routine's.
    EXPECT_EQ(s.view.panels[0].text, "DB");
    EXPECT_EQ(s.view.panels[7].text, "C:/recepten/blond.zlv");
    EXPECT_TRUE(s.view.panels[0].enabled);
    EXPECT_EQ(s.view.panels[2].text, "Doelstellingen");
}

TEST_F(ScheduleDisplay, RecalculationBumpsTheRevision)
{
    Session s = singleBrew();
    auto rev = s.view.revision;
    UpdateBrouwschema(s);
    EXPECT_GT(s.view.revision, rev);
    rev = s.view.revision;
    Session f = failingBrew();
    f.view.revision = rev;
    UpdateBrouwschema(f);
    EXPECT_GT(f.view.revision, rev);
}

}  // namespace
