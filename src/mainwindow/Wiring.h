#pragma once

#include "WindowCatalogue.h"

namespace mostarium {

class frmRecept;
class OnlineCommands;
struct Session;

// Gives the main window's commands whose work lives in other units their
// work: the file commands and recent files, the optimisers and the online
// site. The commands that open windows come from the window catalogue.
void wireCommands(frmRecept &w, Session &s);

// The update check and the public-recipe download, with the progress bar,
// the commands disabled while one runs and a transfer ended when the window
// closes. Called by wireCommands; the commands object is the window's child.
OnlineCommands *wireOnlineCommands(frmRecept &w);

// mnuOpenMostariumOnline: opens the online site through its link file in
// URLs, writing that file first when it is missing.
void mnuOpenMostariumOnline_Click();

}  // namespace mostarium
