#pragma once

#include "mainwindow_fixture.h"

#include "core/FileHistory.h"
#include "core/Ini.h"
#include "core/Paths.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/Wiring.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <optional>

namespace mostarium::test {

// The main window with its commands wired, over a copy of the program folder.
// The samples match the shipped installation, so no system-parameter question
// interrupts an open.
class FileCommandsTest : public MainWindowTest {
protected:
    FileCommandsTest()
    {
        s().recipe.ReceptPath = folder.file(QStringLiteral("Recepten"));
        wireCommands(*w, session());
        fc = &fileCommands(*w, session());
    }

    static Session &s() { return session(); }

    QString sample(const QString &name) const { return folder.file(QStringLiteral("Recepten/") + name); }

    // Opens a sample as the open recipe and forgets what that asked.
    void openSample(const QString &name = QStringLiteral("Herfstbok.zlv"))
    {
        ASSERT_TRUE(fc->openFile(sample(name))) << qPrintable(name);
        fake.clear();
    }

    static QByteArray bytes(const QString &path) { return fileBytes(path); }

    static void makeReadOnly(const QString &path)
    {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup
                                        | QFileDevice::ReadOther);
    }

    int asked(const QString &prompt) const { return int(fake.prompts().count(prompt)); }
    int savePrompts() const { return asked(VraagOpslaanTekst); }

    QString zym(const char *section, const char *key) const
    {
        return ReadINI(paths::file(QStringLiteral("ZYM.ini")), QLatin1String(section), QLatin1String(key),
                       QStringLiteral("<none>"));
    }

    // The option as the start-up sets it: the state, and the check mirroring it.
    void setAutoSave(bool on)
    {
        session().app.autoSaveAan = on;
        item("mnuAutoSaveOn")->setChecked(on);
    }

    FileCommands *fc = nullptr;
};

}  // namespace mostarium::test
