// The sample recipes through our own templates, read back by an outside RTF
// reader: every value the report fills is there, no filled field is left.
#include "output_support.h"

#include "output/RtfReport.h"

#include "core/Cp1252.h"
#include "core/Recalc.h"
#include "core/RecipeFileReader.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "support/QtPrint.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// unrtf prints "?" for what Windows-1252 cannot hold; it breaks long lines.
QString comparable(QString text)
{
    text = cp1252::decode(cp1252::encode(text));
    text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    return text;
}

}  // namespace

TEST(ReportSamples, EveryValueAppearsAndNoFilledFieldIsLeft)
{
    for (const char *sample : {"Zomerblond.zlv", "Herfstbok.zlv"}) {
        SCOPED_TRACE(sample);
        TempProgramFolder folder(true);
        Session s;
        ASSERT_TRUE(readRecipeFile(s, folder.file(QStringLiteral("Recepten/") + QLatin1String(sample))).ok);
        UpdateBrouwschema(s);
        QByteArray source;
        ASSERT_EQ(readWholeFile(reportTemplateFile(s.app.dubbelBrouw), MaxTextFileSize, source), FileRead::Ok);
        const std::vector<RtfField> fields = reportFields(s);
        const RtfFill fill = fillTemplate(source, fields);
        const QString out = folder.file(QStringLiteral("sample.rtf"));
        ASSERT_TRUE(writeWholeFile(out, fill.rtf));

        bool found = false;
        const QString text = toolText(QStringLiteral("unrtf"),
                                      {QStringLiteral("--text"), QStringLiteral("--nopict"), out}, &found, true);
        if (!found)
            GTEST_SKIP() << "unrtf is not installed (scripts/install-deps.sh test)";
        const QString flat = comparable(text);
        EXPECT_TRUE(flat.contains(QStringLiteral("Brouwschema ") + s.recipe.Algemeen(0)));
        for (const RtfField &f : fields) {
            EXPECT_FALSE(flat.contains(QLatin1Char('#') + f.first + QLatin1Char('#'), Qt::CaseInsensitive))
                << qPrintable(f.first) << " left in the report";
            for (const QString &line : f.second.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const QString want = comparable(line).trimmed();
                if (!want.isEmpty()) {
                    EXPECT_TRUE(flat.contains(want)) << qPrintable(f.first) << ": " << qPrintable(want);
                }
            }
        }
        // The field the system never fills is not in our templates.
        EXPECT_FALSE(flat.contains(QStringLiteral("KgWortNaSpoelen")));
    }
}
