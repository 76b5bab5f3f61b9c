#pragma once

#include "Limit.h"

#include <QString>
#include <optional>
#include <vector>

// The ranges the recipe dialogs accept (targets, grain bill, mash schedule,
// hops): their checks colour a box red outside them, and the XML import names
// the values of an imported recipe that lie outside them.
namespace mostarium {

struct RecipeState;

// Whether a box's text passes `l`: its leading number (num::leadingNumber)
// lies within the range; a number too large for a double lies in none.
bool holdsText(const Limit &l, const QString &text);

namespace limits {

// Targets, per beer.
Limit doelVolume(const RecipeState &r);   // up to the kettle's capacity
Limit doelAlcohol(const RecipeState &r);  // up to the installation's maximum
inline constexpr Limit DoelFG{1000, 1050};
inline constexpr Limit DoelEBU{0, 150};
inline constexpr Limit DoelCO2{3, 8, true};

// Grain bill, per row.
inline constexpr Limit StortingPerc{0, 100};
inline constexpr Limit StortingBZR{0, 1};
inline constexpr Limit StortingEBC{0, 3000, true};

// Mash schedule. The decoction step and the brewing water are bounded by the
// mash-in temperature `t0` (the first step as typed).
inline constexpr Limit InMaisch{1.5, 6, true};
inline constexpr Limit MaischPH{4, 6};
inline constexpr Limit StapTemp{0, 85};
inline constexpr Limit StapTijd{0, 120};
inline constexpr Limit DecoctieTijd{0, 30};
inline constexpr Limit decoctieTemp(double t0) { return Limit{t0, 100}; }
inline constexpr Limit brouwwaterTemp(double t0) { return Limit{0, t0}; }

// Hops. The alpha acid's bound is the beer's: 20 % for the first, 22 % for
// the second.
inline constexpr double HopAlfaMax = 20, HopAlfaMax2 = 22;
inline constexpr Limit hopAlfa(double max) { return Limit{0, max}; }
inline constexpr Limit AromaGram{0, 2000};
inline constexpr Limit AromaTijd{0, 60};
inline constexpr Limit BitterPerc{0, 100};
// Half a minute or less is rounded to no boil, which the recalculation cannot take.
inline constexpr Limit BitterTijd{0.5, 180};
inline constexpr Limit HopGravity{1000, 1200};
// A form the recalculation reads: it names "bloemen" or "pellets".
bool knownHopForm(const QString &form);

}  // namespace limits

// One value of a recipe outside its dialog's range, or of an imported file
// outside what a brewery knows (`ofFile`).
struct OutOfRange {
    QString dialog;  // the dialog's caption
    QString what;    // the field, with its row where it has one
    QString value;   // as the recipe (or the file) holds it
    QString range;
    bool ofFile = false;
    // The cell of a hop list, where the value is one: the list's name
    // ("Aromahop", "Bitterhop"), its row and column.
    QString table;
    int row = -1, column = -1;
};

// The first beer's targets, grain bill, mash schedule and hops that their
// dialogs would mark red, in the order of the dialogs and their boxes. The
// sums of the shares are not among them: they are no value of their own.
std::vector<OutOfRange> valuesOutOfRange(const RecipeState &r);

// The message that lists them, asking the brewer to correct them there.
// Long texts are quoted cut in the middle.
QString outOfRangeMessage(const std::vector<OutOfRange> &values);

}  // namespace mostarium
