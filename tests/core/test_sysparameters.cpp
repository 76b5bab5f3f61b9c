// The installation values: the one check the window and the start-up share.

#include "core/Ini.h"
#include "core/Paths.h"
#include "core/RecipeState.h"
#include "core/SysParameters.h"
#include "core/ZymSettings.h"

#include "support/TempProgramFolder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

TEST(SysParameterCheck, BoundsOfEveryValue)
{
    struct Case {
        SysParam p;
        const char *text;
        bool valid;
    } cases[] = {
        {SpKetel, "1", true},
        {SpKetel, "0.6", true},
        {SpKetel, "0.5", false},  // rounds to 0
        {SpKetel, "32767.4", true},
        {SpKetel, "32767.5", false},
        {SpKetel, " 200 ", true},
        {SpKetel, "-1", false},
        {SpKetel, "abc", false},
        {SpKetel, "", false},
        {SpKetel, "200x", false},
        {SpFilterkuip, "0", false},
        {SpFilterkuip, "1e-50", false},
        {SpFilterkuip, "32767", true},
        {SpFilterkuip, "1e29", false},
        {SpFixedVolume, "0", true},
        {SpDoodVolume, "-0.1", false},
        {SpEvaporatie, "0.01", true},
        {SpEvaporatie, "3.4e38", false},
        {SpEvaporatie, "1e999", false},
        {SpBrouwVerlies, "0", true},
        {SpBrouwVerlies, "-200", false},
        {SpBrouwVerlies, "1.2.3", false},
        {SpBrouwVerlies, ".", false},
        {SpBrouwVerlies, "1.5", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sysParamValid(c.p, QLatin1String(c.text)), c.valid) << int(c.p) << " " << c.text;
    for (int i = 0; i < SpCount; ++i)
        EXPECT_TRUE(sysParamBounds(SysParam(i)).contains(QStringLiteral("32767"))) << i;
}

TEST(SysParameterRead, RefusedValuesTakeTheirDefaultAndAreNamedInReadingOrder)
{
    TempProgramFolder folder;
    const QString ini = paths::file(QStringLiteral("ZYM.ini"));
    auto set = [&](const char *key, const char *value) {
        QString v = QLatin1String(value);
        EXPECT_TRUE(WriteINI(ini, QStringLiteral("SysteemVariabelen"), QLatin1String(key), v));
    };
    set("Ketelinhoud", "22.5");  // as the window writes it
    set("MaximumAlcPerc", "101");
    set("FixedVolFilterPlaatBodem", "2.5");
    set("VolFilterPlaatBodem", "abc");
    set("Evaporatie", "1e-50");
    set("FilterKuipInhoud", "1e29");
    set("BrouwVerlies", "-200");

    RecipeState r;
    const QStringList said = ReadSysParameters(r);

    EXPECT_EQ(said, (QStringList{invalidSettingText(QStringLiteral("MaximumAlcPerc"), QStringLiteral("20")),
                                 invalidSettingText(QStringLiteral("VolFilterPlaatBodem"), QStringLiteral("8")),
                                 invalidSettingText(QStringLiteral("Evaporatie"), QStringLiteral("25")),
                                 invalidSettingText(QStringLiteral("FilterKuipInhoud"), QStringLiteral("150")),
                                 invalidSettingText(QStringLiteral("BrouwVerlies"), QStringLiteral("0"))}));
    EXPECT_EQ(
        said.value(0),
        QStringLiteral("Ongeldige waarde voor MaximumAlcPerc in ZYM.ini! De standaard waarde 20 wordt gebruikt."));
    EXPECT_EQ(r.KetelInhoud, 22);  // a half to the even neighbour
    EXPECT_EQ(r.MaximumAlcPerc, 20.0f);
    EXPECT_EQ(r.FixedVolFilterPlaatBodem, 2.5f);
    EXPECT_EQ(r.VolFilterPlaatBodem, 8.0f);
    EXPECT_EQ(r.Evaporatie, 25.0f);
    EXPECT_EQ(r.FilterKuipInhoud, 150.0f);
    EXPECT_EQ(r.BrouwVerlies, 0.0f);

    // No settings file at all: every default, nothing to say.
    QFile::remove(ini);
    RecipeState d;
    d.KetelInhoud = 1;
    EXPECT_TRUE(ReadSysParameters(d).isEmpty());
    EXPECT_EQ(d.KetelInhoud, 200);
}

}  // namespace
