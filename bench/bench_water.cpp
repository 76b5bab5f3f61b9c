// The water treatment as a brewer drags it: one step of a salt's scroll bar,
// with the result row computed and the report written.
#include "core/Session.h"
#include "mainwindow/frmRecept.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

using bench::SilentServices;

struct Desk : bench::WithServices<SilentServices>, bench::Desk {
    Desk() : bench::Desk(quiet, Session{}, {"WaterProfielen/Dozovorarez2002.txt"}, {"temp"}) {}
};

void BM_WaterScrollStep(benchmark::State &state)
{
    Desk desk;
    desk.main->runCommand(QStringLiteral("mnuWateraanpassing"));
    QApplication::processEvents();
    QWidget *w = windows().find(QStringLiteral("frmWaterAanpassing"));
    auto *bar = w ? w->findChild<QScrollBar *>(QStringLiteral("fsbCaSO4")) : nullptr;
    if (!bar) {
        state.SkipWithError("the water window did not show");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        // Back and forth, as a drag would go.
        step = (step + 1) % 200;
        bar->setValue(step <= 100 ? step : 200 - step);
        QApplication::processEvents();
    }
    QFile report(desk.folder.filePath(QStringLiteral("temp/WaterProfiel.txt")));
    if (!report.exists())
        state.SkipWithError("no report was written");
}
BENCHMARK(BM_WaterScrollStep)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }
