#pragma once

#include <QString>

namespace mostarium {

class frmRecept;
struct Session;

struct StartUpOptions {
    // The command line after the program's name: an optional recipe path,
    // possibly in double quotes.
    QString commandLine;
    // How long the splash stands before the start-up goes on (the program
    // waits one second; measurements and tests may set 0).
    int splashPauseMs = 1000;
};

// The start-up, run once on the constructed main window: splash, working
// folders, required files, the settings of ZYM.ini, the empty recipe, the
// options, the recipe of the command line or of recent file 1, the main window
// shown, the tip of the day, the first-run set-up and the link files.
// Returns false when the start-up failed and the program must end.
bool Form_Load(frmRecept &w, Session &s, const StartUpOptions &options);

// The recipe-folder rule: an absolute path of an existing folder is kept,
// anything else becomes the program folder's Recepten.
QString receptPathFromSetting(const QString &value);

// The screen-size warning is due only when the screen is both narrower than
// 1024 and lower than 768 pixels.
bool needsScreenWarning(int widthPx, int heightPx);

// The recipe path named by a command line: trimmed, and without its first
// and last character when it holds a double quote anywhere.
QString commandLineRecipe(const QString &commandLine);

// Makes the program folder the working folder, so that nothing the program
// or Qt's own dialogs place relative to it (the printer dialog's PDF file)
// lands where the program happened to be started. A command-line recipe
// named relative to the folder it was started in is made absolute first;
// returns the command line as Form_Load takes it.
QString enterProgramFolder(const QString &commandLine);

}  // namespace mostarium
