#pragma once

namespace mostarium {

class frmRecept;
struct Session;

// Registers every finished window of the program with the window registry;
// call before the main window is made, so that its commands enable themselves.
void registerWindows();

// Gives the main window's commands whose work lives in other units their
// work: the file commands and recent files, the optimisers, the tips, about
// and notice windows, and the online site.
void wireCommands(frmRecept &w, Session &s);

// mnuOpenMostariumOnline: opens the online site through its link file in
// URLs, writing that file first when it is missing.
void mnuOpenMostariumOnline_Click();

} // namespace mostarium
