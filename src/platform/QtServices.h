#pragma once

#include "core/Services.h"

#include <QObject>
#include <QPointer>
#include <QSize>

class QWidget;

namespace mostarium {

// The real services: Qt dialogs, the desktop, sounds, the clock.
class QtServices final : public Services {
public:
    QtServices();
    ~QtServices() override;

    // The least size of a file dialog, in pixels: beside the size, type and
    // date columns a file name of some forty characters shows whole.
    static constexpr QSize FileDialogLeastSize{760, 460};

    int msgBox(const QString &prompt, int style, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                                    InputKind kind) override;
    std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> saveFileName(const QString &title, const QString &path, const QString &filter) override;
    std::optional<QString> folderName(const QString &title, const QString &folder) override;
    void playSound(const QString &path, bool wait) override;
    void beep() override;
    void showHelp(const QString &page) override;
    bool openUrl(const QString &url) override;
    bool startProgram(const QString &program, const QStringList &arguments, bool wait) override;
    QDateTime now() override;
    void setBusy(bool busy) override;
    void processEvents() override;
    bool printDialog(QPrinter &printer, bool offerSelection) override;
    bool showTextFile(const QString &path) override;

    // The window every box and dialog is parented to: the active window when
    // it is a shown window of ours that stays while the box is open (not the
    // splash, not one being unloaded), else the shown main window, else none.
    // When the box closes, that window is active again.
    static QWidget *dialogParent();

    // Every message box then also writes "Mostarium message: <title> | <text>"
    // to standard error as it is shown, so that whoever started the program
    // sees what waits for an answer.
    void setEchoMessages(bool on) { m_echoMessages = on; }

private:
    int m_busyDepth = 0;
    bool m_echoMessages = false;
};

}  // namespace mostarium
