#include "core/CalcError.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "core/Sparge.h"
#include "support/FakeServices.h"
#include "support/QtPrint.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString ord = QStringLiteral("\u00BA");

// 5 kg of grain at a mean yield of 0.75, mashed with 15 L, 8 L under the false
// bottom of which 8 L fixed.
Session fiveKilos()
{
    Session s;
    s.recipe.StortingMaisch = 5000;
    s.recipe.BZRMaisch = 0.75f;
    s.recipe.BeslaanVolume = 15;
    s.recipe.VolFilterPlaatBodem = 8;
    s.recipe.FixedVolFilterPlaatBodem = 8;
    s.recipe.SpoelenTot = 3;
    return s;
}

// By hand: c = 5000 * 0.0017 + 8 = 16.5, d = 2.5; first wort 0.75 * 5000 / 23 =
// 163.04 g/L -> 1062.36 kg/m3 = 15.26 °P; volume 15 + 8 - 8 = 15 L (15.94 kg);
// free 23 - 8.5 - 8 = 6.5 L, so c = 23. Sparging to 3 °P (29.487 g/L):
// r = 11/12 * 163.04 / (29.487 - 163.04 / 12) - 1 = 8.400; sparged
// 2.5 * ln 8.4 + 16.5 = 21.82 L; wort 28.32 L at 3750 / 28.32 = 132.4 g/L,
// 29.76 kg; sparge water 21.82 - 8 - 0.5 = 13.32 L.
TEST(Sparge, WorkedFirstWortAndSparging)
{
    Session s = fiveKilos();
    UpdateHoofdwort(s);
    const RecipeState &r = s.recipe;
    EXPECT_FLOAT_EQ(r.CoefficientA, 1.f / 12);
    EXPECT_FLOAT_EQ(r.CoefficientB, 11.f / 12);
    EXPECT_FLOAT_EQ(r.CoefficientC, 23.f);
    EXPECT_FLOAT_EQ(r.CoefficientD, 2.5f);
    EXPECT_NEAR(r.HWSG, 3750.0 / 23 * 0.3779 + 1000.7484, 1e-3);
    EXPECT_FLOAT_EQ(r.HoofdwortVolume, 15.f);
    EXPECT_FLOAT_EQ(r.VrijeHoofdwort, 6.5f);
    const SpargeView &v = s.view.spoelen;
    EXPECT_EQ(v.lblSpSGHoofdWort, "SG Hoofdwort (kg/m3): 1062");
    EXPECT_EQ(v.lblSpSGHoofdwortPlato, "Hoofdwort (" + ord + "Plato): 15.3");
    EXPECT_EQ(v.lblSpVolHoofdWort, "Volume Hoofdwort (L): 15 = 15.9 kg");
    EXPECT_EQ(v.lblSpVolHoofdWortToolTip, "Vrij beschikbare hoofdwort (L): 7");  // 6.5 rounds away from zero
    EXPECT_EQ(v.txtSPSpoelenTot, "3.0");
    EXPECT_EQ(v.txtSpWerkelijkSGHoofdwort, "15.3");

    UpdateSpoelen(s);
    const double gl1 = (double(r.HWSG) - 1000.7484) / 0.3779;
    const double target = (3 - 0.29328) / 0.091795;
    const double ratio = 11.0 / 12 * gl1 / (target - gl1 / 12) - 1;
    EXPECT_NEAR(ratio, 8.40, 0.005);
    EXPECT_NEAR(r.SpoelwortVolume, 2.5 * std::log(ratio) + 16.5, 1e-4);
    EXPECT_NEAR(r.Spoelwater, 2.5 * std::log(ratio) + 16.5 - 8 - 0.5, 1e-4);
    EXPECT_EQ(v.lblSPVolWort, "Wort na spoelen (L): 28 = 29.8 kg");
    EXPECT_EQ(v.lblSpSpoelwater, "Benodigd spoelwater (L): 13");
    // The main window's lines are copies of the dialog's.
    EXPECT_EQ(s.view.lbl_L_WortnaSpoelen.text, v.lblSPVolWort);
    EXPECT_EQ(s.view.lbl_L_spoelwater.text, v.lblSpSpoelwater);
}

TEST(Sparge, TargetOutsideTheCurveHasNoSolutionAndChangesNothing)
{
    // At or above the first wort (15.26 °P), or below a twelfth of it (1.27 °P).
    for (float target : {15.3f, 16.f, 30.f, 1.f}) {
        Session s = fiveKilos();
        s.recipe.SpoelenTot = target;
        UpdateHoofdwort(s);
        s.recipe.SpoelwortVolume = 7;
        s.recipe.Spoelwater = 5;
        s.view.lbl_L_spoelwater.text = QStringLiteral("earlier");
        const SpargeView before = s.view.spoelen;
        UpdateSpoelen(s);
        EXPECT_EQ(s.recipe.SpoelwortVolume, 7.f) << target;
        EXPECT_EQ(s.recipe.Spoelwater, 5.f) << target;
        EXPECT_EQ(s.view.spoelen, before) << target;
        EXPECT_EQ(s.view.lbl_L_spoelwater.text, "earlier") << target;
    }
}

TEST(Sparge, TargetIsTakenWithTheOneDecimalTheDialogShows)
{
    Session a = fiveKilos(), b = fiveKilos();
    a.recipe.SpoelenTot = 3.0f;
    b.recipe.SpoelenTot = 3.04f;
    for (Session *s : {&a, &b}) {
        UpdateHoofdwort(*s);
        UpdateSpoelen(*s);
    }
    EXPECT_EQ(b.view.spoelen.txtSPSpoelenTot, "3.0");
    EXPECT_EQ(a.recipe.Spoelwater, b.recipe.Spoelwater);
    EXPECT_EQ(a.recipe.SpoelwortVolume, b.recipe.SpoelwortVolume);
}

TEST(Sparge, NoWaterIsACalculationError)
{
    Session s = fiveKilos();
    s.recipe.BeslaanVolume = 8;
    s.recipe.VolFilterPlaatBodem = -8;
    EXPECT_THROW(UpdateHoofdwort(s), CalcError);
}

// The halving search must find what a litre-by-litre search finds.
TEST(Sparge, SwitchOverMatchesTheLitreByLitreSearch)
{
    Session s = fiveKilos();
    UpdateHoofdwort(s);
    UpdateSpoelen(s);
    RecipeState &r = s.recipe;
    r.Doelstellingen.redim(10);
    r.OGSG = 1060;
    const double a = r.CoefficientA, b = r.CoefficientB, c = r.CoefficientC, d = r.CoefficientD;
    const double g1 = (double(r.HWSG) - 1000.7484) / 0.3779;
    const int last = int(std::lround(double(r.VrijeHoofdwort) + double(r.SpoelwortVolume))) + 1;
    for (float volume : {0.f, 1.f, 2.5f, 5.f, 10.f, 15.f, 20.f, 25.f, 30.f, 60.f}) {
        r.Doelstellingen(1) = volume;
        const float needed = float((double(r.OGSG) - 1000.7484) / 0.3779 * volume);
        int expected = -1;
        for (int v = 0; v <= last && expected < 0; ++v) {
            const double e = g1 * (a * v - b * d * std::log((1 + std::exp(-(v - c) / d)) / (1 + std::exp(c / d))));
            if (float(e) > needed)
                expected = v;
        }
        const auto p = BerekenOmslag(r, r.Doelstellingen(1));
        if (expected < 0) {
            EXPECT_FALSE(p.has_value()) << volume;
        } else {
            ASSERT_TRUE(p.has_value()) << volume;
            EXPECT_EQ(p->litres, expected) << volume;
        }
    }
}

}  // namespace
