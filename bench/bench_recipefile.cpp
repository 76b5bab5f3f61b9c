// Reading, recalculating and writing the double-brew sample recipe.

#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

QString samplePath()
{
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../resources/Recepten/Herfstbok.zlv"));
}

// A scratch program folder, so that the reset touches nothing real.
struct Folder {
    QTemporaryDir dir;
    Folder() { paths::setProgramFolder(dir.path()); }
};

Folder &folder()
{
    static Folder f;
    return f;
}

}  // namespace

static void BM_ReadRecipeFile(benchmark::State &state)
{
    folder();
    const QString path = samplePath();
    Session s;
    for (auto _ : state) {
        const OpenResult r = readRecipeFile(s, path);
        if (!r.ok)
            state.SkipWithError("sample did not read");
        benchmark::DoNotOptimize(s.recipe.ReceptStatus);
    }
}
BENCHMARK(BM_ReadRecipeFile)->Repetitions(10)->ReportAggregatesOnly(true);

static void BM_WriteRecipeFile(benchmark::State &state)
{
    const QString out = folder().dir.filePath(QStringLiteral("Kopie.zlv"));
    Session s;
    readRecipeFile(s, samplePath());
    for (auto _ : state) {
        if (!writeRecipeFile(s, out))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteRecipeFile)->Repetitions(10)->ReportAggregatesOnly(true);

// Read + write, the figure the target is about.
static void BM_ReadWriteRecipe(benchmark::State &state)
{
    const QString out = folder().dir.filePath(QStringLiteral("Kopie.zlv"));
    const QString path = samplePath();
    Session s;
    for (auto _ : state) {
        if (!readRecipeFile(s, path).ok || !writeRecipeFile(s, out))
            state.SkipWithError("read or write failed");
    }
}
BENCHMARK(BM_ReadWriteRecipe)->Repetitions(10)->ReportAggregatesOnly(true);

static void BM_ReadRecalculateWriteRecipe(benchmark::State &state)
{
    const QString out = folder().dir.filePath(QStringLiteral("Kopie.zlv"));
    const QString path = samplePath();
    Session s;
    for (auto _ : state) {
        if (!readRecipeFile(s, path).ok)
            state.SkipWithError("read failed");
        UpdateBrouwschema(s);
        if (!writeRecipeFile(s, out))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_ReadRecalculateWriteRecipe)->Repetitions(10)->ReportAggregatesOnly(true);

// The text alone, without the disk.
static void BM_RecipeBytes(benchmark::State &state)
{
    Session s;
    readRecipeFile(s, samplePath());
    for (auto _ : state)
        benchmark::DoNotOptimize(recipeFileBytes(s));
}
BENCHMARK(BM_RecipeBytes)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
