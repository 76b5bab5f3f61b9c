#pragma once

#include <QString>
#include <array>

namespace mostarium {

struct Session;

// The six equipment values as the system parameters window edits them, in
// the order the window fills and stores them.
enum SysParam { SpKetel = 0, SpFilterkuip, SpFixedVolume, SpDoodVolume, SpEvaporatie, SpBrouwVerlies, SpCount };
using SysParamTexts = std::array<QString, SpCount>;
using SysParamFlags = std::array<bool, SpCount>;

// The installation's values as the boxes show them.
SysParamTexts sysParamTexts(const Session &s);

// True when every box may be stored; `bad` marks the boxes to colour red.
// A kettle capacity must be a whole number of litres the program can hold
// (1..32767 after rounding); kettle, lauter tun and evaporation must not be
// empty or zero.
bool ControleerSysParameters(const SysParamTexts &texts, SysParamFlags &bad);

// Writes the six keys and EersteMaal=0 to ZYM.ini and stores the values in
// the recipe state. Returns false when the settings file could not be written
// (the state is stored all the same).
bool StoreSysParameters(Session &s, const SysParamTexts &texts);

} // namespace mostarium
