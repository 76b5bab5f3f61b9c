#include "NumText.h"

#include "CalcError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace mostarium::num {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Scans the number grammar from `pos`; returns the ASCII text of the number
// (for from_chars) and the position after it. Empty when no digit was found.
std::string scanNumber(QStringView t, qsizetype &pos)
{
    std::string out;
    qsizetype i = pos;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            out += '-';
        ++i;
    }
    bool digits = false;
    while (i < t.size() && isDigit(t[i])) {
        out += char(t[i].unicode());
        ++i;
        digits = true;
    }
    if (i < t.size() && t[i] == u'.') {
        ++i;
        std::string frac;
        while (i < t.size() && isDigit(t[i])) {
            frac += char(t[i].unicode());
            ++i;
            digits = true;
        }
        if (!frac.empty())
            out += '.' + frac;
    }
    if (!digits)
        return {};
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        qsizetype j = i + 1;
        std::string ex = "e";
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-')) {
            ex += char(t[j].unicode());
            ++j;
        }
        bool expDigits = false;
        while (j < t.size() && isDigit(t[j])) {
            ex += char(t[j].unicode());
            ++j;
            expDigits = true;
        }
        if (expDigits) {
            out += ex;
            i = j;
        }
    }
    pos = i;
    return out;
}

double parseScanned(const std::string &s)
{
    double v = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Too large is an overflow; too small is zero.
        const auto mantissaEnd = s.find('e');
        const bool negExp = mantissaEnd != std::string::npos && s.size() > mantissaEnd + 1
                            && s[mantissaEnd + 1] == '-';
        if (negExp)
            return 0.0;
        throwOverflow();
    }
    if (ec != std::errc())
        return 0.0;
    return v == 0.0 ? 0.0 : v;  // no negative zero
}

// A number as decimal digits: value = 0.d1d2d3... * 10^point, sign apart.
struct Decimal {
    bool negative = false;
    std::string digits = "0";  // no leading zeros unless the value is 0
    int point = 1;             // digits before the decimal point
};

Decimal toDecimal(double v, int significant)
{
    Decimal d;
    if (!std::isfinite(v))
        throwOverflow();
    if (v == 0.0)
        return d;
    d.negative = v < 0;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                             significant - 1);
    // Read mantissa digits and exponent straight from the buffer: this runs
    // for every number the schedule shows.
    const char *e = std::find(buf, res.ptr, 'e');
    int exp = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), res.ptr, exp);
    std::string digits;
    for (const char *p = buf; p != e; ++p)
        if (*p != '.')
            digits += *p;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    d.digits = digits;
    d.point = exp + 1;
    return d;
}

// Rounds to `decimals` places, halves away from zero (the sign is apart).
void roundDecimal(Decimal &d, int decimals)
{
    const int keep = d.point + decimals;
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits = "0";
        d.point = 1;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    if (d.digits.empty()) {
        d.digits = "0";
        d.point = 1;
    }
}

bool isZero(const Decimal &d) { return d.digits.find_first_not_of('0') == std::string::npos; }

std::string integerDigits(const Decimal &d)
{
    if (isZero(d) || d.point <= 0)
        return {};
    std::string s;
    for (int i = 0; i < d.point; ++i)
        s += i < int(d.digits.size()) ? d.digits[i] : '0';
    const auto nz = s.find_first_not_of('0');
    return nz == std::string::npos ? std::string() : s.substr(nz);
}

std::string decimalDigits(const Decimal &d, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int idx = d.point + i;
        s += (idx >= 0 && idx < int(d.digits.size())) ? d.digits[idx] : '0';
    }
    return s;
}

bool isPlaceholder(QChar c) { return c == u'#' || c == u'0'; }

QString formatDecimal(Decimal d, QStringView pattern)
{
    const qsizetype dp = pattern.indexOf(u'.');
    const QStringView intPart = dp < 0 ? pattern : pattern.left(dp);
    const QStringView decPart = dp < 0 ? QStringView() : pattern.mid(dp + 1);

    int intPlaceholders = 0;
    int minInt = 0;
    bool seenZero = false;
    for (QChar c : intPart) {
        if (!isPlaceholder(c))
            continue;
        ++intPlaceholders;
        if (c == u'0')
            seenZero = true;
        if (seenZero)
            ++minInt;
    }
    int decimals = 0;
    int minDec = 0;
    for (QChar c : decPart) {
        if (!isPlaceholder(c))
            continue;
        ++decimals;
        if (c == u'0')
            minDec = decimals;
    }
    // A comma with placeholders on both sides asks for thousands grouping.
    auto isGroupingComma = [&](qsizetype i) {
        if (intPart[i] != u',')
            return false;
        bool before = false, after = false;
        for (qsizetype j = 0; j < i; ++j)
            before = before || isPlaceholder(intPart[j]);
        for (qsizetype j = i + 1; j < intPart.size(); ++j)
            after = after || isPlaceholder(intPart[j]);
        return before && after;
    };
    bool grouping = false;
    for (qsizetype i = 0; i < intPart.size(); ++i)
        grouping = grouping || isGroupingComma(i);

    roundDecimal(d, decimals);
    std::string ints = integerDigits(d);
    std::string decs = decimalDigits(d, decimals);
    const bool zero = ints.empty() && decs.find_first_not_of('0') == std::string::npos;
    while (int(ints.size()) < minInt)
        ints.insert(ints.begin(), '0');
    while (int(decs.size()) > minDec && decs.back() == '0')
        decs.pop_back();
    if (grouping && ints.size() > 3) {
        std::string g;
        const int n = int(ints.size());
        for (int i = 0; i < n; ++i) {
            g += ints[i];
            const int left = n - 1 - i;
            if (left > 0 && left % 3 == 0)
                g += ',';
        }
        ints = g;
    }

    QString out;
    out.reserve(pattern.size() + qsizetype(ints.size()) + 2);
    if (d.negative && !zero)
        out += u'-';
    const int offset = int(ints.size()) - intPlaceholders;
    int k = 0;
    for (qsizetype i = 0; i < intPart.size(); ++i) {
        const QChar c = intPart[i];
        if (isPlaceholder(c)) {
            if (k == 0 && offset > 0)
                out += QString::fromLatin1(ints.data(), offset + 1);
            else if (offset + k >= 0)
                out += QChar::fromLatin1(ints[offset + k]);
            ++k;
        } else if (!(grouping && isGroupingComma(i))) {
            out += c;
        }
    }
    if (intPlaceholders == 0)
        out += QString::fromLatin1(ints.data(), qsizetype(ints.size()));
    if (dp >= 0) {
        out += u'.';
        int m = 0;
        for (QChar c : decPart) {
            if (isPlaceholder(c)) {
                if (m < int(decs.size()))
                    out += QChar::fromLatin1(decs[m]);
                ++m;
            } else {
                out += c;
            }
        }
    }
    return out;
}

QString plainText(double v, int significant)
{
    if (!std::isfinite(v))
        throwOverflow();
    if (v == 0.0)
        return QStringLiteral("0");
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, significant);
    QString s = QString::fromLatin1(buf, res.ptr - buf);
    s.replace(u'e', u'E');
    return s;
}

} // namespace

double val(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const std::string s = scanNumber(text, pos);
    return s.empty() ? 0.0 : parseScanned(s);
}

double strictDouble(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    const std::string s = scanNumber(t, pos);
    if (s.empty() || pos != t.size())
        throwTypeMismatch();
    return parseScanned(s);
}

float strictSingle(QStringView text) { return toSingle(strictDouble(text)); }

QString plain(float v) { return plainText(double(v), 7); }
QString plain(double v) { return plainText(v, 15); }

QString signedText(float v) { return v >= 0 ? u' ' + plain(v) : plain(v); }
QString signedText(double v) { return v >= 0 ? u' ' + plain(v) : plain(v); }

QString format(float v, QStringView pattern) { return formatDecimal(toDecimal(double(v), 7), pattern); }
QString format(double v, QStringView pattern) { return formatDecimal(toDecimal(v, 15), pattern); }

QString formatText(QStringView text, QStringView pattern)
{
    try {
        return format(strictDouble(text), pattern);
    } catch (const CalcError &) {
        return text.toString();
    }
}

namespace {
double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        throwOverflow();
    double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0.0))
        f += 1.0;
    return f;
}
} // namespace

std::int16_t toInt16(double v)
{
    const double r = roundHalfEven(v);
    if (r < -32768.0 || r > 32767.0)
        throwOverflow();
    return std::int16_t(r);
}

std::int32_t toInt32(double v)
{
    const double r = roundHalfEven(v);
    if (r < -2147483648.0 || r > 2147483647.0)
        throwOverflow();
    return std::int32_t(r);
}

float toSingle(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > double(std::numeric_limits<float>::max()))
        throwOverflow();
    return float(v);
}

double div(double a, double b)
{
    if (b == 0.0)
        throwDivisionByZero();
    return finite(a / b);
}

double finite(double v)
{
    if (!std::isfinite(v))
        throwOverflow();
    return v;
}

} // namespace mostarium::num
