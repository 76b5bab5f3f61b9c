#include "core/Evaluation.h"
#include "core/Formulas.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "support/FakeServices.h"
#include "support/QtPrint.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString deg = QStringLiteral("\u00B0");  // degree sign of the °C and °Plato texts
const QString ord = QStringLiteral("\u00BA");  // the ordinal sign the sparge lines use

class Recalc : public ::testing::Test {
protected:
    TempProgramFolder folder;
    ScopedFakeServices fake;

    // Every text a label, frame, panel or the sparge view shows.
    static void expectClean(Session &s)
    {
        EXPECT_TRUE(nonFiniteTexts(s).isEmpty()) << nonFiniteTexts(s).join(u'\n').toStdString();
    }
};

// The worked single brew, by hand:
//   OG   = 1012 + (5 - (5 - 2.25) * 0.125) / 0.132             = 1047.2747 kg/m3, 11.59 °P
//   OGGL = (1047.2747 - 1000.7484) / 0.3779                      = 123.1179 g/L
//   grams: pils 123.1179 * 20 * 90 / (0.78 * 100) = 2841.18, munich * 10 / 75 = 328.31
//   total 3169.497 g; extract share S = 0.78 * 0.9 + 0.75 * 0.1 = 0.777; extract 2462.70
//   row shares 0.78 * 90 / 0.777 = 90.35 %, 0.75 * 10 / 0.777 = 9.65 %
//   row grams 3169.497 * 0.9 = 2852.5, * 0.1 = 316.9
//   mash water 3 * 3169.497 / 1000 = 9.508 L
//   first wort: 0.777 * 3169.497 / (9.508 + 8) = 140.66 g/L -> 1053.90 kg/m3 = 13.20 °P
//   free first wort 9.508 + 8 - 5.388 - 8 = 4.120 L
//   c0 = 5.388 + 8 = 13.388, d = 1.5847; target 3.0 °P = 29.487 g/L
//   r = 11/12 * 140.66 / (29.487 - 140.66 / 12) - 1 = 6.2578
//   sparged wort 1.5847 * ln(6.2578) + 13.388 = 16.294 L; K = 20.415 L
//   wort extract 0.777 * 3169.497 / 20.415 = 120.63 g/L -> 1046.34 kg/m3 = 11.37 °P; mass 21.36 kg
//   sparge water 16.294 - 8 - 0.317 = 7.977 L; boil time (20.415 - 20) * 60 / 25 = 1.0 min
//   mash volume (3 - 2.3) * 3.1695 + 3.1695 * 3.3 + 8 = 20.68 L
//   aroma EBU: 20 * 3.5 / 200 * utilisation(1048, 15 min) = 0.35 * 11.653 = 4.0786
//   bitter grams: (30 - 4.0786) * 10 * 20 * 0.9 / 12 / utilisation(1048, 60) = 16.56 g
TEST_F(Recalc, WorkedSingleBrewSchedule)
{
    Session s = singleBrew();
    UpdateBrouwschema(s);
    const DisplayModel &v = s.view;
    const RecipeState &r = s.recipe;

    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(v.fraBrouwSchema.caption, " Brouwschema Blond 20 L");
    EXPECT_EQ(v.fraBSIngrdienten.caption, " Ingredienten storting (totaal 3169 gr) ");
    EXPECT_EQ(v.lbl_verwachtOG.text, "Verwacht OG: 1047 kg/m3 = 11.6 " + deg + "Plato");
    EXPECT_FALSE(v.lbl_VerwachtOG2.visible);
    EXPECT_EQ(v.lbl_StIngred[0].text, "90.35% || 90.0%  Pilsmout 2853 gr");
    EXPECT_EQ(v.lbl_StIngred[1].text, "9.65% || 10.0%  Munich 317 gr");
    EXPECT_EQ(v.lbl_StIngred[2].text, "");
    EXPECT_EQ(v.lbl_MS[0].text, "Inmaischstap: 52 " + deg + "C; 10 min");
    EXPECT_EQ(v.lbl_MS[1].text, "Rust1: 63 " + deg + "C; 30 min");
    EXPECT_EQ(v.lbl_MS[3].text, "Rust3: 78 " + deg + "C; 5 min");
    EXPECT_EQ(v.lbl_MS[4].text, "");
    EXPECT_EQ(v.lbl_L_inmaischen.text, "Inmaischen met 10 L (3 L/kg)");
    EXPECT_EQ(v.lbl_pH_Maisch.text, "pH maisch: 5.4");
    EXPECT_EQ(v.lblMDecoctieStap.text, "");
    EXPECT_EQ(v.lbl_SG_Hoofdwort.text, "SG Hoofdwort: 1054 kg/m3");
    EXPECT_EQ(v.lbl_Plato_Hoofdwort.text, "Hoofdwort in " + ord + "Plato: 13.2");
    EXPECT_EQ(v.lbl_SpoelenTot.text, "Spoelen tot: 3.0 " + ord + "Plato = 1012 kg/m3");
    EXPECT_EQ(v.lbl_L_spoelwater.text, "Benodigd spoelwater: 8 L");
    EXPECT_EQ(v.lbl_L_WortnaSpoelen.text, "Wort na spoelen: 20 L = 21.4 kg");
    EXPECT_EQ(v.lbl_L_WortnaSpoelen.fore, RgbBlack);
    EXPECT_EQ(v.lbl_VerwachteKooktijd.text, "Geschatte kooktijd: 1 min");
    EXPECT_EQ(v.lbl_VerwachteKooktijd.toolTip,
              "Geschatte kooktijd gebaseerd op inkoken van 20 L wort naar 20 L met een evaporatie van 25 L/uur");
    EXPECT_EQ(v.lbl_VerwachteKooktijd.fore, RgbRed);
    EXPECT_TRUE(v.lbl_VerwachteKooktijd.visible);
    EXPECT_EQ(v.lbl_VerwachtSGNaSpoelen.text, "SG na spoelen: 1046 kg/m3 = 11.4 " + ord + "Plato");
    EXPECT_EQ(v.lbl_vol_maisch.text, "Geschat volume maisch (L): 21");
    EXPECT_EQ(v.lbl_vol_maisch.fore, RgbBlack);
    EXPECT_EQ(v.lbl_Ahop[0].text, "20 gr. Saaz bloemen (3.5%); 15 min. kooktijd");
    EXPECT_EQ(v.lbl_Bhop[0].text, "17 gr. Magnum pellets (12%); 60 min. kooktijd");
    EXPECT_EQ(r.Bitterhop(0, HopBerekendGram), "17");
    EXPECT_EQ(r.Bitterhop(0, HopHoedanigheid), "pellets");  // normalised in the recipe itself
    EXPECT_EQ(v.lbl_EvDS[0].text, "Volume (L):  20   (= 20.9 kg)");
    EXPECT_EQ(v.lbl_EvDS[3].text, "Bitterheid (EBU):  30");
    EXPECT_TRUE(v.fraEvalDS.visible);
    EXPECT_EQ(v.lbl_SGOvergang.text, "");
    EXPECT_FALSE(v.lbl_SGOvergang.visible);

    // The derived values, independently in double precision.
    const double og = 1012 + (5 - (5 - 2.25) * 0.125) / 0.132;
    const double oggl = (og - 1000.7484) / 0.3779;
    const double total = oggl * 20 * 90 / 78 + oggl * 20 * 10 / 75;
    EXPECT_NEAR(r.OGSG, og, 1e-3);
    EXPECT_NEAR(r.TotaleStorting, total, 0.01);
    EXPECT_NEAR(r.TotaalExtract, total * 0.777, 0.01);
    EXPECT_NEAR(r.StortingMaisch, total, 0.01);
    EXPECT_NEAR(r.BZRMaisch, 0.777, 1e-6);
    EXPECT_NEAR(r.BeslaanVolume, 3 * total / 1000, 1e-4);
    const double colour = (og - 999.541) / 4.1168 / 860 * (90 * 4 + 10 * 15);
    EXPECT_NEAR(r.KleurEBC, colour, 1e-4);
    const double util15 = 1.65 * std::pow(0.000125, 0.048) * 100 * ((1 - std::exp(-0.6)) / 4.15);
    EXPECT_NEAR(r.AromaEBU, 20 * 3.5 / 200 * util15, 1e-4);

    // Panels of the parts present: targets, grain bill, mash and hops.
    EXPECT_FALSE(v.panels[1].enabled);
    for (int p : {2, 3, 4, 5})
        EXPECT_TRUE(v.panels[std::size_t(p)].enabled) << p;
    EXPECT_FALSE(v.panels[6].enabled);
    expectClean(s);
}

TEST_F(Recalc, BrewingLossIsAddedForTheCallAndTheOldVolumeComesBackExactly)
{
    Session s = singleBrew();
    s.recipe.BrouwVerlies = 2;
    UpdateBrouwschema(s);
    EXPECT_EQ(s.view.fraBrouwSchema.caption, " Brouwschema Blond 22 L");
    EXPECT_EQ(s.view.lbl_EvDS[0].text.left(16), "Volume (L):  22 ");
    EXPECT_EQ(s.recipe.Doelstellingen(1), 20.0f);

    // Volumes whose sum does not round back when the loss is taken off again.
    struct Case {
        float volume, loss;
    } cases[] = {{20.3f, 0.1f}, {23.7f, 1.9f}, {1e-3f, 3.3f}, {16777217.f, 1.f}};
    for (const Case &c : cases) {
        Session t = singleBrew();
        t.recipe.Doelstellingen(1) = c.volume;
        t.recipe.BrouwVerlies = c.loss;
        UpdateBrouwschema(t);
        EXPECT_EQ(t.recipe.Doelstellingen(1), c.volume) << c.volume << " + " << c.loss;
        // And after a failure too.
        Session f = failingBrew();
        f.recipe.Doelstellingen(1) = c.volume;
        f.recipe.BrouwVerlies = c.loss;
        UpdateBrouwschema(f);
        EXPECT_EQ(f.recipe.Doelstellingen(1), c.volume) << c.volume << " + " << c.loss;
    }
}

TEST_F(Recalc, ReadOnlyRecipeMarksTheCaption)
{
    Session s = singleBrew();
    s.recipe.ReceptAttr = 1 | 32;
    UpdateBrouwschema(s);
    EXPECT_EQ(s.view.fraBrouwSchema.caption, " Brouwschema Blond 20 L  (Alleen lezen!) ");
    s.recipe.ReceptAttr = 32;
    UpdateBrouwschema(s);
    EXPECT_EQ(s.view.fraBrouwSchema.caption, " Brouwschema Blond 20 L");
}

TEST_F(Recalc, TargetsOnlyWritesCaptionAndGravityAndNothingElse)
{
    Session s;
    setTargets(s, {20, 5, 1012, 30, 5});
    UpdateBrouwschema(s);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(s.view.fraBrouwSchema.caption, " Brouwschema  20 L");
    EXPECT_EQ(s.view.lbl_verwachtOG.text, "Verwacht OG: 1047 kg/m3 = 11.6 " + deg + "Plato");
    int written = 0;
    s.view.forEachLabel([&](const QString &name, LabelSlot &l) {
        if (!l.text.isEmpty() && name != "lbl_verwachtOG" && !name.startsWith("lbl_EvDS"))
            ADD_FAILURE() << name.toStdString() << ": " << l.text.toStdString();
        written += !l.text.isEmpty();
    });
    EXPECT_EQ(written, 6);  // the gravity and the five planned values
    EXPECT_TRUE(s.view.panels[2].enabled);
    EXPECT_FALSE(s.view.panels[3].enabled);
}

TEST_F(Recalc, NoTargetsYetBlanksTheScheduleWithoutAMessage)
{
    Session s = singleBrew();
    UpdateBrouwschema(s);
    ASSERT_FALSE(s.view.lbl_StIngred[0].text.isEmpty());

    // A grain bill and mash entered first on a fresh recipe: no targets.
    s.recipe.Doelstellingen.redim(0);
    s.recipe.clearStatus(StatusDoelstellingen);
    const auto before = s.view.revision;
    UpdateBrouwschema(s);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_FALSE(s.recipe.Doelstellingen.has(1));
    s.view.forEachLabel([](const QString &name, LabelSlot &l) { EXPECT_EQ(l.text, "") << name.toStdString(); });
    EXPECT_FALSE(s.view.panels[2].enabled);  // targets greyed
    EXPECT_TRUE(s.view.panels[3].enabled);   // grain bill
    EXPECT_EQ(s.recipe.TotaleStorting, 0.f);
    EXPECT_GT(s.view.revision, before);
}

// The outcome tells a caller that goes on with the figures whether they are
// whole; the user has seen the message either way.
TEST_F(Recalc, OutcomeSaysWhetherTheFiguresAreWhole)
{
    struct Case {
        const char *name;
        Session s;
        QString message;  // empty: done
    };
    Session noTargets = singleBrew();
    noTargets.recipe.Doelstellingen.redim(0);
    Session badMeasure = singleBrew();
    setMeasured(badMeasure, 0, "0", "1050", "1010");  // no volume to divide by
    Case cases[] = {
        {"worked single brew", singleBrew(), {}},
        {"double brew", doubleBrew(), {}},
        {"no targets yet", noTargets, {}},
        {"zero yield", failingBrew(), RecalcFoutmelding},
        {"measured volume 0", badMeasure, EvalueerFoutmelding},
    };
    for (Case &c : cases) {
        fake.clear();
        const RecalcOutcome outcome = UpdateBrouwschema(c.s);
        EXPECT_EQ(bool(outcome), c.message.isEmpty()) << c.name;
        EXPECT_EQ(outcome.message, c.message) << c.name;
        if (c.message.isEmpty())
            EXPECT_TRUE(fake.messages.empty()) << c.name;
        else
            EXPECT_EQ(fake.prompts().first(), c.message) << c.name;
    }
    // A failing evaluation step still lets the rest run: the status bar shows
    // the measured part.
    EXPECT_TRUE(cases[4].s.view.panels[6].enabled);
}

// The stored percentage is shown as a number when the whole (trimmed) text is
// one, and as typed otherwise; the figures take its leading number either way.
TEST_F(Recalc, GrainPercentageTextAsShown)
{
    Session plainBrew = singleBrew();
    UpdateBrouwschema(plainBrew);
    const struct {
        const char *perc, *shown;
    } rows[] = {{" 90 ", "90.0"}, {"90.004", "90.0"}, {"9e1", "90.0"}, {" 90x ", "90x"}, {"90,0", "90,0"}};
    for (const auto &row : rows) {
        Session s = singleBrew();
        s.recipe.Storting(0, StPerc) = QString::fromLatin1(row.perc);
        UpdateBrouwschema(s);
        EXPECT_TRUE(fake.messages.empty()) << row.perc;
        EXPECT_EQ(s.view.lbl_StIngred[0].text, "90.35% || " + QString::fromLatin1(row.shown) + "%  Pilsmout 2853 gr")
            << row.perc;
        if (QByteArray(row.perc) != "90.004") {
            EXPECT_EQ(s.recipe.TotaleStorting, plainBrew.recipe.TotaleStorting) << row.perc;
        }
    }
}

TEST_F(Recalc, LateGrainRowIsMarkedAndLeftOutOfTheMash)
{
    Session s = lateGrainBrew();
    UpdateBrouwschema(s);
    const DisplayModel &v = s.view;
    // Shares: 0.78*80 + 0.75*10 + 1*10 = 79.9; candy sugar 10/79.9 = 12.52 %.
    EXPECT_EQ(v.lbl_StIngred[2].text, "12.52% || 10.0%  Kandij 310 gr");
    EXPECT_EQ(v.lbl_StIngred[2].back, RgbLateGrain);
    EXPECT_EQ(v.lbl_StIngred[2].toolTip, "Toevoeging tijdens kookfase!");
    EXPECT_FALSE(v.lbl_StIngred[0].back.has_value());
    EXPECT_EQ(v.lbl_StIngred[0].toolTip, "");

    const double og = 1012 + (5 - (5 - 2.25) * 0.125) / 0.132;
    const double oggl = (og - 1000.7484) / 0.3779;
    const double pils = oggl * 20 * 80 / 78, munich = oggl * 20 * 10 / 75, candy = oggl * 20 * 10 / 100;
    EXPECT_NEAR(s.recipe.TotaleStorting, pils + munich + candy, 0.01);
    EXPECT_NEAR(s.recipe.StortingMaisch, pils + munich, 0.01);
    EXPECT_NEAR(s.recipe.BZRMaisch, (0.78 * 80 + 0.75 * 10) / 90, 1e-6);
    EXPECT_NEAR(s.recipe.KleurEBC, (og - 999.541) / 4.1168 / 860 * (80 * 4 + 10 * 15 + 10 * 2), 1e-4);

    // The next calculation without the late row takes the colour away again.
    setGrainBill(s, {{"Pilsmout", "90", "0.78", "4"}, {"Munich", "10", "0.75", "15"}, {"Cara", "0", "0.7", "100"}});
    UpdateBrouwschema(s);
    EXPECT_FALSE(s.view.lbl_StIngred[2].back.has_value());
    EXPECT_EQ(s.view.lbl_StIngred[2].toolTip, "");
}

TEST_F(Recalc, AllGrainInTheBoilSkipsTheSpargeFigures)
{
    Session s = singleBrew();
    setGrainBill(s, {{"Kandij", "100", "1", "2", "1"}});
    int closed = 0;
    s.closeSpargeWindow = [&] { ++closed; };
    UpdateBrouwschema(s);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(s.recipe.BZRMaisch, 0.f);
    EXPECT_EQ(s.recipe.StortingMaisch, 0.f);
    for (const LabelSlot *l : {&s.view.lbl_SG_Hoofdwort, &s.view.lbl_L_spoelwater, &s.view.lbl_L_WortnaSpoelen,
                               &s.view.lbl_VerwachteKooktijd, &s.view.lbl_VerwachtSGNaSpoelen})
        EXPECT_EQ(l->text, "");
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(s.view.lbl_L_inmaischen.text, "Inmaischen met  L (3 L/kg)");
}

TEST_F(Recalc, SpargeWindowIsClosedWheneverTheSpargeModelRuns)
{
    Session s = singleBrew();
    int closed = 0;
    s.closeSpargeWindow = [&] { ++closed; };
    UpdateBrouwschema(s);
    EXPECT_EQ(closed, 1);
    // Without a hook the calculation runs the same.
    Session t = singleBrew();
    UpdateBrouwschema(t);
    EXPECT_EQ(t.view.lbl_L_spoelwater.text, s.view.lbl_L_spoelwater.text);
}

// Decoction of the single brew: W = 9.5085 L, first rest 52 °C, decoction at
// 100 °C, water at 35 °C, 20 minutes: decocted (52 - 35) * 9.5085 / 65 = 2.487 L
// plus 25 * 20 / 60 = 8.333 L boiled off = 10.82 L; the rest 9.5085 - 2.487 = 7.02 L.
TEST_F(Recalc, DecoctionStep)
{
    Session s = decoctionBrew();
    UpdateBrouwschema(s);
    EXPECT_EQ(s.view.lblMDecoctieStap.text, "Decoc: 11 L 100 " + deg + "C + 7 L 35 " + deg + "C");

    // Decoction and water at the same temperature: no mixing rule.
    s.recipe.Maischschema(0, 3) = 100;
    UpdateBrouwschema(s);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(s.view.lblMDecoctieStap.text, "");
    expectClean(s);
}

TEST_F(Recalc, AromaBeyondTheTargetGivesNegativeBitterWeights)
{
    Session s = singleBrew();
    setHops(s.recipe.Aromahop, {{"Saaz", "bloemen", "3.5", "200", "60", "1048"}});
    UpdateBrouwschema(s);
    EXPECT_GT(s.recipe.AromaEBU, 30.f);
    EXPECT_TRUE(s.view.lbl_Bhop[0].text.startsWith('-')) << s.view.lbl_Bhop[0].text.toStdString();
    EXPECT_TRUE(s.recipe.Bitterhop(0, HopBerekendGram).startsWith('-'));
}

TEST_F(Recalc, HopFormNamingNeitherWord)
{
    Session s = singleBrew();
    setHops(s.recipe.Aromahop, {{"Saaz", "Plug ", "3.5", "20", "15", "1048"}});
    setHops(s.recipe.Bitterhop, {{"Magnum", "extract", "12", "100", "60", "1048"}});
    UpdateBrouwschema(s);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(s.recipe.AromaEBU, 0.f);
    EXPECT_EQ(s.view.lbl_Ahop[0].text, "20 gr. Saaz plug (3.5%); 15 min. kooktijd");
    EXPECT_EQ(s.view.lbl_Bhop[0].text, " gr. Magnum extract (12%); 60 min. kooktijd");
}

TEST_F(Recalc, AromaRowsWithoutWeightCountButShowNothing)
{
    Session s = singleBrew();
    setHops(s.recipe.Aromahop,
            {{"Saaz", "bloemen", "3.5", "0", "15", "1048"}, {"Hallertau", "pellets", "4", "10", "5", "1048"}});
    UpdateBrouwschema(s);
    EXPECT_EQ(s.view.lbl_Ahop[0].text, "");
    EXPECT_EQ(s.view.lbl_Ahop[1].text, "10 gr. Hallertau pellets (4%); 5 min. kooktijd");
}

TEST_F(Recalc, DoubleBrewSchedule)
{
    Session s = doubleBrew();
    UpdateBrouwschema(s);
    const DisplayModel &v = s.view;
    const RecipeState &r = s.recipe;
    ASSERT_TRUE(fake.messages.empty()) << fake.messages[0].prompt.toStdString();

    EXPECT_EQ(v.fraBrouwSchema.caption, " Brouwschema Tripel 20/15 L");
    const double og1 = 1012 + (8 - (6 - 2.25) * 0.125) / 0.132;  // 1069.053
    const double og2 = 1008 + (4 - (5 - 2.25) * 0.125) / 0.132;  // 1035.699
    EXPECT_NEAR(r.OGSG, og1, 1e-3);
    EXPECT_NEAR(r.OGSG2, og2, 1e-3);
    EXPECT_EQ(v.lbl_verwachtOG.text, "OG (dikbier): 1069 kg/m3 = 16.9 " + deg + "Plato");
    EXPECT_EQ(v.lbl_VerwachtOG2.text, "OG (dunbier): 1036 kg/m3 = 8.8 " + deg + "Plato");
    EXPECT_TRUE(v.lbl_VerwachtOG2.visible);

    // Each row's grams hold both beers' extract.
    const double gl1 = (og1 - 1000.7484) / 0.3779, gl2 = (og2 - 1000.7484) / 0.3779;
    const double perc[] = {60, 10, 6, 5, 5, 3, 3, 2, 2, 4};
    const double bzr[] = {0.78, 0.79, 0.75, 0.76, 0.80, 0.70, 0.72, 0.74, 0.75, 1};
    double total = 0, mashed = 0;
    for (int i = 0; i < 10; ++i) {
        const double w = (gl1 * 20 + gl2 * 15) * perc[i] / (bzr[i] * 100);
        total += w;
        if (i < 9)
            mashed += w;
    }
    EXPECT_NEAR(r.TotaleStorting, total, 0.05);
    EXPECT_NEAR(r.StortingMaisch, mashed, 0.05);
    EXPECT_EQ(v.lbl_StIngred[9].back, RgbLateGrain);

    // No boil time and no gravity after sparging in double brew.
    EXPECT_TRUE(v.lbl_VerwachteKooktijd.visible);
    EXPECT_EQ(v.lbl_VerwachteKooktijd.text, "");
    EXPECT_EQ(v.lbl_VerwachtSGNaSpoelen.text, "");
    EXPECT_FALSE(v.lbl_SG_Hoofdwort.text.isEmpty());
    EXPECT_EQ(v.lbl_MS[6].text, "Rust6: 78 " + deg + "C; 5 min");

    // Both beers' hops; AromaEBU ends with the second beer's figure.
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(v.lbl_Ahop[std::size_t(i)].text.isEmpty()) << i;
        EXPECT_FALSE(v.lbl_Bhop[std::size_t(i)].text.isEmpty()) << i;
        EXPECT_FALSE(v.lbl_Ahop2[std::size_t(i)].text.isEmpty()) << i;
        EXPECT_FALSE(v.lbl_Bhop2[std::size_t(i)].text.isEmpty()) << i;
    }
    EXPECT_EQ(v.lbl_Ahop2[0].text, "10 gr. Saaz bloemen (3.5%); 15 min. kooktijd");
    double aroma2 = 0;
    const struct {
        double factor, grams, alpha, minutes;
    } a2[] = {{1, 10, 3.5, 15}, {1.1f, 10, 4, 10}, {1.1f, 5, 5, 5}, {1.1f, 5, 4, 1}};
    for (const auto &h : a2) {
        const double util = 1.65 * std::pow(0.000125, 0.04) * 100 * ((1 - std::exp(-0.04 * h.minutes)) / 4.15);
        aroma2 += h.factor * h.grams * h.alpha / (15 * 10) * util;
    }
    EXPECT_NEAR(r.AromaEBU, aroma2, 1e-3);
    // Second beer's first bitter row: 40 % of (20 - aroma) EBU, pellets, 12 %, 90 min at 1040.
    const double util90 = 1.65 * std::pow(0.000125, 0.04) * 100 * ((1 - std::exp(-3.6)) / 4.15);
    const double grams = (20 - aroma2) * 0.4 * 10 * 15 * double(0.9f) / 12 / util90;
    EXPECT_EQ(r.Bitterhop2(0, HopBerekendGram), QString::number(std::lround(grams)));
    expectClean(s);
}

// The double brew with a brewing loss of 2 L and measured values, by hand
// (V1 = 22 L with the loss, V2 = 15 L):
//   OG 1012 + (8 - 3.75 * 0.125) / 0.132 = 1069.055 (16.89 °P, 180.753 g/L);
//   OG2 1008 + (4 - 2.75 * 0.125) / 0.132 = 1035.699 (8.78 °P, 92.486 g/L)
//   extract of both beers 180.753 * 22 + 92.486 * 15 = 5363.86 g; a row takes
//   5363.86 * P / (100 * B): pils 4126.0 ... candy 214.6, total 6878.2 g
//   S = 78.24 / 100, extract 5381.5; pils share 0.78 * 60 / 0.7824 = 59.82 %
//   mashed 6663.6 g at 74.24 / 96 = 0.77333, water 3 * 6.6636 = 19.99 L
//   first wort 0.77333 * 6663.6 / 27.991 = 184.10 g/L -> 1070.32 = 17.2 °P
//   free first wort 27.991 - 11.328 - 8 = 8.663 L; c = 27.991, d = 3.3318
//   r = 0.91667 * 184.10 / (29.487 - 15.342) - 1 = 10.931; sparged
//   3.3318 * ln 10.931 + 19.328 = 27.297 L; K = 35.96 L at 143.31 g/L
//   (1054.9) = 37.9 kg; sparge water 27.297 - 8 - 0.666 = 18.63 L
//   switch-over: beer 1 needs 180.753 * 22 = 3976.6 g; collected after 22 L
//   3964.2 g, after 23 L 4121.0 g; runnings at 23 L 153.27 g/L = 14.36 °P
//   mash volume 0.7 * 6.6636 + 6.6636 * 3.3 + 8 = 34.65 L
//   beer 1 hops at 1070 (utilisation 21.196 * (1 - e^-0.04t)): aroma
//   3.043 + 2.096 + 0.961 + 0.132 = 6.232 EBU, rest 28.768; magnum
//   14.384 * 22 * 10 * 0.9 / 12 / 20.617 = 11.5 g, northern brewer 7.4,
//   challenger 10.2, target 3.8
//   beer 2 at 1040 (27.753 * (1 - e^-0.04t)): aroma 6.688 EBU, rest 13.312;
//   2.2, 2.7, 2.5 and 0.9 g
//   colour 16.885 / 860 * 837 = 16.43 EBC, beer 2 8.783 / 860 * 837 = 8.55
//   evaluation 1: (1068 - 1014) * 0.132 + 3.5 * 0.125 = 7.57 vol%;
//   1068 * 21 * 16.629 / 6878.2 = 54.2 %; 5400 / 68 = 79.4 %; 35 * 22 / 21 =
//   36.67 EBU (34.8 - 38.5); 16.43 * 22 / 21 = 17.22 EBC (15 - 19)
//   evaluation 2: 28 * 0.132 + 2.5 * 0.125 = 4.0; 1034 * 16 * 8.370 / 6878.2 =
//   20.1 %; 2800 / 34 = 82.4 %; 20 * 15 / 16 = 18.75 (17.8 - 19.7); 8.55 * 15 /
//   16 = 8.01 (7 - 9)
TEST_F(Recalc, WorkedDoubleBrewWithLossAndMeasuredValues)
{
    Session s = doubleBrew();
    s.recipe.BrouwVerlies = 2;
    setMeasured(s, 0, "21", "1068", "1014");
    setMeasured(s, 1, "16", "1034", "1006");
    UpdateBrouwschema(s);
    ASSERT_TRUE(fake.messages.empty()) << fake.messages[0].prompt.toStdString();
    EXPECT_EQ(s.view.fraBrouwSchema.caption, " Brouwschema Tripel 22/15 L");
    EXPECT_EQ(s.view.fraBSIngrdienten.caption, " Ingredienten storting (totaal 6878 gr) ");
    EXPECT_EQ(s.view.fraEvalEv.caption, " Evaluatie dikbier ");

    const struct {
        const char *label;
        QString text;
    } rows[] = {
        {"lbl_StIngred_0", "59.82% || 60.0%  Pilsmout 4127 gr"},
        {"lbl_StIngred_1", "10.1% || 10.0%  Pale ale 688 gr"},
        {"lbl_StIngred_9", "5.11% || 4.0%  Kandij 275 gr"},
        {"lbl_MS_0", "Inmaischstap: 45 " + deg + "C; 15 min"},
        {"lbl_L_inmaischen", "Inmaischen met 20 L (3 L/kg)"},
        {"lbl_pH_Maisch", "pH maisch: 5.3"},
        {"lbl_vol_maisch", "Geschat volume maisch (L): 35"},
        {"lbl_SG_Hoofdwort", "SG Hoofdwort: 1070 kg/m3"},
        {"lbl_Plato_Hoofdwort", "Hoofdwort in " + ord + "Plato: 17.2"},
        {"lbl_SpoelenTot", "Spoelen tot: 3.0 " + ord + "Plato = 1012 kg/m3"},
        {"lbl_L_spoelwater", "Benodigd spoelwater: 19 L"},
        {"lbl_L_WortnaSpoelen", "Wort na spoelen: 36 L = 37.9 kg"},
        {"lbl_VerwachtSGNaSpoelen", ""},
        {"lbl_VerwachteKooktijd", ""},
        {"lbl_verwachtOG", "OG (dikbier): 1069 kg/m3 = 16.9 " + deg + "Plato"},
        {"lbl_VerwachtOG2", "OG (dunbier): 1036 kg/m3 = 8.8 " + deg + "Plato"},
        {"lbl_SGOvergang", "Overgang SG DB (" + ord + "Plato): ~14.4"},
        {"lbl_VolOvergang", "Overgang vol. DB (L): ~23"},
        {"lbl_Bhop_0", "12 gr. Magnum pellets (12%); 90 min. kooktijd"},
        {"lbl_Bhop_1", "7 gr. Northern Brewer pellets (8%); 60 min. kooktijd"},
        {"lbl_Bhop_2", "10 gr. Challenger bloemen (7%); 45 min. kooktijd"},
        {"lbl_Bhop_3", "4 gr. Target pellets (10%); 30 min. kooktijd"},
        {"lbl_Bhop2_0", "2 gr. Magnum pellets (12%); 90 min. kooktijd"},
        {"lbl_Bhop2_1", "3 gr. Northern Brewer pellets (8%); 60 min. kooktijd"},
        {"lbl_Bhop2_2", "2 gr. Challenger bloemen (7%); 45 min. kooktijd"},
        {"lbl_Bhop2_3", "1 gr. Target pellets (10%); 30 min. kooktijd"},
        {"lbl_EvDS_0", "Volume (L):  22   (= 23.5 kg)"},
        {"lbl_EvDS2_0", "Volume (L):  15"},
        {"lbl_EvDS2_4", "Koolzuurgehalte (gr/L):  5"},
        {"lbl_Eval_vol", "Volume (L):  21  (7.6 vol%)"},
        {"lbl_Eval_FGOG", "OG: 1068  Eind SG: 1014 (kg/m3)"},
        {"lbl_Eval_BZR", "BZR (%): 54.2   SVG (%): 79.4"},
        {"lbl_Eval_EBU", "Bitterheid (EBU): 34.8 - 38.5"},
        {"lbl_Eval_EBC", "Kleur (EBC): 15 - 19"},
        {"lbl_Eval2_vol", "Volume (L):  16  (4.0 vol%)"},
        {"lbl_Eval2_FGOG", "OG: 1034  Eind SG: 1006 (kg/m3)"},
        {"lbl_Eval2_BZR", "BZR (%): 20.1   SVG (%): 82.4"},
        {"lbl_Eval2_EBU", "Bitterheid (EBU): 17.8 - 19.7"},
        {"lbl_Eval2_EBC", "Kleur (EBC): 7 - 9"},
    };
    for (const auto &row : rows) {
        const LabelSlot *l = s.view.label(QString::fromLatin1(row.label));
        ASSERT_NE(l, nullptr) << row.label;
        EXPECT_EQ(l->text, row.text) << row.label;
    }
    const RecipeState &r = s.recipe;
    EXPECT_NEAR(r.TotaleStorting, 6878.2, 0.1);
    EXPECT_NEAR(r.StortingMaisch, 6663.6, 0.1);
    EXPECT_NEAR(r.HWSG, 1070.32, 0.01);
    EXPECT_NEAR(r.VrijeHoofdwort, 8.663, 1e-3);
    EXPECT_NEAR(r.SpoelwortVolume, 27.297, 1e-3);
    EXPECT_NEAR(r.Spoelwater, 18.630, 1e-3);
    EXPECT_EQ(r.OmslagL, 23.f);
    EXPECT_NEAR(r.OmslagPlato, 14.362, 1e-3);
    EXPECT_NEAR(r.KleurEBC, 16.434, 1e-3);
    EXPECT_NEAR(r.KleurEBC2, 8.548, 1e-3);
    EXPECT_NEAR(r.AromaEBU, 6.688, 1e-3);  // the second beer's
    EXPECT_NEAR(r.EvAlc, 7.5655, 1e-4);
    EXPECT_NEAR(r.EvBZR, 54.224, 1e-3);
    EXPECT_NEAR(r.EvEBU, 36.667, 1e-3);
    EXPECT_NEAR(r.EvBZR2, 20.133, 1e-3);
    EXPECT_NEAR(r.EvEBC2, 8.014, 1e-3);
    EXPECT_EQ(r.Doelstellingen(1), 20.f);
    expectClean(s);
}

// The switch-over found by the linear search over whole litres, independently.
TEST_F(Recalc, DoubleBrewSwitchOver)
{
    Session s = doubleBrew();
    UpdateBrouwschema(s);
    const RecipeState &r = s.recipe;
    const double a = r.CoefficientA, b = r.CoefficientB, c = r.CoefficientC, d = r.CoefficientD;
    const double g1 = (double(r.HWSG) - 1000.7484) / 0.3779;
    const double needed = (double(r.OGSG) - 1000.7484) / 0.3779 * 20;  // volume with the loss (0 here)
    const int last = int(std::lround(double(r.VrijeHoofdwort) + double(r.SpoelwortVolume))) + 1;
    int found = -1;
    for (int v = 0; v <= last && found < 0; ++v) {
        const double e = g1 * (a * v - b * d * std::log((1 + std::exp(-(v - c) / d)) / (1 + std::exp(c / d))));
        if (e > needed)
            found = v;
    }
    ASSERT_GE(found, 0);
    const double plato = ((b / (1 + std::exp((found - c) / d)) + a) * g1) * 0.091795 + 0.29328;
    EXPECT_EQ(r.OmslagL, float(found));
    EXPECT_NEAR(r.OmslagPlato, plato, 1e-4);
    EXPECT_TRUE(s.view.lbl_VolOvergang.visible);
    EXPECT_EQ(s.view.lbl_VolOvergang.text, "Overgang vol. DB (L): ~" + QString::number(found));
    EXPECT_TRUE(s.view.lbl_SGOvergang.visible);
    EXPECT_EQ(s.view.lbl_SGOvergang.text, "Overgang SG DB (" + ord + "Plato): ~" + QString::number(plato, 'f', 1));

    // The brewing loss raises what the first beer needs, so the switch comes later.
    Session lossy = doubleBrew();
    lossy.recipe.BrouwVerlies = 3;
    UpdateBrouwschema(lossy);
    EXPECT_GT(lossy.recipe.OmslagL, r.OmslagL);

    // Sparging stopped before the first beer is full: no switch-over, and the
    // old one is gone.
    s.recipe.SpoelenTot = 40;
    UpdateBrouwschema(s);
    EXPECT_EQ(s.recipe.OmslagL, 0.f);
    EXPECT_EQ(s.recipe.OmslagPlato, 0.f);
    EXPECT_FALSE(s.view.lbl_VolOvergang.visible);
    EXPECT_EQ(s.view.lbl_VolOvergang.text, "");

    // Single brew has none either.
    Session t = doubleBrew();
    UpdateBrouwschema(t);
    ASSERT_GT(t.recipe.OmslagL, 0.f);
    t.app.dubbelBrouw = false;
    t.recipe.clearStatus(StatusHopgift2);
    UpdateBrouwschema(t);
    EXPECT_EQ(t.recipe.OmslagL, 0.f);
    EXPECT_FALSE(t.view.lbl_SGOvergang.visible);
}

TEST_F(Recalc, SpargeTargetAboveTheFirstWortStillWritesTheScheduleLines)
{
    Session s = singleBrew();
    s.recipe.SpoelenTot = 20;  // above the 13.2 °P first wort: no solution
    UpdateBrouwschema(s);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(s.recipe.SpoelwortVolume, 0.f);
    EXPECT_EQ(s.recipe.Spoelwater, 0.f);
    EXPECT_EQ(s.view.lbl_L_spoelwater.text, "Benodigd spoelwater:  L");
    // Wort after sparging is then the free first wort alone, 4.12 L, holding all
    // the mash's extract: 0.777 * 3169.5 / 4.12 = 597.7 g/L -> 1226.6 kg/m3, 5.05 kg.
    EXPECT_EQ(s.view.lbl_L_WortnaSpoelen.text, "Wort na spoelen: 4 L = 5.1 kg");
    EXPECT_EQ(s.view.lbl_VerwachteKooktijd.text, "Geschatte kooktijd: -38 min");
    EXPECT_EQ(s.view.lbl_VerwachtSGNaSpoelen.text, "");
    EXPECT_EQ(s.view.spoelen.lblSPVolWort, "Wort na spoelen (L):");  // the dialog's own text stays
}

TEST_F(Recalc, MoreRowsThanTheScheduleShowsIsAnError)
{
    Session s = singleBrew();
    setMash(s, 3, 5.4f, {{40, 5}, {45, 5}, {50, 5}, {55, 5}, {60, 5}, {65, 5}, {70, 5}, {75, 5}});
    UpdateBrouwschema(s);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(s.view.lbl_MS[6].text, "Rust6: 70 " + deg + "C; 5 min");
    EXPECT_EQ(s.recipe.Doelstellingen(1), 20.f);
}

}  // namespace
