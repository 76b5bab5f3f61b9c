// The style database browser and the file finder as a brewer meets them: the
// command to the browser shown with its rows, Open Recept to the recalculated
// schedule, and a search through 50,000 files with how soon Stop is heard.
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/Wiring.h"
#include "mainwindow/frmRecept.h"
#include "platform/WindowRegistry.h"
#include "reference/FileFinder.h"
#include "reference/frmBiertypen1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

// Answers No, beeps and shows nothing.
class SilentServices final : public bench::SilentServices {
public:
    int msgBox(const QString &, int, const QString &) override { return mb::No; }
    void processEvents() override { QApplication::processEvents(); }
};

// A program folder with the built style database and the main window shown.
struct Desk : bench::WithServices<SilentServices>, bench::Desk {
    Desk() : bench::Desk(quiet, Session{}, {}, {"temp"}, true)
    {
        QFile::copy(QStringLiteral(MOSTARIUM_STYLE_DATABASE), folder.path() + QStringLiteral("/Biertypen.mdb"));
    }
};

void BM_CommandToStyleBrowserShown(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuReceptSuggestie"));
        QApplication::processEvents();
        state.PauseTiming();
        auto *b = windows().find<frmBiertypen1>(QStringLiteral("frmBiertypen1"));
        if (!b || !b->isVisible() || b->records().count() < 20)
            state.SkipWithError("the browser did not show its rows");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToStyleBrowserShown)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_OpenReceptToRecalculatedSchedule(benchmark::State &state)
{
    Desk desk;
    desk.main->runCommand(QStringLiteral("mnuReceptSuggestie"));
    auto *b = windows().find<frmBiertypen1>(QStringLiteral("frmBiertypen1"));
    b->cmdNext_Click();
    for (auto _ : state) {
        b->cmdOpen_Click();
        QApplication::processEvents();
        state.PauseTiming();
        if (session().recipe.OGSG < 1000.0f)
            state.SkipWithError("the suggestion was not recalculated");
        session().recipe.ReceptGewijzigd = false;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenReceptToRecalculatedSchedule)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// 500 folders of 100 files each, made once.
const QString &bigTree()
{
    static QTemporaryDir dir;
    static bool made = [] {
        for (int d = 0; d < 500; ++d) {
            const QString folder = dir.path() + QStringLiteral("/map%1/sub").arg(d);
            QDir().mkpath(folder);
            for (int f = 0; f < 100; ++f) {
                QFile file(folder + QStringLiteral("/bestand%1.txt").arg(f));
                file.open(QIODevice::WriteOnly);
            }
        }
        QFile reader(dir.path() + QStringLiteral("/map250/sub/xdg-open"));
        reader.open(QIODevice::WriteOnly);
        return true;
    }();
    (void)made;
    static const QString path = dir.path();
    return path;
}

// The whole walk; the counter "longest_poll_gap_ms" is the longest time
// between two chances to hear Stop, so the most a Stop waits.
void BM_FinderWalk50000Files(benchmark::State &state)
{
    const QString root = bigTree();
    double longestGap = 0;
    for (auto _ : state) {
        FileFinder f;
        QElapsedTimer gap;
        gap.start();
        f.shouldStop = [&] {
            longestGap = std::max(longestGap, double(gap.nsecsElapsed()) / 1e6);
            QApplication::processEvents();
            gap.restart();
            return false;
        };
        const FindResult r = f.run(root, QStringLiteral("xdg-open"));
        if (r.files != 1)
            state.SkipWithError("the one reader was not found");
    }
    state.counters["longest_poll_gap_ms"] = longestGap;
}
BENCHMARK(BM_FinderWalk50000Files)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }
