#pragma once

#include "AppState.h"
#include "DisplayModel.h"
#include "RecipeState.h"

#include <QObject>
#include <functional>
#include <memory>

namespace mostarium {

// What a session tells its windows: the recipe, the schedule as shown, or the
// application flags changed.
class SessionSignals : public QObject {
    Q_OBJECT
signals:
    void recipeChanged();
    void viewChanged();
    void appChanged();
};

// The one open recipe, what the main window mirrors, and the schedule as shown.
struct Session {
    RecipeState recipe;
    AppState app;
    DisplayModel view;

    // Set by the window layer: closes an open sparge dialog (its unconfirmed
    // edits are dropped) whenever the recalculation has run the sparge model.
    std::function<void()> closeSpargeWindow;
    // Set by the window layer: opens a window as its menu command would, with
    // the preparation for the brew mode (a dialog's successor in the wizard).
    std::function<void(const QString &)> openDialog;

    Session();
    ~Session();
    // A copy takes the data; each session keeps its own signals and hooks, so
    // that the windows wired to it stay so when it is assigned anew.
    Session(const Session &other);
    Session &operator=(const Session &other);

    SessionSignals &events() const { return *m_signals; }
    // The one place the display model's revision moves; tells the windows.
    void viewChanged();
    void recipeChanged() { emit m_signals->recipeChanged(); }
    void appChanged() { emit m_signals->appChanged(); }

private:
    std::unique_ptr<SessionSignals> m_signals;
};

// The program's session; tests may build their own and pass it explicitly.
Session &session();

}  // namespace mostarium
