#include "core/LinkFiles.h"
#include "core/Tips.h"

#include "core/WholeFile.h"
#include "support/FakeServices.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace mostarium;
using mostarium::test::TempProgramFolder;
using mostarium::test::writeFileBytes;

namespace {

QStringList tips(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << QStringLiteral("tip %1").arg(i);
    return list;
}

QStringList walk(TipCycle &cycle, const std::vector<double> &draws)
{
    QStringList shown;
    for (double d : draws) {
        cycle.next(d);
        shown << cycle.counterText();
    }
    return shown;
}

}  // namespace

TEST(Tips, FileOrderWrapsAround)
{
    struct Case {
        int n;
        QStringList expected;
    } cases[] = {
        {1, {"[1/1]", "[1/1]", "[1/1]"}},
        {2, {"[1/2]", "[2/2]", "[1/2]", "[2/2]"}},
        {3, {"[1/3]", "[2/3]", "[3/3]", "[1/3]"}},
        {57, {"[1/57]", "[2/57]", "[3/57]"}},
    };
    for (const Case &c : cases) {
        TipCycle cycle(tips(c.n));
        cycle.setOrder(TipCycle::OpVolgorde);
        EXPECT_EQ(walk(cycle, std::vector<double>(c.expected.size(), 0.5)), c.expected) << c.n;
    }
}

TEST(Tips, RandomOrderNeverRepeatsAndNeverLeavesTheList)
{
    // The draw is the random number in [0, 1).
    struct Case {
        int n;
        std::vector<double> draws;
        QStringList expected;
    } cases[] = {
        // One tip (the fallback): every press shows it; there is nothing else.
        {1, {0.0, 0.99, 0.5}, {"[1/1]", "[1/1]", "[1/1]"}},
        // Two tips alternate whatever is drawn.
        {2, {0.0, 0.0, 0.0, 0.9, 0.9}, {"[1/2]", "[2/2]", "[1/2]", "[2/2]", "[1/2]"}},
        // A repeated draw gives the tip before it; a repeated tip 1 gives tip 2.
        {5, {0.5, 0.5, 0.1, 0.1, 0.99, 0.99}, {"[3/5]", "[2/5]", "[1/5]", "[2/5]", "[5/5]", "[4/5]"}},
    };
    for (const Case &c : cases) {
        TipCycle cycle(tips(c.n));
        EXPECT_EQ(walk(cycle, c.draws), c.expected) << c.n;
    }

    QRandomGenerator rng(7);
    for (int n : {1, 2, 3, 40}) {
        TipCycle cycle(tips(n));
        int previous = 0;
        for (int i = 0; i < 2000; ++i) {
            cycle.next(rng.generateDouble());
            ASSERT_GE(cycle.currentTip(), 1);
            ASSERT_LE(cycle.currentTip(), n);
            ASSERT_TRUE(cycle.currentText().has_value());
            if (n > 1) {
                ASSERT_NE(cycle.currentTip(), previous);
            }
            previous = cycle.currentTip();
        }
    }
}

TEST(Tips, SwitchingOrderContinuesFromTheTipShown)
{
    TipCycle cycle(tips(10));
    cycle.next(0.65);  // tip 7
    EXPECT_EQ(cycle.currentText(), QStringLiteral("tip 7"));
    cycle.setOrder(TipCycle::OpVolgorde);
    EXPECT_EQ(walk(cycle, {0, 0, 0, 0, 0}), (QStringList{"[8/10]", "[9/10]", "[10/10]", "[1/10]", "[2/10]"}));
    cycle.setOrder(TipCycle::Willekeurig);
    cycle.next(0.15);  // draws tip 2, the one shown: the one before it
    EXPECT_EQ(cycle.counterText(), "[1/10]");
}

TEST(Tips, AnEmptyListShowsNoTip)
{
    TipCycle cycle;
    for (auto order : {TipCycle::Willekeurig, TipCycle::OpVolgorde}) {
        cycle.setOrder(order);
        cycle.next(0.3);
        EXPECT_EQ(cycle.counterText(), "[0/0]");
        EXPECT_FALSE(cycle.currentText().has_value());
    }
}

TEST(Tips, LoadingTheFile)
{
    TempProgramFolder folder;
    const QString path = folder.file("Tips.txt");

    const QStringList missing = LoadTips(path);
    ASSERT_EQ(missing.size(), 1);
    EXPECT_EQ(missing[0], "Tips.txt niet aanwezig is op Uw systeem? Kontakteer " + contactAddress()
                              + " voor meest recente tips.txt bestand.");

    writeFileBytes(path, "");
    EXPECT_TRUE(LoadTips(path).isEmpty());

    // Blank lines are tips; nothing is trimmed; Windows-1252; the last line
    // end starts no extra tip; a lone LF from another editor ends a line too.
    writeFileBytes(path, "Eerste tip\r\n\r\n  ingesprongen  \r\nCaf\xe9 \x80 5\r\nlaatste\nna LF\r\n");
    EXPECT_EQ(LoadTips(path),
              (QStringList{"Eerste tip", "", "  ingesprongen  ", QString::fromUtf8("Café € 5"), "laatste", "na LF"}));

    writeFileBytes(path, "zonder regeleinde");
    EXPECT_EQ(LoadTips(path), QStringList{"zonder regeleinde"});
}

TEST(Tips, APipeOrAHugeFileIsRefusedByNameAndReadsAsMissing)
{
    TempProgramFolder folder;
    const QString path = folder.file("Tips.txt");
    {
        mostarium::test::ScopedFakeServices fake;
        mostarium::test::Fifo fifo(path);
        ASSERT_TRUE(fifo.made());
        EXPECT_EQ(LoadTips(path), QStringList{missingTipsText()});
        EXPECT_EQ(fake.prompts(), QStringList{"Tips.txt is geen gewoon bestand en wordt niet gelezen!"});
        EXPECT_FALSE(fifo.blockedSomeone());
    }
    {
        mostarium::test::ScopedFakeServices fake;
        ASSERT_TRUE(mostarium::test::makeLargeFile(path, 200 * 1024 * 1024));
        EXPECT_EQ(LoadTips(path), QStringList{missingTipsText()});
        EXPECT_EQ(fake.prompts(), QStringList{"Tips.txt is groter dan 4 MB en wordt niet gelezen!"});
    }
}

TEST(Tips, TheShippedTipsFile)
{
    TempProgramFolder folder(true);
    const QStringList list = LoadTips(folder.file("Tips.txt"));
    EXPECT_GE(list.size(), 40);
    for (const QString &tip : list) {
        EXPECT_FALSE(tip.trimmed().isEmpty());
        EXPECT_FALSE(tip.contains(QChar::ReplacementCharacter)) << tip.toStdString();
    }
}
