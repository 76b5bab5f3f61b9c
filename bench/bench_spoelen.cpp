// The sparge dialog: drawing the curve, opening the dialog with it, a box
// left after an edit (model, curve, dump, redraw), and OK with the picture.
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "core/Spoelcurve.h"
#include "editors/PlotGraphics.h"
#include "editors/frmSpoelen.h"
#include "platform/NumericEdit.h"
#include "platform/QtServices.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

// The single brew at 33 L: about 30 litres of wort after sparging.
struct Bench {
    QTemporaryDir folder;
    QtServices services;
    Session s;

    Bench()
    {
        paths::setProgramFolder(folder.path());
        QDir(folder.path()).mkpath(QStringLiteral("temp"));
        s = test::singleBrew();
        s.recipe.Doelstellingen(1) = 33;
        s.app.geluidAan = false;
        s.app.spoelcurveRecept = true;
        UpdateBrouwschema(s);
    }
    std::unique_ptr<frmSpoelen> open()
    {
        auto d = std::make_unique<frmSpoelen>(s, services);
        d->show();
        return d;
    }
    void label(benchmark::State &state, const frmSpoelen &d)
    {
        if (d.hasCurve())
            state.SetLabel("N = " + std::to_string(d.curve()->N));
        else
            state.SkipWithError("no curve");
    }
};

void leave(NumericEdit *box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

}  // namespace

static void BM_PlotGraph(benchmark::State &state)
{
    Bench b;
    const auto curve = BerekenSpoelcurve(b.s.recipe, QStringLiteral("3.0"), QStringLiteral("13.0"));
    if (!curve) {
        state.SkipWithError("no curve");
        return;
    }
    state.SetLabel("N = " + std::to_string(curve->N));
    QImage image(780, 580, QImage::Format_RGB32);
    for (auto _ : state) {
        const ChartTransform t = PlotGraph(image, curve->data, curve->settings, QColor(205, 209, 203));
        benchmark::DoNotOptimize(t.PlotWidth);
    }
}
BENCHMARK(BM_PlotGraph)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

static void BM_OpenWithCurve(benchmark::State &state)
{
    Bench b;
    b.label(state, *b.open());
    for (auto _ : state) {
        auto d = b.open();
        QCoreApplication::processEvents();  // shown and painted
        benchmark::DoNotOptimize(d->chart().constBits());
    }
}
BENCHMARK(BM_OpenWithCurve)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

static void BM_FocusLossUpdate(benchmark::State &state)
{
    Bench b;
    auto d = b.open();
    b.label(state, *d);
    auto *box = d->findChild<NumericEdit *>(QStringLiteral("txtSPSpoelenTot"));
    bool odd = false;
    for (auto _ : state) {
        box->setText((odd = !odd) ? QStringLiteral("3.5") : QStringLiteral("3.0"));
        leave(box);
        QCoreApplication::processEvents();  // repainted
        benchmark::DoNotOptimize(d->chart().constBits());
    }
}
BENCHMARK(BM_FocusLossUpdate)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

static void BM_OkWithPicture(benchmark::State &state)
{
    Bench b;
    b.label(state, *b.open());
    for (auto _ : state) {
        state.PauseTiming();
        auto d = b.open();
        auto *ok = d->findChild<QPushButton *>(QStringLiteral("cmdSpoelOK"));
        state.ResumeTiming();
        ok->click();
        state.PauseTiming();
        d.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    if (!QFile::exists(SpoelcurvePlaatje(b.s.recipe)))
        state.SkipWithError("no picture written");
}
BENCHMARK(BM_OkWithPicture)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }
