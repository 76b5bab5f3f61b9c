// The grain bill and mash dialogs at their largest (ten grain rows, seven
// steps) and both hop dialogs with four rows per list: from the command to the
// dialog shown, and from OK through the recalculation to the display model.
#include "core/Paths.h"
#include "core/Session.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmRecept.h"
#include "platform/WindowRegistry.h"

// The worked recipes and the recording services of the tests; compiled in
// here so that the benchmark needs no test libraries.
#include "../tests/support/FakeServices.cpp"
#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace mostarium;

namespace {

struct Dialog {
    const char *window, *command, *ok;
};
// The second beer's dialog has no menu command: it opens as a right click
// on its schedule frames opens it.
const Dialog kDialogs[] = {{"frmStorting", "mnuStorting", "cmdStOK"},
                           {"frmMaischSchema", "mnuMaisSchema", "cmdMSOK"},
                           {"frmHopgift", "mnuHopgift", "cmdHGOK"},
                           {"frmHopgift2", nullptr, "cmdHG2OK"}};

void openCommand(frmRecept &w, const Dialog &d)
{
    if (d.command)
        w.runCommand(QLatin1String(d.command));
    else
        session().openDialog(QLatin1String(d.window));
}

// A main window over the double brew, its dialogs registered.
struct Bench : bench::WithServices<test::FakeServices>, bench::Desk {
    Bench() : bench::Desk(quiet, test::doubleBrew(), {}, {"temp"}) {}
    void close(const char *window)
    {
        windows().unload(QLatin1String(window));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void BM_CommandToDialogShown(benchmark::State &state)
{
    const Dialog &d = kDialogs[state.range(0)];
    Bench b;
    for (auto _ : state) {
        openCommand(*b.main, d);
        QApplication::processEvents();  // shown and painted
        state.PauseTiming();
        if (!windows().find(QLatin1String(d.window)) || !windows().find(QLatin1String(d.window))->isVisible())
            state.SkipWithError("the dialog did not open");
        b.close(d.window);
        state.ResumeTiming();
    }
    state.SetLabel(d.window);
}
BENCHMARK(BM_CommandToDialogShown)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_OkToDisplayModel(benchmark::State &state)
{
    const Dialog &d = kDialogs[state.range(0)];
    Bench b;
    const Session start = session();
    for (auto _ : state) {
        state.PauseTiming();
        session() = start;
        openCommand(*b.main, d);
        QApplication::processEvents();
        auto *ok = windows().find(QLatin1String(d.window))->findChild<QPushButton *>(QLatin1String(d.ok));
        const auto revision = session().view.revision;
        state.ResumeTiming();
        ok->click();
        state.PauseTiming();
        if (session().view.revision == revision || !b.quiet.messages.empty())
            state.SkipWithError("the OK did not recalculate cleanly");
        // The first beer's hop OK opens the second's in a double brew.
        b.close(d.window);
        b.close("frmHopgift2");
        state.ResumeTiming();
    }
    state.SetLabel(d.window);
}
BENCHMARK(BM_OkToDisplayModel)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }
