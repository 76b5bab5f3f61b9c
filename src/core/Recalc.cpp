#include "Recalc.h"

#include "Session.h"

namespace mostarium {

// Placeholder body until the recalculation lands.
void UpdateBrouwschema(Session &s) { ++s.view.revision; }

} // namespace mostarium
