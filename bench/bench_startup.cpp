// Start-up to the main window shown, measured from outside as a person sees
// it: the program is started as a process and timed until it reports its
// main window. The bare Qt window program of this folder is the yardstick.
// The one-second splash is left out (MOSTARIUM_NO_SPLASH_PAUSE=1); add it to
// the program's figures.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + u'/' + QDir(from).relativeFilePath(src);
        QDir().mkpath(QFileInfo(dst).path());
        QFile::copy(src, dst);
    }
}

// A program folder as a user has it after the first start: settings that
// match the samples and the files the start-up looks for.
struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder()
    {
        copyTree(QStringLiteral(MOSTARIUM_RESOURCES_DIR), dir.path());
        QFile ini(dir.filePath(QStringLiteral("ZYM.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[SysteemVariabelen]\r\nBrouwVerlies=1.5\r\n[StartUp]\r\nLaadBestand1=0\r\n");
        ini.close();
        for (const char *f : {"Biersoorten.txt", "Biertypen.mdb"}) {
            QFile file(dir.filePath(QLatin1String(f)));
            file.open(QIODevice::WriteOnly);
        }
        QFile screen(dir.filePath(QStringLiteral("screen.json")));
        screen.open(QIODevice::WriteOnly);
        screen.write(R"({"screens":[{"name":"s","x":0,"y":0,"width":1280,"height":1024,"logicalDpi":96}]})");
    }
};

ProgramFolder &programFolder()
{
    static ProgramFolder folder;
    return folder;
}

// Seconds from the start of the process to its line saying the window is shown.
double timeToWindow(const QString &program, const QStringList &arguments, const char *shownLine)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               QStringLiteral("offscreen:configfile=") + programFolder().dir.filePath(QStringLiteral("screen.json")));
    env.insert(QStringLiteral("MOSTARIUM_HOME"), programFolder().dir.path());
    env.insert(QStringLiteral("MOSTARIUM_QUIT_AFTER_START"), QStringLiteral("1"));
    env.insert(QStringLiteral("MOSTARIUM_NO_SPLASH_PAUSE"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    QByteArray out;
    double seconds = -1;
    while (p.waitForReadyRead(30000)) {
        out += p.readAllStandardOutput();
        if (out.contains(shownLine)) {
            seconds = double(t.nsecsElapsed()) * 1e-9;
            break;
        }
    }
    p.waitForFinished(30000);
    return seconds;
}

void run(benchmark::State &state, const QString &program, const QStringList &arguments, const char *shownLine)
{
    for (auto _ : state) {
        const double s = timeToWindow(program, arguments, shownLine);
        if (s < 0) {
            state.SkipWithError("the window was never reported");
            return;
        }
        state.SetIterationTime(s);
    }
}

void BM_BareQtWindow(benchmark::State &state)
{
    run(state, QStringLiteral(BARE_WINDOW_EXE), {}, "Bare window started");
}

void BM_BareQtWindowWithText(benchmark::State &state)
{
    run(state, QStringLiteral(BARE_WINDOW_EXE), {QStringLiteral("--text")}, "Bare window started");
}

void BM_StartUp_NoRecipe(benchmark::State &state)
{
    run(state, QStringLiteral(MOSTARIUM_EXE), {}, "Mostarium started");
}

void BM_StartUp_CommandLineRecipe(benchmark::State &state)
{
    const QString recipe = programFolder().dir.filePath(QStringLiteral("Recepten/Herfstbok.zlv"));
    run(state, QStringLiteral(MOSTARIUM_EXE), {recipe}, "Mostarium started");
}

}  // namespace

BENCHMARK(BM_BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_BareQtWindowWithText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartUp_NoRecipe)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartUp_CommandLineRecipe)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
