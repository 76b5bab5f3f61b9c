#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace mostarium {

struct RecipeState;
struct Session;

// The six equipment values as the system parameters window edits them, in
// the order the window fills and stores them.
enum SysParam { SpKetel = 0, SpFilterkuip, SpFixedVolume, SpDoodVolume, SpEvaporatie, SpBrouwVerlies, SpCount };
using SysParamTexts = std::array<QString, SpCount>;
using SysParamFlags = std::array<bool, SpCount>;

// The installation's values as the boxes show them.
SysParamTexts sysParamTexts(const Session &s);

// Whether a box's text may be stored: the whole text a number within the
// value's bounds. The kettle holds whole litres, 1 to 32767 once rounded;
// lauter tun and evaporation above 0; the other three 0 or more; none above
// 32767.
bool sysParamValid(SysParam p, const QString &text);

// The bounds in the words a red box shows in its tool tip.
QString sysParamBounds(SysParam p);

// True when every box may be stored; `bad` marks the boxes to colour red.
bool ControleerSysParameters(const SysParamTexts &texts, SysParamFlags &bad);

// Writes the six keys and EersteMaal=0 to ZYM.ini and stores the values in
// the recipe state. Returns false when the settings file could not be written
// (the state is stored all the same). The texts must have passed the check.
[[nodiscard]] bool StoreSysParameters(Session &s, const SysParamTexts &texts);

// Reads the seven installation values of [SysteemVariabelen] of ZYM.ini in
// one fixed order (the kettle, the maximum alcohol, then the other five),
// which is the order of their messages. A value the window would
// refuse (and a maximum alcohol outside 0 to 100 %) takes its default;
// returned are the messages that name each such key.
QStringList ReadSysParameters(RecipeState &r);

}  // namespace mostarium
