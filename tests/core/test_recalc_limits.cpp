#include "core/Formulas.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "support/FakeServices.h"
#include "support/QtPrint.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <functional>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class RecalcLimits : public ::testing::Test {
protected:
    TempProgramFolder folder;
    ScopedFakeServices fake;
};

// A recipe whose figures fall on whole numbers, so that the limits can be met
// exactly: 3 L, one grain row whose yield makes the grain bill exactly 10 kg,
// 3 L/kg. Then the mash water is 30 L, the free first wort 30 + 8 - 17 - 8 =
// 13 L, the runnings never reach 3 °P (so the wort after sparging is those
// 13 L), and the mash volume (3 - 2.3) * 10 + 10 * 3.3 + 8 = 48 L.
Session wholeNumberBrew()
{
    Session s;
    setTargets(s, {3, 5, 1012, 30, 5});
    const float og = float(1012 + (5 - (5 - 2.25) * 0.125) / 0.132);
    const double yield = double(SGToGL(og)) * 3 / 10000;
    const QByteArray text = QByteArray::number(yield, 'g', 17);
    setGrainBill(s, {{"Pilsmout", "100", text.constData(), "4"}});
    setMash(s, 3, 5.4f, {{65, 60}});
    return s;
}

TEST_F(RecalcLimits, WholeNumberRecipeMeetsItsFigures)
{
    Session s = wholeNumberBrew();
    UpdateBrouwschema(s);
    ASSERT_TRUE(fake.messages.empty());
    ASSERT_EQ(s.recipe.StortingMaisch, 10000.f);
    ASSERT_EQ(s.recipe.BeslaanVolume, 30.f);
    ASSERT_EQ(s.recipe.VrijeHoofdwort, 13.f);
    ASSERT_EQ(s.recipe.SpoelwortVolume, 0.f);
    EXPECT_EQ(s.view.lbl_vol_maisch.text, "Geschat volume maisch (L): 48");
}

TEST_F(RecalcLimits, BoilTimeColours)
{
    // Boil time (13 - 3) * 60 / evaporation.
    struct Row {
        float evaporatie;
        const char *text;
        Rgb colour;
    } rows[] = {
        {5, "Geschatte kooktijd: 120 min", RgbBlack},
        {10, "Geschatte kooktijd: 60 min", RgbBlack},               // exactly 60
        {10.001f, "Geschatte kooktijd: 60 min", RgbBlue},           // 59.994
        {20, "Geschatte kooktijd: 30 min", RgbBlue},                // exactly 30
        {float(600 / 29.9), "Geschatte kooktijd: 30 min", RgbRed},  // 29.9
        {100, "Geschatte kooktijd: 6 min", RgbRed},
    };
    for (const Row &row : rows) {
        Session s = wholeNumberBrew();
        s.recipe.Evaporatie = row.evaporatie;
        UpdateBrouwschema(s);
        EXPECT_EQ(s.view.lbl_VerwachteKooktijd.text, row.text) << row.evaporatie;
        EXPECT_EQ(s.view.lbl_VerwachteKooktijd.fore, row.colour) << row.evaporatie;
    }
}

TEST_F(RecalcLimits, WortAgainstKettleAndMashAgainstLauterTun)
{
    struct Row {
        std::int16_t kettle;
        float lauterTun;
        Rgb wort, mash;
    } rows[] = {
        {14, 49, RgbBlack, RgbBlack},
        {13, 48, RgbBlack, RgbBlack},  // equal is within the limit
        {12, 47.99f, RgbRed, RgbRed},
    };
    for (const Row &row : rows) {
        Session s = wholeNumberBrew();
        s.recipe.KetelInhoud = row.kettle;
        s.recipe.FilterKuipInhoud = row.lauterTun;
        UpdateBrouwschema(s);
        EXPECT_EQ(s.view.lbl_L_WortnaSpoelen.fore, row.wort) << row.kettle;
        EXPECT_EQ(s.view.lbl_vol_maisch.fore, row.mash) << row.lauterTun;
    }
}

// Each failure shows the one message, leaves the target volume as it was,
// runs neither the evaluation nor the status bar, and shows no NaN anywhere.
TEST_F(RecalcLimits, FailuresShowTheMessageAndLeaveNoBadNumbers)
{
    struct Case {
        const char *name;
        std::function<Session()> make;
        float loss = 1.3f;
    } cases[] = {
        {"zero volume",
         [] {
             Session s = singleBrew();
             s.recipe.Doelstellingen(1) = 0;
             return s;
         },
         0},
        {"zero yield", [] { return failingBrew(); }},
        {"zero percentages",
         [] {
             Session s = singleBrew();
             setGrainBill(s, {{"Pilsmout", "0", "0.78", "4"}});
             return s;
         }},
        {"bitter row without boil time",
         [] {
             Session s = singleBrew();
             s.recipe.Bitterhop(0, HopKooktijd) = QStringLiteral("0.4");  // rounds to 0 minutes
             return s;
         }},
        {"bitter row without alpha",
         [] {
             Session s = singleBrew();
             s.recipe.Bitterhop(0, HopAlfazuur) = QStringLiteral("");
             return s;
         }},
        {"zero evaporation",
         [] {
             Session s = singleBrew();
             s.recipe.Evaporatie = 0;
             return s;
         }},
        {"no water for the first wort",
         [] {
             Session s = wholeNumberBrew();  // 30 L of mash water
             s.recipe.VolFilterPlaatBodem = -30;
             return s;
         },
         0},  // a loss would change the grain bill and so the water
        {"zero second-beer volume",
         [] {
             Session s = doubleBrew();
             s.recipe.Doelstellingen(6) = 0;
             s.recipe.setStatus(StatusEvaluatie);
             return s;
         }},
        {"double brew with single-brew targets",
         [] {
             Session s = singleBrew();
             s.app.dubbelBrouw = true;
             return s;
         }},
        {"mash without rests",
         [] {
             Session s = singleBrew();
             s.recipe.Maischschema.redim(0, 4);
             s.recipe.Maischschema(0, 0) = 3;
             return s;
         }},
        {"grain share beyond a float",
         [] {
             Session s = singleBrew();
             setGrainBill(s, {{"Pilsmout", "1e300", "0.78", "4"}});
             return s;
         }},
        {"more grain rows than the schedule",
         [] {
             Session s = singleBrew();
             setGrainBill(s, {{"a", "10", "0.7", "4"},
                              {"b", "10", "0.7", "4"},
                              {"c", "10", "0.7", "4"},
                              {"d", "10", "0.7", "4"},
                              {"e", "10", "0.7", "4"},
                              {"f", "10", "0.7", "4"},
                              {"g", "10", "0.7", "4"},
                              {"h", "10", "0.7", "4"},
                              {"i", "10", "0.7", "4"},
                              {"j", "5", "0.7", "4"},
                              {"k", "5", "0.7", "4"}});
             return s;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Session s = c.make();
        setMeasured(s, 0, "20", "1050", "1012");
        const float volume = s.recipe.Doelstellingen.has(1) ? s.recipe.Doelstellingen(1) : -1.f;
        s.recipe.BrouwVerlies = c.loss;
        fake.clear();
        UpdateBrouwschema(s);
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].prompt, "        Recept kan niet korrekt berekend worden.\n"
                                           "Controleer inhoud bestand van recept of ontwerp recept opnieuw.");
        EXPECT_EQ(fake.messages[0].style, 48);
        EXPECT_EQ(fake.messages[0].title, "");
        EXPECT_EQ(s.recipe.Doelstellingen(1), volume);
        EXPECT_EQ(s.view.lbl_EvDS[0].text, "");  // no evaluation after a failure
        EXPECT_FALSE(s.view.panels[2].enabled);  // nor a status-bar refresh
        const QStringList bad = nonFiniteTexts(s);
        EXPECT_TRUE(bad.isEmpty()) << bad.join(u'\n').toStdString();
    }
}

TEST_F(RecalcLimits, WhatWasWrittenBeforeTheFailureStays)
{
    Session s = singleBrew();
    s.recipe.Bitterhop(0, HopKooktijd) = QStringLiteral("0");
    UpdateBrouwschema(s);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(s.view.lbl_StIngred[0].text, "90.35% || 90.0%  Pilsmout 2853 gr");
    EXPECT_EQ(s.view.lbl_Ahop[0].text, "20 gr. Saaz bloemen (3.5%); 15 min. kooktijd");
    EXPECT_EQ(s.view.lbl_Bhop[0].text, "");
    EXPECT_GT(s.recipe.AromaEBU, 0.f);

    // A failing grain row: the total caption shows the rows counted so far.
    Session f = failingBrew();
    UpdateBrouwschema(f);
    EXPECT_EQ(f.view.fraBSIngrdienten.caption, " Ingredienten storting (totaal 2841 gr) ");
    EXPECT_EQ(f.view.lbl_StIngred[0].text, "");
}

}  // namespace
