#include "Cp1252.h"

#include <algorithm>
#include <bit>

namespace mostarium::cp1252 {

namespace {
// 0x80..0x9F; 0 marks the five unassigned bytes, read as their Latin-1 twins.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    if (u >= 0x80 && u <= 0x9F) {
        // Only the unassigned positions map back onto themselves.
        return kHigh[u - 0x80] == 0 ? u : -1;
    }
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}
}  // namespace

QString decode(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
            out += QChar(kHigh[b - 0x80]);
        else
            out += QChar(char16_t(b));
    }
    return out;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteFor(c.unicode());
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

bool canEncode(QChar c) { return byteFor(c.unicode()) >= 0; }

namespace {
bool isMark(char32_t u)
{
    const QChar::Category c = QChar::category(u);
    return c == QChar::Mark_NonSpacing || c == QChar::Mark_SpacingCombining || c == QChar::Mark_Enclosing;
}

// Letters and signs without a decomposition whose plain form a reader knows.
struct Nearest {
    char16_t from;
    const char16_t *to;
};
constexpr Nearest kNearest[] = {
    {0x0110, u"D"},      {0x0111, u"d"}, {0x0126, u"H"}, {0x0127, u"h"},      {0x0131, u"i"},      {0x0138, u"k"},
    {0x0141, u"L"},      {0x0142, u"l"}, {0x014A, u"N"}, {0x014B, u"n"},      {0x0166, u"T"},      {0x0167, u"t"},
    {0x0180, u"b"},      {0x0197, u"I"}, {0x01B5, u"Z"}, {0x01B6, u"z"},      {0x0268, u"i"},      {0x02BB, u"\u2018"},
    {0x02BC, u"\u2019"}, {0x2010, u"-"}, {0x2011, u"-"}, {0x2012, u"\u2013"}, {0x2015, u"\u2014"}, {0x2032, u"'"},
    {0x2033, u"\""},     {0x2212, u"-"},
};

const char16_t *nearestOf(char32_t u)
{
    for (const Nearest &n : kNearest)
        if (n.from == u)
            return n.to;
    return nullptr;
}

bool encodable(QStringView s)
{
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return canEncode(c); });
}

// A letter with as many of its marks as still make one character of the code
// page (ǘ keeps its diaeresis: ü; ệ its circumflex: ê); empty when not
// even the bare letter is one.
QString withMarks(QStringView base, QStringView marks)
{
    const int n = int(std::min<qsizetype>(marks.size(), 8));
    QString best;
    int bestCount = -1;
    for (unsigned set = 0; set < (1u << n); ++set) {
        const int count = std::popcount(set);
        if (count <= bestCount)
            continue;
        QString s = base.toString();
        for (int m = 0; m < n; ++m)
            if (set & (1u << m))
                s += marks[m];
        s = s.normalized(QString::NormalizationForm_C);
        if (s.size() == 1 && canEncode(s.at(0))) {
            best = s;
            bestCount = count;
        }
    }
    return best;
}

// One character outside the code page: each letter of its compatibility
// decomposition with its marks, or the table's form; empty when some part
// has neither.
QString nearestForm(char32_t u)
{
    if (const char16_t *n = nearestOf(u))
        return QString::fromUtf16(n);
    const QString d = QString::fromUcs4(&u, 1).normalized(QString::NormalizationForm_KD);
    if (d.size() == 1 && d.at(0).unicode() == u)
        return QString();
    QString out;
    for (qsizetype i = 0; i < d.size();) {
        qsizetype j = i + 1;
        while (j < d.size() && isMark(d.at(j).unicode()))
            ++j;
        const QStringView base = QStringView(d).mid(i, 1);
        QString c = withMarks(base, QStringView(d).mid(i + 1, j - i - 1));
        if (c.isEmpty()) {
            const char16_t *n = base.at(0).isSurrogate() ? nullptr : nearestOf(base.at(0).unicode());
            if (!n)
                return QString();
            c = QString::fromUtf16(n);
        }
        out += c;
        i = j;
    }
    return out;
}
}  // namespace

QString storable(QStringView text)
{
    // Nearly every text is kept as it is.
    if (encodable(text))
        return text.toString();
    // A letter typed as a letter and its marks becomes the one letter (e and
    // a combining acute: é).
    const QString t = text.toString().normalized(QString::NormalizationForm_C);
    QString out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size();) {
        const QChar c = t.at(i);
        char32_t u = c.unicode();
        qsizetype width = 1;
        if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate()) {
            u = QChar::surrogateToUcs4(c, t.at(i + 1));
            width = 2;
        }
        i += width;
        if (width == 1 && canEncode(c)) {
            out += c;
            continue;
        }
        // A mark that found no letter to sit on, and what cannot be seen.
        if (isMark(u) || QChar::category(u) == QChar::Other_Format)
            continue;
        const QString n = nearestForm(u);
        out += encodable(n) && !n.isEmpty() ? n : QStringLiteral("?");
    }
    return out;
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace mostarium::cp1252
