// The real program, started with a sample recipe on its command line over a
// copy of the program folder: it reaches its main window and ends cleanly,
// and stays alive when no file of it may grow (every write fails).

#include "core/Ini.h"
#include "support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QString programPath()
{
    const QString env = qEnvironmentVariable("MOSTARIUM_EXE");
    if (!env.isEmpty())
        return env;
    // The build's program folder beside the tests' folder.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../program/mostarium");
}

class RealProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo(programPath()).isExecutable())
            GTEST_SKIP() << "program not built at " << qPrintable(programPath());
        // An installation past its first start, and the files checked at
        // start-up, so that no message box waits for an answer; the shipped
        // equipment values already fit the samples.
        set("StartUp", "EersteMaal", QStringLiteral("0"));
        for (const char *f : {"Biersoorten.txt", "Biertypen.mdb"}) {
            QFile file(folder.file(QLatin1String(f)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        // A screen large enough for no resolution warning.
        QFile screen(folder.file(QStringLiteral("screen.json")));
        ASSERT_TRUE(screen.open(QIODevice::WriteOnly));
        screen.write(R"({"screens":[{"name":"s","x":0,"y":0,"width":1280,"height":1024,"logicalDpi":96}]})");
    }

    void set(const char *section, const char *key, const QString &value)
    {
        QString v = value;
        EXPECT_TRUE(WriteINI(folder.file(QStringLiteral("ZYM.ini")), QLatin1String(section), QLatin1String(key), v));
    }
    QString get(const char *section, const char *key)
    {
        return ReadINI(folder.file(QStringLiteral("ZYM.ini")), QLatin1String(section), QLatin1String(key),
                       QStringLiteral("<none>"));
    }

    // Runs the program to its end; returns its standard output. With
    // `fileSizeLimit` no file of the program may grow past that many bytes.
    // With `untilStarted` the program may still run after a few seconds (a
    // message box waits for an answer); it is then ended and `*exitCode` is 0.
    QString start(const QStringList &arguments, int *exitCode, rlim_t fileSizeLimit = RLIM_INFINITY,
                  bool untilStarted = false)
    {
        QProcess p;
        p.setChildProcessModifier([fileSizeLimit] {
            // This test program ignores the signal, and the child would
            // inherit that: the program must set it aside itself.
            std::signal(SIGXFSZ, SIG_DFL);
            if (fileSizeLimit != RLIM_INFINITY) {
                rlimit lim{};
                getrlimit(RLIMIT_FSIZE, &lim);
                lim.rlim_cur = fileSizeLimit;
                setrlimit(RLIMIT_FSIZE, &lim);
            }
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("offscreen:configfile=") + folder.file(QStringLiteral("screen.json")));
        env.insert(QStringLiteral("MOSTARIUM_HOME"), folder.path());
        env.insert(QStringLiteral("MOSTARIUM_QUIT_AFTER_START"), QStringLiteral("1"));
        env.insert(QStringLiteral("MOSTARIUM_NO_SPLASH_PAUSE"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.start(programPath(), arguments);
        if (untilStarted) {
            // Five seconds are far more than a start-up takes here.
            if (!p.waitForFinished(5000) && p.state() == QProcess::Running) {
                p.kill();
                p.waitForFinished();
                *exitCode = 0;
                return QString::fromLocal8Bit(p.readAllStandardOutput());
            }
            *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -std::max(1, p.exitCode());
            return QString::fromLocal8Bit(p.readAllStandardOutput());
        }
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "the program did not end: " << p.readAllStandardError().constData();
        }
        // Ended by a signal: the signal's number, negative.
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -std::max(1, p.exitCode());
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }

    TempProgramFolder folder{true};
};

TEST_F(RealProgram, OpensTheCommandLineRecipeShowsTheMainWindowAndEnds)
{
    const QString recipe = folder.file(QStringLiteral("Recepten/Herfstbok.zlv"));
    int rc = -1;
    const QString out = start({recipe}, &rc);

    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(out.contains(QStringLiteral("Mostarium started: Wortkamer   -   Rev. "))) << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral(" | ") + recipe)) << qPrintable(out);
    EXPECT_EQ(get("FileHistory", "1"), recipe);
    // Exit wrote the recipe folder; the data folders and link files exist.
    EXPECT_EQ(get("SysteemVariabelen", "ReceptPath"), folder.file(QStringLiteral("Recepten")));
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("URLs/MostariumOnline.url"))).isFile());

    // The next start without a command line opens recent file 1.
    const QString again = start({}, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(again.contains(QStringLiteral(" | ") + recipe)) << qPrintable(again);
}

TEST_F(RealProgram, UnderAFileSizeLimitItsWritesFailAndItStaysAlive)
{
    // Opening the recipe writes the recent files into ZYM.ini; no byte of it
    // may land. The program says that ZYM.ini could not be written and waits
    // for the answer: alive, not ended by SIGXFSZ.
    const QString recipe = folder.file(QStringLiteral("Recepten/Herfstbok.zlv"));
    const QByteArray ini = fileBytes(folder.file(QStringLiteral("ZYM.ini")));
    const QByteArray recipeBytes = fileBytes(recipe);
    ASSERT_FALSE(ini.isEmpty());
    int rc = -1;
    start({recipe}, &rc, 0, true);

    EXPECT_EQ(rc, 0) << "ended by signal " << -rc << " (" << SIGXFSZ << " is SIGXFSZ)";
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("ZYM.ini"))), ini);
    EXPECT_EQ(fileBytes(recipe), recipeBytes);
    EXPECT_FALSE(QFileInfo(folder.file(QStringLiteral("URLs/MostariumOnline.url"))).exists());
}

}  // namespace
