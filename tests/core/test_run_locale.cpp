// This suite runs once under C.UTF-8 and once under nl_NL.UTF-8. The second
// run proves nothing unless the C library really has a decimal comma then, so
// a locale that is not installed fails here instead of passing unnoticed.

#include <QByteArray>
#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(RunLocale, TheLocaleOfTheRunTookEffect)
{
    struct Case {
        const char *locale;
        const char *decimalPoint;
    };
    constexpr Case cases[] = {{"C.UTF-8", "."}, {"nl_NL.UTF-8", ","}};

    const QByteArray asked = qgetenv("LC_ALL");
    const Case *c = nullptr;
    for (const Case &k : cases)
        if (asked == k.locale)
            c = &k;
    if (!c)
        GTEST_SKIP() << "no expectation for LC_ALL=" << asked.constData();

    // The application object has already done the same; this only reads it back.
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr)
        << "the locale " << c->locale << " is not installed; scripts/install-deps.sh generates it";
    EXPECT_STREQ(std::localeconv()->decimal_point, c->decimalPoint) << c->locale;
}

}  // namespace
