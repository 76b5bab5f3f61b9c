#include "PlotGraphics.h"

#include "core/NumText.h"
#include "platform/Twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mostarium {

namespace {

constexpr double Cell = 80;  // the character cell the places are reckoned in
// Bounds on loops that a strange range could otherwise make long.
constexpr int MaxSteps = 2000;
constexpr int MaxTicks = 10000;

double Int(double v) { return std::floor(v); }

// A label's text: plain with its sign place, or "Scientific" for a range
// outside 1E-05 .. 100000.
bool plainRange(double range) { return range >= 1e-05 && range <= 100000; }

// Cuts a segment to the rectangle; false when nothing of it is inside.
bool clip(QPointF &a, QPointF &b, const QRectF &r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

QPen pen(const QColor &c, int width = 1)
{
    QPen p(c);
    p.setCosmetic(true);  // pixels, as the window's line width
    p.setWidth(width);
    return p;
}

}  // namespace

ChartPoint ScreenToWorld(const ChartTransform &t, float x, float y)
{
    if (!(t.PlotWidth > 0 && t.PlotHeight > 0))
        return {};
    if (!(t.LeftMargin <= x && x <= t.LeftMargin + t.PlotWidth && t.TopMargin <= y && y <= t.TopMargin + t.PlotHeight))
        return {};
    ChartPoint p;
    p.X = float(double(x - t.LeftMargin) * t.XRange / double(t.PlotWidth) + t.XMin);
    p.Y = float(double(t.PlotHeight - (y - t.TopMargin)) * t.YRange / double(t.PlotHeight) + t.YMin);
    return p;
}

double TickStep(double lo, double hi)
{
    const double range = hi - lo;
    if (range > 0 && range < 1) {
        // Both bounds times ten until they lie at least 1 apart.
        int k = 0;
        for (double a = lo, b = hi; b - a < 1 && k < MaxSteps; ++k) {
            a *= 10;
            b *= 10;
        }
        return std::pow(10.0, -k);
    }
    double step = 1;
    for (int i = 0; range / step > 20 && i < MaxSteps; ++i)
        step *= i % 3 == 1 ? 2.5 : 2;
    return step;
}

QColor PlotPalette(int index)
{
    static const QColor colours[] = {
        {100, 20, 0},   {0, 0, 255},     {255, 0, 0},   {255, 255, 0}, {93, 255, 201},  {0, 255, 255},
        {210, 25, 210}, {255, 255, 255}, {255, 0, 115}, {0, 0, 115},   {240, 240, 240},
    };
    return index >= 0 && index <= 10 ? colours[index] : QColor(Qt::black);
}

ChartLayout LayoutChart(const PlotSettings &s, double width, double height)
{
    ChartLayout l;
    ChartTransform &t = l.t;
    double xMin = s.XAxisMin, xMax = s.XAxisMax, yMin = s.YAxisMin, yMax = s.YAxisMax;
    for (double v : {xMin, xMax, yMin, yMax, width, height})
        if (!std::isfinite(v))
            return l;
    t.LeftMargin = 800;
    t.RightMargin = 200;
    t.TopMargin = 2000;
    t.BottomMargin = 1400;
    if (s.ZeroBased) {
        xMin = std::min(xMin, 0.0);
        xMax = std::max(xMax, 0.0);
        yMin = std::min(yMin, 0.0);
        yMax = std::max(yMax, 0.0);
    }
    if (xMin < 0)
        t.LeftMargin = 600;
    t.PlotHeight = float(height - t.BottomMargin - t.TopMargin);
    t.PlotWidth = float(width - t.LeftMargin - t.RightMargin);
    if (xMin == xMax) {
        xMin -= 1;
        xMax += 1;
    }
    if (yMin == yMax) {
        yMin -= 1;
        yMax += 1;
    }
    t.XMin = xMin;
    t.YMin = yMin;
    t.XRange = xMax - xMin;
    t.YRange = yMax - yMin;
    const bool drawable = t.XRange > 0 && t.YRange > 0 && std::isfinite(t.XRange) && std::isfinite(t.YRange)
                          && t.PlotWidth > 0 && t.PlotHeight > 0;
    if (!drawable) {
        t = {};
        return l;
    }
    l.xMax = xMax;
    l.yMax = yMax;
    l.xStep = TickStep(xMin, xMax);
    l.yStep = TickStep(yMin, yMax);
    const double left = l.boxLeft(), right = l.boxRight(), top = l.boxTop(), bottom = l.boxBottom();
    const double pw = t.PlotWidth, ph = t.PlotHeight;

    // Axes: at the edge, or through zero when the range holds it.
    if (xMin >= 0)
        l.axisX = left;
    else if (xMax > 0)
        l.axisX = left - xMin / t.XRange * pw;
    else
        l.axisX = right;
    if (yMin >= 0)
        l.axisY = bottom;
    else if (yMax > 0)
        l.axisY = bottom - (0 - yMin) / t.YRange * ph;
    else
        l.axisY = top;

    // X ticks: tick 0 at the multiple of the step at or below the minimum.
    {
        const double st = l.xStep;
        const double n = std::nearbyint(Int(xMax / st) - Int(xMin / st));
        const double o1 = xMin - Int(xMin / st) * st, o2 = xMax - Int(xMax / st) * st;
        const double o1t = o1 * pw / t.XRange, o2t = o2 * pw / t.XRange;
        if (n >= 1 && n <= MaxTicks) {
            l.xIntervals = int(n);
            const double spacing = (pw + o1t - o2t) / n;
            for (int i = 0; i <= l.xIntervals; ++i)
                l.xTicks.push_back({left - o1t + i * spacing, Int(xMin / st) * st + i * st, i > 0 || o1 == 0});
        }
    }
    // Y ticks: the multiples of the step above the minimum, and the minimum
    // itself when it is one.
    {
        const double st = l.yStep;
        const double d = Int(yMax / st) - Int(yMin / st);
        const double m = std::max(std::nearbyint(d - 1), 1.0);
        const double o = yMin - Int(yMin / st) * st, o2 = yMax - Int(yMax / st) * st;
        const double oy = (o == 0 ? st : st - o) * ph / t.YRange, o2t = o2 * ph / t.YRange;
        if (o == 0)
            l.yTicks.push_back({bottom, yMin, true});
        const double count = d >= 2 ? m + 1 : d == 1 ? 1 : 0;
        if (count <= MaxTicks) {
            const double spacing = (ph - oy - o2t) / m;
            for (int j = 0; j < int(count); ++j)
                l.yTicks.push_back({bottom - oy - j * spacing, Int(yMin / st) * st + (j + 1) * st, true});
        }
    }

    // Y labels, right-aligned in seven cells left of the axis.
    const bool yPlain = plainRange(yMax - yMin);
    for (const ChartTick &k : l.yTicks) {
        ChartText x;
        x.colour = 0;
        x.y = k.pos - Cell;
        if (yPlain) {
            x.text = num::signedText(k.value);
            const double len = num::plain(std::fabs(k.value)).trimmed().size();
            x.x = (7 - len) * Cell + (l.axisX - left);
        } else {
            x.text = num::scientific(k.value);
            x.x = l.axisX - (x.text.size() + 2) * Cell;
        }
        l.texts.push_back(x);
    }
    // Y title over the axis: from it, centred on it, or ending at it.
    {
        ChartText x{s.YTitel, l.axisX, top - 200};
        const double len = s.YTitel.size();
        if (l.axisX == left)
            x.x = l.axisX;
        else if (l.axisX < right)
            x.x = l.axisX + 10 - (len + 0.5) * Cell / 2;
        else
            x.x = l.axisX + 10 - (len + 0.5) * Cell;
        l.texts.push_back(x);
    }
    l.texts.push_back({s.XTitel, 10, l.axisY == bottom ? bottom + 100 : l.axisY - 240});
    // X labels: centred under their ticks, slanted when there are many.
    const bool xPlain = plainRange(xMax - xMin);
    const bool slanted = l.xIntervals > 10;
    for (const ChartTick &k : l.xTicks) {
        ChartText x;
        x.colour = 0;
        x.rotated = slanted;
        x.text = xPlain ? num::signedText(k.value) : num::scientific(k.value);
        const double len = x.text.size();
        if (slanted) {
            x.x = k.pos - len * Cell + 40;
            x.y = l.axisY + 320;
        } else {
            x.x = k.pos - len * Cell / 2;
            x.y = l.axisY + 160;
        }
        l.texts.push_back(x);
    }
    l.valid = true;
    return l;
}

ChartTransform PlotGraph(QImage &image, const PlotData &data, const PlotSettings &s, const QColor &back)
{
    image.fill(back);
    const double width = double(image.width()) * layout::TwipsPerPixel;
    const double height = double(image.height()) * layout::TwipsPerPixel;
    const ChartLayout l = LayoutChart(s, width, height);
    if (!l.valid)
        return {};
    const ChartTransform &t = l.t;
    const double left = l.boxLeft(), right = l.boxRight(), top = l.boxTop(), bottom = l.boxBottom();

    QPainter p(&image);
    p.scale(1.0 / layout::TwipsPerPixel, 1.0 / layout::TwipsPerPixel);
    p.setRenderHint(QPainter::Antialiasing, false);

    if (s.ShowGrid) {
        p.setPen(pen(PlotPalette(10)));
        for (const ChartTick &k : l.xTicks)
            if (k.mark)
                p.drawLine(QPointF(k.pos, top), QPointF(k.pos, bottom));
        for (const ChartTick &k : l.yTicks)
            p.drawLine(QPointF(left, k.pos), QPointF(right, k.pos));
    }

    // Series. Rows and columns the table lacks are passed by.
    const QRectF window(0, 0, width, height);
    const int firstRow = std::max(s.FirstRow, 0);
    const int lastRow = std::min(s.LastRow, data.rowUbound());
    auto column = [&](double c) {
        const double i = std::nearbyint(c);
        return i >= 0 && i <= data.colUbound() ? int(i) : -1;
    };
    const int xc = column(s.XColumn);
    for (std::size_t k = 0; k < s.SeriesColumns.size() && k < s.SeriesStyles.size(); ++k) {
        const int yc = column(s.SeriesColumns[k]);
        if (xc < 0 || yc < 0)
            continue;
        const QColor colour = PlotPalette(int((k + 1) % 10));
        auto point = [&](int r, double &fx, double &fy) {
            fx = (data(r, xc) - t.XMin) / t.XRange;
            fy = (data(r, yc) - t.YMin) / t.YRange;
            return std::isfinite(fx) && std::isfinite(fy);
        };
        double fx = 0, fy = 0;
        switch (s.SeriesStyles[k]) {
        case SeriesLine: {
            p.setPen(pen(colour));
            bool have = false;
            QPointF last;
            for (int r = firstRow; r <= lastRow; ++r) {
                if (!point(r, fx, fy)) {
                    have = false;
                    continue;
                }
                const QPointF here(left + t.PlotWidth * fx, bottom - t.PlotHeight * fy);
                QPointF a = last, b = here;
                if (have && clip(a, b, window))
                    p.drawLine(a, b);
                last = here;
                have = true;
            }
            // What confines the line to the box; it wipes the margins.
            auto box = [&](double x1, double y1, double x2, double y2) {
                p.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), back);
            };
            box(left, top - 10, right, 0);
            box(left, bottom + 20, width, height);
            box(right + 20, height, width, 0);
            box(0, 0, left - 20, height);
            break;
        }
        case SeriesBars:
            p.setPen(pen(colour));
            for (int r = firstRow; r <= lastRow; ++r) {
                if (!point(r, fx, fy) || fx < 0 || fx > 1)
                    continue;
                fy = std::clamp(fy, 0.0, 1.0);
                const double x = left + t.PlotWidth * fx;
                p.drawLine(QPointF(x, t.YMin < 0 ? l.axisY : bottom), QPointF(x, bottom - t.PlotHeight * fy));
            }
            break;
        case SeriesPoints:
            p.setPen(pen(colour, 2));
            for (int r = firstRow; r <= lastRow; ++r)
                if (point(r, fx, fy) && fx >= 0 && fx <= 1 && fy >= 0 && fy <= 1)
                    p.drawPoint(QPointF(left + t.PlotWidth * fx, bottom - t.PlotHeight * fy));
            break;
        default:
            break;
        }
    }

    // Axes, tick marks, titles and labels.
    QFont font = QGuiApplication::font();
    font.setBold(false);
    font.setItalic(false);
    font.setPixelSize(160);  // 8 points
    QFont slanted = font;
    slanted.setPixelSize(180);  // 9 points
    const double ascent = QFontMetricsF(font).ascent();
    const double slantedAscent = QFontMetricsF(slanted).ascent();
    // Qt places text by its baseline; the places are the tops of the cells.
    auto text = [&](const ChartText &x) {
        p.setPen(pen(PlotPalette(x.colour)));
        if (!x.rotated) {
            p.setFont(font);
            p.drawText(QPointF(x.x, x.y + ascent), x.text);
            return;
        }
        p.save();
        p.setFont(slanted);
        p.translate(x.x, x.y);
        p.rotate(-20);
        p.drawText(QPointF(0, slantedAscent), x.text);
        p.restore();
    };
    const QPen black = pen(Qt::black);
    p.setPen(black);
    for (const ChartTick &k : l.yTicks)
        p.drawLine(QPointF(l.axisX - 80, k.pos), QPointF(l.axisX, k.pos));
    std::size_t i = 0;
    for (; i < l.yTicks.size(); ++i)
        text(l.texts[i]);
    p.setPen(black);
    p.drawLine(QPointF(l.axisX, bottom + 80), QPointF(l.axisX, top));
    text(l.texts[i++]);
    p.setPen(black);
    p.drawLine(QPointF(left - 80, l.axisY), QPointF(right, l.axisY));
    text(l.texts[i++]);
    p.setPen(black);
    for (const ChartTick &k : l.xTicks)
        if (k.mark)
            p.drawLine(QPointF(k.pos, l.axisY), QPointF(k.pos, l.axisY + 80));
    for (; i < l.texts.size(); ++i)
        text(l.texts[i]);
    return t;
}

}  // namespace mostarium
