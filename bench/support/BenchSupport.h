#pragma once

#include "core/Services.h"
#include "core/Session.h"
#include "mainwindow/frmRecept.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// What the window benchmarks share: services that show and play nothing, and
// the main of a benchmark program that needs windows.
namespace mostarium::bench {

// Shows nothing, plays nothing, answers every question as OK or Cancel, and
// counts the messages it was asked to show. A benchmark overrides what it
// needs answered otherwise.
class SilentServices : public Services {
public:
    int messages = 0;
    int msgBox(const QString &, int, const QString &) override { return ++messages, mb::OK; }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &, InputKind) override
    {
        return std::nullopt;
    }
    std::optional<QString> openFileName(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> folderName(const QString &, const QString &) override { return std::nullopt; }
    void beep() override {}
    void playSound(const QString &, bool) override {}
    void showHelp(const QString &) override {}
    bool openUrl(const QString &) override { return false; }
    bool startProgram(const QString &, const QStringList &, bool) override { return false; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    void setBusy(bool) override {}
    void processEvents() override {}
    bool showTextFile(const QString &) override { return true; }
};

// The services a desk installs, made before the desk itself.
template <typename S>
struct WithServices {
    S quiet;
};

// A program folder of its own with the named files of resources/ copied in
// and the named folders made, the given services installed, the session set
// (sounds off), the built windows registered and the main window shown.
struct Desk {
    Desk(Services &services, const Session &recipe, const QStringList &resources, const QStringList &folders,
         bool wired = false);
    ~Desk();
    // Every window but the main window unloaded and deleted.
    static void settle();

    QTemporaryDir folder;
    Services *old = nullptr;
    std::unique_ptr<frmRecept> main;
};

// Runs the program's registered benchmarks on an application object that can
// show windows (offscreen unless QT_QPA_PLATFORM says otherwise).
int runWindowBenchmarks(int argc, char **argv);

}  // namespace mostarium::bench
