#pragma once

#include "core/TextCut.h"

#include <QColor>
#include <QEventLoop>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QFontMetrics;
class QGroupBox;
class QMainWindow;
class QMouseEvent;
class QPixmap;
class QWidget;

// Small routines every window of the program uses.
namespace mostarium {

class Services;
struct Session;

// The main window (frmRecept) when it exists, else nullptr.
QWidget *mainWindow();

// A window no box may be parented to: the splash, or a window being unloaded
// (hidden now, deleted later), since either may go while the box is open.
void keepBoxesOff(QWidget *window);
bool boxesKeptOff(const QWidget *window);

// The one bounded wait without user input: window messages run (repaints,
// the desktop's answers to a show or an activation, sounds ending), while
// typed keys and clicks wait until it is over. It lasts `boundMs` at most and
// ends as soon as `done` holds. `done` is asked when the wait begins and
// again once the event or signal that may have made it hold is handled:
// after each event of an object given to askAfterEventsOf, and after each
// call of askAgain (a slot for the signals that tell).
class QuietWait : public QObject {
public:
    QuietWait(int boundMs, std::function<bool()> done);
    ~QuietWait() override;

    // A pause of `ms` without user input.
    static void pause(int ms);

    void askAfterEventsOf(QObject *watched);
    void askAgain();
    // Waits; true when `done` holds at the end.
    bool run();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const int m_boundMs;
    const std::function<bool()> m_done;
    QEventLoop m_loop;
    QTimer m_bound;
    QList<QPointer<QObject>> m_watched;
    bool m_asking = false;  // a question is queued
};

// Waits (see QuietWait) until the shown window is active on the screen, at
// most `boundMs`: the desktop answers a show and an activation later, and a
// box asked for before then would take another window as the one that
// asked. True when it is.
bool waitUntilActive(QWidget *window, int boundMs);

// The click of a confirmed choice (Sounds/ploc.wav), when the sounds are on.
void PlayClick(const Session &s, Services &svc);

// A label or picture that acts on a click (pictures and link labels).
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// Keeps the window above all others / takes it out of that band; position and
// size stay.
void SetFormOnTop(QWidget *window);
void SetFormNotOnTop(QWidget *window);

// "Onder constructie!" for a function that is not there yet.
void ToonOnderConstructie();

// `text` as a line `width` pixels wide holds it: a text too wide loses its
// middle to an ellipsis, so that its start and its end stay in sight. A line
// is shaped again at every repaint: a text of megabytes (a recipe name) is cut
// here once, and only a piece of each end is measured. For a label, which
// shows "&" as it stands.
QString fittedText(const QString &text, const QFontMetrics &metrics, int width);
// The title of a frame, button or menu entry that shows `caption` as typed
// (a recipe name with "&" in it): fittedText of it with each "&" doubled.
QString fittedCaption(const QString &caption, const QFontMetrics &metrics, int width);
// A window title that shows `title`: the window manager draws the title in a
// bar of its own and is handed the whole text, so a title of a recipe name of
// megabytes is cut to a line of its start and its end.
QString fittedWindowTitle(const QString &title);
// The room of a frame's title: its width less the style's margins beside it.
int titleRoom(const QGroupBox *frame);
// The frame's title: what it can hold of `caption`, its "&" shown as typed.
void setFittedTitle(QGroupBox *frame, const QString &caption);

// Opens a topic page ("MI_R_Spoelen.htm") of the program's help.
void ShowHelpTopic(const QString &topic, QWidget *window = nullptr);

// Gives the window and every control but its text boxes the main window's
// background colour.
// The main window's background colour; RGB(205, 209, 203) before it exists.
QColor MainBackColor();
void PasKleurAan(QWidget *window);
// The window alone takes the main window's colour; its controls keep theirs.
void applyMainBackColor(QWidget *window);

// Shows the picture beside an item of the window's menu bar: menu `menuIndex`
// (0 = the first menu), item `itemIndex` counted over the items visible now,
// separators included. Positions that do not exist do nothing.
void AddBitmapToMenu(QMainWindow *window, long menuIndex, long itemIndex, const QPixmap &unchecked,
                     const QPixmap &checked);

}  // namespace mostarium
