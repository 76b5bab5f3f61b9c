#pragma once

#include <QString>

#include <optional>

namespace mostarium {

struct RecipeState;
struct Session;

// The wort after sparging: the free first wort plus the sparged wort, with
// all the extract of the mashed grain. A zero volume is a CalcError.
struct WortNaSpoelen {
    double litres = 0;
    float gl = 0;  // extract, g/L
    float sg = 0;  // kg/m3
};
WortNaSpoelen BerekenWortNaSpoelen(const RecipeState &r);

// The figures the two routines below format for the dialog, handed to a caller
// that shows them again (the recalculation), so that each is formatted once.
// Whole numbers: "####" and "###" give the same text.
struct SpargeTexts {
    QString hwsg;                       // first-wort gravity, kg/m3
    std::optional<WortNaSpoelen> wort;  // set when sparging has a solution
    QString wortLitres, wortKg;         // its volume and its mass ("###.0 kg")
    QString spoelwater;                 // sparge water, L
};

// First wort: the four curve coefficients, first-wort gravity, volume and the
// freely available part; fills the sparge dialog's expectation texts.
void UpdateHoofdwort(Session &s, SpargeTexts *texts = nullptr);

// Sparging: inverts the runnings curve at the sparge-until gravity (Plato) for
// the wort collected by sparging and the sparge water. Without a solution
// nothing is computed or written. The sparge dialog passes what its box holds
// without storing it; the default is SpoelenTot as the box shows it, with one
// decimal.
void UpdateSpoelen(Session &s, double targetPlato, SpargeTexts *texts = nullptr);
void UpdateSpoelen(Session &s, SpargeTexts *texts = nullptr);

// Double brew: the litre of runnings after which the first beer has all the
// extract it needs, and the gravity of the runnings there.
struct OmslagPunt {
    int litres = 0;
    float plato = 0;
};
// First litre V = 0 .. N + 1 (N = expected wort after sparging) at which the
// collected extract exceeds what the first beer needs at `volume` litres (its
// planned volume: the target plus the brewing loss); nullopt when the runnings
// never get there.
std::optional<OmslagPunt> BerekenOmslag(const RecipeState &r, float volume);

// The first beer's planned volume, the target plus the brewing loss, as the
// recalculation computes with it; nullopt without targets.
std::optional<float> GeplandVolume(const RecipeState &r);

// Sets OmslagL, OmslagPlato and the main window's lbl_SGOvergang and
// lbl_VolOvergang from BerekenOmslag at `volume`, or clears and hides them when
// there is no switch-over. Without a volume: Doelstellingen(1), as it stands
// inside the recalculation (raised by the brewing loss). Returns the point.
std::optional<OmslagPunt> UpdateOmslag(Session &s, float volume);
void UpdateOmslag(Session &s);
void ClearOmslag(Session &s);

}  // namespace mostarium
