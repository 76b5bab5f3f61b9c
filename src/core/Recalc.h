#pragma once

#include <QString>

namespace mostarium {

struct Session;

// The message shown when the recipe cannot be calculated.
extern const QString RecalcFoutmelding;

// The one recalculation: every derived value and the whole schedule, from
// the recipe state and the installation's parameters. A calculation error
// shows RecalcFoutmelding and leaves what was computed up to that point; the
// target volume is always as it was before the call.
void UpdateBrouwschema(Session &s);

} // namespace mostarium
