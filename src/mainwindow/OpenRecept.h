#pragma once

#include <QString>
#include <functional>

namespace mostarium {

struct Session;

// Opens a recipe file the way every caller does (Open, the recent files, the
// command line, the style database): empties the recipe and closes its
// dialogs, reads the file, lays the window out for the file's brew mode
// through `pasGUIAanBrouwType`, asks about differing system parameters, and
// shows the schedule frames when the recipe has parts. A damaged file shows
// "Fout in openen recept! Controleer inhoud bestand!" and leaves an empty
// recipe without a file name; returns false then. A file that read well
// becomes the open recipe's path (s.app.fileName). The caller recalculates and
// shows the path in the status bar.
bool OpenRecept(Session &s, const QString &path, const std::function<void()> &pasGUIAanBrouwType = {});

}  // namespace mostarium
