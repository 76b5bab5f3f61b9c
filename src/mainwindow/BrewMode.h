#pragma once

#include <functional>

namespace mostarium {

struct Session;

// The captions, visibility and panel text of the brew mode in s.app.dubbelBrouw
// (the display-model half of PasGUIAanBrouwType).
void ApplyBrouwTypeToView(Session &s);

// mnuDubBrouw_Click without the window: flips the brew mode, keeps the status
// bits consistent with the data of the new mode (never clearing a hop bit
// whose lists hold rows) and recalculates once for the new mode.
// `pasGUIAanBrouwType` lays the window out for the new mode.
void SwitchBrouwType(Session &s, const std::function<void()> &pasGUIAanBrouwType);

}  // namespace mostarium
