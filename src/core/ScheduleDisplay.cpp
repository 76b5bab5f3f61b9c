#include "ScheduleDisplay.h"

#include "Session.h"

namespace mostarium {

// Placeholder bodies until the schedule display lands.
void WisBrouwschema(Session &s) { ++s.view.revision; }
void ShowBrouwschema(Session &s)
{
    s.view.fraBrouwSchema.visible = true;
    s.view.fraEvaluatie.visible = true;
    ++s.view.revision;
}
void UpdateStatusBar(Session &s) { ++s.view.revision; }

} // namespace mostarium
