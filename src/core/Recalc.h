#pragma once

#include "RecipeState.h"
#include "Table.h"

#include <QString>

namespace mostarium {

struct Session;

// The message shown when the recipe cannot be calculated.
extern const QString RecalcFoutmelding;

// How a recalculation ended. It has shown its message already; a caller that
// goes on with the figures (the optimisers) reads whether they are whole.
struct RecalcOutcome {
    bool done = true;
    QString message;  // what was shown when not done

    explicit operator bool() const { return done; }
};

// The original gravity a beer's targets give (kg/m3), from its final
// gravity, alcohol and carbonation.
float expectedOG(const Table1D<float> &d, BeerIndex beer);

// The one recalculation: every derived value and the whole schedule, from
// the recipe state and the installation's parameters. A calculation error
// shows RecalcFoutmelding and leaves what was computed up to that point; a
// failing evaluation step shows its own message and the rest still runs.
// Either way the outcome is not done. The target volume is always as it was
// before the call.
RecalcOutcome UpdateBrouwschema(Session &s);

}  // namespace mostarium
