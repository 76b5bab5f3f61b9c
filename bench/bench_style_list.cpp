// The style-list editor as a brewer meets it: the command to the editor shown
// with the shipped list, and OK to the list written and the editor gone.
#include "core/Paths.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"
#include "reference/frmBierSoorten.h"

#include <QApplication>
#include <QFile>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

using bench::SilentServices;

// A program folder with the shipped style list and help picture, the main
// window on screen.
struct Desk : bench::WithServices<SilentServices>, bench::Desk {
    Desk() : bench::Desk(quiet, Session{}, {"BierSoorten.txt", "Afbeeldingen/Help.png"}, {"temp"}) {}
};

frmBierSoorten *editor() { return windows().find<frmBierSoorten>(QStringLiteral("frmBierSoorten")); }

void BM_CommandToStyleEditorShown(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuEditBierSoorten"));
        QApplication::processEvents();
        state.PauseTiming();
        if (!editor() || !editor()->isVisible() || editor()->items().size() != 78)
            state.SkipWithError("the editor did not show the shipped list");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToStyleEditorShown)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_StyleEditorOkWritesTheList(benchmark::State &state)
{
    Desk desk;
    const QString path = paths::file(QStringLiteral("BierSoorten.txt"));
    for (auto _ : state) {
        state.PauseTiming();
        desk.main->runCommand(QStringLiteral("mnuEditBierSoorten"));
        QApplication::processEvents();
        QFile::remove(path);
        state.ResumeTiming();
        editor()->cmdBS_OK_Click();
        QApplication::processEvents();
        state.PauseTiming();
        if (editor() || QFile(path).size() < 10000)
            state.SkipWithError("the list was not written or the editor stayed");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StyleEditorOkWritesTheList)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }
