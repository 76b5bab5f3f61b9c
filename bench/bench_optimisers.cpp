#include "core/Optimisers.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Services.h"
#include "core/Session.h"

#include <QFileInfo>
#include <QString>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace mostarium;

namespace {

using bench::SilentServices;

// The double-brew sample recipe (a bock and a table beer from one mash).
Session doubleBrewSample()
{
    Session s;
    const QString path =
        QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../resources/Recepten/Herfstbok.zlv");
    const OpenResult result = readRecipeFile(s, path);
    if (!result.ok || !s.app.dubbelBrouw) {
        std::fprintf(stderr, "bench_optimisers: cannot read %s\n", qPrintable(path));
        std::abort();
    }
    return s;
}

// MaximizeVolume from the recipe as stored, with the installation's default
// kettle (200 L) and lauter tun (150 L): the longest run a user meets.
void BM_MaximizeVolume_DoubleBrew(benchmark::State &state)
{
    SilentServices quiet;
    Services *old = setServices(&quiet);
    const Session start = doubleBrewSample();
    OptiMaischer o;
    for (auto _ : state) {
        state.PauseTiming();
        Session s = start;
        state.ResumeTiming();
        benchmark::DoNotOptimize(MaximizeVolume(s, o));
    }
    // One more run, untimed, for the figures.
    Session s = start;
    MaximizeVolume(s, o);
    state.counters["recalculations"] = double(o.recalculations);
    state.counters["V0_L"] = double(start.recipe.Doelstellingen(1));
    state.counters["V_L"] = double(s.recipe.Doelstellingen(1));
    state.counters["messages"] = double(quiet.messages);
    setServices(old);
}
BENCHMARK(BM_MaximizeVolume_DoubleBrew)->Unit(benchmark::kMillisecond);

// One recalculation of the same recipe: the unit of every optimiser step.
void BM_UpdateBrouwschema_DoubleBrew(benchmark::State &state)
{
    SilentServices quiet;
    Services *old = setServices(&quiet);
    Session s = doubleBrewSample();
    for (auto _ : state)
        UpdateBrouwschema(s);
    setServices(old);
}
BENCHMARK(BM_UpdateBrouwschema_DoubleBrew)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
