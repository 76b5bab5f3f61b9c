#include "core/CalcError.h"
#include "core/RecipeState.h"
#include "support/QtPrint.h"

#include <gtest/gtest.h>

using namespace mostarium;

namespace {

TEST(RecipeState, StartUpShapes)
{
    RecipeState r;
    EXPECT_EQ(r.Algemeen.ubound(), 7);
    EXPECT_EQ(r.Doelstellingen.ubound(), 0);
    EXPECT_FALSE(r.Doelstellingen.has(1));
    EXPECT_EQ(r.Maischschema.rowUbound(), 0);
    EXPECT_EQ(r.Maischschema.colUbound(), 4);
    EXPECT_EQ(r.Storting.colUbound(), 4);
    EXPECT_EQ(r.Aromahop.colUbound(), 6);
    EXPECT_EQ(r.Evaluatie.rowUbound(), 2);
    EXPECT_EQ(r.Evaluatie.colUbound(), 2);
    EXPECT_EQ(r.Gistkeuze.ubound(), 10);
    EXPECT_EQ(r.Toevoegingen.ubound(), 10);
    EXPECT_EQ(r.ReceptStatus, 0);
    EXPECT_FLOAT_EQ(r.SpoelenTot, 3.0f);
    EXPECT_FALSE(r.ReceptGewijzigd);
}

TEST(RecipeState, ResetShapesEmptyEveryPart)
{
    RecipeState r;
    r.Storting.redim(2, 4);
    r.Storting(1, 0) = QStringLiteral("Pilsmout");
    r.Doelstellingen.redim(10);
    r.Doelstellingen(6) = 12;
    r.resetShapes();
    EXPECT_EQ(r.Storting.rowUbound(), 0);
    EXPECT_EQ(r.Storting.colUbound(), 5);
    EXPECT_EQ(r.Storting(0, 0), QString());
    EXPECT_EQ(r.Doelstellingen.ubound(), 0);
    EXPECT_EQ(r.Evaluatie.colUbound(), 1);
}

TEST(RecipeState, TableAccessOutsideTheBoundsIsACalcError)
{
    RecipeState r;
    EXPECT_THROW(r.Doelstellingen(1), CalcError);
    EXPECT_THROW(r.Doelstellingen(-1), CalcError);
    EXPECT_THROW(r.Storting(0, 5), CalcError);
    EXPECT_THROW(r.Storting(1, 0), CalcError);
    const RecipeState &c = r;
    EXPECT_THROW(c.Algemeen(8), CalcError);
    EXPECT_NO_THROW(c.Algemeen(7));
}

TEST(RecipeState, RedimPreserveKeepsContents)
{
    Table1D<float> d(5);
    d(1) = 20;
    d(5) = 2.5f;
    d.redimPreserve(10);
    EXPECT_FLOAT_EQ(d(1), 20);
    EXPECT_FLOAT_EQ(d(5), 2.5f);
    EXPECT_FLOAT_EQ(d(10), 0);

    Table2D<QString> e(2, 0);
    e(1, 0) = QStringLiteral("1052");
    e.redimPreserve(2, 1);
    EXPECT_EQ(e(1, 0), QStringLiteral("1052"));
    EXPECT_EQ(e(1, 1), QString());
}

TEST(RecipeState, StatusBitsAreSetOnlyWhenClearAndClearedOnlyWhenSet)
{
    struct Step {
        bool set;
        int bit;
        int after;
    } steps[] = {
        {true, StatusDoelstellingen, 1}, {true, StatusDoelstellingen, 1},  // twice: once
        {true, StatusStorting, 5},       {false, StatusMaischschema, 5},   // clear a clear bit
        {true, StatusKenmerken, 517},    {false, StatusDoelstellingen, 516}, {false, StatusDoelstellingen, 516},
    };
    RecipeState r;
    for (const auto &s : steps) {
        if (s.set)
            r.setStatus(s.bit);
        else
            r.clearStatus(s.bit);
        EXPECT_EQ(r.ReceptStatus, s.after) << (s.set ? "set " : "clear ") << s.bit;
    }
    EXPECT_TRUE(r.hasStatus(StatusStorting));
    EXPECT_FALSE(r.hasStatus(StatusMaischschema));
}

TEST(RecipeState, WholeValueComparisonsAreNotBitTests)
{
    // Targets and grain bill pass a "2 or more" test although the mash schedule
    // is missing.
    RecipeState r;
    r.setStatus(StatusDoelstellingen);
    r.setStatus(StatusStorting);
    EXPECT_EQ(r.ReceptStatus, 5);
    EXPECT_GE(r.ReceptStatus, 2);
    EXPECT_FALSE(r.hasStatus(StatusMaischschema));
}

}  // namespace
