#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Session.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace mostarium;

// One full recalculation of a double brew (ten grain rows, seven rests, four
// aroma and four bitter rows per beer) with measured values for both beers, so
// that the evaluation fills its panels too.
static void BM_UpdateBrouwschemaDoubleBrew(benchmark::State &state)
{
    QTemporaryDir folder;  // the scratch file of tasting words is looked for here
    paths::setProgramFolder(folder.path());
    Session s = test::doubleBrew();
    test::setMeasured(s, 0, "20", "1070", "1012");
    test::setMeasured(s, 1, "15", "1036", "1008");
    UpdateBrouwschema(s);
    if (!s.view.lbl_Eval2_EBC.text.isEmpty() && !s.view.lbl_Bhop2[3].text.isEmpty())
        state.SetLabel("display model filled");
    else
        state.SkipWithError("the recipe did not calculate completely");
    for (auto _ : state) {
        UpdateBrouwschema(s);
        benchmark::DoNotOptimize(s.view.revision);
    }
}
BENCHMARK(BM_UpdateBrouwschemaDoubleBrew)->Repetitions(10)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
