#pragma once

#include <optional>

namespace mostarium {

struct RecipeState;
struct Session;

// First wort: the four curve coefficients, first-wort gravity, volume and the
// freely available part; fills the sparge dialog's expectation texts.
void UpdateHoofdwort(Session &s);

// Sparging: inverts the runnings curve at the sparge-until gravity (SpoelenTot,
// as the dialog shows it with one decimal) for the wort collected by sparging
// and the sparge water. Without a solution nothing is computed or written.
void UpdateSpoelen(Session &s);

// Double brew: the litre of runnings after which the first beer has all the
// extract it needs, and the gravity of the runnings there.
struct OmslagPunt {
    int litres = 0;
    float plato = 0;
};
// First litre V = 0 .. N + 1 (N = expected wort after sparging) at which the
// collected extract exceeds what the first beer needs at Doelstellingen(1);
// nullopt when the runnings never get there.
std::optional<OmslagPunt> BerekenOmslag(const RecipeState &r);

// Sets OmslagL, OmslagPlato and the main window's lbl_SGOvergang and
// lbl_VolOvergang from BerekenOmslag, or clears and hides them when there is
// no switch-over.
void UpdateOmslag(Session &s);
void ClearOmslag(Session &s);

} // namespace mostarium
