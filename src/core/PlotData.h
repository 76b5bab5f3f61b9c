#pragma once

#include "Table.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace mostarium {

// The chart's points: one row per point, the columns of x and of each series
// named by the PlotSettings. Its owner sizes it; the painter only reads it.
using PlotData = Table2D<double>;

// How a series is drawn; any other value draws nothing.
enum SeriesStyle : std::int32_t { SeriesPoints = 0, SeriesLine = 1, SeriesBars = 2 };

// What the chart painter draws of a PlotData.
struct PlotSettings {
    QString XTitel;
    QString YTitel;
    bool ZeroBased = false;  // both axes stretched to include zero
    bool ShowGrid = false;
    std::int32_t FirstRow = 0;
    std::int32_t LastRow = 0;  // inclusive
    double XColumn = 0;        // rounded to a column index when used
    std::vector<double> SeriesColumns;
    std::vector<std::int32_t> SeriesStyles;  // parallel to SeriesColumns
    double XAxisMin = 0;
    double XAxisMax = 0;
    double YAxisMin = 0;
    double YAxisMax = 0;
};

}  // namespace mostarium
