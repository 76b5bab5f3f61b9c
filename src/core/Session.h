#pragma once

#include "AppState.h"
#include "DisplayModel.h"
#include "RecipeState.h"

#include <functional>

namespace mostarium {

// The one open recipe, what the main window mirrors, and the schedule as shown.
struct Session {
    RecipeState recipe;
    AppState app;
    DisplayModel view;

    // Set by the window layer: closes an open sparge dialog (its unconfirmed
    // edits are dropped) whenever the recalculation has run the sparge model.
    std::function<void()> closeSpargeWindow;
};

// The program's session; tests may build their own and pass it explicitly.
Session &session();

} // namespace mostarium
