#include "NumText.h"

#include "CalcError.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace mostarium::num {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// ASCII text of a scanned number, on the stack unless it is absurdly long.
class NumberText {
public:
    void push(char c)
    {
        if (m_len < int(sizeof m_small)) {
            m_small[m_len++] = c;
            return;
        }
        if (m_big.empty())
            m_big.assign(m_small, std::size_t(m_len));
        m_big += c;
        ++m_len;
    }
    const char *data() const { return m_big.empty() ? m_small : m_big.data(); }
    int size() const { return m_len; }
    bool empty() const { return m_len == 0; }
    void truncate(int n)
    {
        m_len = n;
        if (!m_big.empty())
            m_big.resize(std::size_t(n));
    }

private:
    char m_small[96];
    std::string m_big;
    int m_len = 0;
};

// Scans the number grammar from `pos` into `out` (for from_chars) and moves
// `pos` past it. False when no digit was found.
bool scanNumber(QStringView t, qsizetype &pos, NumberText &out)
{
    qsizetype i = pos;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            out.push('-');
        ++i;
    }
    bool digits = false;
    while (i < t.size() && isDigit(t[i])) {
        out.push(char(t[i].unicode()));
        ++i;
        digits = true;
    }
    if (i < t.size() && t[i] == u'.') {
        ++i;
        if (i < t.size() && isDigit(t[i]))
            out.push('.');
        while (i < t.size() && isDigit(t[i])) {
            out.push(char(t[i].unicode()));
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        qsizetype j = i + 1;
        const int mark = out.size();
        out.push('e');
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-')) {
            out.push(char(t[j].unicode()));
            ++j;
        }
        bool expDigits = false;
        while (j < t.size() && isDigit(t[j])) {
            out.push(char(t[j].unicode()));
            ++j;
            expDigits = true;
        }
        if (expDigits)
            i = j;
        else
            out.truncate(mark);  // "1e" is 1
    }
    pos = i;
    return true;
}

double parseScanned(const NumberText &s)
{
    double v = 0;
    const char *first = s.data();
    const char *last = first + s.size();
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        // Too large is an overflow; too small is zero.
        const char *e = std::find(first, last, 'e');
        if (e != last && e + 1 != last && e[1] == '-')
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
    char digits[24] = {'0'};  // no leading zeros unless the value is 0
    int len = 1;
    int point = 1;  // digits before the decimal point
};

// Splits to_chars' scientific text ("1.2345e+02") into digits and exponent.
void readScientific(const char *first, const char *last, Decimal &d)
{
    const char *e = std::find(first, last, 'e');
    int exp = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), last, exp);
    d.len = 0;
    for (const char *p = first; p != e; ++p)
        if (*p != '.')
            d.digits[d.len++] = *p;
    while (d.len > 1 && d.digits[d.len - 1] == '0')
        --d.len;
    d.point = exp + 1;
}

// The digits of `a` (> 0) rounded to `significant` digits by scaling in
// extended precision. The scaled value is off by far less than `tolerance`,
// so only a value that lies that close to a half is left to the exact path.
bool scaledDecimal(double a, int significant, Decimal &d)
{
    if constexpr (std::numeric_limits<long double>::digits < 64) {
        return false;
    } else {
        static const long double pow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                            1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                                            1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
        const long double tolerance = significant <= 7 ? 1e-6L : 1e-2L;
        const long double low = pow10[significant - 1];
        const long double high = pow10[significant];
        // From the binary exponent; the loop corrects an estimate one off.
        int e10 = int(std::floor(std::ilogb(a) * 0.30102999566398120));
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int k = significant - 1 - e10;
            if (k > 27 || k < -27)
                return false;
            const long double scaled = k >= 0 ? (long double)a * pow10[k] : (long double)a / pow10[-k];
            if (scaled < low) {
                --e10;  // the estimate was one too high
                continue;
            }
            if (scaled >= high) {
                ++e10;
                continue;
            }
            long double whole = std::floor(scaled);
            const long double frac = scaled - whole;
            if (std::fabs(frac - 0.5L) < tolerance)
                return false;
            if (frac > 0.5L)
                whole += 1.0L;
            int point = e10 + 1;
            if (whole >= high) {
                whole = low;
                ++point;
            }
            auto n = static_cast<unsigned long long>(whole);
            char tmp[24];
            int len = 0;
            while (n > 0) {
                tmp[len++] = char('0' + n % 10);
                n /= 10;
            }
            d.len = 0;
            for (int i = len - 1; i >= 0; --i)
                d.digits[d.len++] = tmp[i];
            while (d.len > 1 && d.digits[d.len - 1] == '0')
                --d.len;
            d.point = point;
            return true;
        }
        return false;
    }
}

// The value rounded to `significant` digits, exactly as printf would.
Decimal toDecimal(double v, int significant)
{
    Decimal d;
    if (!std::isfinite(v))
        throwOverflow();
    if (v == 0.0)
        return d;
    d.negative = v < 0;
    const double a = std::fabs(v);
    if (scaledDecimal(a, significant, d))
        return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, significant - 1);
    readScientific(buf, res.ptr, d);
    return d;
}

// Rounds to `decimals` places, halves away from zero (the sign is apart).
void roundDecimal(Decimal &d, int decimals)
{
    const int keep = d.point + decimals;
    if (keep >= d.len)
        return;
    if (keep < 0) {
        d.digits[0] = '0';
        d.len = 1;
        d.point = 1;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.len = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            std::memmove(d.digits + 1, d.digits, std::size_t(d.len));
            d.digits[0] = '1';
            ++d.len;
            ++d.point;
        }
    }
    if (d.len == 0) {
        d.digits[0] = '0';
        d.len = 1;
        d.point = 1;
    }
}

bool isZero(const Decimal &d)
{
    for (int i = 0; i < d.len; ++i)
        if (d.digits[i] != '0')
            return false;
    return true;
}

bool isPlaceholder(QChar c) { return c == u'#' || c == u'0'; }

using Chars = QVarLengthArray<char, 64>;

QString formatDecimal(Decimal d, QStringView pattern)
{
    // "%" shows the value times 100; the sign itself is copied.
    if (pattern.contains(u'%') && !isZero(d))
        d.point += 2;
    const qsizetype dp = pattern.indexOf(u'.');
    const QStringView intPart = dp < 0 ? pattern : pattern.left(dp);
    const QStringView decPart = dp < 0 ? QStringView() : pattern.mid(dp + 1);

    int intPlaceholders = 0;
    int minInt = 0;
    bool seenZero = false;
    qsizetype firstPh = -1, lastPh = -1;
    for (qsizetype i = 0; i < intPart.size(); ++i) {
        const QChar c = intPart[i];
        if (!isPlaceholder(c))
            continue;
        if (firstPh < 0)
            firstPh = i;
        lastPh = i;
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
    auto isGroupingComma = [&](qsizetype i) { return intPart[i] == u',' && i > firstPh && i < lastPh; };
    bool grouping = false;
    for (qsizetype i = 0; i < intPart.size() && !grouping; ++i)
        grouping = isGroupingComma(i);

    roundDecimal(d, decimals);
    const bool zeroValue = isZero(d);

    Chars ints;
    if (!zeroValue && d.point > 0) {
        for (int i = 0; i < d.point; ++i) {
            const char c = i < d.len ? d.digits[i] : '0';
            if (ints.isEmpty() && c == '0')
                continue;
            ints.append(c);
        }
    }
    Chars decs;
    for (int i = 0; i < decimals; ++i) {
        const int idx = d.point + i;
        decs.append((idx >= 0 && idx < d.len) ? d.digits[idx] : '0');
    }
    bool zero = ints.isEmpty();
    for (char c : decs)
        zero = zero && c == '0';
    while (ints.size() < minInt)
        ints.insert(ints.begin(), '0');
    while (decs.size() > minDec && decs.back() == '0')
        decs.removeLast();
    if (grouping && ints.size() > 3) {
        Chars g;
        const int n = int(ints.size());
        for (int i = 0; i < n; ++i) {
            g.append(ints[i]);
            const int left = n - 1 - i;
            if (left > 0 && left % 3 == 0)
                g.append(',');
        }
        ints = g;
    }

    QVarLengthArray<char16_t, 96> out;
    if (d.negative && !zero)
        out.append(u'-');
    const int nInts = int(ints.size());
    const int offset = nInts - intPlaceholders;
    int k = 0;
    for (qsizetype i = 0; i < intPart.size(); ++i) {
        const QChar c = intPart[i];
        if (isPlaceholder(c)) {
            if (k == 0 && offset > 0) {
                for (int j = 0; j <= offset; ++j)
                    out.append(char16_t(ints[j]));
            } else if (offset + k >= 0) {
                out.append(char16_t(ints[offset + k]));
            }
            ++k;
        } else if (!(grouping && isGroupingComma(i))) {
            out.append(c.unicode());
        }
    }
    if (intPlaceholders == 0)
        for (char c : ints)
            out.append(char16_t(c));
    if (dp >= 0) {
        out.append(u'.');
        int m = 0;
        for (QChar c : decPart) {
            if (isPlaceholder(c)) {
                if (m < int(decs.size()))
                    out.append(char16_t(decs[m]));
                ++m;
            } else {
                out.append(c.unicode());
            }
        }
    }
    return QString(reinterpret_cast<const QChar *>(out.constData()), out.size());
}

QString plainText(double v, int significant)
{
    if (v == 0.0)
        return QStringLiteral("0");
    const Decimal d = toDecimal(v, significant);
    QVarLengthArray<char16_t, 48> out;
    if (d.negative)
        out.append(u'-');
    const int x = d.point - 1;
    if (x < -4 || x >= significant) {
        out.append(char16_t(d.digits[0]));
        if (d.len > 1) {
            out.append(u'.');
            for (int i = 1; i < d.len; ++i)
                out.append(char16_t(d.digits[i]));
        }
        out.append(u'E');
        out.append(x < 0 ? u'-' : u'+');
        const int ax = x < 0 ? -x : x;
        if (ax >= 100)
            out.append(char16_t(u'0' + ax / 100));
        out.append(char16_t(u'0' + (ax / 10) % 10));
        out.append(char16_t(u'0' + ax % 10));
    } else if (d.point <= 0) {
        out.append(u'0');
        out.append(u'.');
        for (int i = 0; i < -d.point; ++i)
            out.append(u'0');
        for (int i = 0; i < d.len; ++i)
            out.append(char16_t(d.digits[i]));
    } else {
        for (int i = 0; i < d.point; ++i)
            out.append(char16_t(i < d.len ? d.digits[i] : '0'));
        if (d.len > d.point) {
            out.append(u'.');
            for (int i = d.point; i < d.len; ++i)
                out.append(char16_t(d.digits[i]));
        }
    }
    return QString(reinterpret_cast<const QChar *>(out.constData()), out.size());
}

}  // namespace

double val(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    NumberText s;
    return scanNumber(text, pos, s) ? parseScanned(s) : 0.0;
}

std::optional<double> leadingNumber(QStringView text)
{
    try {
        return val(text);
    } catch (const CalcError &) {
        return std::nullopt;
    }
}

double strictDouble(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    NumberText s;
    if (!scanNumber(t, pos, s) || pos != t.size())
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

QString scientific(double v)
{
    if (!std::isfinite(v))
        return {};
    if (v == 0)
        v = 0;  // no "-0.00E+00"
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 2);
    QString out = QString::fromLatin1(buf, res.ptr - buf);
    return out.replace(u'e', u'E');
}

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
}  // namespace

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

}  // namespace mostarium::num
