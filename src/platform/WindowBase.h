#pragma once

#include "platform/WindowRoutines.h"

#include <QDialog>
#include <QString>

class QCloseEvent;
class QShowEvent;

namespace mostarium {

class Services;
struct Session;

// The base of every window but the main window. It is handed the session and
// the services; the close box unloads it (hidden now, deleted later, so never
// from inside its own handler); Esc cancels and Enter presses the default
// button, as in any dialog; it first shows centred over the main window (or
// the screen while there is none) unless its caller placed it.
class WindowBase : public QDialog {
    Q_OBJECT
public:
    WindowBase(const QString &name, Session &s, Services &svc, QWidget *parent = nullptr);

    const QString &windowName() const { return m_name; }
    // Hides the window and deletes it later; the registry forgets it.
    void unload();

protected:
    // Esc: the window's Cancel. Unloads unless the window says otherwise.
    virtual void onCancel() { unload(); }
    // The close box, before the window is unloaded without storing.
    virtual void onCloseBox() {}

    // The click of a confirmed choice, when the sounds are on.
    void playClick() const;
    // The help picture that opens a topic of the program's help.
    ClickLabel *helpPicture(const QString &topic, QWidget *parent = nullptr);
    // The main window's colour for the window and its controls.
    void takeMainColours() { PasKleurAan(this); }

    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void showEvent(QShowEvent *event) override;

    Session &m_s;
    Services &m_svc;

private:
    void placeFirstTime();

    QString m_name;
    bool m_placed = false;
};

}  // namespace mostarium
