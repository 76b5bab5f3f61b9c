#include "core/NumText.h"
#include "core/Optimisers.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "support/FakeServices.h"
#include "support/RecipeBuilders.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>
#include <functional>

using namespace mostarium;
using mostarium::test::ScopedFakeServices;

namespace {

// A single-brew pale ale of 20 L: 3307 g of mashed grain at 3.0 L/kg. Its wort
// after sparging K grows about 0.73 L per litre of target volume, so a 32 L
// kettle takes 35 L of target and not 36. With an evaporation of 3 L/h the boil
// time B runs from about 18 min at 3.0 L/kg to 73 min at 4.0 L/kg.
Session paleAle()
{
    Session s;
    RecipeState &r = s.recipe;
    r.ReceptStatus = StatusDoelstellingen | StatusMaischschema | StatusStorting | StatusHopgift;
    r.Doelstellingen.redim(5);
    r.Doelstellingen(1) = 20;
    r.Doelstellingen(2) = 5;
    r.Doelstellingen(3) = 1012;
    r.Doelstellingen(4) = 25;
    r.Doelstellingen(5) = 5;
    const QStringList grain[] = {{"Pilsmout", "90", "0.75", "3", "0"}, {"Caramout", "10", "0.70", "100", "0"}};
    r.Storting.redim(1, 4);
    for (int i = 0; i < 2; ++i)
        for (int c = 0; c < 5; ++c)
            r.Storting(i, c) = grain[i][c];
    r.Maischschema.redim(2, 4);
    r.Maischschema(0, 0) = 3.0f;
    r.Maischschema(0, 1) = 5.4f;
    r.Maischschema(1, 0) = 65;
    r.Maischschema(1, 1) = 60;
    r.Maischschema(2, 0) = 72;
    r.Maischschema(2, 1) = 15;
    const QStringList aroma = {"Saaz", "pellets", "3.5", "12", "15", "1050"};
    const QStringList bitter = {"Magnum", "pellets", "12", "100", "60", "1050"};
    r.Aromahop.redim(1, 7);  // row 1 stays empty
    r.Bitterhop.redim(0, 7);
    for (int c = 0; c < 6; ++c) {
        r.Aromahop(0, c) = aroma[c];
        r.Bitterhop(0, c) = bitter[c];
    }
    r.KetelInhoud = 200;
    r.FilterKuipInhoud = 150;
    r.Evaporatie = 3;
    return s;
}

// The same mash split over a strong first beer and a 15 L second beer.
Session doubleBrew()
{
    Session s = paleAle();
    RecipeState &r = s.recipe;
    s.app.dubbelBrouw = true;
    r.Doelstellingen.redimPreserve(10);
    r.Doelstellingen(6) = 15;
    r.Doelstellingen(7) = 3;
    r.Doelstellingen(8) = 1008;
    r.Doelstellingen(9) = 15;
    r.Doelstellingen(10) = 5;
    const QStringList aroma = {"Saaz", "pellets", "3.5", "12.5", "10", "1030"};
    const QStringList bitter = {"Magnum", "pellets", "12", "100", "60", "1030"};
    r.Aromahop2.redim(0, 7);
    r.Bitterhop2.redim(0, 7);
    for (int c = 0; c < 6; ++c) {
        r.Aromahop2(0, c) = aroma[c];
        r.Bitterhop2(0, c) = bitter[c];
    }
    r.setStatus(StatusHopgift2);
    return s;
}

// K, M and B of a recipe, from a recalculation of a copy.
struct Figures {
    float K;
    double M, B;
};

Figures figures(const Session &s, const std::function<void(RecipeState &)> &change = {})
{
    ScopedFakeServices quiet;
    Session c = s;
    if (change)
        change(c.recipe);
    UpdateBrouwschema(c);
    const RecipeState &r = c.recipe;
    const double G = r.StortingMaisch;
    Figures f;
    f.K = float(double(r.VrijeHoofdwort) + double(r.SpoelwortVolume));
    f.M = (double(r.Maischschema(0, 0)) - 2.3) * G / 1000 + G * 0.0033 + double(r.VolFilterPlaatBodem);
    f.B = (double(r.VrijeHoofdwort) + double(r.SpoelwortVolume) - double(r.Doelstellingen(1))) * 60
          / double(r.Evaporatie);
    return f;
}

bool kettleOrTunFull(const Session &s, const Figures &f)
{
    return f.K >= float(s.recipe.KetelInhoud) || float(f.M) >= s.recipe.FilterKuipInhoud;
}

float thickness(const Session &s) { return s.recipe.Maischschema(0, 0); }

// A thickness stepped the way the optimisers step it: through its decimal text.
float stepped(float x, double delta) { return float(num::val(num::plain(num::val(num::plain(x)) + delta))); }

// The recipe values an optimiser may change, to show that a refused run left
// them alone.
struct Values {
    float volume, x, S;
    QString gram0;
    bool operator==(const Values &) const = default;
};
Values values(const Session &s)
{
    return {s.recipe.Doelstellingen(1), s.recipe.Maischschema(0, 0), s.recipe.SpoelenTot,
            s.recipe.Aromahop(0, HopGram)};
}

void answer(ScopedFakeServices &f, std::initializer_list<const char *> texts)
{
    for (const char *t : texts)
        f.inputAnswers.push_back(QString::fromUtf8(t));
}

TEST(OptimiserFixture, TheRecalculationGivesTheFiguresTheTestsRelyOn)
{
    const Session s = paleAle();
    const Figures at20 = figures(s);
    EXPECT_NEAR(at20.K, 20.88, 0.05);
    EXPECT_NEAR(at20.B, 17.6, 0.5);
    EXPECT_NEAR(figures(s, [](RecipeState &r) { r.Maischschema(0, 0) = 4.0f; }).B, 73.2, 0.5);
}

// --- MaximizeVolume -------------------------------------------------------

TEST(MaximizeVolume, RaisesTheVolumeToTheLastLitreTheKettleHoldsAndScalesTheAromaHops)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.KetelInhoud = 32;
    OptiMaischer o;

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::Done);

    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), 35.0f);
    EXPECT_FALSE(kettleOrTunFull(s, figures(s)));
    EXPECT_TRUE(kettleOrTunFull(s, figures(s, [](RecipeState &r) { r.Doelstellingen(1) += 1; })));
    EXPECT_EQ(s.recipe.Aromahop(0, HopGram), "21");  // 12 g * 35 / 20
    EXPECT_EQ(s.recipe.Aromahop(1, HopGram), "");
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_TRUE(fake.messages.empty());
    // One yield per litre tried (21..36), and the schedule shows the result.
    EXPECT_EQ(fake.processEventsCalls, 16);
    EXPECT_EQ(o.recalculations, 18);
    EXPECT_TRUE(s.view.fraBrouwSchema.caption.contains(QLatin1String(" 35 L")));
    EXPECT_FALSE(s.app.optimiserBusy);
}

TEST(MaximizeVolume, InDoubleBrewTheSecondBeerKeepsItsVolumeAndItsAromaHops)
{
    ScopedFakeServices fake;
    Session s = doubleBrew();
    s.recipe.KetelInhoud = 60;
    OptiMaischer o;

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::Done);

    const float V = s.recipe.Doelstellingen(1);
    EXPECT_GT(V, 20.0f);
    EXPECT_FALSE(kettleOrTunFull(s, figures(s)));
    EXPECT_TRUE(kettleOrTunFull(s, figures(s, [](RecipeState &r) { r.Doelstellingen(1) += 1; })));
    EXPECT_EQ(s.recipe.Aromahop(0, HopGram), num::format(12.0 * V / 20, u"###"));
    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(6), 15.0f);
    EXPECT_EQ(s.recipe.Aromahop2(0, HopGram), "12.5");  // factor 15 / 15: left as entered
    EXPECT_TRUE(fake.messages.empty());
}

TEST(MaximizeVolume, StopsAtTheLauterTunToo)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.FilterKuipInhoud = 31.5f;  // M is 31.15 L at 35 L, 31.81 L at 36 L
    OptiMaischer o;

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::Done);

    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), 35.0f);
    const Figures next = figures(s, [](RecipeState &r) { r.Doelstellingen(1) += 1; });
    EXPECT_GE(float(next.M), 31.5f);
    EXPECT_LT(next.K, 200.0f);
}

TEST(MaximizeVolume, ARecipeThatStartsFullLosesOneLitre)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.KetelInhoud = 20;  // K is 20.9 L already
    OptiMaischer o;

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::Done);

    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), 19.0f);
    EXPECT_EQ(s.recipe.Aromahop(0, HopGram), "11");  // 12 * 19 / 20 = 11.4
    EXPECT_EQ(fake.processEventsCalls, 0);
}

TEST(MaximizeVolume, AOneLitreRecipeThatStartsFullIsNotShrunkToNothing)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Doelstellingen(1) = 1;
    s.recipe.KetelInhoud = 0;
    const Values before = values(s);
    OptiMaischer o;

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::NoFit);

    EXPECT_EQ(values(s), before);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.startsWith("Ketel of filterkuip is te klein voor dit recept!"));
}

// A recipe that cannot be optimised: a clear message, the recipe as it was.
struct RefusedCase {
    const char *name;
    std::function<void(Session &)> spoil;
    const char *messageStart;
};

class MaximizeVolumeRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(MaximizeVolumeRefuses, WithAMessageAndLeavesTheRecipeAlone)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    GetParam().spoil(s);
    const RecipeState before = s.recipe;
    OptiMaischer o;
    o.maxSteps = 5;

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::NoFit);

    if (before.Doelstellingen.has(1)) {
        EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), before.Doelstellingen(1));
    }
    EXPECT_EQ(s.recipe.Aromahop, before.Aromahop);
    EXPECT_FALSE(s.recipe.ReceptGewijzigd);
    ASSERT_FALSE(fake.messages.empty());
    const auto &last = fake.messages.back();
    EXPECT_TRUE(last.prompt.startsWith(QString::fromUtf8(GetParam().messageStart))) << qPrintable(last.prompt);
    EXPECT_EQ(last.style, mb::Exclamation);
    EXPECT_EQ(last.title, "Mostarium OptiMaischer");
    EXPECT_FALSE(s.app.optimiserBusy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaximizeVolumeRefuses,
    ::testing::Values(RefusedCase{"NoTargets", [](Session &s) { s.recipe.Doelstellingen.redim(0); },
                                  "Recept heeft geen doelstellingen!"},
                      RefusedCase{"TargetsBitClear", [](Session &s) { s.recipe.clearStatus(StatusDoelstellingen); },
                                  "Recept heeft geen doelstellingen!"},
                      RefusedCase{"AllGrainAddedDuringTheBoil",
                                  [](Session &s) {
                                      s.recipe.Storting(0, StLaat) = "1";
                                      s.recipe.Storting(1, StLaat) = "1";
                                  },
                                  "Recept heeft geen gemaischte storting of geen maischschema!"},
                      RefusedCase{"NoMashSchedule", [](Session &s) { s.recipe.clearStatus(StatusMaischschema); },
                                  "Recept heeft geen gemaischte storting of geen maischschema!"},
                      // A bitter addition of 0 minutes divides by zero in every recalculation.
                      RefusedCase{"RecalculationFails", [](Session &s) { s.recipe.Bitterhop(0, HopKooktijd) = "0"; },
                                  "Recept kan niet berekend worden! OptiMaischer is gestopt."},
                      // The schedule is whole but the evaluation is not: no figures to trust.
                      RefusedCase{"EvaluationFails",
                                  [](Session &s) {
                                      s.recipe.Evaluatie.redim(2, 0);
                                      test::setMeasured(s, 0, "0", "1050", "1010");
                                  },
                                  "Recept kan niet berekend worden! OptiMaischer is gestopt."},
                      RefusedCase{"StepBound", [](Session &) {}, "Geen oplossing gevonden na 5 stappen!"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MaximizeVolume, AFailingRecalculationIsReportedOnceNotAtEveryStep)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Bitterhop(0, HopKooktijd) = "0";
    OptiMaischer o;

    MaximizeVolume(s, o);

    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[0].prompt, RecalcFoutmelding);
    EXPECT_EQ(o.recalculations, 1);
}

// Yields to the event loop like the program does, with a hook run at each yield.
class YieldingFake : public ScopedFakeServices {
public:
    std::function<void(int)> onYield;
    void processEvents() override
    {
        ScopedFakeServices::processEvents();
        if (onYield)
            onYield(processEventsCalls);
    }
};

TEST(MaximizeVolume, ARecalculationThatFailsHalfWayStopsAtThatStepAndPutsTheRecipeBack)
{
    YieldingFake fake;
    Session s = paleAle();
    s.recipe.KetelInhoud = 32;
    const Values before = values(s);
    OptiMaischer o;
    // Something that breaks the recipe at the third step.
    fake.onYield = [&](int n) {
        if (n == 3)
            s.recipe.Bitterhop(0, HopKooktijd) = "0";
    };

    EXPECT_EQ(MaximizeVolume(s, o), OptiResult::NoFit);

    EXPECT_EQ(fake.processEventsCalls, 3);
    EXPECT_EQ(values(s), before);
    ASSERT_EQ(fake.messages.size(), 3u);  // the recalculation's, the restoring one's, ours
    EXPECT_EQ(fake.messages[0].prompt, RecalcFoutmelding);
    EXPECT_TRUE(fake.messages.back().prompt.startsWith("Recept kan niet berekend worden!"));
}

TEST(MaximizeVolume, WhileItYieldsOtherCommandsAreRefused)
{
    YieldingFake fake;
    Session s = paleAle();
    s.recipe.KetelInhoud = 32;
    OptiMaischer o;
    bool busySeen = false;
    fake.onYield = [&](int n) {
        if (n != 2)
            return;
        busySeen = s.app.optimiserBusy;
        EXPECT_TRUE(refuseWhileOptimising(s));
        // Another optimiser started from the menu in the meantime.
        mnuWaterBeslagRatio_Click(s, o);
        mnuMaximumVolume_Click(s, o);
    };

    mnuMaximumVolume_Click(s, o);

    EXPECT_TRUE(busySeen);
    EXPECT_TRUE(fake.inputs.empty());
    ASSERT_EQ(fake.messages.size(), 3u);
    for (const auto &m : fake.messages) {
        EXPECT_EQ(m.prompt, "OptiMaischer is bezig! Wacht tot het optimaliseren klaar is.");
        EXPECT_EQ(m.style, mb::Exclamation);
    }
    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), 35.0f);
    EXPECT_FALSE(s.app.optimiserBusy);
    EXPECT_FALSE(refuseWhileOptimising(s));
    EXPECT_EQ(fake.messages.size(), 3u);
}

// --- SchaalAromaHop -------------------------------------------------------

TEST(SchaalAromaHop, ScalesTheGramsOfTheFirstBeerOnly)
{
    struct Row {
        const char *before;
        float v0, v1;
        const char *after;
    } rows[] = {
        {"12", 20, 35, "21"},    {"", 20, 35, ""},
        {"0", 20, 35, ""},       {"12.5", 20, 20, "13"},  // the whole-gram pattern, also at factor 1
        {"10 gr", 20, 30, "15"}, {"12", 0, 35, "12"},     // no old volume: nothing to scale from
    };
    for (const Row &row : rows) {
        RecipeState r;
        r.Doelstellingen.redim(10);
        r.Doelstellingen(1) = row.v1;
        r.Doelstellingen(6) = 15;
        r.Aromahop.redim(0, 7);
        r.Aromahop(0, HopGram) = row.before;
        r.Aromahop2.redim(0, 7);
        r.Aromahop2(0, HopGram) = "12.5";
        SchaalAromaHop(r, row.v0);
        EXPECT_EQ(r.Aromahop(0, HopGram), row.after) << row.before << " " << row.v0 << "->" << row.v1;
        EXPECT_EQ(r.Aromahop2(0, HopGram), "12.5");
    }
}

// --- The boil-time input boxes -------------------------------------------

TEST(OptiMaischerInput, BoilTimeAndThicknessOutsideTheirRangeAreAskedAgain)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    OptiMaischer o;
    answer(fake, {"19", "121", "1..5", "60", "1.95", "6.05", "6"});

    OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true);

    ASSERT_EQ(fake.inputs.size(), 7u);
    // A text that is no number comes back as typed, to be corrected.
    const QStringList defaults = {"60", "19", "121", "1..5", "2.5", "1.95", "6.05"};
    for (int i = 0; i < 7; ++i) {
        const bool boil = i < 4;
        EXPECT_EQ(fake.inputs[i].prompt,
                  boil ? "Voer gewenste kooktijd in." : "Voer minimum beslag dikte in (2-6 L/kg).");
        EXPECT_EQ(fake.inputs[i].title, "Mostarium OptiMaischer");
        EXPECT_EQ(fake.inputs[i].defaultText, defaults[i]) << i;
        EXPECT_EQ(fake.inputs[i].kind, InputKind::Decimal) << i;
    }
    // Only the text that is no number is said; a number out of range is asked again.
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "\"1..5\" is geen getal! Voer een getal in.");
    EXPECT_EQ(fake.messages[0].title, "Mostarium OptiMaischer");
    EXPECT_EQ(o.GewensteKooktijd, 60);
    EXPECT_EQ(o.MinimumBeslagDikte, 6);
}

TEST(OptiMaischerInput, TheRangeEndsAreAccepted)
{
    for (const char *boil : {"20", "120", " 120 "}) {
        ScopedFakeServices fake;
        Session s = paleAle();
        OptiMaischer o;
        answer(fake, {boil, "2"});
        OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true);
        EXPECT_EQ(fake.inputs.size(), 2u) << boil;
        EXPECT_EQ(o.MinimumBeslagDikte, 2);
    }
}

TEST(OptiMaischerInput, CancelOrAnEmptyTextEndsBeforeAnyChange)
{
    struct Case {
        std::vector<std::optional<QString>> answers;
    } cases[] = {{{std::nullopt}}, {{QString()}}, {{"60", std::nullopt}}, {{"60", QString("")}}};
    for (const Case &c : cases) {
        ScopedFakeServices fake;
        Session s = paleAle();
        const Values before = values(s);
        OptiMaischer o;
        for (const auto &a : c.answers)
            fake.inputAnswers.push_back(a);
        const auto revision = s.view.revision;

        EXPECT_EQ(OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true), OptiResult::Cancelled);

        EXPECT_EQ(values(s), before);
        EXPECT_EQ(s.view.revision, revision);  // not even recalculated
        EXPECT_EQ(o.recalculations, 0);
        EXPECT_FALSE(s.recipe.ReceptGewijzigd);
        EXPECT_TRUE(fake.messages.empty());
    }
}

TEST(OptiMaischerInput, AnEmptyOrStrangeBoilTimeOfTheFirstBitterRowGivesDefaultZero)
{
    for (const char *time : {"", "x"}) {
        ScopedFakeServices fake;
        Session s = paleAle();
        s.recipe.Bitterhop(0, HopKooktijd) = time;
        OptiMaischer o;
        OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, true);
        ASSERT_EQ(fake.inputs.size(), 1u);
        EXPECT_EQ(fake.inputs[0].defaultText, "0");
    }
}

// --- Boil-time optimisers: refusals ---------------------------------------

using Optimiser = std::function<OptiResult(Session &, OptiMaischer &)>;
struct NamedOptimiser {
    const char *name;
    Optimiser run;
};
const NamedOptimiser boilTimeOptimisers[] = {
    {"WaterThrowRatio",
     [](Session &s, OptiMaischer &o) { return OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true); }},
    {"SpoelenTot",
     [](Session &s, OptiMaischer &o) { return OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, true); }},
    {"WaterBill", [](Session &s, OptiMaischer &o) { return OptimizeWaterBill(s, o, true, true); }},
};

TEST(BoilTimeOptimisers, ZeroEvaporationIsRefusedBeforeAnyQuestion)
{
    for (const auto &opt : boilTimeOptimisers) {
        ScopedFakeServices fake;
        Session s = paleAle();
        s.recipe.Evaporatie = 0;
        const Values before = values(s);
        OptiMaischer o;

        EXPECT_EQ(opt.run(s, o), OptiResult::NoFit) << opt.name;

        EXPECT_TRUE(fake.inputs.empty()) << opt.name;
        ASSERT_EQ(fake.messages.size(), 1u) << opt.name;
        EXPECT_EQ(fake.messages[0].prompt,
                  "Evaporatie is 0 L/uur: de kooktijd is niet te berekenen! Pas eerst de systeemparameters aan.");
        EXPECT_EQ(values(s), before);
    }
}

TEST(BoilTimeOptimisers, NoTargetsOrNoMashedGrainAreRefused)
{
    const std::pair<std::function<void(Session &)>, const char *> spoilers[] = {
        {[](Session &s) { s.recipe.Doelstellingen.redim(0); }, "Recept heeft geen doelstellingen!"},
        {[](Session &s) { s.recipe.clearStatus(StatusStorting); },
         "Recept heeft geen gemaischte storting of geen maischschema!"},
    };
    for (const auto &opt : boilTimeOptimisers)
        for (const auto &[spoil, message] : spoilers) {
            ScopedFakeServices fake;
            Session s = paleAle();
            spoil(s);
            OptiMaischer o;
            answer(fake, {"60", "2.5"});

            EXPECT_EQ(opt.run(s, o), OptiResult::NoFit) << opt.name;

            ASSERT_EQ(fake.messages.size(), 1u) << opt.name;
            EXPECT_TRUE(fake.messages[0].prompt.startsWith(message)) << opt.name << qPrintable(fake.messages[0].prompt);
            EXPECT_FLOAT_EQ(s.recipe.Maischschema(0, 0), 3.0f);
            EXPECT_FLOAT_EQ(s.recipe.SpoelenTot, 3.0f);
        }
}

TEST(BoilTimeOptimisers, TheStepBoundEndsEveryLoopWithTheRecipePutBack)
{
    // Start points that need many steps: thick mash going up, sparge-until
    // going up from a long boil.
    for (const auto &opt : boilTimeOptimisers) {
        ScopedFakeServices fake;
        Session s = paleAle();
        if (std::string(opt.name) == "SpoelenTot")
            s.recipe.Maischschema(0, 0) = 4.0f;
        const Values before = values(s);
        OptiMaischer o;
        o.maxSteps = 3;
        answer(fake, {"60", "2.5"});

        EXPECT_EQ(opt.run(s, o), OptiResult::NoFit) << opt.name;

        EXPECT_EQ(values(s), before) << opt.name;
        EXPECT_FALSE(s.recipe.ReceptGewijzigd);
        ASSERT_EQ(fake.messages.size(), 1u) << opt.name;
        EXPECT_EQ(fake.messages[0].prompt,
                  "Geen oplossing gevonden na 3 stappen! OptiMaischer is gestopt.\nHet recept is niet gewijzigd.");
    }
}

// --- OptimizeWaterThrowRatioToFulfillDefinedBoilingTime -------------------

TEST(WaterThrowRatio, ATooShortBoilThinsTheMashUntilTheLastThicknessNotAboveTheWish)
{
    ScopedFakeServices fake;
    Session s = paleAle();  // 3.0 L/kg boils 17.6 min
    OptiMaischer o;
    answer(fake, {"60", "2.5"});

    EXPECT_EQ(OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true), OptiResult::Done);

    const float x = thickness(s);
    EXPECT_LE(figures(s).B, 60);
    EXPECT_GT(figures(s, [x](RecipeState &r) { r.Maischschema(0, 0) = stepped(x, 0.05); }).B, 60);
    // Steps of exactly 0.05: "3.75", never "3.7499999".
    EXPECT_EQ(num::plain(x), "3.75");
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(fake.processEventsCalls, 0);  // only the volume optimiser yields
}

TEST(WaterThrowRatio, TheBoilTimeComparedLeavesTheBrewingLossOut)
{
    // With a loss of 3 L the grain is for 23 L but the boil runs from K down
    // to 20 L: 78 min instead of the 18 min the schedule shows, so the mash
    // gets thicker, not thinner.
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.BrouwVerlies = 3;
    OptiMaischer o;
    answer(fake, {"60", "2.5"});
    ASSERT_GT(figures(s).B, 60);

    EXPECT_EQ(OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true), OptiResult::Done);

    const float x = thickness(s);
    EXPECT_LE(x, 3.0f);
    EXPECT_GT(figures(s).B, 60);
    EXPECT_LE(figures(s, [x](RecipeState &r) { r.Maischschema(0, 0) = stepped(x, -0.05); }).B, 60);
    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), 20.0f);
}

TEST(WaterThrowRatio, ATooLongBoilThickensTheMashAndEndsJustAboveTheWish)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 4.5f;
    OptiMaischer o;
    answer(fake, {"60", "2.5"});

    EXPECT_EQ(OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true), OptiResult::Done);

    const float x = thickness(s);
    EXPECT_GT(figures(s).B, 60);
    EXPECT_LE(figures(s, [x](RecipeState &r) { r.Maischschema(0, 0) = stepped(x, -0.05); }).B, 60);
}

TEST(WaterThrowRatio, AWishBelowWhatTheMinimumThicknessGivesStopsAtTheMinimum)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 4.0f;  // 73 min
    OptiMaischer o;
    answer(fake, {"20", "3.8"});

    OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true);

    EXPECT_EQ(num::plain(thickness(s)), "3.8");
    EXPECT_GT(figures(s).B, 20);
}

TEST(WaterThrowRatio, AThicknessOfOnePointSixOrLessEndsOneStepLower)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 1.6f;
    OptiMaischer o;
    answer(fake, {"60", "2.5"});

    OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true);

    EXPECT_EQ(num::plain(thickness(s)), "1.55");
}

// --- OptimizeSpoelenTotToFulfillDefinedBoilingTime ------------------------

TEST(SpoelenTot, ATooLongBoilRaisesTheSpargeUntilGravity)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 4.0f;  // 73 min at 3.0 Plato
    OptiMaischer o;
    answer(fake, {"60"});

    EXPECT_EQ(OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, true), OptiResult::Done);

    const float S = s.recipe.SpoelenTot;
    EXPECT_GT(S, 3.05f);
    EXPECT_GT(figures(s).B, 60);
    EXPECT_LE(figures(s, [S](RecipeState &r) { r.SpoelenTot = S + 0.1f; }).B, 60);
    EXPECT_EQ(fake.inputs.size(), 1u);
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
}

TEST(SpoelenTot, ATooShortBoilLowersItButNeverBelowThree)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 4.0f;
    s.recipe.SpoelenTot = 4.0f;
    OptiMaischer o;
    answer(fake, {"100"});

    OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, true);

    EXPECT_EQ(num::format(s.recipe.SpoelenTot, u"0.00"), "3.00");
}

TEST(SpoelenTot, ATargetNoSpargeCanReachEndsWithAMessage)
{
    // At 9 L/kg the first wort alone boils 83 min; once no sparge wort is
    // collected any more the boil time cannot come down to 60.
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 9.0f;
    OptiMaischer o;
    answer(fake, {"60"});

    EXPECT_EQ(OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, true), OptiResult::NoFit);

    EXPECT_FLOAT_EQ(s.recipe.SpoelenTot, 3.0f);
    EXPECT_FALSE(s.recipe.ReceptGewijzigd);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "Gewenste kooktijd niet te bereiken: er wordt geen spoelwort meer opgevangen! "
                                       "OptiMaischer is gestopt.\nHet recept is niet gewijzigd.");
    EXPECT_LT(o.recalculations, 60);
    // The schedule shows the recipe as it was again.
    EXPECT_EQ(s.view.spoelen.txtSPSpoelenTot, "3.0");
}

// --- OptimizeWaterBill ----------------------------------------------------

TEST(WaterBill, ATooShortBoilThinsTheMashAndLowersTheVolumeWhenTheTunFills)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.FilterKuipInhoud = 23;  // M passes 23 L near 3.6 L/kg, before B reaches 60 min
    OptiMaischer o;
    answer(fake, {"60", "2.5"});

    EXPECT_EQ(OptimizeWaterBill(s, o, true, true), OptiResult::Done);

    const float V = s.recipe.Doelstellingen(1);
    EXPECT_LT(V, 20.0f);
    EXPECT_FLOAT_EQ(std::fmod(20.0f - V, 5.0f), 0.0f);
    EXPECT_EQ(s.recipe.Aromahop(0, HopGram), "12");  // volume steps leave the hops
    EXPECT_FALSE(o.OptiMaischerAfgebroken);
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
}

TEST(WaterBill, BelowTheMinimumThicknessTheSpargeUntilGravityRises)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Maischschema(0, 0) = 4.0f;  // 73 min
    OptiMaischer o;
    answer(fake, {"20", "3.8"});

    EXPECT_EQ(OptimizeWaterBill(s, o, true, true), OptiResult::Done);

    EXPECT_EQ(num::plain(thickness(s)), "3.8");  // one step above 3.75
    EXPECT_GT(s.recipe.SpoelenTot, 3.05f);       // kept, not stepped back
    const float S = s.recipe.SpoelenTot;
    EXPECT_LE(figures(s, [](RecipeState &r) { r.Maischschema(0, 0) = 3.75f; }).B, 20);
    EXPECT_GT(figures(s,
                      [S](RecipeState &r) {
                          r.Maischschema(0, 0) = 3.75f;
                          r.SpoelenTot = S - 0.1f;
                      })
                  .B,
              20);
}

TEST(WaterBill, ATargetNoSpargeCanReachEndsWithAMessageAndCountsAsAborted)
{
    // A strong beer (about 7 kg of grain): below 6 L/kg the first wort alone
    // still boils over three hours, so raising the sparge-until gravity cannot
    // bring the boil down to 60 min.
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.Doelstellingen(2) = 12;
    s.recipe.Maischschema(0, 0) = 6.5f;
    const Values before = values(s);
    OptiMaischer o;
    answer(fake, {"60", "6"});

    EXPECT_EQ(OptimizeWaterBill(s, o, true, true), OptiResult::NoFit);

    EXPECT_TRUE(o.OptiMaischerAfgebroken);
    EXPECT_EQ(values(s), before);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.startsWith("Gewenste kooktijd niet te bereiken"));
}

// --- The combined commands ------------------------------------------------

TEST(OptiMaischerCommands, VolumePlusWaterRunsAllThreeWithTwoQuestions)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    s.recipe.KetelInhoud = 32;
    OptiMaischer o;
    answer(fake, {"60", "2.5"});

    mnuMaximumVolumePlusWater_Click(s, o);

    EXPECT_EQ(fake.inputs.size(), 2u);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_GT(s.recipe.Doelstellingen(1), 20.0f);  // MaximizeVolume ran
    EXPECT_FALSE(kettleOrTunFull(s, figures(s)));
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_FALSE(s.app.optimiserBusy);
}

TEST(OptiMaischerCommands, VolumePlusWaterCancelledInEitherBoxRunsNothingElse)
{
    for (int answered = 0; answered < 2; ++answered) {
        ScopedFakeServices fake;
        Session s = paleAle();
        s.recipe.KetelInhoud = 32;
        const Values before = values(s);
        OptiMaischer o;
        if (answered)
            answer(fake, {"60"});

        mnuMaximumVolumePlusWater_Click(s, o);

        EXPECT_EQ(values(s), before);
        EXPECT_TRUE(o.OptiMaischerAfgebroken);
        EXPECT_FALSE(s.recipe.ReceptGewijzigd);
    }
}

TEST(OptiMaischerCommands, VolumePlusWaterFailingAfterItsFirstStepKeepsThatStepAndSaysSo)
{
    // The water bill thickens the mash; MaximizeVolume then meets a recipe
    // that no longer computes. Its own steps are put back, the water bill's
    // stay, and the message must not claim the recipe is unchanged.
    YieldingFake fake;
    Session s = paleAle();
    s.recipe.KetelInhoud = 32;
    OptiMaischer o;
    answer(fake, {"60", "2.5"});
    fake.onYield = [&](int n) {
        if (n == 2)
            s.recipe.Bitterhop(0, HopKooktijd) = "0";
    };

    mnuMaximumVolumePlusWater_Click(s, o);

    EXPECT_GT(thickness(s), 3.0f);                       // the water bill's result
    EXPECT_FLOAT_EQ(s.recipe.Doelstellingen(1), 20.0f);  // MaximizeVolume's steps undone
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_FALSE(s.app.optimiserBusy);
    ASSERT_FALSE(fake.messages.empty());
    const QString last = fake.messages.back().prompt;
    EXPECT_TRUE(last.startsWith("Recept kan niet berekend worden!")) << qPrintable(last);
    EXPECT_FALSE(last.contains("Het recept is niet gewijzigd.")) << qPrintable(last);
    EXPECT_TRUE(
        last.endsWith("Deze stap van OptiMaischer heeft het recept niet gewijzigd; eerdere stappen blijven behouden."));
    EXPECT_EQ(fake.inputs.size(), 2u);  // the sparge step did not run
}

TEST(OptiMaischerCommands, EachCommandRefusesWhileAnOptimiserRuns)
{
    using Command = void (*)(Session &, OptiMaischer &);
    const Command commands[] = {mnuMaximumVolume_Click, mnuWaterBeslagRatio_Click, mnuWaterSpoelenTot_Click,
                                mnuMaximumVolumePlusWater_Click, mnuWaterBeslagRatioPlusDoelstelling_Click};
    for (const Command command : commands) {
        ScopedFakeServices fake;
        Session s = paleAle();
        s.app.optimiserBusy = true;
        const Values before = values(s);
        OptiMaischer o;
        answer(fake, {"60", "2.5"});

        command(s, o);

        EXPECT_TRUE(fake.inputs.empty());
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].title, "Mostarium OptiMaischer");
        EXPECT_EQ(values(s), before);
        EXPECT_TRUE(s.app.optimiserBusy);
    }
}

TEST(OptiMaischerCommands, TheOtherCommandsAskTheirQuestions)
{
    ScopedFakeServices fake;
    Session s = paleAle();
    OptiMaischer o;
    answer(fake, {"60", "2.5", "60", "60", "2.5"});

    mnuWaterBeslagRatio_Click(s, o);
    EXPECT_EQ(fake.inputs.size(), 2u);
    mnuWaterSpoelenTot_Click(s, o);
    EXPECT_EQ(fake.inputs.size(), 3u);
    mnuWaterBeslagRatioPlusDoelstelling_Click(s, o);
    EXPECT_EQ(fake.inputs.size(), 5u);
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
}

}  // namespace
