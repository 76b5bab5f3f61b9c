// From a change signal of the session to the main window showing the change:
// the recalculation of another window's OK, then the event loop reached.
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "mainwindow/frmRecept.h"

#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

// A change of one label: the signal, then the loop reached until the label
// shows it. The time is what the user waits after the change.
static void BM_SignalToRepaintedLabel(benchmark::State &state)
{
    QTemporaryDir folder;
    paths::setProgramFolder(folder.path());
    session() = test::doubleBrew();
    UpdateBrouwschema(session());
    frmRecept w(session());
    w.show();
    QApplication::processEvents();
    auto *label = w.findChild<QLabel *>(QStringLiteral("lbl_SpoelenTot"));
    int n = 0;
    for (auto _ : state) {
        const QString text = QStringLiteral("Spoelen tot %1 'Plato").arg(++n);
        session().view.lbl_SpoelenTot.text = text;
        session().viewChanged();
        while (label->text() != text)
            QApplication::processEvents();
        // Painted too, not only set.
        w.repaint();
    }
}
BENCHMARK(BM_SignalToRepaintedLabel)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// A whole recalculation of a double brew, as a dialog's OK runs it, until the
// main window shows its result.
static void BM_RecalculationToRepaintedWindow(benchmark::State &state)
{
    QTemporaryDir folder;
    paths::setProgramFolder(folder.path());
    session() = test::doubleBrew();
    frmRecept w(session());
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        UpdateBrouwschema(session());
        while (w.shownRevision() != session().view.revision)
            QApplication::processEvents();
        w.repaint();
    }
}
BENCHMARK(BM_RecalculationToRepaintedWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }
