#include "calculators/ContinueHoppenCore.h"

#include "core/NumText.h"

#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

using namespace calc;

ContinueHoppenInput basis(ChModus modus = ChModus::GelijkeGrammen)
{
    ContinueHoppenInput in;
    in.doelEBU = QStringLiteral("30");
    in.kooktijd = QStringLiteral("60");
    in.interval = QStringLiteral("10");
    in.startSG = QStringLiteral("1040");
    in.eindSG = QStringLiteral("1050");
    in.alfazuur = QStringLiteral("5");
    in.vorm = QStringLiteral("bloemen");
    in.volume = QStringLiteral("20");
    in.ebuVerschil = QStringLiteral("0");
    in.modus = modus;
    return in;
}

TEST(ContinueHoppen, NumberOfAdditions)
{
    struct Row {
        const char *kook, *interval;
        int gram, ebu;  // index 0; indexes 1 and 2
    };
    for (const Row r :
         {Row{"60", "10", 7, 6}, Row{"65", "10", 7, 7}, Row{"61", "60", 2, 2}, Row{"150", "1", 151, 150}}) {
        SCOPED_TRACE(std::string(r.kook) + "/" + r.interval);
        const QString k = QString::fromLatin1(r.kook), i = QString::fromLatin1(r.interval);
        EXPECT_EQ(aantalHopgiften(k, i, ChModus::GelijkeGrammen), r.gram);
        EXPECT_EQ(aantalHopgiften(k, i, ChModus::GelijkeEBU), r.ebu);
        EXPECT_EQ(aantalHopgiften(k, i, ChModus::LineaireEBU), r.ebu);
        for (ChModus m : {ChModus::GelijkeGrammen, ChModus::GelijkeEBU, ChModus::LineaireEBU}) {
            ContinueHoppenInput in = basis(m);
            in.kooktijd = k;
            in.interval = i;
            EXPECT_TRUE(controleerContinueHoppen(in).good());
            const ContinueHoppenSchema s = continueHoppen(in);
            ASSERT_EQ(int(s.rows.size()), s.n);
            EXPECT_EQ(s.n, m == ChModus::GelijkeGrammen ? r.gram : r.ebu);
        }
    }
}

TEST(ContinueHoppen, EveryModeGivesTheWantedBitterness)
{
    for (ChModus m : {ChModus::GelijkeGrammen, ChModus::GelijkeEBU, ChModus::LineaireEBU}) {
        for (const char *verschil : {"0", "4", "-4"}) {
            ContinueHoppenInput in = basis(m);
            in.ebuVerschil = QString::fromLatin1(verschil);
            in.vorm = QStringLiteral(" Pellets ");  // trimmed and lower-cased, it counts
            SCOPED_TRACE(int(m));
            const ContinueHoppenSchema s = continueHoppen(in);
            EXPECT_NEAR(s.totaalEBU, 30, 0.1);
            EXPECT_EQ(s.rows.back()[6], QStringLiteral("30.0"));
            EXPECT_GT(s.totaalGram, 0);
        }
    }
}

TEST(ContinueHoppen, EqualGramsEndsWithAnAdditionWithoutBitterness)
{
    const ContinueHoppenSchema s = continueHoppen(basis());
    ASSERT_EQ(s.n, 7);
    const ChRow &last = s.rows.back();
    EXPECT_EQ(last[0], "7");
    EXPECT_EQ(last[1], "60");
    EXPECT_EQ(last[2], "0");
    EXPECT_EQ(last[4], s.rows.front()[4]);
    EXPECT_EQ(last[5], ".0");
    // SG rises by (end - start) / n per addition, never reaching the end.
    EXPECT_EQ(s.rows.front()[3], "1040.0");
    EXPECT_EQ(last[3], "1048.6");
    // By hand: seven additions of 10.688 g.
    EXPECT_EQ(last[4], "10.7");
    EXPECT_EQ(s.totaal, "74.8");
}

TEST(ContinueHoppen, EqualEbuLeavesOutTheEndOfTheBoil)
{
    const ContinueHoppenSchema s = continueHoppen(basis(ChModus::GelijkeEBU));
    ASSERT_EQ(s.n, 6);
    EXPECT_EQ(s.rows.back()[1], "50");
    EXPECT_EQ(s.rows.back()[2], "10");
    for (const ChRow &r : s.rows)
        EXPECT_EQ(r[5], "5.0");
    EXPECT_EQ(s.rows[2][6], "15.0");
    // Later additions boil shorter, so they weigh more.
    EXPECT_LT(num::val(s.rows.front()[4]), num::val(s.rows.back()[4]));
}

TEST(ContinueHoppen, LinearDifferences)
{
    ContinueHoppenInput in = basis(ChModus::LineaireEBU);
    in.ebuVerschil = QStringLiteral("9");
    ContinueHoppenSchema s = continueHoppen(in);
    ASSERT_FALSE(s.teGroot);
    EXPECT_EQ(s.rows.front()[5], ".5");
    EXPECT_EQ(s.rows.back()[5], "9.5");

    for (const char *d : {"10", "-10", "12"}) {
        in.ebuVerschil = QString::fromLatin1(d);
        s = continueHoppen(in);
        EXPECT_TRUE(s.teGroot) << d;
        EXPECT_TRUE(s.rows.empty()) << d;
    }

    in.ebuVerschil = QStringLiteral("0");
    const ContinueHoppenSchema linear = continueHoppen(in);
    const ContinueHoppenSchema equal = continueHoppen(basis(ChModus::GelijkeEBU));
    EXPECT_EQ(linear.rows, equal.rows);
    EXPECT_EQ(linear.totaal, equal.totaal);
}

TEST(ContinueHoppen, Checks)
{
    struct Row {
        const char *field, *value;
        std::vector<const char *> bad;
        const char *status;
    };
    const Row rows[] = {
        {"kooktijd", "60", {}, ""},
        {"interval", "60", {"kooktijd", "interval"}, "Interval groter dan kooktijd!"},
        {"interval", "59.6", {"kooktijd", "interval"}, "Interval groter dan kooktijd!"},
        {"interval", "0.4", {"interval"}, ""},
        {"interval", "10.5", {}, ""},  // halves to even: 10
        {"kooktijd", "200", {"kooktijd"}, ""},
        {"kooktijd", "150.4", {}, ""},
        {"kooktijd", "6/0", {"kooktijd", "interval"}, "Interval groter dan kooktijd!"},
        {"doelEBU", "200", {}, ""},
        {"doelEBU", "200.1", {"doelEBU"}, ""},
        {"doelEBU", "", {"doelEBU"}, ""},
        {"startSG", "1050", {"startSG", "eindSG"}, "Start SG groter dan eind SG!"},
        {"startSG", "1020", {"startSG"}, ""},
        {"alfazuur", "25", {}, ""},
        {"alfazuur", "0", {"alfazuur"}, ""},
        {"volume", "0.1", {}, ""},
        {"volume", "0", {"volume"}, ""},
        {"vorm", "Pellets ", {}, ""},
        {"vorm", "hop", {"vorm"}, ""},
        {"prefix", "mijn brouwsel ", {}, ""},
        {"prefix", "a/b", {"prefix"}, "incorrect karakter gebuikt (\\ / : * ? \" < > | )"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.field) + " = " + r.value);
        ContinueHoppenInput in = basis();
        const QString v = QString::fromLatin1(r.value);
        const QString f = QString::fromLatin1(r.field);
        (f == "kooktijd"   ? in.kooktijd
         : f == "interval" ? in.interval
         : f == "doelEBU"  ? in.doelEBU
         : f == "startSG"  ? in.startSG
         : f == "alfazuur" ? in.alfazuur
         : f == "volume"   ? in.volume
         : f == "vorm"     ? in.vorm
                           : in.prefix) = v;
        const ContinueHoppenCheck c = controleerContinueHoppen(in);
        const auto isBad = [&r](const char *name) {
            return std::find_if(r.bad.begin(), r.bad.end(), [name](const char *b) { return std::string(b) == name; })
                   != r.bad.end();
        };
        EXPECT_EQ(c.kooktijd, isBad("kooktijd"));
        EXPECT_EQ(c.interval, isBad("interval"));
        EXPECT_EQ(c.doelEBU, isBad("doelEBU"));
        EXPECT_EQ(c.startSG, isBad("startSG"));
        EXPECT_EQ(c.eindSG, isBad("eindSG"));
        EXPECT_EQ(c.alfazuur, isBad("alfazuur"));
        EXPECT_EQ(c.volume, isBad("volume"));
        EXPECT_EQ(c.vorm, isBad("vorm"));
        EXPECT_EQ(c.prefix, isBad("prefix"));
        EXPECT_EQ(c.good(), r.bad.empty());
        EXPECT_EQ(c.status, QString::fromLatin1(r.status));
    }
}

TEST(ContinueHoppen, ReportLines)
{
    const QStringList lines = continueHoppenLines({QStringLiteral("a: 1"), QStringLiteral("b: 2")},
                                                  {chHeader(), ChRow{"1", "0", "60", "1040.0", "2.0", "3.0", "3.0"}});
    EXPECT_EQ(lines, QStringList({QStringLiteral("a: 1"), QStringLiteral("b: 2"), QString(),
                                  QStringLiteral("# ,tijd ,kooktijd , SG ,gram ,EBU ,Totaal EBU  "),
                                  QStringLiteral("1,0,60,1040.0,2.0,3.0,3.0")}));
}

}  // namespace
}  // namespace mostarium::test
