// The XY chart: bounds, ticks, label places, reading a position back, and
// what the drawing leaves on an image.
#include "editors/PlotGraphics.h"

#include "support/QtPrint.h"

#include <QImage>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace mostarium;

namespace {

constexpr double W = 9000, H = 7400;  // twips: a box of 8000 x 4000

PlotSettings axes(double x0, double x1, double y0, double y1, bool zeroBased = false)
{
    PlotSettings s;
    s.XTitel = QStringLiteral("Liters wort");
    s.YTitel = QStringLiteral("\u00B0 Plato");
    s.ZeroBased = zeroBased;
    s.ShowGrid = true;
    s.XAxisMin = x0;
    s.XAxisMax = x1;
    s.YAxisMin = y0;
    s.YAxisMax = y1;
    return s;
}

std::vector<double> values(const std::vector<ChartTick> &ticks)
{
    std::vector<double> v;
    for (const ChartTick &t : ticks)
        v.push_back(t.value);
    return v;
}

// The y labels come first, then the y title, the x title and the x labels.
std::vector<ChartText> xLabels(const ChartLayout &l)
{
    return {l.texts.begin() + std::ptrdiff_t(l.yTicks.size()) + 2, l.texts.end()};
}

}  // namespace

TEST(ChartLayout, BoundsAndTicks)
{
    struct Case {
        const char *what;
        PlotSettings s;
        double xStep, yStep;
        int xIntervals;
        std::vector<double> yValues;  // the minimum's own tick first when it has one
        bool slanted, scientific;     // x labels slanted, y labels in exponent form
    };
    const Case cases[] = {
        {"sparge curve", axes(0, 25, 0, 21.4, true), 2, 2, 12, {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20}, true, false},
        {"twenty litres", axes(0, 20, 0, 10), 1, 1, 20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, true, false},
        {"21 litres", axes(0, 21, 0, 10), 2, 1, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, false, false},
        {"below one", axes(0, 0.05, 0, 1), 0.01, 1, 5, {0, 1}, false, false},
        {"large", axes(0, 10, 0, 200000), 1, 10000, 10, {}, false, true},
        {"minimum off the step", axes(0, 10, 0.5, 10.5), 1, 1, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, false, false},
    };
    for (const Case &c : cases) {
        const ChartLayout l = LayoutChart(c.s, W, H);
        ASSERT_TRUE(l.valid) << c.what;
        EXPECT_DOUBLE_EQ(l.xStep, c.xStep) << c.what;
        EXPECT_DOUBLE_EQ(l.yStep, c.yStep) << c.what;
        EXPECT_EQ(l.xIntervals, c.xIntervals) << c.what;
        EXPECT_EQ(int(l.xTicks.size()), c.xIntervals + 1) << c.what;
        if (!c.yValues.empty()) {
            const std::vector<double> got = values(l.yTicks);
            ASSERT_EQ(got.size(), c.yValues.size()) << c.what;
            for (std::size_t i = 0; i < got.size(); ++i)
                EXPECT_NEAR(got[i], c.yValues[i], 1e-9) << c.what << " tick " << i;
        }
        for (const ChartText &t : xLabels(l))
            EXPECT_EQ(t.rotated, c.slanted) << c.what;
        for (std::size_t i = 0; i < l.yTicks.size(); ++i)
            EXPECT_EQ(l.texts[i].text.contains(u'E'), c.scientific) << c.what << " " << l.texts[i].text.toStdString();
    }
}

TEST(ChartLayout, TicksStandOnTheirValues)
{
    const ChartLayout l = LayoutChart(axes(0, 25, 0, 21.4, true), W, H);
    ASSERT_TRUE(l.valid);
    const double px = 8000.0 / 25, py = 4000.0 / 21.4;
    for (const ChartTick &t : l.xTicks)
        EXPECT_NEAR(t.pos, 800 + t.value * px, 1e-6) << t.value;
    for (const ChartTick &t : l.yTicks)
        EXPECT_NEAR(t.pos, 6000 - t.value * py, 1e-6) << t.value;
    // The sparge axis: labels from " 0" to " 24", slanted so that they end at
    // their tick, and the y labels right-aligned in seven cells.
    const std::vector<ChartText> x = xLabels(l);
    ASSERT_EQ(x.size(), 13u);
    EXPECT_EQ(x.front().text, " 0");
    EXPECT_EQ(x.back().text, " 24");
    EXPECT_DOUBLE_EQ(x.back().x, 800 + 24 * px - 3 * 80 + 40);
    EXPECT_DOUBLE_EQ(x.back().y, 6000 + 320);
    EXPECT_EQ(l.texts[1].text, " 2");
    EXPECT_DOUBLE_EQ(l.texts[1].x, 6 * 80);
    EXPECT_EQ(l.texts[10].text, " 20");
    EXPECT_DOUBLE_EQ(l.texts[10].x, 5 * 80);
    EXPECT_DOUBLE_EQ(l.texts[10].y, 6000 - 20 * py - 80);
}

TEST(ChartLayout, ScientificLabels)
{
    const ChartLayout l = LayoutChart(axes(0, 10, 0, 200000), W, H);
    ASSERT_TRUE(l.valid);
    EXPECT_EQ(l.texts[0].text, "0.00E+00");
    EXPECT_EQ(l.texts[20].text, "2.00E+05");
    EXPECT_DOUBLE_EQ(l.texts[20].x, 800 - (8 + 2) * 80);
    // The x labels of a small range stay plain.
    const ChartLayout small = LayoutChart(axes(0, 0.05, 0, 1), W, H);
    const std::vector<ChartText> x = xLabels(small);
    ASSERT_EQ(x.size(), 6u);
    EXPECT_EQ(x[3].text, " 0.03");
    EXPECT_FALSE(x[3].rotated);
    EXPECT_DOUBLE_EQ(x[3].x, small.xTicks[3].pos - 5 * 80 / 2.0);
}

TEST(ChartLayout, EqualBoundsWidenByOne)
{
    const ChartLayout l = LayoutChart(axes(5, 5, 5, 5), W, H);
    ASSERT_TRUE(l.valid);
    EXPECT_DOUBLE_EQ(l.t.XMin, 4);
    EXPECT_DOUBLE_EQ(l.xMax, 6);
    EXPECT_DOUBLE_EQ(l.t.YMin, 4);
    EXPECT_DOUBLE_EQ(l.yMax, 6);
    // Zero-based, the same bounds run from 0.
    EXPECT_DOUBLE_EQ(LayoutChart(axes(5, 5, 5, 5, true), W, H).t.XMin, 0);
}

TEST(ChartLayout, NegativeMinimumMovesTheAxisToZero)
{
    const ChartLayout l = LayoutChart(axes(-3, 5, 0, 10), W, H);
    ASSERT_TRUE(l.valid);
    EXPECT_FLOAT_EQ(l.t.LeftMargin, 600);
    EXPECT_FLOAT_EQ(l.t.PlotWidth, 9000 - 600 - 200);
    const double axis = 600 + 3.0 / 8 * 8200;
    EXPECT_DOUBLE_EQ(l.axisX, axis);
    // The y labels and the title follow the axis.
    EXPECT_DOUBLE_EQ(l.texts[0].x, 6 * 80 + (axis - 600));
    const ChartText &title = l.texts[l.yTicks.size()];
    EXPECT_EQ(title.text, "\u00B0 Plato");
    EXPECT_DOUBLE_EQ(title.x, axis + 10 - (7 + 0.5) * 80 / 2);
    // Tick 0 stands on the left edge, at -3.
    EXPECT_DOUBLE_EQ(l.xTicks.front().pos, 600);
    EXPECT_DOUBLE_EQ(l.xTicks.front().value, -3);
    // Everything below zero: the axis at the right edge, the title ending there.
    const ChartLayout right = LayoutChart(axes(-8, -2, 0, 10), W, H);
    EXPECT_DOUBLE_EQ(right.axisX, 600 + 8200);
    EXPECT_DOUBLE_EQ(right.texts[right.yTicks.size()].x, 8800 + 10 - 7.5 * 80);
}

TEST(ChartLayout, WhatCannotBeDrawnIsNotLaidOut)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char *what;
        PlotSettings s;
        double w, h;
    };
    const Case cases[] = {
        {"NaN", axes(0, nan, 0, 10), W, H},
        {"infinite", axes(0, 10, -inf, 10), W, H},
        {"range beyond a double", axes(-1e308, 1e308, 0, 10), W, H},
        {"minimum above maximum", axes(10, 0, 0, 10), W, H},
        {"window within the margins", axes(0, 10, 0, 10), 1000, 3400},
    };
    for (const Case &c : cases) {
        const ChartLayout l = LayoutChart(c.s, c.w, c.h);
        EXPECT_FALSE(l.valid) << c.what;
        EXPECT_FLOAT_EQ(l.t.PlotWidth, 0) << c.what;
        const ChartPoint p = ScreenToWorld(l.t, 1000, 3000);
        EXPECT_EQ(p.X, 0) << c.what;
        EXPECT_EQ(p.Y, 0) << c.what;
    }
    // Ranges far beyond any chart still end.
    EXPECT_TRUE(LayoutChart(axes(0, 1e300, 0, 1e-300), W, H).valid);
}

TEST(ChartLayout, ScreenToWorldAtTheBoxCornersAndJustOutside)
{
    const ChartTransform t = LayoutChart(axes(0, 25, 0, 21.4, true), W, H).t;
    struct Case {
        float x, y, X, Y;
    };
    const Case cases[] = {
        {800, 2000, 0, 21.4f}, {8800, 2000, 25, 21.4f}, {800, 6000, 0, 0},
        {8800, 6000, 25, 0},   {799, 4000, 0, 0},       {8801, 4000, 0, 0},
        {4800, 1999, 0, 0},    {4800, 6001, 0, 0},      {4800, 4000, 12.5f, 10.7f},
    };
    for (const Case &c : cases) {
        const ChartPoint p = ScreenToWorld(t, c.x, c.y);
        EXPECT_FLOAT_EQ(p.X, c.X) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(p.Y, c.Y) << c.x << "," << c.y;
    }
    // Before any drawing there is no box.
    EXPECT_EQ(ScreenToWorld(ChartTransform{}, 0, 0).X, 0);
}

namespace {

// 600 x 500 pixels: the box from (800, 2000) to (8800, 6100) twips.
class ChartImage : public ::testing::Test {
protected:
    static constexpr int PxW = 600, PxH = 500;
    ChartImage() : image(PxW, PxH, QImage::Format_RGB32) {}

    // Pixel colours counted inside and outside the box (with a pixel of slack).
    int count(QRgb colour, bool inside) const
    {
        int n = 0;
        for (int y = 0; y < PxH; ++y)
            for (int x = 0; x < PxW; ++x) {
                const bool in = x >= 800 / 15 - 1 && x <= 8800 / 15 + 1 && y >= 2000 / 15 - 1 && y <= 6100 / 15 + 1;
                if (in == inside && image.pixel(x, y) == colour)
                    n += 1;
            }
        return n;
    }

    QImage image;
    const QColor back{205, 209, 203};
    const QRgb blue = qRgb(0, 0, 255), grey = qRgb(240, 240, 240), black = qRgb(0, 0, 0);
};

}  // namespace

TEST_F(ChartImage, AxesGridCurveAndCleanMargins)
{
    // A line that leaves the box above and below.
    PlotData data(30, 2);
    for (int r = 0; r <= 30; ++r) {
        data(r, 0) = r;
        data(r, 1) = 20 - r;  // from 20 down to -10, the axis runs 0 .. 15
    }
    PlotSettings s = axes(0, 30, 0, 15);
    s.LastRow = 30;
    s.SeriesColumns = {1};
    s.SeriesStyles = {SeriesLine};
    const ChartTransform t = PlotGraph(image, data, s, back);
    EXPECT_FLOAT_EQ(t.PlotWidth, 8000);
    EXPECT_FLOAT_EQ(t.PlotHeight, 4100);

    // The axes along the left and bottom edges of the box, on the pixel
    // either side of the edge.
    auto blackNear = [&](int x, int y, bool vertical) {
        for (int d = -1; d <= 1; ++d)
            if (image.pixel(vertical ? x + d : x, vertical ? y : y + d) == black)
                return true;
        return false;
    };
    for (int y = 2000 / 15 + 2; y < 6100 / 15 - 2; y += 7)
        EXPECT_TRUE(blackNear(800 / 15, y, true)) << y;
    for (int x = 800 / 15 + 2; x < 8800 / 15 - 2; x += 7)
        EXPECT_TRUE(blackNear(x, 6100 / 15, false)) << x;
    EXPECT_GT(count(grey, true), 500);
    EXPECT_GT(count(blue, true), 100);
    EXPECT_EQ(count(blue, false), 0) << "the line is cut at the box";
    EXPECT_EQ(count(grey, false), 0);
    // Above the title and right of the box nothing but the background.
    for (int y = 0; y < 1700 / 15; ++y)
        for (int x = 0; x < PxW; ++x)
            ASSERT_EQ(image.pixel(x, y), back.rgb()) << x << "," << y;
    for (int y = 0; y < 6100 / 15 - 20; ++y)
        for (int x = 8800 / 15 + 2; x < PxW; ++x)
            ASSERT_EQ(image.pixel(x, y), back.rgb()) << x << "," << y;
}

TEST_F(ChartImage, PointsOutsideTheBoxAreLeftOutAndBadRowsPassedBy)
{
    PlotData data(4, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double ys[] = {5, 50, nan, -5, 8};
    for (int r = 0; r <= 4; ++r) {
        data(r, 0) = r + 1;
        data(r, 1) = ys[r];
    }
    PlotSettings s = axes(0, 6, 0, 10);
    s.FirstRow = -3;  // rows the table lacks
    s.LastRow = 40;
    s.SeriesColumns = {1, 7};  // the second column does not exist
    s.SeriesStyles = {SeriesPoints, SeriesLine};
    PlotGraph(image, data, s, back);
    EXPECT_GT(count(blue, true), 0);
    EXPECT_EQ(count(blue, false), 0);
}

TEST_F(ChartImage, NothingToDrawLeavesTheBackground)
{
    PlotData data(1, 1);
    const ChartTransform t = PlotGraph(image, data, axes(0, std::numeric_limits<double>::infinity(), 0, 1), back);
    EXPECT_FLOAT_EQ(t.PlotWidth, 0);
    for (int y = 0; y < PxH; y += 3)
        for (int x = 0; x < PxW; x += 3)
            ASSERT_EQ(image.pixel(x, y), back.rgb());
}
