#include "BenchSupport.h"

#include "core/Paths.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/Wiring.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace mostarium::bench {

Desk::Desk(Services &services, const Session &recipe, const QStringList &resources, const QStringList &folders,
           bool wired)
{
    const QDir home(folder.path());
    for (const QString &f : folders)
        home.mkpath(f);
    for (const QString &f : resources) {
        home.mkpath(QFileInfo(f).path());
        QFile::copy(QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources/") + f, home.filePath(f));
    }
    paths::setProgramFolder(folder.path());
    old = setServices(&services);
    session() = recipe;
    session().app.geluidAan = false;
    registerWindows(session());
    main = std::make_unique<frmRecept>(session());
    if (wired)
        wireCommands(*main, session());
    main->show();
    QApplication::processEvents();
}

Desk::~Desk()
{
    settle();
    main.reset();
    setServices(old);
}

void Desk::settle()
{
    for (const QString &n : windows().loadedNames())
        windows().unload(n);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

int runWindowBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace mostarium::bench
