// The recipe exchange file: export of the double-brew sample, import with
// recalculation, and a large file of many recipes.

#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Session.h"
#include "output/XmlExport.h"
#include "output/XmlImport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

struct Folder {
    QTemporaryDir dir;
    Folder() { paths::setProgramFolder(dir.path()); }
};

Session &dubbelBrouw()
{
    static Folder f;
    static Session s = [] {
        Session x;
        readRecipeFile(
            x,
            QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../resources/Recepten/Herfstbok.zlv")));
        UpdateBrouwschema(x);
        return x;
    }();
    return s;
}

}  // namespace

static void BM_ExportDoubleBrew(benchmark::State &state)
{
    const Session &s = dubbelBrouw();
    for (auto _ : state)
        benchmark::DoNotOptimize(xmlRecipeBytes(s.recipe));
}
BENCHMARK(BM_ExportDoubleBrew)->Unit(benchmark::kMicrosecond);

static void BM_ImportAndRecalculate(benchmark::State &state)
{
    const QByteArray bytes = xmlRecipeBytes(dubbelBrouw().recipe);
    for (auto _ : state) {
        Session s;
        const XmlImportResult r = importXmlRecipe(bytes, QStringLiteral("bench.xml"));
        applyXmlRecipe(s, r.recipe);
        UpdateBrouwschema(s);
        benchmark::DoNotOptimize(s.recipe.OGSG);
    }
}
BENCHMARK(BM_ImportAndRecalculate)->Unit(benchmark::kMillisecond);

static void BM_ImportLargeFile(benchmark::State &state)
{
    const QByteArray one = xmlRecipeBytes(dubbelBrouw().recipe);
    const qsizetype from = one.indexOf("   <RECIPE>"), to = one.indexOf("</RECIPES>");
    QByteArray recipe = one.mid(from, to - from);
    // Notes make each recipe as large as those of programs that write long ones.
    const qsizetype notes = recipe.indexOf("<NOTES>") + 7;
    recipe.insert(notes, QByteArray(12500 - recipe.size(), 'x'));
    QByteArray bytes = one.left(from);
    for (int i = 0; i < 200; ++i)
        bytes += recipe;
    bytes += "</RECIPES>\r\n";
    state.counters["MB"] = double(bytes.size()) / 1e6;
    for (auto _ : state) {
        const XmlImportResult r = importXmlRecipe(bytes, QStringLiteral("groot.xml"));
        benchmark::DoNotOptimize(r.recipe.ReceptStatus);
    }
}
BENCHMARK(BM_ImportLargeFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
