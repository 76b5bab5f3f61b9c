#pragma once

#include <QString>

namespace mostarium {

// What the main window's controls mirror: the brew mode (the check of
// mnuDubBrouw), the open recipe's path (the file dialog's file name) and the
// public flags of the main window.
struct AppState {
    bool dubbelBrouw = false;     // checked mnuDubBrouw
    QString fileName;             // CDialog.FileName
    bool wizardActief = false;    // WizardActief
    bool geluidAan = true;        // GeluidAan
    bool spoelcurveRecept = true; // checked mnuSpoelcurveRecept
};

} // namespace mostarium
