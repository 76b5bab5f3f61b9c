#pragma once

#include "PlotData.h"
#include "Sparge.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace mostarium {

struct RecipeState;
struct Session;

// Whether the grain bill and the mash give a first wort, so that there is a
// sparge model to show.
bool HeeftHoofdwort(const RecipeState &r);

// The sparge curve: the gravity of the runnings against the litres run off.
struct Spoelcurve {
    int N = 0;                         // litres of wort expected after sparging
    PlotData data;                     // rows 0 .. N + 1: litres, Plato of the runnings, kg collected
    PlotSettings settings;             // the x axis ends at N, the data at N + 1
    QByteArray scratch;                // temp/spoelcurve.txt, whole
    bool scratchWritten = true;        // false: not written, and no older dump left
    std::optional<OmslagPunt> omslag;  // double brew: where the runnings switch beers
};

// The curve of the sparge model as it stands (HWSG and the coefficients); the
// two box texts head the scratch file. nullopt when the model gives none: N
// outside 0 .. 32767 or no number, a curve without width.
std::optional<Spoelcurve> BerekenSpoelcurve(const RecipeState &r, const QString &spoelenTot, const QString &hoofdwort);

// BerekenSpoelcurve, its scratch file written whole, and in a double brew the
// switch-over at the planned volume (UpdateOmslag). Without a curve nothing is
// written and nothing changes.
std::optional<Spoelcurve> CalculateSpoelcurve(Session &s, const QString &spoelenTot, const QString &hoofdwort);

// temp/spoelcurve.txt of the program folder.
QString SpoelcurveTekstBestand();
// The sparge dialog's picture for the reports: temp/Spoelcurve_<beer>.bmp.
QString SpoelcurvePlaatje(const RecipeState &r);

// The sparge dialog's check of the sparge-until gravity T and the measured
// first wort M (both Plato) against the first wort the dialog found at load.
// None (a number no double holds) marks its box, as a figure out of range
// does, and the check fails.
struct SpoelControle {
    bool ok = false;
    bool spoelenTotBad = false;
    bool hoofdwortBad = false;
};
inline constexpr double MinSpoelenTot = 3;
SpoelControle ControleerSpoelen(std::optional<double> spoelenTot, std::optional<double> hoofdwort, float keptHWSG,
                                float coefficientA, float coefficientB);
// The same on the two boxes' texts, read by their leading number.
SpoelControle ControleerSpoelen(const QString &spoelenTot, const QString &hoofdwort, float keptHWSG, float coefficientA,
                                float coefficientB);

}  // namespace mostarium
