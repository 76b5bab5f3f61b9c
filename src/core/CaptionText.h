#pragma once

#include <QString>

namespace mostarium {

// The text that a control reading "&" as its shortcut marker (a frame's
// title, a button, a check box, a menu entry, a tab) needs to show `text` as
// it stands: every "&" doubled. Recipe and file texts go through here on their
// way into such a control, never into the recipe or a report, which keep them
// as typed.
QString literalAmpersands(const QString &text);

}  // namespace mostarium
