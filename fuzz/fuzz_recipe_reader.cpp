// Feeds arbitrary bytes to the recipe reader. Besides crashes and memory
// errors it checks that whatever reads well can be written, and that the
// written file reads back to the same file.

#include "core/Paths.h"
#include "core/RecipeFile.h"
#include "core/Session.h"

#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace mostarium;

namespace {

Session &fuzzSession()
{
    static QTemporaryDir dir;  // the reset may touch the program folder's temp
    static Session s = [] {
        paths::setProgramFolder(dir.path());
        Session n;
        n.recipe.Revision = QStringLiteral("Rev. 1.00 [0] 1 januari 2026");
        return n;
    }();
    return s;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_recipe_reader: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Session &s = fuzzSession();
    const QString name = QStringLiteral("Fuzz.zlv");
    const OpenResult r = readRecipe(s, QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), name);
    if (!r.ok) {
        if (s.recipe.ReceptStatus != 0 || !s.app.fileName.isEmpty())
            fail("a damaged file left a recipe behind");
        return 0;
    }

    QByteArray first;
    try {
        first = recipeFileBytes(s);
    } catch (...) {
        fail("a recipe that read well could not be written");
    }
    if (!readRecipe(s, first, name).ok)
        fail("a written recipe did not read back");
    QByteArray second;
    try {
        second = recipeFileBytes(s);
    } catch (...) {
        fail("a read-back recipe could not be written");
    }
    if (first != second)
        fail("writing a read-back recipe changed the file");
    return 0;
}
