#include "core/CalcError.h"
#include "core/NumText.h"

#include "support/QtPrint.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <clocale>
#include <cstring>
#include <string>

using namespace mostarium;

namespace {

// printf and strtod, the references below, follow the process's numeric
// locale, which the application object takes from the environment: under
// nl_NL they would write a comma.
class CNumericLocale {
public:
    CNumericLocale() : m_old(std::setlocale(LC_NUMERIC, nullptr)) { std::setlocale(LC_NUMERIC, "C"); }
    ~CNumericLocale() { std::setlocale(LC_NUMERIC, m_old.c_str()); }

private:
    std::string m_old;
};

struct ValCase {
    const char *text;
    double expected;
};

TEST(NumTextVal, LeadingNumberConversion)
{
    const ValCase cases[] = {
        {"", 0},        {"   ", 0},    {"abc", 0},         {".", 0},           {"-", 0},      {"+", 0},
        {"12", 12},     {"  12", 12},  {"\t7", 7},         {"2x", 2},          {"1,5", 1},    {"1.5", 1.5},
        {".5", 0.5},    {"-.5", -0.5}, {"+3.25", 3.25},    {"-12.5 L", -12.5}, {"1e3", 1000}, {"1E-2", 0.01},
        {"2.5D2", 250}, {"1e", 1},     {"1e+", 1},         {"3.", 3},          {"007", 7},    {"12 34", 12},
        {"1.2.3", 1.2}, {"--1", 0},    {"0.0001", 0.0001},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(num::val(QString::fromLatin1(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(NumTextVal, ResultHasNoNegativeZero)
{
    EXPECT_FALSE(std::signbit(num::val(u"-0")));
    EXPECT_FALSE(std::signbit(num::val(u"-0.000")));
}

TEST(NumTextVal, HugeValueIsAnOverflowTinyValueIsZero)
{
    EXPECT_THROW(num::val(u"1e400"), CalcError);
    EXPECT_DOUBLE_EQ(num::val(u"1e-400"), 0.0);
}

TEST(NumTextStrict, AcceptsWholeNumbersOnly)
{
    const ValCase good[] = {{"12", 12}, {" 12 ", 12}, {"-0.5", -0.5}, {".5", 0.5}, {"1e3", 1000}, {"+4", 4}};
    for (const auto &c : good)
        EXPECT_DOUBLE_EQ(num::strictDouble(QString::fromLatin1(c.text)), c.expected) << c.text;

    const char *bad[] = {"", "  ", "abc", "2x", "1,5", ".", "-", "1.2.3", "12 34", "1e", "e5"};
    for (const char *b : bad)
        EXPECT_THROW(num::strictDouble(QString::fromLatin1(b)), CalcError) << '"' << b << '"';
}

TEST(NumTextStrict, SingleOverflowIsAnError)
{
    EXPECT_THROW(num::strictSingle(u"1e39"), CalcError);
    EXPECT_FLOAT_EQ(num::strictSingle(u"3.4e38"), 3.4e38f);
}

struct PlainCase {
    float value;
    const char *plain;
    const char *signedText;
};

TEST(NumTextPlain, SingleForms)
{
    const PlainCase cases[] = {
        {0.0f, "0", " 0"},
        {-0.0f, "0", " 0"},
        {0.5f, "0.5", " 0.5"},
        {-0.5f, "-0.5", "-0.5"},
        {20.0f, "20", " 20"},
        {2.7f, "2.7", " 2.7"},
        {0.1f, "0.1", " 0.1"},
        {1234567.0f, "1234567", " 1234567"},
        {12345678.0f, "1.234568E+07", " 1.234568E+07"},
        {0.0001f, "0.0001", " 0.0001"},
        {0.00001f, "1E-05", " 1E-05"},
        {1.0f / 3.0f, "0.3333333", " 0.3333333"},
        {1048.5f, "1048.5", " 1048.5"},
        {-25.3f, "-25.3", "-25.3"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(num::plain(c.value), QString::fromLatin1(c.plain)) << c.value;
        EXPECT_EQ(num::signedText(c.value), QString::fromLatin1(c.signedText)) << c.value;
    }
}

TEST(NumTextPlain, DoubleKeepsFifteenDigits)
{
    EXPECT_EQ(num::plain(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(num::plain(1.0 / 3.0), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(num::plain(2.675), QStringLiteral("2.675"));
    EXPECT_EQ(num::plain(1e16), QStringLiteral("1E+16"));
    EXPECT_EQ(num::signedText(3.0), QStringLiteral(" 3"));
}

TEST(NumTextPlain, NonFiniteNeverBecomesText)
{
    EXPECT_THROW(num::plain(std::numeric_limits<double>::quiet_NaN()), CalcError);
    EXPECT_THROW(num::plain(std::numeric_limits<float>::infinity()), CalcError);
    EXPECT_THROW(num::format(std::numeric_limits<double>::infinity(), u"###"), CalcError);
}

struct PatternCase {
    double value;
    bool asFloat;
    const char *pattern;
    const char *expected;
};

TEST(NumTextFormat, Patterns)
{
    const PatternCase cases[] = {
        // The examples the program's display rules give.
        {0, false, "###", ""},
        {21, false, "###.#", "21."},
        {0.5, false, "##.0", ".5"},
        {2.5, false, "###", "3"},
        {-2.5, false, "###", "-3"},
        {3.5, false, "###", "4"},
        {-7.25, false, "##0.0", "-7.3"},
        // Rounding is of the decimal value: 7 digits for a float, 15 for a double.
        {2.675, false, "0.00", "2.68"},
        {12.45, true, "#0.0", "12.5"},
        {1.005, false, "0.00", "1.01"},
        // A value that rounds to zero has no minus.
        {-0.3, false, "###", ""},
        {-0.01, false, "#0.0", "0.0"},
        {-0.04, false, "0.0#", "-0.04"},
        {-0.004, false, "0.0#", "0.0"},
        // Literals are copied.
        {11.77, true, "#0.0 °Plato", "11.8 °Plato"},
        {1048, false, "#### kg/m3", "1048 kg/m3"},
        {42.4, false, "### L ", "42 L "},
        {1.5, false, "###.0 kg", "1.5 kg"},
        {75, false, "### min", "75 min"},
        // More digits than placeholders are all shown; "0" pads.
        {123456, false, "###", "123456"},
        {5, false, "000", "005"},
        {5, false, "#0.00", "5.00"},
        // Optional decimals drop trailing zeros down to the required ones.
        {12.25, false, "##0.0#", "12.25"},
        {12, false, "##0.0#", "12.0"},
        {12.2, false, "##0.0#", "12.2"},
        {0.125, false, "##0.0#", "0.13"},
        {99.995, false, "##0.0#", "100.0"},
        {9.96, false, "#0.0", "10.0"},
        // "%" multiplies by 100 and stays in the text.
        {0.78, false, "###%", "78%"},
        {1, false, "###%", "100%"},
        {0.125, false, "##.0%", "12.5%"},
        {0, false, "###%", "%"},
        // Thousands grouping between placeholders.
        {1234567, false, "#,##0", "1,234,567"},
        {999, false, "#,##0", "999"},
        // No integer placeholder: the digits go before the point.
        {12.5, false, ".00", "12.50"},
        {0.5, false, "0", "1"},
        {0.49, false, "0", "0"},
    };
    for (const auto &c : cases) {
        const QString pattern = QString::fromUtf8(c.pattern);
        const QString got = c.asFloat ? num::format(float(c.value), pattern) : num::format(c.value, pattern);
        EXPECT_EQ(got, QString::fromUtf8(c.expected)) << c.value << " under \"" << c.pattern << '"';
    }
}

TEST(NumTextFormat, TextHoldingANumberIsFormattedAsThatNumber)
{
    EXPECT_EQ(num::formatText(u"12.5", u"##0.0#"), QStringLiteral("12.5"));
    EXPECT_EQ(num::formatText(u" 40 ", u"##0.0#"), QStringLiteral("40.0"));
    EXPECT_EQ(num::formatText(u"Pilsmout", u"##0.0#"), QStringLiteral("Pilsmout"));
    EXPECT_EQ(num::formatText(u"", u"##0.0#"), QString());
}

struct IntCase {
    double value;
    int expected;
};

TEST(NumTextInteger, HalvesGoToTheEvenNeighbour)
{
    const IntCase cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},     {-0.5, 0},        {-1.5, -2},
                             {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {199.6, 200}, {32767.4, 32767}, {-32768.4, -32768}};
    for (const auto &c : cases)
        EXPECT_EQ(num::toInt16(c.value), c.expected) << c.value;
    EXPECT_EQ(num::toInt32(2147483646.5), 2147483646);
}

TEST(NumTextInteger, OutOfRangeIsAnError)
{
    const double bad16[] = {32767.5,
                            32768,
                            -32768.6,
                            1e9,
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
    for (double v : bad16)
        EXPECT_THROW(num::toInt16(v), CalcError) << v;
    EXPECT_THROW(num::toInt32(2147483647.5), CalcError);
    EXPECT_EQ(num::toInt16(-32768.5), -32768);  // the even neighbour is inside
}

TEST(NumTextChecked, DivisionAndOverflow)
{
    EXPECT_DOUBLE_EQ(num::div(1, 4), 0.25);
    EXPECT_THROW(num::div(1, 0), CalcError);
    EXPECT_THROW(num::div(0, 0), CalcError);
    EXPECT_THROW(num::div(1e308, 1e-308), CalcError);
    EXPECT_THROW(num::toSingle(1e39), CalcError);
    EXPECT_THROW(num::finite(std::nan("")), CalcError);
    EXPECT_FLOAT_EQ(num::toSingle(0.1), 0.1f);
}

}  // namespace

namespace {

// The decimal value of a float is its 7-digit text: whatever shortcut the
// formatting takes, a pattern showing exactly 7 significant digits must give
// the digits printf gives.
TEST(NumTextFormat, SevenSignificantDigitsOfFloatsAgreeWithPrintf)
{
    const CNumericLocale cLocale;
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed;
    };
    for (int n = 0; n < 200000; ++n) {
        const std::uint32_t bits = (next() & 0x807FFFFFu) | ((100u + next() % 60u) << 23);  // ~1e-8 .. 1e10
        float f;
        std::memcpy(&f, &bits, sizeof f);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.6e", double(f));
        const int exp10 = std::atoi(std::strchr(buf, 'e') + 1);
        if (exp10 > 6 || exp10 < -6)
            continue;
        const int decimals = 6 - exp10;
        std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(std::strtod(buf, nullptr)));
        QString expected = QString::fromLatin1(buf);
        if (expected.startsWith(QLatin1String("0.")))
            expected.remove(0, 1);  // "#" drops the leading zero
        if (decimals == 0)
            expected += u'.';  // the pattern's point stands
        if (f < 0)
            expected.prepend(u'-');
        const QString pattern = QStringLiteral("#.") + QString(decimals, u'0');
        ASSERT_EQ(num::format(f, pattern), expected) << double(f);
    }
}

TEST(NumTextFormat, FifteenSignificantDigitsOfDoublesAgreeWithPrintf)
{
    const CNumericLocale cLocale;
    std::uint64_t seed = 987654321;
    for (int n = 0; n < 100000; ++n) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const double v = std::ldexp(double(seed >> 11) / double(1ull << 53), int(seed % 40) - 10);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", v);
        const int exp10 = std::atoi(std::strchr(buf, 'e') + 1);
        if (exp10 > 14 || exp10 < -5)
            continue;
        const int decimals = 14 - exp10;
        std::snprintf(buf, sizeof buf, "%.*f", decimals, std::strtod(buf, nullptr));
        QString expected = QString::fromLatin1(buf);
        if (expected.startsWith(QLatin1String("0.")))
            expected.remove(0, 1);
        ASSERT_EQ(num::format(v, QStringLiteral("#.") + QString(decimals, u'0')), expected) << v;
    }
}

}  // namespace

namespace {

TEST(NumTextPlain, AgreesWithPrintfGeneralForm)
{
    const CNumericLocale cLocale;
    std::uint32_t seed = 777;
    for (int n = 0; n < 100000; ++n) {
        seed = seed * 1664525u + 1013904223u;
        const std::uint32_t bits = (seed & 0x807FFFFFu) | ((70u + (seed >> 8) % 120u) << 23);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.7G", double(f));
        ASSERT_EQ(num::plain(f), QString::fromLatin1(buf)) << double(f);
        const double d = double(f) * 1.000000123456789;
        std::snprintf(buf, sizeof buf, "%.15G", d);
        ASSERT_EQ(num::plain(d), QString::fromLatin1(buf)) << d;
    }
}

}  // namespace
