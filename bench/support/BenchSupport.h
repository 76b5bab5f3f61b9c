#pragma once

#include "core/Services.h"

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
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override { return std::nullopt; }
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
};

// Runs the program's registered benchmarks on an application object that can
// show windows (offscreen unless QT_QPA_PLATFORM says otherwise).
int runWindowBenchmarks(int argc, char **argv);

}  // namespace mostarium::bench
