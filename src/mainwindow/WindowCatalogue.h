#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace mostarium {

class Services;
struct Session;

// Makes a window, handed the session and the services.
using WindowFactory = std::function<QWidget *(Session &, Services &)>;
// Asked before the window is opened by its command; false refuses (the guard
// has said why).
using WindowGuard = bool (*)(Session &);
// Prepares the loaded window for the brew mode before it is shown.
using WindowPrepare = void (*)(QWidget *, const Session &);

// One window of the program: every list of windows and of window commands is
// read from here.
struct WindowRow {
    QString window;             // "frmDoelstellingen"
    QString command;            // the menu item that opens it, or empty
    bool recipeDialog = false;  // closed by a reset, refused while an optimiser runs
    WindowFactory factory;      // empty while the window is not built
    WindowGuard guard = nullptr;
    WindowPrepare prepare = nullptr;
};

const std::vector<WindowRow> &windowCatalogue();
// The row of a window or of a command; nullptr when there is none.
const WindowRow *catalogueRow(const QString &window);
const WindowRow *catalogueRowOfCommand(const QString &command);
// The recipe dialogs, in catalogue order.
QStringList receptDialogen();

// Registers every built window of the catalogue with the window registry, its
// factory bound to `s` and to the services installed when it is made. Call
// before the main window is made, so that its commands enable themselves.
void registerWindows(Session &s);
// One row only (tests); false when the window is unknown or not built.
bool registerWindow(const QString &window, Session &s);
// The registry's factory of a built row, bound to `s`; empty when not built.
std::function<QWidget *()> boundFactory(const WindowRow &row, Session &s);

}  // namespace mostarium
