#pragma once

namespace mostarium {

struct Session;

// The one recalculation: every derived value and the whole schedule, from
// the recipe state and the installation's parameters.
void UpdateBrouwschema(Session &s);

} // namespace mostarium
