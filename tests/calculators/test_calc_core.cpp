#include "calculators/CalcCore.h"

#include "core/NumText.h"

#include "support/RecipeBuilders.h"

#include <cmath>
#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

using namespace calc;

TEST(SugarUnits, WorkedConversions)
{
    struct Row {
        int from, to;
        double x;
        const char *shown;
        const char *source;
    };
    const Row rows[] = {
        {Plato, Density, 12, "1048.9", "a wort of 12 Plato as a density"},
        {Density, Plato, 1048, "11.77", "a density of 1048 in Plato"},
        {GramPerLiter, Density, 100, "1038.5", "100 g of sugar per litre as a density"},
        {GramPerLiter, Density, 500, "1189.7", "500 g per litre, the most the box takes"},
        {Density, GramPerLiter, 995, "-15.2", "a density of 995, below water's: less than no sugar"},
        {Density, GramPerLiter, 1048, "125.0", "help page example"},
        {GramPerLiter, Plato, 100, "9.47", "by hand: 100 x 0.091795 + 0.29328"},
        {Plato, GramPerLiter, 12, "127.5", "by hand: (12 - 0.29328) / 0.091795"},
        {GramPerLiter, Plato, 2, ".48", "no leading zero below 1"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.source);
        const auto shown = converteer(r.from, r.to, r.x);
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(*shown, QString::fromLatin1(r.shown));
    }
    EXPECT_FALSE(converteer(Plato, Plato, 12).has_value());
    EXPECT_FALSE(converteer(Plato, -1, 12).has_value());
}

TEST(SugarUnits, InputBoundsOnBothSides)
{
    struct Row {
        int unit;
        double x;
        bool good;
    };
    const Row rows[] = {
        {GramPerLiter, 0, false}, {GramPerLiter, 0.001, true}, {GramPerLiter, 500, true}, {GramPerLiter, 500.01, false},
        {Density, 990, false},    {Density, 990.1, true},      {Density, 1200, true},     {Density, 1250, false},
        {Plato, 0, false},        {Plato, 30, true},           {Plato, 31, false},        {-1, 10, false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(conversieInputGood(r.unit, r.x), r.good) << r.unit << " " << r.x;
}

TEST(SugarUnits, LogLineAndWhenItIsWritten)
{
    EXPECT_EQ(conversieLogLine("12", Plato, "1048.9", Density),
              QString::fromUtf8("12 º Plato (gr/100gr) = 1048.9 soortelijk gewicht (kg/m3)"));
    EXPECT_TRUE(conversieLogged(Plato, 12, 1048.9));
    EXPECT_FALSE(conversieLogged(Density, 995, -15.2));  // a result not above 0
    EXPECT_FALSE(conversieLogged(Plato, 31, 1127));      // beyond the unit's bound
    EXPECT_TRUE(conversieLogged(Density, 1200, 47.6));
    EXPECT_FALSE(conversieLogged(GramPerLiter, 0, 1000.7));
}

TEST(HopStorage, WorkedExamples)
{
    struct Row {
        HopOpslagInput in;
        const char *factor, *alpha;
        const char *source;
    };
    const Row rows[] = {
        {{5, 4, 1, 20, true, false, false}, "0.4", "2.0", "flowers, 1 year at 20 degrees (r = 0.25)"},
        {{12, 5, 2, 5, false, true, true}, "0.8575", "10.3", "pellets, vacuum, barrier, 2 years at 5 degrees"},
        {{5, 20, 3, 30, true, false, false}, "1.", "5.0", "beta / 4 equals alpha: nothing changes"},
        {{5, 4, 10, 20, true, false, false}, "0.2", "1.0", "10 years: towards beta / 4"},
        {{5, 4, 1, -18, true, false, false}, "0.8296", "4.1", "frozen: -18 degrees, by hand"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.source);
        const HopOpslagResult out = hopOpslag(r.in);
        EXPECT_EQ(out.factorText, QString::fromLatin1(r.factor));
        EXPECT_EQ(out.alphaText, QString::fromLatin1(r.alpha));
    }
}

TEST(HopStorage, PrefixCharactersAndEntries)
{
    for (QChar c : QStringLiteral("\\/:*?\"<>|"))
        EXPECT_TRUE(prefixBad(QStringLiteral("a") + c + QStringLiteral("b"))) << QString(c).toStdString();
    EXPECT_FALSE(prefixBad(QStringLiteral("Saaz _ oogst 2025.")));
    EXPECT_FALSE(prefixBad(QString()));
    EXPECT_EQ(prefixOfEntry(QStringLiteral("Saaz (A)")), "Saaz _");
    EXPECT_EQ(prefixOfEntry(QStringLiteral("Hallertau (B-dun)")), "Hallertau _");
    EXPECT_EQ(prefixOfEntry(QStringLiteral("Zonder")), "Zonder_");
    EXPECT_EQ(formItem(QStringLiteral("PeLLeTs")), 1);
    EXPECT_EQ(formItem(QStringLiteral(" bloemen ")), 0);
    EXPECT_EQ(formItem(QStringLiteral("")), -1);
    EXPECT_EQ(formItem(QStringLiteral("plugs")), -1);
}

TEST(HopStorage, RecipeHopsFollowTheListsAndTheBrewMode)
{
    Session s = doubleBrew();
    const auto single = receptHoppen(s.recipe, false);
    const auto dubbel = receptHoppen(s.recipe, true);
    ASSERT_EQ(single.size(), 8u);
    ASSERT_EQ(dubbel.size(), 16u);
    EXPECT_TRUE(single[0].entry.endsWith(" (A)"));
    EXPECT_TRUE(single[4].entry.endsWith(" (B)"));
    EXPECT_TRUE(dubbel[8].entry.endsWith(" (A-dun)"));
    EXPECT_TRUE(dubbel[15].entry.endsWith(" (B-dun)"));

    // No cap at sixteen: a fifth row in each list is listed too.
    for (Table2D<QString> *list :
         {&s.recipe.Aromahop, &s.recipe.Bitterhop, &s.recipe.Aromahop2, &s.recipe.Bitterhop2}) {
        list->redimPreserve(list->rowUbound() + 1, list->colUbound());
        (*list)(list->rowUbound(), HopSoort) = QStringLiteral("Extra");
        (*list)(list->rowUbound(), HopHoedanigheid) = QStringLiteral("pellets");
        (*list)(list->rowUbound(), HopAlfazuur) = QStringLiteral("7.5");
    }
    const auto many = receptHoppen(s.recipe, true);
    ASSERT_EQ(many.size(), 20u);
    EXPECT_EQ(many[19].entry, "Extra (B-dun)");
    EXPECT_EQ(many[19].alpha, "7.5");

    Session empty;
    EXPECT_TRUE(receptHoppen(empty.recipe, true).empty());
}

TEST(PrimingSugar, WorkedExample)
{
    // Present 2.25, wanted 5, 20 L, free size 330 mL.
    const SuikerSiroopResult r = suikerSiroop(2.25, 5, 20, 330);
    EXPECT_EQ(r.suikerNodig, "110");
    EXPECT_EQ(r.mlSiroop, "157");
    EXPECT_EQ(r.grSiroop, "197");
    EXPECT_EQ(r.gram, (std::array<QString, 4>{"1.6", "2.6", "3.8", "5.0"}));
    EXPECT_EQ(r.siroop, (std::array<QString, 4>{"2.3", "3.8", "5.5", "7.1"}));
    EXPECT_EQ(r.vrij, SuikerSiroopResult::Vrij::Computed);
    EXPECT_EQ(r.gramVrij, "1.8");
    EXPECT_EQ(r.siroopVrij, "2.5");
}

TEST(PrimingSugar, EdgesOfTheFigures)
{
    // Wanted below present: every amount negative, with its sign.
    const SuikerSiroopResult neg = suikerSiroop(3, 2, 10, 0);
    EXPECT_EQ(neg.suikerNodig, "-20");
    EXPECT_EQ(neg.gram[3], "-2.5");
    EXPECT_EQ(neg.vrij, SuikerSiroopResult::Vrij::Unchanged);
    // x = 0.2: the litre bottle shows "-.3".
    EXPECT_EQ(suikerSiroop(2.25, 2.35, 20, 0).gram[3], "-.3");
    // Under half a gram for the batch: empty sugar and syrup boxes.
    const SuikerSiroopResult tiny = suikerSiroop(2.25, 2.26, 20, 0);
    EXPECT_EQ(tiny.suikerNodig, "");
    EXPECT_EQ(tiny.mlSiroop, "");
    EXPECT_EQ(tiny.grSiroop, "");
    // The free size: 2500 computed, 2501 too large.
    EXPECT_EQ(suikerSiroop(2.25, 5, 20, 2500).vrij, SuikerSiroopResult::Vrij::Computed);
    EXPECT_EQ(suikerSiroop(2.25, 5, 20, 2501).vrij, SuikerSiroopResult::Vrij::TooLarge);
    EXPECT_EQ(suikerSiroop(2.25, 5, 20, std::nullopt).vrij, SuikerSiroopResult::Vrij::TooLarge) << "beyond a double";
    EXPECT_EQ(suikerSiroop(2.25, 5, 20, -1).vrij, SuikerSiroopResult::Vrij::Unchanged);
}

TEST(PrimingSugar, WantedCO2FromTheTargets)
{
    Session s = singleBrew();
    EXPECT_EQ(gewenstCO2Text(s.recipe), "5");
    s.recipe.Doelstellingen(5) = 5.5f;
    EXPECT_EQ(gewenstCO2Text(s.recipe), "5.5");
    s.recipe.Doelstellingen(5) = 0;
    EXPECT_EQ(gewenstCO2Text(s.recipe), "");
    s.recipe.Doelstellingen.redim(-1);
    EXPECT_EQ(gewenstCO2Text(s.recipe), "");
}

TEST(FinalVolume, WorkedExampleAndEquality)
{
    const auto r = bestemming(20, 1060, 22, 1052);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->opVolume, " 20 L: 1057 kg/m3");
    EXPECT_EQ(r->opOG, "1060 kg/m3: 19 L");
    // Measured as targeted: the target back on both counts.
    const auto same = bestemming(20, 1060, 20, 1060);
    ASSERT_TRUE(same.has_value());
    EXPECT_EQ(same->opVolume, " 20 L: 1060 kg/m3");
    EXPECT_EQ(same->opOG, "1060 kg/m3: 20 L");
    EXPECT_EQ(volumeText(20), "Volume (L):  20");
    EXPECT_EQ(ogText(1059.6f), "OG: 1060 kg/m3");
}

TEST(FinalVolume, NothingToCompareWithGivesNoFigure)
{
    struct Row {
        float v, og;
        double vm, sgm;
        const char *why;
    };
    const Row rows[] = {
        {0, 1060, 22, 1052, "no target volume"},
        {-5, 1060, 22, 1052, "a negative target volume"},
        {20, 0, 22, 1052, "OG 0 before a recalculation"},
        {20, 1000, 22, 1052, "an OG that asks for no extract"},
        {20, 1060, 22, 1000.5, "a measurement holding no extract"},
    };
    for (const Row &r : rows)
        EXPECT_FALSE(bestemming(r.v, r.og, r.vm, r.sgm).has_value()) << r.why;
}

}  // namespace
}  // namespace mostarium::test
