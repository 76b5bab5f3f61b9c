#include "core/NumText.h"
#include "core/Regional.h"
#include "support/QtPrint.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace mostarium;

namespace {

TEST(Regional, ReadsTheUsersSettingsAndSetsOnlyForThisProcess)
{
    ClearRegionalOverrides();
    const QString dec = GetRegionalSetting(LOCALE_SDECIMAL);
    EXPECT_EQ(dec, QString(QLocale::system().decimalPoint()));
    SetRegionalSetting(LOCALE_SDECIMAL, QStringLiteral("."));
    EXPECT_EQ(GetRegionalSetting(LOCALE_SDECIMAL), QStringLiteral("."));
    // The system itself is untouched.
    EXPECT_EQ(QString(QLocale::system().decimalPoint()), dec);
    ClearRegionalOverrides();
    EXPECT_EQ(GetRegionalSetting(LOCALE_SDECIMAL), dec);
    EXPECT_EQ(GetRegionalSetting(12345), QString());
}

// This suite also runs under a decimal-comma locale: nothing may change.
TEST(Regional, NumberTextIgnoresTheLocale)
{
    EXPECT_DOUBLE_EQ(num::val(u"1.5"), 1.5);
    EXPECT_DOUBLE_EQ(num::val(u"1,5"), 1.0);
    EXPECT_EQ(num::plain(2.5f), QStringLiteral("2.5"));
    EXPECT_EQ(num::format(1234.5, u"#,##0.0"), QStringLiteral("1,234.5"));
    EXPECT_EQ(std::to_string(1).size(), 1u);
}

}  // namespace
