#pragma once

#include <QColor>
#include <QString>

class QMainWindow;
class QPixmap;
class QWidget;

// Small routines every window of the program uses.
namespace mostarium {

// Keeps the window above all others / takes it out of that band; position and
// size stay.
void SetFormOnTop(QWidget *window);
void SetFormNotOnTop(QWidget *window);

// "Onder constructie!" for a function that is not there yet.
void ToonOnderConstructie();

// Opens a topic page ("MI_R_Spoelen.htm") of the program's help.
void ShowHelpTopic(const QString &topic, QWidget *window = nullptr);

// Gives the window and every control but its text boxes the main window's
// background colour.
// The main window's background colour; RGB(205, 209, 203) before it exists.
QColor MainBackColor();
void PasKleurAan(QWidget *window);

// Shows the picture beside an item of the window's menu bar: menu `menuIndex`
// (0 = the first menu), item `itemIndex` counted over the items visible now,
// separators included. Positions that do not exist do nothing.
void AddBitmapToMenu(QMainWindow *window, long menuIndex, long itemIndex, const QPixmap &unchecked,
                     const QPixmap &checked);

} // namespace mostarium
