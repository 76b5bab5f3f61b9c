#include "core/Evaluation.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "support/FakeServices.h"
#include "support/QtPrint.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class Evaluation : public ::testing::Test {
protected:
    ScopedFakeServices fake;

    // Single brew, no brewing loss: 20 L, 30 EBU, 5 g/L carbonation; expected
    // OG 1050, grain bill 4000 g, colour 20 EBC; measured 20 L, 1050, 1012.
    static Session worked()
    {
        Session s;
        setTargets(s, {20, 5, 1012, 30, 5});
        s.recipe.OGSG = 1050;
        s.recipe.TotaleStorting = 4000;
        s.recipe.KleurEBC = 20;
        setMeasured(s, 0, "20", "1050", "1012");
        return s;
    }
    int errors() const
    {
        int n = 0;
        for (const auto &m : fake.messages) {
            EXPECT_EQ(m.prompt, "Error in Sub Evalueer");
            EXPECT_EQ(m.style, 0);
            EXPECT_EQ(m.title, "");
            ++n;
        }
        return n;
    }
};

// EvAlc = 38 * 0.132 + 2.5 * 0.125 = 5.3285; EvBZR = 1050 * 20 * 12.25685 / 4000
// = 64.348; EvSVG = 3800 / 50 = 76; EvEBU 30 (band 28.5 - 31.5); EvEBC 20 (18 - 22).
TEST_F(Evaluation, WorkedExample)
{
    Session s = worked();
    Evalueer(s);
    const RecipeState &r = s.recipe;
    const DisplayModel &v = s.view;
    EXPECT_EQ(errors(), 0);
    EXPECT_NEAR(r.EvAlc, 38 * 0.132 + 2.5 * 0.125, 1e-5);
    EXPECT_NEAR(r.EvBZR, 1050.0 * 20 * ((1050 - 999.541) / 4.1168) / 4000, 1e-3);
    EXPECT_FLOAT_EQ(r.EvSVG, 76.f);
    EXPECT_FLOAT_EQ(r.EvEBU, 30.f);
    EXPECT_FLOAT_EQ(r.EvEBC, 20.f);
    EXPECT_TRUE(v.fraEvalDS.visible);
    EXPECT_TRUE(v.fraEvalEv.visible);
    EXPECT_EQ(v.lbl_EvDS[0].text, "Volume (L):  20   (= 21. kg)");
    EXPECT_EQ(v.lbl_EvDS[1].text, "Alcoholpercentage (vol%):  5");
    EXPECT_EQ(v.lbl_EvDS[2].text, "Eind SG (kg/m3):  1012");
    EXPECT_EQ(v.lbl_EvDS[3].text, "Bitterheid (EBU):  30");
    EXPECT_EQ(v.lbl_EvDS[4].text, "Koolzuurgehalte (gr/L):  5");
    EXPECT_EQ(v.lbl_Eval_vol.text, "Volume (L):  20  (5.3 vol%)");
    EXPECT_EQ(v.lbl_Eval_FGOG.text, "OG: 1050  Eind SG: 1012 (kg/m3)");
    EXPECT_EQ(v.lbl_Eval_BZR.text, "BZR (%): 64.3   SVG (%): 76.0");
    EXPECT_EQ(v.lbl_Eval_EBU.text, "Bitterheid (EBU): 28.5 - 31.5");
    EXPECT_EQ(v.lbl_Eval_EBC.text, "Kleur (EBC): 18 - 22");
}

TEST_F(Evaluation, MeasuredVolumeScalesBitternessAndColour)
{
    struct Row {
        const char *volume;
        float ebu, ebc;
    } rows[] = {{"20", 30, 20}, {"40", 15, 10}, {"10", 60, 40}, {"25", 24, 16}};
    for (const Row &row : rows) {
        Session s = worked();
        s.recipe.Evaluatie(0, 0) = QString::fromLatin1(row.volume);
        Evalueer(s);
        EXPECT_FLOAT_EQ(s.recipe.EvEBU, row.ebu) << row.volume;
        EXPECT_FLOAT_EQ(s.recipe.EvEBC, row.ebc) << row.volume;
    }
}

TEST_F(Evaluation, FailingStepsReportAndTheRestGoesOn)
{
    {
        SCOPED_TRACE("measured OG 1000: only the attenuation fails");
        Session s = worked();
        s.recipe.Evaluatie(1, 0) = QStringLiteral("1000");
        s.recipe.Evaluatie(2, 0) = QStringLiteral("990");
        Evalueer(s);
        EXPECT_EQ(errors(), 1);
        EXPECT_EQ(s.recipe.EvSVG, 0.f);
        EXPECT_NEAR(s.recipe.EvAlc, 10 * 0.132 + 2.5 * 0.125, 1e-5);
        EXPECT_EQ(s.view.lbl_Eval_BZR.text.right(11), "SVG (%): .0");
        EXPECT_EQ(s.view.lbl_Eval_EBU.text, "Bitterheid (EBU): 28.5 - 31.5");
        fake.clear();
    }
    {
        SCOPED_TRACE("measured volume 0: bitterness and colour fail");
        Session s = worked();
        s.recipe.Evaluatie(0, 0) = QStringLiteral("0");
        Evalueer(s);
        EXPECT_EQ(errors(), 2);
        EXPECT_EQ(s.view.lbl_Eval_vol.text, "Volume (L):  0  (5.3 vol%)");
        EXPECT_EQ(s.view.lbl_Eval_BZR.text, "BZR (%): .0   SVG (%): 76.0");
        EXPECT_EQ(s.view.lbl_Eval_EBU.text, "Bitterheid (EBU): .0 - .0");
        EXPECT_EQ(s.view.lbl_Eval_EBC.text, "Kleur (EBC):  - ");
        fake.clear();
    }
    {
        SCOPED_TRACE("empty measured volume: also its label fails");
        Session s = worked();
        s.view.lbl_Eval_vol.text = QStringLiteral("earlier");
        s.recipe.Evaluatie(0, 0) = QString();
        Evalueer(s);
        EXPECT_EQ(errors(), 3);
        EXPECT_EQ(s.view.lbl_Eval_vol.text, "earlier");
        fake.clear();
    }
    {
        SCOPED_TRACE("a measured text that is not wholly a number feeds the figures");
        Session s = worked();
        s.recipe.Evaluatie(1, 0) = QStringLiteral("1050x");
        Evalueer(s);
        EXPECT_EQ(errors(), 1);
        EXPECT_FLOAT_EQ(s.recipe.EvSVG, 76.f);
        EXPECT_EQ(s.view.lbl_Eval_FGOG.text, "");
        fake.clear();
    }
    {
        SCOPED_TRACE("a target index the array lacks: the test fails, then its step");
        Session s = worked();
        s.recipe.Doelstellingen.redim(3);
        s.recipe.Doelstellingen(1) = 20;
        Evalueer(s);
        // Planned bitterness and carbonation: test and step each; alcohol's
        // carbonation; the measured bitterness.
        EXPECT_EQ(errors(), 6);
        EXPECT_EQ(s.view.lbl_EvDS[3].text, "");
        EXPECT_NEAR(s.recipe.EvAlc, 38 * 0.132, 1e-5);
        fake.clear();
    }
}

TEST_F(Evaluation, PanelsFollowTheStatusBitsAndTheBrewMode)
{
    Session s = worked();
    s.recipe.Doelstellingen(5) = 0;  // no carbonation target: its line stays as it was
    s.view.fraEvalDS2.visible = false;
    Evalueer(s);
    EXPECT_EQ(s.view.lbl_EvDS[4].text, "");
    EXPECT_FALSE(s.view.fraEvalDS2.visible);  // single brew leaves it to the layout
    EXPECT_EQ(s.view.fraEvalEv.caption, " Evaluatie ");

    Session none;
    none.view.fraEvalDS.visible = none.view.fraEvalDS2.visible = true;
    none.view.fraEvalEv.visible = false;
    Evalueer(none);
    EXPECT_FALSE(none.view.fraEvalDS.visible);
    EXPECT_FALSE(none.view.fraEvalDS2.visible);
    EXPECT_FALSE(none.view.fraEvalEv.visible);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Evaluation, NoGrainBillLeavesTheYieldAtZero)
{
    Session s = worked();
    s.recipe.TotaleStorting = 0;
    Evalueer(s);
    EXPECT_EQ(s.recipe.EvBZR, 0.f);
    EXPECT_EQ(s.view.lbl_Eval_BZR.text, "BZR (%): .0   SVG (%): 76.0");
}

TEST_F(Evaluation, ColourBandWhoseLowerEndRoundsToNothing)
{
    Session s = worked();
    s.recipe.KleurEBC = 0.5f;
    Evalueer(s);
    EXPECT_EQ(s.view.lbl_Eval_EBC.text, "Kleur (EBC):  - 1");
}

TEST_F(Evaluation, DoubleBrew)
{
    Session s;
    setTargets(s, {20, 8, 1012, 35, 6}, {15, 4, 1008, 20, 5});
    s.recipe.OGSG = 1069;
    s.recipe.TotaleStorting = 8000;
    s.recipe.KleurEBC = 30;
    s.recipe.KleurEBC2 = 12;
    setMeasured(s, 0, "20", "1070", "1012");
    setMeasured(s, 1, "15", "1036", "1008");
    Evalueer(s);
    const DisplayModel &v = s.view;
    EXPECT_EQ(fake.messages.size(), 0u);
    EXPECT_TRUE(v.fraEvalDS2.visible);
    EXPECT_EQ(v.lbl_EvDS2[0].text, "Volume (L):  15");  // no mass for the second beer
    EXPECT_EQ(v.lbl_EvDS2[3].text, "Bitterheid (EBU):  20");
    EXPECT_EQ(v.fraEvalEv.caption, " Evaluatie dikbier ");
    EXPECT_TRUE(v.fraEvalEv2.visible);
    // Second beer: 28 * 0.132 + 2.5 * 0.125 = 4.008 vol%; attenuation 2800 / 36.
    EXPECT_NEAR(s.recipe.EvAlc2, 28 * 0.132 + 2.5 * 0.125, 1e-5);
    EXPECT_NEAR(s.recipe.EvSVG2, 2800.0 / 36, 1e-4);
    EXPECT_FLOAT_EQ(s.recipe.EvEBU2, 20.f);
    EXPECT_FLOAT_EQ(s.recipe.EvEBC2, 12.f);
    EXPECT_EQ(v.lbl_Eval2_vol.text, "Volume (L):  15  (4.0 vol%)");
    EXPECT_EQ(v.lbl_Eval2_EBU.text, "Bitterheid (EBU): 19.0 - 21.0");
    // Both yields against the whole grain bill: together the brew's yield.
    const double p1 = (1070 - 999.541) / 4.1168, p2 = (1036 - 999.541) / 4.1168;
    EXPECT_NEAR(s.recipe.EvBZR + s.recipe.EvBZR2, (1070 * 20 * p1 + 1036 * 15 * p2) / 8000, 1e-3);

    // Measured values of the first beer only (one column): the second panel
    // shows with its labels as they were.
    Session one;
    setTargets(one, {20, 8, 1012, 35, 6}, {15, 4, 1008, 20, 5});
    one.recipe.Evaluatie.redim(2, 0);
    setMeasured(one, 0, "20", "1070", "1012");
    Evalueer(one);
    EXPECT_TRUE(one.view.fraEvalEv2.visible);
    EXPECT_EQ(one.view.lbl_Eval2_vol.text, "");
    EXPECT_EQ(one.recipe.EvAlc2, 0.f);
    EXPECT_EQ(fake.messages.size(), 0u);
}

// Through the recalculation: the brewing loss is in the planned volume and in
// the scaling, and the target itself is unchanged afterwards.
TEST_F(Evaluation, BrewingLossThroughTheRecalculation)
{
    TempProgramFolder folder;
    Session s = singleBrew();
    s.recipe.BrouwVerlies = 2;
    setMeasured(s, 0, "22", "1047", "1010");
    UpdateBrouwschema(s);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(s.view.lbl_EvDS[0].text.startsWith("Volume (L):  22   (= ")) << s.view.lbl_EvDS[0].text.toStdString();
    EXPECT_FLOAT_EQ(s.recipe.EvEBU, 30.f);  // 30 * 22 / 22
    EXPECT_NEAR(s.recipe.EvEBC, s.recipe.KleurEBC, 1e-5);
    EXPECT_EQ(s.recipe.Doelstellingen(1), 20.f);
    EXPECT_TRUE(s.view.panels[6].enabled);
}

}  // namespace
