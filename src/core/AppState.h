#pragma once

#include "FileSeen.h"

#include <QString>

namespace mostarium {

// What the main window's controls mirror: the brew mode (the check of
// mnuDubBrouw), the open recipe's path (the file dialog's file name) and the
// public flags of the main window.
struct AppState {
    bool dubbelBrouw = false;              // checked mnuDubBrouw
    QString fileName;                      // CDialog.FileName
    bool wizardActief = false;             // WizardActief
    bool geluidAan = true;                 // GeluidAan
    bool spoelcurveRecept = true;          // checked mnuSpoelcurveRecept
    bool openBestandBijOpstarten = false;  // checked mnuOpenBestandbijOpstarten
    bool autoSaveAan = false;              // checked mnuAutoSaveOn
    bool verkortMenu = false;              // checked mnuVerkort: the short menu
    // An optimiser is running (MaximizeVolume lets the event loop run between
    // its steps): commands that change or replace the recipe must wait.
    bool optimiserBusy = false;
    // The open recipe's file as this program last read or wrote it: a save
    // asks before it replaces a file that changed on disk since.
    FileSeen fileSeen;
};

}  // namespace mostarium
