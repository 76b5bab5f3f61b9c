#pragma once

#include "WindowCatalogue.h"

namespace mostarium {

struct Session;

// Empties the recipe: the wizard ends, every recipe dialog of the catalogue
// closes without storing anything, and the
// recipe state and the schedule go back to their empty look.
void ResetRecept(Session &s);

}  // namespace mostarium
