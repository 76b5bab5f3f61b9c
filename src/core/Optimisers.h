#pragma once

#include "Table.h"

#include <QString>

// OptiMaischer: fits a recipe to the kettle, the lauter tun and a wished boil
// time by stepping one quantity and recalculating after every step.
namespace mostarium {

struct Session;
struct RecipeState;

// What the optimisers remember between runs, for the life of the program.
struct OptiMaischer {
    double GewensteKooktijd = 0;    // wished boil time, minutes, as last entered
    double MinimumBeslagDikte = 0;  // smallest mash thickness accepted, L/kg, as last entered
    bool OptiMaischerAfgebroken = false;

    // Safety bound: no run takes more recalculations than this.
    int maxSteps = 5000;
    // Recalculations made by the last run (for the curious and the benchmark).
    int recalculations = 0;
};

// The program's one OptiMaischer state.
OptiMaischer &optiMaischer();

// How a run ended.
enum class OptiResult {
    Done,       // the recipe fits (or the run stopped at a limit as it should)
    Cancelled,  // an input box was cancelled; nothing changed
    NoFit,      // no fit exists or the recipe cannot be computed; told the user, nothing changed
};

inline const QString OptiMaischerTitle = QStringLiteral("Mostarium OptiMaischer");

OptiResult MaximizeVolume(Session &s, OptiMaischer &o);
OptiResult OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(Session &s, OptiMaischer &o, bool VraagKooktijd,
                                                              bool VraagMinimumDikte);
OptiResult OptimizeSpoelenTotToFulfillDefinedBoilingTime(Session &s, OptiMaischer &o, bool VraagKooktijd);
OptiResult OptimizeWaterBill(Session &s, OptiMaischer &o, bool VraagKooktijd, bool VraagMinimumDikte);
// Multiplies the grams of every aroma-hop row by `f`, each written again as
// whole grams ("###": below one half it becomes empty). Stops at the first
// row it cannot compute and keeps the rows done; false then, or when the
// rows have no grams column.
bool scaleAromaGrams(Table2D<QString> &rows, double f);
// Rescales the aroma-hop grams of the first beer from volume V0 to the current
// target volume. The second beer's volume never changes, so its rows stay.
void SchaalAromaHop(RecipeState &r, float V0);

// The five menu commands (mnuMaximumVolume, mnuWaterBeslagRatio,
// mnuWaterSpoelenTot, mnuMaximumVolumePlusWater,
// mnuWaterBeslagRatioPlusDoelstelling). Each refuses while an optimiser runs.
void mnuMaximumVolume_Click(Session &s, OptiMaischer &o);
void mnuWaterBeslagRatio_Click(Session &s, OptiMaischer &o);
void mnuWaterSpoelenTot_Click(Session &s, OptiMaischer &o);
void mnuMaximumVolumePlusWater_Click(Session &s, OptiMaischer &o);
void mnuWaterBeslagRatioPlusDoelstelling_Click(Session &s, OptiMaischer &o);
// The same on the program's session.
void mnuMaximumVolume_Click();
void mnuWaterBeslagRatio_Click();
void mnuWaterSpoelenTot_Click();
void mnuMaximumVolumePlusWater_Click();
void mnuWaterBeslagRatioPlusDoelstelling_Click();

// For every command that changes or replaces the recipe (New, Open, the recent
// files, the recipe dialogs, the optimisers, Exit): while an optimiser runs it
// says so and returns true, and the command must not go on.
bool refuseWhileOptimising(Session &s);
bool refuseWhileOptimising();

}  // namespace mostarium
