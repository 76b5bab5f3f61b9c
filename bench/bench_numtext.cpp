#include "core/Formulas.h"
#include "core/NumText.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

static void BM_FormatPattern(benchmark::State &state)
{
    float v = 1234.5678f;
    for (auto _ : state)
        benchmark::DoNotOptimize(num::format(v, u"#0.0 °Plato"));
}
BENCHMARK(BM_FormatPattern);

static void BM_Val(benchmark::State &state)
{
    const QString t = QStringLiteral("  12.345e1 gr");
    for (auto _ : state)
        benchmark::DoNotOptimize(num::val(t));
}
BENCHMARK(BM_Val);

static void BM_HopWeight(benchmark::State &state)
{
    for (auto _ : state) {
        QString form = QStringLiteral(" Pellets ");
        benchmark::DoNotOptimize(BerekenHopGewicht(form, 20.f, 20.f, 5.f) / HopUtilisatie(1050.f, 60));
    }
}
BENCHMARK(BM_HopWeight);

BENCHMARK_MAIN();
