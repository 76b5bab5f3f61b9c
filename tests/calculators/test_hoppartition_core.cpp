#include "calculators/HopPartitionCore.h"
#include "core/CalcError.h"

#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

using namespace calc;

HopPartitionInput need(double gram, double alfa, std::vector<double> alfas, std::vector<double> grams)
{
    HopPartitionInput in;
    in.gramNodig = gram;
    in.alfaNodig = alfa;
    in.n = int(alfas.size());
    for (std::size_t i = 0; i < alfas.size(); ++i)
        in.alfa[i] = alfas[i];
    for (std::size_t i = 0; i < grams.size(); ++i)
        in.gram[i] = grams[i];
    return in;
}

TEST(HopPartition, SharesAndAnswer)
{
    struct Row {
        HopPartitionInput in;
        std::vector<const char *> perc;
        std::vector<bool> red;
        const char *antwoord;
        const char *source;
    };
    const Row rows[] = {
        {need(50, 5, {8, 4}, {20}),
         {"64.0", "36.0"},
         {false, false},
         "22.5",
         "50 g at 5 %: 20 g at 8 %, the rest at 4 %"},
        {need(50, 5, {8, 6, 5}, {10, 10}),
         {"32.0", "24.0", "44.0"},
         {false, false, false},
         "22.0",
         "50 g at 5 %: 10 g at 8 %, 10 g at 6 %, the rest at 5 %"},
        {need(50, 5, {6}, {}), {"100"}, {false}, "41.7", "50 g at 5 % from one variety at 6 %"},
        {need(50, 5, {5, 4}, {50}), {"100.0", ".0"}, {false, false}, ".0", "two varieties, the first exactly T"},
        // Exact need with more rows: the last row is not computed, and emptied.
        {need(50, 5, {5, 5, 4}, {25, 25}),
         {"50.0", "50.0", ""},
         {false, false, false},
         "",
         "three varieties adding up to T"},
        {need(50, 5, {8, 4}, {40}), {">100%", ""}, {true, false}, "", "two varieties, the first above T"},
        {need(50, 5, {8, 8, 8, 4}, {20, 20, 20}),
         {"64.0", ">100%", ">100%", ""},
         {false, true, true, false},
         "",
         "four varieties exceeding T at the second"},
        // 0.149 % is first rounded to 0.15, which then shows .2.
        {need(200, 5, {1, 4}, {1.49}), {".2", "99.8"}, {false, false}, "249.6", "two decimals first, by hand"},
        // 0.045 % rounds to 0.04 (halves to even), not to 0.05 that would show .1.
        {need(200, 5, {0.45, 4}, {1}), {".0", "100.0"}, {false, false}, "249.9", "halves to even, by hand"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.source);
        const HopPartitionResult res = hopPartition(r.in);
        for (std::size_t i = 0; i < r.perc.size(); ++i) {
            EXPECT_EQ(res.perc[i], QString::fromLatin1(r.perc[i])) << "row " << i;
            EXPECT_EQ(res.percRed[i], r.red[i]) << "row " << i;
        }
        EXPECT_EQ(res.antwoord, QString::fromLatin1(r.antwoord));
        EXPECT_EQ(res.keepFirstColour, r.in.n == 1);
    }
}

TEST(HopPartition, ChecksBoundsOfShownRowsOnly)
{
    struct Row {
        double alfa;
        bool bad;
    };
    for (const Row r : {Row{25, true}, Row{24.99, false}, Row{0, true}, Row{0.01, false}}) {
        SCOPED_TRACE(r.alfa);
        const HopPartitionBad bad = controleerHopPartition(need(50, r.alfa, {r.alfa, r.alfa}, {10}));
        EXPECT_EQ(bad.alfaNodig, r.bad);
        EXPECT_EQ(bad.alfa[0], r.bad);
        EXPECT_EQ(bad.alfa[1], r.bad);
        EXPECT_EQ(bad.any(), r.bad);
    }
    // Grams 0 are bad, except the last row's: that is the answer. Rows not
    // shown are not checked.
    HopPartitionInput in = need(0, 5, {5, 5, 5}, {0, 0, 0});
    in.alfa[3] = 99;
    const HopPartitionBad bad = controleerHopPartition(in);
    EXPECT_TRUE(bad.gramNodig);
    EXPECT_TRUE(bad.gram[0]);
    EXPECT_TRUE(bad.gram[1]);
    EXPECT_FALSE(bad.gram[2]);
    EXPECT_FALSE(bad.alfa[3]);

    // A box whose number no double holds fails its check, and no computation
    // goes on from it; the last row's grams are not read.
    HopPartitionInput beyond = need(50, 5, {8, 4}, {20});
    beyond.gram[1] = std::nullopt;
    EXPECT_EQ(hopPartition(beyond).antwoord, "22.5");
    beyond.alfa[1] = std::nullopt;
    EXPECT_TRUE(controleerHopPartition(beyond).alfa[1]);
    EXPECT_THROW(hopPartition(beyond), CalcError);
}

TEST(HopPartition, RowCountFromTheList)
{
    EXPECT_EQ(hopRijen(QStringLiteral("3")), 3);
    EXPECT_EQ(hopRijen(QStringLiteral("9")), 4);
    EXPECT_EQ(hopRijen(QStringLiteral("0")), 1);
    EXPECT_EQ(hopRijen(QStringLiteral("")), 1);
    EXPECT_EQ(hopRijen(QStringLiteral("2.5")), 2);
}

TEST(HopPartition, ReportLines)
{
    EXPECT_EQ(hopPartitionLines({QStringLiteral("8"), QStringLiteral("4")},
                                {QStringLiteral("20"), QStringLiteral("22.5")},
                                {QStringLiteral("64.0"), QStringLiteral("36.0")}),
              QStringList({QStringLiteral(" 1:  8%  20gr  64.0"), QStringLiteral(" 2:  4%  22.5gr  36.0")}));
}

}  // namespace
}  // namespace mostarium::test
