#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

// Everything that blocks or leaves the process goes through here: the program
// installs the real implementation, tests install a recording fake.
namespace mostarium {

// Message box styles and answers by number.
namespace mb {
// Plain ints, so that buttons and icon add up to one style.
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}  // namespace mb

inline const QString AppTitle = QStringLiteral("Mostarium");

// What an input box asks: any text, or a number with decimals, typed as in
// the program's number boxes (digits and the point; a typed or pasted comma
// is the point).
enum class InputKind { Text, Decimal };

class Services {
public:
    virtual ~Services() = default;

    // A message box: `style` is buttons + icon; an empty title shows AppTitle.
    // Returns the answer (mb::Answer).
    virtual int msgBox(const QString &prompt, int style = mb::OKOnly, const QString &title = QString()) = 0;
    // An input box of a kind; nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                                            InputKind kind = InputKind::Text) = 0;
    // File dialogs; nullopt when cancelled. `filter` in Qt form ("Recepten (*.zlv)").
    virtual std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual std::optional<QString> saveFileName(const QString &title, const QString &path, const QString &filter) = 0;
    // The folder-browse dialog; nullopt when cancelled.
    virtual std::optional<QString> folderName(const QString &title, const QString &folder) = 0;
    // Plays a wave file; silent when it is missing or there is no audio device.
    virtual void playSound(const QString &path, bool wait) = 0;
    // The system's warning beep.
    virtual void beep() = 0;
    // Opens a page of the program's own help.
    virtual void showHelp(const QString &page) = 0;
    // Hands an address or a file to the desktop.
    virtual bool openUrl(const QString &url) = 0;
    // Starts a program with its arguments; with `wait` it returns when it ended.
    virtual bool startProgram(const QString &program, const QStringList &arguments, bool wait) = 0;
    virtual QDateTime now() = 0;
    // The busy pointer for the whole application.
    virtual void setBusy(bool busy) = 0;
    // Lets queued events run (a long loop that yields).
    virtual void processEvents() = 0;
    // The printer dialog for `printer`, without page ranges; with
    // `offerSelection` printing the selection is offered and preselected (the
    // caller reads the choice from the printer's print range). False when
    // cancelled. Services that cannot print answer Cancel.
    virtual bool printDialog(QPrinter &printer, bool offerSelection)
    {
        (void)printer;
        (void)offerSelection;
        return false;
    }
    // Shows a text file (Windows-1252) in a modal, editable plain-text window
    // that can save it back and print it; returns when the window is closed.
    // False when the file could not be shown.
    virtual bool showTextFile(const QString &path) = 0;
};

Services &services();
// Installs `s` (not owned); returns the one installed before.
Services *setServices(Services *s);

// Shows the busy pointer for a scope, also when the scope ends by an error.
class BusyCursor {
public:
    BusyCursor() { services().setBusy(true); }
    ~BusyCursor() { services().setBusy(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

}  // namespace mostarium
