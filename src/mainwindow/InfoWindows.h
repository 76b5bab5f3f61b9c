#pragma once

#include "platform/WindowRoutines.h"

#include <QPixmap>
#include <QString>

// The small windows around the recipe: tip of the day, about window (also the
// start-up splash), mailing-list notice and the background picture chooser,
// plus the background picture of the main window.
namespace mostarium {

// The menu and toolbar commands: load the single instance, show it modeless,
// bring it to the front (an open window keeps its contents).
void showTips();               // mnuTips, toolbar "Tip"
void showAbout();              // mnuInfo, toolbar "Info"
void showRegistreer();         // mnuRegistreer, toolbar "Registreer"
void showBackgroundChooser();  // frmAchtergrond (no menu item of its own)

// Start-up's splash: frmInfo shown topmost without its OK button, painted once.
// The caller waits, takes it out of the topmost band before a message box may
// appear, and unloads it before the main window is shown.
QWidget *showSplash();
void splashNotOnTop();
void closeSplash();

// The main window's background picture, tiled over it. An empty path clears
// it; false (and nothing changed) when the file is not a readable picture.
bool setTilePicture(QWidget *mainWindow, const QString &file);
QPixmap tilePicture(const QWidget *mainWindow);
// Repaints the main window with its picture.
void TileForm(QWidget *mainWindow);

// The stored choice (ZYM.ini, Background/PicFile): shown on the main window
// when it names an existing picture; otherwise the window is left as it is.
void applyBackground(QWidget *mainWindow);

}  // namespace mostarium
