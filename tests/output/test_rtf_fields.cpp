// The report's field table: which fields a recipe fills, with what text.
#include "output/RtfReport.h"

#include "core/CalcError.h"
#include "core/Session.h"
#include "support/QtPrint.h"
#include "support/RecipeBuilders.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// Field -> value; a name missing from the map is left as written.
QMap<QString, QString> fieldsOf(const Session &s)
{
    QMap<QString, QString> m;
    for (const RtfField &f : reportFields(s)) {
        EXPECT_FALSE(m.contains(f.first)) << qPrintable(f.first) << " filled twice";
        m.insert(f.first, f.second);
    }
    return m;
}

Session targetsOnly()
{
    Session s;
    setTargets(s, {20, 5, 1012, 30, 5});
    s.recipe.ReceptStatus = StatusDoelstellingen;
    return s;
}

}  // namespace

TEST(ReportFields, OnlyTargetsLeavesOtherGroupsAsWritten)
{
    const auto m = fieldsOf(targetsOnly());
    for (const char *kept : {"Brouwschema", "Br1", "BrDatum", "TotaleStorting", "Ingred1", "Beslaan", "Temp0", "Rust1",
                             "AHop_1", "BHop_4", "Soort2", "AHop2_1"})
        EXPECT_FALSE(m.contains(QString::fromLatin1(kept))) << kept;
    EXPECT_EQ(m.value("Volume1"), " 20");
    EXPECT_EQ(m.value("FG1"), " 1012");
    for (const char *empty : {"EvVol", "EvOG", "EvFG", "EvAlc", "EvBZR", "EvSVG", "EvEBU", "EvEBC", "Aantekening"}) {
        ASSERT_TRUE(m.contains(QString::fromLatin1(empty))) << empty;
        EXPECT_EQ(m.value(QString::fromLatin1(empty)), "") << empty;
    }
    for (const char *dash :
         {"KM_Kleur", "KM_Helderheid", "KM_Schuim", "KM_Schuimstabiliteit", "KM_Body", "KM_Mondgevoel", "KM_Koolzuur"})
        EXPECT_EQ(m.value(QString::fromLatin1(dash)), "-") << dash;
    // Zero under "###" has no digits.
    EXPECT_EQ(m.value("Spoelwater"), " L");
    EXPECT_EQ(m.value("OGSG"), "");
}

TEST(ReportFields, TableOfValues)
{
    struct Case {
        const char *what;
        std::function<void(Session &)> setUp;
        const char *field;
        const char *expected;  // nullptr: not filled
    };
    auto general = [](Session &s) {
        s.recipe.setStatus(StatusAlgemeen);
        s.recipe.Algemeen(0) = QStringLiteral(" Zomerblond ");
        s.recipe.Algemeen(1) = QStringLiteral("Jan");
        s.recipe.Algemeen(3) = QStringLiteral("Piet");
        s.recipe.Algemeen(5) = QStringLiteral("Klaas");
    };
    auto threeGrains = [](Session &s) {
        setGrainBill(s, {{"Pilsmout", "80", "0.78", "3"}, {"Munich", "15", "0.8", "15"}, {"Cara", "5", "0.7", "120"}});
        for (int k = 0; k < 3; ++k)
            s.view.lbl_StIngred[std::size_t(k)].text = QStringLiteral(" rij %1 ").arg(k);
    };
    auto mashIn = [](Session &s) { setMash(s, 3, 5.4f, {{63, 45}}); };
    auto sevenRows = [](Session &s) {
        setMash(s, 3, 5.4f, {{45, 10}, {52, 10}, {63, 30}, {67, 20}, {72, 20}, {75, 5}, {78, 5}});
    };
    auto evaluated = [](Session &s) {
        s.recipe.setStatus(StatusEvaluatie);
        s.recipe.EvEBU = 20;
        s.recipe.EvEBC = 10;
        s.recipe.EvAlc = 5.04f;
        setMeasured(s, 0, "19.5", "1050", "1010");
    };
    auto weight = [](Session &s) { s.recipe.OGSG = 1050; };
    auto tasting = [](Session &s) {
        s.recipe.setStatus(StatusKenmerken);
        s.recipe.Kenmerken[0] = QStringLiteral("goudgeel");
    };
    auto beer2Hops = [](Session &s, bool bit8) {
        setTargets(s, {20, 5, 1012, 30, 5}, {15, 4, 1008, 20, 5});
        setHops(s.recipe.Aromahop2, {{"Saaz", "pellets", "3.5", "20", "15", "1050"}});
        s.view.lbl_Ahop2[0].text = QStringLiteral("20 gr. Saaz");
        s.recipe.ReceptStatus = std::int16_t(StatusDoelstellingen | (bit8 ? StatusHopgift : StatusHopgift2));
    };
    auto decoction = [](Session &s) {
        setMash(s, 3, 5.4f, {{63, 45}});
        setDecoction(s, 100, 35, 20);
        s.view.lblMDecoctieStap.text = QStringLiteral("Decoc: 12 L naar 100 \u00BAC");
    };
    auto notes = [](Session &s) {
        s.recipe.Aantekening = QStringLiteral("Koud lageren");
        s.recipe.InRecept = 1;
    };
    const Case cases[] = {
        {"brewers 1, 3 and 5", general, "Br1", "Jan"},
        {"brewers 1, 3 and 5", general, "Br2", ""},
        {"brewers 1, 3 and 5", general, "Br3", ", Piet"},
        {"brewers 1, 3 and 5", general, "Br4", ""},
        {"brewers 1, 3 and 5", general, "Br5", "en Klaas"},
        {"title keeps the name untrimmed", general, "Brouwschema", "Brouwschema  Zomerblond "},
        {"three grain rows", threeGrains, "Ingred1", "rij 0 Verwacht Bzr=78%\r\n"},
        {"three grain rows", threeGrains, "Ingred3", "rij 2 Verwacht Bzr=70%\r\n"},
        {"three grain rows", threeGrains, "Ingred4", ""},
        {"three grain rows", threeGrains, "Ingred10", ""},
        {"three grain rows", threeGrains, "Ingred11", nullptr},
        {"mash-in only", mashIn, "Temp0", "63 \u00BAC, "},
        {"mash-in only", mashIn, "Tijd0", "45 min.\r\n"},
        {"mash-in only", mashIn, "Rust1", ""},
        {"mash-in only", mashIn, "Tijd5", ""},
        {"mash-in only", mashIn, "Rust6", ""},
        {"mash-in only", mashIn, "Tijd6", ""},
        {"mash-in only", mashIn, "Rust7", nullptr},
        {"mash-in only", mashIn, "DecoctieStap", ""},
        {"mash-in only", mashIn, "LiterPerKGStorting", "3.0"},
        {"seven step rows", sevenRows, "Rust1", "Rust 1 bij: 52 \u00BAC, "},
        {"seven step rows", sevenRows, "Rust6", "Rust 6 bij: 78 \u00BAC, "},
        {"seven step rows", sevenRows, "Tijd6", "5 min.\r\n"},
        {"decoction", decoction, "DecoctieStap", " via decoctiestap (20 minuten) 12 L naar 100 \u00BAC"},
        {"evaluation range", evaluated, "EvEBU", "19.0 - 21.0"},
        {"evaluation range", evaluated, "EvEBC", "9 - 11"},
        {"evaluation alcohol", evaluated, "EvAlc", "5.0"},
        {"measured volume in Str form", evaluated, "EvVol", " 19.5"},
        {"expected weight with a bare point", weight, "VerwachtGewicht", "21."},
        {"tasting words without a file", tasting, "KM_Kleur", "goudgeel"},
        {"tasting words without a file", tasting, "KM_Body", ""},
        {"beer 2's hops under bit 8", [&](Session &s) { beer2Hops(s, true); }, "AHop2_1", "20 gr. Saaz\r\n"},
        {"beer 2's hops under bit 8", [&](Session &s) { beer2Hops(s, true); }, "AHop2_2", ""},
        {"not under bit 32", [&](Session &s) { beer2Hops(s, false); }, "AHop2_1", nullptr},
        {"second beer's targets", [&](Session &s) { beer2Hops(s, false); }, "Volume2", " 15"},
        {"notes printed with the recipe", notes, "Aantekening", "Koud lageren"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ": " << c.field);
        Session s = targetsOnly();
        c.setUp(s);
        const auto m = fieldsOf(s);
        const QString field = QString::fromLatin1(c.field);
        if (!c.expected) {
            EXPECT_FALSE(m.contains(field));
            continue;
        }
        ASSERT_TRUE(m.contains(field));
        EXPECT_EQ(m.value(field), QString::fromUtf8(c.expected));
    }
}

TEST(ReportFields, SecondBeerOnlyInADoubleBrewAndAfterTheFirst)
{
    Session s = doubleBrew();
    const std::vector<RtfField> all = reportFields(s);
    auto at = [&](const char *name) {
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].first == QLatin1String(name))
                return int(i);
        return -1;
    };
    ASSERT_GE(at("Aantekening"), 0);
    EXPECT_GT(at("Soort2"), at("Aantekening"));
    EXPECT_EQ(all.back().first, "EvEBC2");
    s.app.dubbelBrouw = false;
    const auto single = fieldsOf(s);
    EXPECT_FALSE(single.contains("Soort2"));
    EXPECT_FALSE(single.contains("Gist6"));
}

TEST(ReportFields, ATableOutOfShapeIsACalculationError)
{
    Session s = targetsOnly();
    s.recipe.setStatus(StatusMaischschema);
    s.recipe.Maischschema.redim(0, 4);  // no step rows
    EXPECT_THROW(reportFields(s), CalcError);
}
