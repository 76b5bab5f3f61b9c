// The one range type of the recipe dialogs' checks and of ZYM.ini's numbers:
// each end passes or not as the range says.

#include "core/RecipeLimits.h"
#include "core/ZymSettings.h"

#include <gtest/gtest.h>

using namespace mostarium;

TEST(Limit, EachEndPassesOrNotAsSaid)
{
    // The kettle's range in ZYM.ini: whole litres 1 to 32767 before rounding.
    constexpr Limit Kettle{.lo = 0.5, .hi = 32767.5, .hiPasses = false};
    const struct {
        const char *what;
        Limit limit;
        double v;
        bool holds;
    } cases[] = {
        {"a target's low end does not pass", limits::DoelEBU, 0, false},
        {"a target's high end passes", limits::DoelEBU, 150, true},
        {"a low end said to pass", limits::DoelCO2, 3, true},
        {"just below it", limits::DoelCO2, 2.999, false},
        {"a high end said not to pass", Kettle, 32767.5, false},
        {"just below that end", Kettle, 32767.4, true},
        {"its low end", Kettle, 0.5, false},
        {"a switch at the 16-bit low end", SwitchRange, -32768, true},
        {"a switch below it", SwitchRange, -32768.5, false},
        {"a switch at the 16-bit high end", SwitchRange, 32767, true},
        {"a switch above it", SwitchRange, 32768, false},
        {"a float bound compared as a float", Limit{0, double(8.2f), false, true}, 8.2, true},
        {"the same bound compared as a double", Limit{0, double(8.2f)}, 8.2, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.limit.holds(c.v), c.holds) << c.what;
}

TEST(Limit, TextNamesTheEndsInWords)
{
    EXPECT_EQ(limits::DoelCO2.text(), QStringLiteral("van 3 tot en met 8"));
    EXPECT_EQ(limits::DoelEBU.text(), QStringLiteral("boven 0 tot en met 150"));
    EXPECT_EQ((Limit{.lo = 0, .hi = 100, .loPasses = true, .hiPasses = false}.text()), QStringLiteral("van 0 tot 100"));
}
