#include "mainwindow/Layout.h"

#include <gtest/gtest.h>

using namespace mostarium::layout;

namespace {

struct ResizeCase {
    const char *what;
    ResizeInput in;
    bool panelsRelaid;
    double panel8;
    double left;  // both frames
    double brouwTop, evalTop;
};

// Figures by hand from the resize rule: thresholds on the outer size, centring
// on the inner height less 360 for the block of 9265 (double) or 7615 (single).
const ResizeCase Cases[] = {
    {"width 8000 keeps the panels", {8000, 9400, 8175, false, 5025}, false, 0, 450, 100, 5420},
    {"width 8001 re-lays them", {8001, 9400, 8175, false, 5025}, true, 351, 450, 100, 5420},
    {"width 12885 puts the frames at 450", {12885, 9400, 8175, false, 5025}, true, 5235, 450, 100, 5420},
    {"width 12886 would give -779.5: held at 0", {12886, 9400, 8175, false, 5025}, true, 5236, 0, 100, 5420},
    {"width 14445 centres at exactly 0", {14445, 9400, 8175, false, 5025}, true, 6795, 0, 100, 5420},
    {"width 14446 centres at 0.5", {14446, 9400, 8175, false, 5025}, true, 6796, 0.5, 100, 5420},
    {"width 15000 centres at 277.5", {15000, 9400, 8175, false, 5025}, true, 7350, 277.5, 100, 5420},
    {"single, height 9000: fixed tops", {15000, 9000, 7800, false, 5025}, true, 7350, 277.5, 180, 5500},
    {"single, height 9001: centred", {15000, 9001, 8400, false, 5025}, true, 7350, 277.5, 212.5, 5532.5},
    {"single, centred above the area: held at 0, evaluation 295 below",
     {15000, 9001, 7800, false, 5025},
     true,
     7350,
     277.5,
     0,
     5320},
    {"single, tall window", {15000, 15000, 13000, false, 5025}, true, 7350, 277.5, 2512.5, 7832.5},
    {"double, height 10740: fixed tops", {15000, 10740, 9500, true, 6675}, true, 7350, 277.5, 180, 7200},
    {"double, height 10741: centred", {15000, 10741, 9900, true, 6675}, true, 7350, 277.5, 137.5, 7107.5},
    {"double, tall window", {15000, 16000, 14000, true, 6675}, true, 7350, 277.5, 2187.5, 9157.5},
    {"double, centred above the area: held at 0", {15000, 10741, 9500, true, 6675}, true, 7350, 277.5, 0, 6970},
    {"double thresholds do not apply to single", {15000, 10000, 8800, false, 5025}, true, 7350, 277.5, 412.5, 5732.5},
};

}  // namespace

TEST(LayoutRule, FormResizeAroundEachThreshold)
{
    for (const ResizeCase &c : Cases) {
        SCOPED_TRACE(c.what);
        const ResizeResult r = FormResize(c.in);
        ASSERT_EQ(r.panelWidths.has_value(), c.panelsRelaid);
        if (c.panelsRelaid) {
            const std::array<double, 10> expected = {300, 900, 1200, 700, 1200, 700, 800, c.panel8, 850, 1000};
            EXPECT_EQ(*r.panelWidths, expected);
        }
        EXPECT_DOUBLE_EQ(r.brouwSchemaLeft, c.left);
        EXPECT_DOUBLE_EQ(r.evaluatieLeft, c.left);
        EXPECT_DOUBLE_EQ(r.brouwSchemaTop, c.brouwTop);
        EXPECT_DOUBLE_EQ(r.evaluatieTop, c.evalTop);
    }
}

TEST(LayoutRule, PanelsFillTheWindowWidth)
{
    double sum = 0;
    for (double w : panelWidths(15000))
        sum += w;
    EXPECT_EQ(sum, 15000);
}

TEST(LayoutRule, BrouwTypeLayoutOfBothModes)
{
    const BrouwTypeLayout d = brouwTypeLayout(true);
    EXPECT_EQ(d.panel1, "DB");
    EXPECT_EQ(d.aromaHopCaption, " Aromahop dikbier ");
    EXPECT_EQ(d.bitterHopCaption, " Bitterhop dikbier ");
    EXPECT_EQ(d.brouwSchemaHeight, 6675);
    EXPECT_EQ(d.evaluatieTop, 7200);
    EXPECT_EQ(d.pgbDownloadTop, 9800);
    EXPECT_EQ(d.windowWidth, 15000);
    EXPECT_EQ(d.windowHeight, 11140);
    EXPECT_EQ(d.evalDSCaption, " Doelstellingen dikbier ");
    EXPECT_EQ(d.evalEvCaption, " Evaluatie dikbier ");
    EXPECT_EQ(d.evalDS2Caption, " Doelstellingen dunbier ");
    EXPECT_EQ(d.evalEv2Caption, " Evaluatie dunbier ");

    const BrouwTypeLayout e = brouwTypeLayout(false);
    EXPECT_EQ(e.panel1, "EB");
    EXPECT_EQ(e.aromaHopCaption, " Aromahop ");
    EXPECT_EQ(e.bitterHopCaption, " Bitterhop ");
    EXPECT_EQ(e.brouwSchemaHeight, 5025);
    EXPECT_EQ(e.evaluatieTop, 5500);
    EXPECT_EQ(e.pgbDownloadTop, 8050);
    EXPECT_EQ(e.windowWidth, 15000);
    EXPECT_EQ(e.windowHeight, 9400);
    EXPECT_EQ(e.evalDSCaption, " Doelstellingen ");
    EXPECT_EQ(e.evalEvCaption, " Evaluatie ");
}

TEST(LayoutRule, CentringOnTheScreen)
{
    const Point p = centred(19200, 15360, 15000, 11140);
    EXPECT_DOUBLE_EQ(p.left, 2100);
    EXPECT_DOUBLE_EQ(p.top, 2110);
}

TEST(LayoutRule, TwipsToPixelsRoundsHalvesAway)
{
    EXPECT_EQ(px(15000), 1000);
    EXPECT_EQ(px(277.5), 19);   // 18.5 px
    EXPECT_EQ(px(11140), 743);  // 742.67 px
    EXPECT_EQ(px(-7.5), -1);
}
