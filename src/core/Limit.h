#pragma once

#include <QString>

namespace mostarium {

// A range a number must lie in, for the recipe dialogs' checks and the
// numbers of ZYM.ini: lo < v <= hi, with lo itself passing when `loPasses`
// and hi itself failing when not `hiPasses`.
struct Limit {
    double lo = 0, hi = 0;
    bool loPasses = false;
    // Compared at single precision, as a float bound is kept (8.2 passes 8.2).
    bool single = false;
    bool hiPasses = true;

    bool holds(double v) const
    {
        if (single)
            v = double(float(v));
        return (loPasses ? v >= lo : v > lo) && (hiPasses ? v <= hi : v < hi);
    }
    // The range in the brewer's words: "van 3 tot en met 8", "boven 0 tot en
    // met 150", "van 0 tot 100".
    QString text() const;
};

}  // namespace mostarium
