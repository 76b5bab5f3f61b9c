#pragma once

#include "core/PlotData.h"

#include <QColor>
#include <QString>
#include <vector>

class QImage;

// The XY chart of the sparge dialog: the layout of a chart (bounds, ticks,
// label places) as pure functions in twips, and PlotGraph, which paints it on
// an image in twips (15 to the pixel).
namespace mostarium {

// A position in data units.
struct ChartPoint {
    float X = 0;
    float Y = 0;
};

// What the last drawing leaves for reading a mouse position back: margins and
// plot box in twips, the left and bottom values of the box and the spans.
struct ChartTransform {
    float LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
    float PlotHeight = 0, PlotWidth = 0;
    double XMin = 0, XRange = 0, YMin = 0, YRange = 0;
};

// A window position (twips) in data units; (0, 0) outside the plot box (its
// edges count as inside) and before anything was drawn.
ChartPoint ScreenToWorld(const ChartTransform &t, float x, float y);

// The step between ticks of an axis from `lo` to `hi`: 1, 2, 5, 10, 20, 50, ...
// up to 20 intervals; a range below 1 takes the power of ten below it.
double TickStep(double lo, double hi);

// The chart's colours: 0 tick labels, 1 .. 9 the series, 10 the grid.
QColor PlotPalette(int index);

struct ChartTick {
    double pos = 0;  // x of an x tick, y of a y tick (twips)
    double value = 0;
    bool mark = true;  // grid line and tick mark (an x tick 0 off the step has neither)
};

// A text with the top left of its cell at (x, y) in twips.
struct ChartText {
    QString text;
    double x = 0, y = 0;
    int colour = -1;  // palette index, -1 black
    bool rotated = false;
};

struct ChartLayout {
    bool valid = false;  // false: a bound that is no number, an empty range, a window too small
    ChartTransform t;
    double xMax = 0, yMax = 0;
    double xStep = 0, yStep = 0;
    int xIntervals = 0;
    double axisX = 0, axisY = 0;  // where the vertical and the horizontal axis stand
    std::vector<ChartTick> xTicks;
    std::vector<ChartTick> yTicks;  // the tick of the minimum first, when it has one
    std::vector<ChartText> texts;   // y labels, y title, x title, x labels

    double boxTop() const { return t.TopMargin; }
    double boxBottom() const { return double(t.TopMargin) + double(t.PlotHeight); }
    double boxLeft() const { return t.LeftMargin; }
    double boxRight() const { return double(t.LeftMargin) + double(t.PlotWidth); }
};

// The chart on a window of this size (twips).
ChartLayout LayoutChart(const PlotSettings &settings, double width, double height);

// Clears `image` to `back` and draws the chart on it: grid, series, axes,
// ticks, titles and labels. Draws nothing else when the layout is not valid;
// rows and columns outside `data` and points that are no number are passed
// by. Returns the transform for ScreenToWorld (all zero when nothing was drawn).
ChartTransform PlotGraph(QImage &image, const PlotData &data, const PlotSettings &settings, const QColor &back);

}  // namespace mostarium
