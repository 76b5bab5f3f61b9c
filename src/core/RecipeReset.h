#pragma once

namespace mostarium {

struct Session;

// Empties the recipe and blanks the schedule: the recipe parts to their reset
// shapes, the flags and derived values to zero, the frames hidden with their
// plain captions, the label colours and tool tips undone, the status bar
// refreshed. Notes, beer styles and tasting words go too, so nothing of the
// previous recipe carries over. The brew mode, the system parameters, the open
// file's path and the sparge coefficients stay. The window layer adds the
// closing of the recipe dialogs (ResetRecept).
void ResetReceptState(Session &s);

}  // namespace mostarium
