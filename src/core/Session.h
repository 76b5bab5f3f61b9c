#pragma once

#include "AppState.h"
#include "DisplayModel.h"
#include "RecipeState.h"

namespace mostarium {

// The one open recipe, what the main window mirrors, and the schedule as shown.
struct Session {
    RecipeState recipe;
    AppState app;
    DisplayModel view;
};

// The program's session; tests may build their own and pass it explicitly.
Session &session();

} // namespace mostarium
