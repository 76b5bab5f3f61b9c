// The recipe exchange file: export of the double-brew sample, import with
// recalculation, a large file of many recipes, and hostile files (deep
// nesting, many attributes, entity text, DTD tricks that expand text or make
// the count of references work hard).

#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Session.h"
#include "output/XmlExport.h"
#include "output/XmlImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>

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

// `count` copies of the double brew's recipe, each made 12.5 KB by its notes
// as programs that write long notes make them.
QByteArray manyRecipes(int count)
{
    const QByteArray one = xmlRecipeBytes(dubbelBrouw().recipe);
    const qsizetype from = one.indexOf("   <RECIPE>"), to = one.indexOf("</RECIPES>");
    QByteArray recipe = one.mid(from, to - from);
    const qsizetype notes = recipe.indexOf("<NOTES>") + 7;
    recipe.insert(notes, QByteArray(12500 - recipe.size(), 'x'));
    QByteArray bytes = one.left(from);
    for (int i = 0; i < count; ++i)
        bytes += recipe;
    bytes += "</RECIPES>\r\n";
    return bytes;
}

static void BM_ImportLargeFile(benchmark::State &state)
{
    const QByteArray bytes = manyRecipes(200);
    state.counters["MB"] = double(bytes.size()) / 1e6;
    for (auto _ : state) {
        const XmlImportResult r = importXmlRecipe(bytes, QStringLiteral("groot.xml"));
        benchmark::DoNotOptimize(r.recipe.ReceptStatus);
    }
}
BENCHMARK(BM_ImportLargeFile)->Unit(benchmark::kMillisecond);

// The file read from disk and imported, as the command does; `whole` is the
// outcome expected, none to report it as the counter "refused".
void importFile(benchmark::State &state, const QByteArray &bytes, std::optional<bool> whole)
{
    static Folder f;
    const QString path = QDir(f.dir.path()).filePath(QStringLiteral("import.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        state.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    state.counters["MB"] = double(bytes.size()) / 1e6;
    for (auto _ : state) {
        const XmlImportResult r = importXmlFile(path);
        if (whole && r.ok() != *whole)
            state.SkipWithError("unexpected outcome");
        state.counters["refused"] = r.ok() ? 0 : 1;
        benchmark::DoNotOptimize(r.recipe.ReceptStatus);
    }
}

// A file near the largest the import reads whole: 15 MB of recipes.
static void BM_ImportFile15MB(benchmark::State &state) { importFile(state, manyRecipes(1200), true); }
BENCHMARK(BM_ImportFile15MB)->Unit(benchmark::kMillisecond);

// Elements nested in the notes, refused past the depth bound.
static void BM_RefuseNestedFile(benchmark::State &state)
{
    const int levels = int(state.range(0));
    QByteArray doc = manyRecipes(1);
    const qsizetype notes = doc.indexOf("<NOTES>") + 7;
    doc.insert(notes, QByteArray("<i>").repeated(levels) + QByteArray("</i>").repeated(levels));
    importFile(state, doc, false);
}
BENCHMARK(BM_RefuseNestedFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// `count` attributes on the document's root element (" a0=\"\"" and on), or as
// many as fill the largest file read when `count` is 0.
QByteArray attributesOnOneElement(int count)
{
    QByteArray doc = manyRecipes(1);
    const qsizetype at = doc.indexOf("<RECIPES") + 8;
    QByteArray attributes;
    for (int i = 0; count == 0 ? attributes.size() < MaxXmlFileSize - doc.size() - 20 : i < count; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"\"";
    return doc.insert(at, attributes);
}

// One element with many attributes.
static void BM_AttributesOnOneElement(benchmark::State &state)
{
    importFile(state, attributesOnOneElement(int(state.range(0))), std::nullopt);
}
BENCHMARK(BM_AttributesOnOneElement)->Arg(100000)->Arg(1000000)->Arg(0)->Unit(benchmark::kMillisecond);

// The file filled up to the largest read, after its recipe, with elements
// that carry as many attributes as one may.
static void BM_ElementsAtTheAttributeBound(benchmark::State &state)
{
    QByteArray doc = manyRecipes(1);
    QByteArray element = "<a";
    for (int i = 0; i < MaxXmlAttributes; ++i)
        element += " a" + QByteArray::number(i) + "=\"\"";
    element += "/>";
    doc.insert(doc.indexOf("</RECIPES>"), element.repeated((MaxXmlFileSize - doc.size()) / element.size()));
    importFile(state, doc, true);
}
BENCHMARK(BM_ElementsAtTheAttributeBound)->Unit(benchmark::kMillisecond);

// An entity of 4,000 characters referred to in `bytes` of the notes.
static void BM_EntityReferences(benchmark::State &state)
{
    QByteArray doc = manyRecipes(1);
    doc.insert(doc.indexOf("<RECIPES>"), "<!DOCTYPE RECIPES [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>");
    doc.insert(doc.indexOf("<NOTES>") + 7, QByteArray("&e;").repeated(state.range(0) / 3));
    importFile(state, doc, std::nullopt);
}
BENCHMARK(BM_EntityReferences)->Arg(100 << 10)->Arg(MaxXmlFileSize - (100 << 10))->Unit(benchmark::kMillisecond);

// The notes filled up to the largest file read with empty elements: refused
// past the recipe's bound, `count` of them.
static void BM_ElementsInTheNotes(benchmark::State &state)
{
    QByteArray doc = manyRecipes(1);
    const qsizetype count = state.range(0) ? state.range(0) : (MaxXmlFileSize - doc.size()) / 4;
    doc.insert(doc.indexOf("<NOTES>") + 7, QByteArray("<a/>").repeated(count));
    importFile(state, doc, count < MaxXmlRecipeElements - 100);
}
BENCHMARK(BM_ElementsInTheNotes)->Arg(9000)->Arg(0)->Unit(benchmark::kMillisecond);

// The recipe file with a DTD of `subset` and `notes` after its notes.
QByteArray withDoctype(const QByteArray &subset, const QByteArray &notes = QByteArray())
{
    QByteArray doc = manyRecipes(1);
    doc.insert(doc.indexOf("</NOTES>"), notes);
    return doc.insert(doc.indexOf("<RECIPES>"), "<!DOCTYPE RECIPES [" + subset + "]>\r\n");
}

// An attribute default of `bytes` of references to an entity of 4,000
// characters, each expanded where the default is declared: refused.
static void BM_RefuseAttributeDefaultReferences(benchmark::State &state)
{
    const QByteArray references = QByteArray("&e;").repeated(state.range(0) / 3);
    importFile(
        state,
        withDoctype("<!ENTITY e \"" + QByteArray(4000, 'x') + "\"><!ATTLIST RECIPE a CDATA \"" + references + "\">"),
        false);
}
BENCHMARK(BM_RefuseAttributeDefaultReferences)->Arg(64 << 10)->Arg(600 << 10)->Unit(benchmark::kMillisecond);

// An entity of 4,000 characters declared through a parameter entity, and
// `bytes` of references to it in the notes: refused.
static void BM_RefuseEntityOfAParameterEntity(benchmark::State &state)
{
    const QByteArray references = QByteArray("&big;").repeated(state.range(0) / 5);
    importFile(state, withDoctype("<!ENTITY % p \"<!ENTITY big '" + QByteArray(4000, 'x') + "'>\">%p;", references),
               false);
}
BENCHMARK(BM_RefuseEntityOfAParameterEntity)->Arg(508 << 10)->Arg(5 << 20)->Unit(benchmark::kMillisecond);

// `count` attributes of RECIPE declared through parameter entities of 250
// each (the reader expands no more than 4,096 characters of one): refused.
static void BM_RefuseAttributesOfParameterEntities(benchmark::State &state)
{
    QByteArray subset;
    for (int p = 0; p * 250 < state.range(0); ++p) {
        QByteArray list = "<!ATTLIST RECIPE";
        for (int i = p * 250; i < std::min<int>((p + 1) * 250, int(state.range(0))); ++i)
            list += " a" + QByteArray::number(i) + " CDATA ''";
        const QByteArray name = "p" + QByteArray::number(p);
        subset += "<!ENTITY % " + name + " \"" + list + ">\">%" + name + ";";
    }
    importFile(state, withDoctype(subset), false);
}
BENCHMARK(BM_RefuseAttributesOfParameterEntities)->Arg(65000)->Unit(benchmark::kMillisecond);

// Entities nested to no text: ten levels of ten references to an empty
// entity (10^10 references from one), or a chain of 200,000 entities each
// referring to the next, referred to 100 times in the notes: refused.
static void BM_RefuseNestedEntities(benchmark::State &state)
{
    QByteArray subset;
    QByteArray notes;
    if (state.range(0) == 0) {
        subset = "<!ENTITY a \"\">";
        for (char c = 'b'; c <= 'k'; ++c)
            subset += QByteArray("<!ENTITY ") + c + " \"" + (QByteArray("&") + char(c - 1) + ";").repeated(10) + "\">";
        notes = "&k;";
    } else {
        for (int i = 0; i < state.range(0); ++i)
            subset += "<!ENTITY c" + QByteArray::number(i) + " \"&c" + QByteArray::number(i + 1) + ";\">";
        subset += "<!ENTITY c" + QByteArray::number(state.range(0)) + " \"x\">";
        notes = QByteArray("&c0;").repeated(100);
    }
    importFile(state, withDoctype(subset, notes), false);
}
BENCHMARK(BM_RefuseNestedEntities)->Arg(0)->Arg(200000)->Unit(benchmark::kMillisecond);

// A DTD of plain entities, referred to in the notes as much as the bound
// allows: imported.
static void BM_PlainEntities(benchmark::State &state)
{
    importFile(state,
               withDoctype("<!ENTITY n \"Noel\"><!ENTITY e \"" + QByteArray(4000, 'x') + "\">",
                           QByteArray("&n;").repeated(1000) + QByteArray("&e;").repeated(250)),
               true);
}
BENCHMARK(BM_PlainEntities)->Unit(benchmark::kMillisecond);

// The recipe file without a DTD: what the shapes below are measured against.
static void BM_ImportPlainFile(benchmark::State &state) { importFile(state, manyRecipes(1), true); }
BENCHMARK(BM_ImportPlainFile)->Unit(benchmark::kMillisecond);

// 60,000 references to an entity of 4,000 characters in the notes, and a
// second DTD after the root: refused.
static void BM_RefuseSecondDoctype(benchmark::State &state)
{
    QByteArray doc = withDoctype("<!ENTITY e \"" + QByteArray(4000, 'x') + "\">", QByteArray("&e;").repeated(60000));
    doc += "<!DOCTYPE RECIPES [<!ENTITY f \"y\">]>\r\n";
    importFile(state, doc, false);
}
BENCHMARK(BM_RefuseSecondDoctype)->Unit(benchmark::kMillisecond);

// `count` distinct entities of one character, each referred to once in the
// notes.
static void BM_DistinctEntities(benchmark::State &state)
{
    QByteArray subset, notes;
    for (int i = 0; i < state.range(0); ++i) {
        const QByteArray name = "e" + QByteArray::number(i);
        subset += "<!ENTITY " + name + " \"x\">";
        notes += "&" + name + ";";
    }
    importFile(state, withDoctype(subset, notes), std::nullopt);
}
BENCHMARK(BM_DistinctEntities)->Arg(200000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
