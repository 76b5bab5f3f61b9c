#include "calculators_fixture.h"

#include "calculators/frmEindbeStemming.h"

namespace mostarium::test {
namespace {

class EindbeStemmingTest : public CalculatorsTest {
protected:
    // A recipe with targets; OG as a recalculation would have left it.
    void recipe(bool dubbel, float og1 = 1060, float og2 = 1040)
    {
        session() = dubbel ? doubleBrew() : singleBrew();
        session().app.geluidAan = false;
        session().recipe.OGSG = og1;
        session().recipe.OGSG2 = og2;
    }
    void open()
    {
        d = qobject_cast<frmEindbeStemming *>(CalculatorsTest::open("mnuCorrectie", "frmEindbeStemming"));
        ASSERT_NE(d, nullptr);
    }
    void measure(const char *v1, const char *sg1, const char *v2 = "", const char *sg2 = "")
    {
        set(d, "txtESVolNaSpoelen", QString::fromLatin1(v1));
        set(d, "txtESSGnaSpoelen", QString::fromLatin1(sg1));
        set(d, "txtESVolNaSpoelen2", QString::fromLatin1(v2));
        set(d, "txtESSGnaSpoelen2", QString::fromLatin1(sg2));
        press(d, "cmdESBereken");
    }
    frmEindbeStemming *d = nullptr;
};

TEST_F(EindbeStemmingTest, SingleBrewShowsTheFirstBeerOnlyAndComputesTheExample)
{
    recipe(false);
    open();
    EXPECT_FALSE(d->dubbelBrouw());
    EXPECT_TRUE(in<QWidget>(d, "fraESDoelstelling2")->isHidden()
                || !in<QWidget>(d, "fraESDoelstelling2")->isVisibleTo(d));
    EXPECT_EQ(caption(d, "lblESVolumeD"), "Volume (L):  20");
    EXPECT_EQ(caption(d, "lblESOGD"), "OG: 1060 kg/m3");
    measure("22", "1052", "abc", "");  // the second beer's boxes are not looked at
    EXPECT_EQ(caption(d, "lblESBestemmingVol"), " 20 L: 1057 kg/m3");
    EXPECT_EQ(caption(d, "lblESBestemmingOG"), "1060 kg/m3: 19 L");
    EXPECT_FALSE(bad(d, "txtESVolNaSpoelen2"));
    EXPECT_TRUE(fake.sounds.isEmpty());
}

TEST_F(EindbeStemmingTest, BoundsOfTheMeasurement)
{
    recipe(false);
    open();
    struct Row {
        const char *volume, *sg;
        bool volGood, sgGood;
    };
    const Row rows[] = {
        {"200", "1150", true, true},
        {"0", "1000", false, false},
        {"200.1", "1150.1", false, false},
        {"22abc", "1000.1", true, true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.volume << " " << r.sg);
        measure(r.volume, r.sg);
        EXPECT_EQ(bad(d, "txtESVolNaSpoelen"), !r.volGood);
        EXPECT_EQ(bad(d, "txtESSGnaSpoelen"), !r.sgGood);
    }
}

TEST_F(EindbeStemmingTest, DoubleBrewComputesBothBeersAndNeedsAllFourBoxes)
{
    recipe(true);
    open();
    EXPECT_TRUE(d->dubbelBrouw());
    EXPECT_TRUE(in<QWidget>(d, "fraESDoelstelling2")->isVisibleTo(d));
    EXPECT_EQ(caption(d, "lblESVolumeD2"), "Volume (L):  15");
    EXPECT_EQ(caption(d, "lblESOGD2"), "OG: 1040 kg/m3");

    measure("22", "1052", "", "1040");
    EXPECT_TRUE(bad(d, "txtESVolNaSpoelen2"));
    EXPECT_EQ(caption(d, "lblESBestemmingVol"), "");  // a failed check computes neither beer

    measure("22", "1052", "15", "1040");
    EXPECT_EQ(caption(d, "lblESBestemmingVol"), " 20 L: 1057 kg/m3");
    EXPECT_EQ(caption(d, "lblESBestemmingVol2"), " 15 L: 1040 kg/m3");
    EXPECT_EQ(caption(d, "lblESBestemmingOG2"), "1040 kg/m3: 15 L");
}

TEST_F(EindbeStemmingTest, NoSecondTargetVolumeLeavesItsResultsEmpty)
{
    recipe(true);
    session().recipe.Doelstellingen(6) = 0;
    open();
    measure("22", "1052", "15", "1040");
    EXPECT_EQ(caption(d, "lblESBestemmingVol"), " 20 L: 1057 kg/m3");
    EXPECT_EQ(caption(d, "lblESBestemmingVol2"), "");
    EXPECT_EQ(caption(d, "lblESBestemmingOG2"), "");

    // The same when the targets hold no second beer at all, or before a
    // recalculation (OG 0).
    windows().unload(QStringLiteral("frmEindbeStemming"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    recipe(true, 0, 1040);
    session().recipe.Doelstellingen.redimPreserve(5);
    open();
    measure("22", "1052", "15", "1040");
    EXPECT_EQ(caption(d, "lblESBestemmingVol"), "");
    EXPECT_EQ(caption(d, "lblESBestemmingOG2"), "");
    EXPECT_TRUE(nonFiniteTexts(session()).isEmpty());
}

TEST_F(EindbeStemmingTest, TheOpenerLaysOutTheBrewModeEachTime)
{
    recipe(false);
    open();
    EXPECT_EQ(d->width(), 249);
    session().app.dubbelBrouw = true;
    trigger("mnuCorrectie");
    EXPECT_TRUE(d->dubbelBrouw());
    EXPECT_EQ(d->width(), 488);
    EXPECT_TRUE(in<QWidget>(d, "fraESBestemming2")->isVisibleTo(d));
    auto *bereken = in<QPushButton>(d, "cmdESBereken");
    auto *klaar = in<QPushButton>(d, "cmdESKlaar");
    EXPECT_LT(bereken->geometry().right(), klaar->geometry().left());
}

}  // namespace
}  // namespace mostarium::test
