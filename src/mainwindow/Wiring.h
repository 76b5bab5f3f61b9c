#pragma once

#include "WindowCatalogue.h"

namespace mostarium {

class frmRecept;
struct Session;

// Gives the main window's commands whose work lives in other units their
// work: the file commands and recent files, the optimisers and the online
// site. The commands that open windows come from the window catalogue.
void wireCommands(frmRecept &w, Session &s);

// mnuOpenMostariumOnline: opens the online site through its link file in
// URLs, writing that file first when it is missing.
void mnuOpenMostariumOnline_Click();

} // namespace mostarium
