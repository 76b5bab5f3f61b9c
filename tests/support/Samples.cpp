#include "Samples.h"

#include "TempProgramFolder.h"

#include "core/Recalc.h"
#include "core/RecipeFileReader.h"

#include <gtest/gtest.h>

namespace mostarium::test {

Session recalculatedSample(const QString &name)
{
    Session s;
    const OpenResult r = readRecipeFile(s, resourcesFolder() + QStringLiteral("/Recepten/") + name);
    EXPECT_TRUE(r.ok) << qPrintable(name);
    UpdateBrouwschema(s);
    return s;
}

}  // namespace mostarium::test
