#pragma once

namespace mostarium {

struct Session;

// Blanks the schedule and evaluation texts and deletes the scratch file of
// tasting characteristics.
void WisBrouwschema(Session &s);
// Shows the schedule and the evaluation frames.
void ShowBrouwschema(Session &s);
// Enables the status-bar panels of the recipe parts present.
void UpdateStatusBar(Session &s);

}  // namespace mostarium
