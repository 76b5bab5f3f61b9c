#pragma once

#include <QString>

// The four most recent recipes, keys "1".."4" of section FileHistory in ZYM.ini.
namespace mostarium::history {

// The path of entry n (1..4) as it was written (see encodeSettingPath);
// `trimmed` cuts blanks around the stored text.
QString entry(int n, bool trimmed = true);
// The menu caption of entry n: "  &n " and the path as shownPath gives it.
QString caption(int n);
QString captionFor(int n, const QString &path);
// A path as a menu item shows it: with the system's folder separator, ".."
// and its last 50 characters when it is longer than 50; "&" doubled so that it
// shows as itself, and a control character (a tab, a line break) as a blank,
// so that a tab cannot push the rest into the shortcut column.
QString shownPath(const QString &path);
// Puts `fileName` at the head of the list unless it is already entry 1
// (exactly, letter case counting); where it stood further down it is taken
// out, so the list never holds a path twice. Returns true when the list
// changed.
bool UpdateFileHistory(const QString &fileName);

}  // namespace mostarium::history
