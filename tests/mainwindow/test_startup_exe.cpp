// The real program, started with a sample recipe on its command line over a
// copy of the program folder: it reaches its main window and ends cleanly,
// and stays alive when no file of it may grow (every write fails), waiting
// with its message that ZYM.ini could not be written.

#include "core/Ini.h"
#include "core/WholeFile.h"
#include "support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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

    // The program as a test starts it, over the copy of the program folder,
    // its message boxes echoed on standard error. With `fileSizeLimit` no
    // file of the program may grow past that many bytes.
    void prepare(QProcess &p, rlim_t fileSizeLimit)
    {
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
        env.insert(QStringLiteral("MOSTARIUM_ECHO_MESSAGES"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
    }

    struct Run {
        int exitCode = -1;  // ended by a signal: the signal's number, negative
        QString out, err;
    };

    // Runs the program to its end.
    Run start(const QStringList &arguments)
    {
        QProcess p;
        prepare(p, RLIM_INFINITY);
        p.start(programPath(), arguments);
        Run run;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "the program did not end: " << p.readAllStandardError().constData();
        }
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -std::max(1, p.exitCode());
        run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(p.readAllStandardError());
        return run;
    }

    // Starts the program and waits until it shows its first message box (the
    // box's line on standard error), or ends, or a minute has gone. Returns
    // that line, "Mostarium message: <title> | <text>", when the box stands
    // with the program running, else nothing; the program is then ended.
    // `*err` is its standard error up to then.
    QString startUntilBox(const QStringList &arguments, rlim_t fileSizeLimit, QString *err)
    {
        QProcess p;
        prepare(p, fileSizeLimit);
        p.setReadChannel(QProcess::StandardError);
        p.start(programPath(), arguments);
        QByteArray seen;
        const auto boxLine = [&seen] {
            const qsizetype at = seen.indexOf("Mostarium message: ");
            const qsizetype end = at < 0 ? -1 : seen.indexOf('\n', at);
            return end < 0 ? QByteArray() : seen.mid(at, end - at);
        };
        const QDeadlineTimer deadline(60000);
        while (boxLine().isEmpty() && p.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            p.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
            seen += p.readAllStandardError();
        }
        const QByteArray standing = p.state() == QProcess::Running ? boxLine() : QByteArray();
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
        seen += p.readAllStandardError();
        if (p.exitStatus() == QProcess::CrashExit && standing.isEmpty())
            seen += "(ended by signal " + QByteArray::number(p.exitCode()) + ")";
        *err = QString::fromLocal8Bit(seen);
        return QString::fromLocal8Bit(standing);
    }

    TempProgramFolder folder{true};
};

TEST_F(RealProgram, OpensTheCommandLineRecipeShowsTheMainWindowAndEnds)
{
    const QString recipe = folder.file(QStringLiteral("Recepten/Herfstbok.zlv"));
    const Run first = start({recipe});

    EXPECT_EQ(first.exitCode, 0);
    EXPECT_TRUE(first.out.contains(QStringLiteral("Mostarium started: Wortkamer   -   Rev. ")))
        << qPrintable(first.out);
    EXPECT_TRUE(first.out.contains(QStringLiteral(" | ") + recipe)) << qPrintable(first.out);
    EXPECT_FALSE(first.err.contains(QStringLiteral("Mostarium message: "))) << qPrintable(first.err);
    EXPECT_EQ(get("FileHistory", "1"), recipe);
    // Exit wrote the recipe folder; the data folders and link files exist.
    EXPECT_EQ(get("SysteemVariabelen", "ReceptPath"), folder.file(QStringLiteral("Recepten")));
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("URLs/MostariumOnline.url"))).isFile());

    // The next start without a command line opens recent file 1.
    const Run again = start({});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains(QStringLiteral(" | ") + recipe)) << qPrintable(again.out);
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
    QString err;
    EXPECT_EQ(startUntilBox({recipe}, 0, &err), QStringLiteral("Mostarium message: Attentie! | ")
                                                    + notWrittenText(folder.file(QStringLiteral("ZYM.ini"))))
        << qPrintable(err) << "\n(" << SIGXFSZ << " is SIGXFSZ)";

    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("ZYM.ini"))), ini);
    EXPECT_EQ(fileBytes(recipe), recipeBytes);
    EXPECT_FALSE(QFileInfo(folder.file(QStringLiteral("URLs/MostariumOnline.url"))).exists());
}

}  // namespace
