#include "ZymSettings.h"

#include "CalcError.h"
#include "Cp1252.h"
#include "Ini.h"
#include "NumText.h"
#include "Paths.h"
#include "WholeFile.h"

#include <cmath>

namespace mostarium {

std::optional<double> numberInRange(const QString &text, const Limit &range)
{
    try {
        const double v = num::strictDouble(text);
        if (std::isfinite(v) && range.holds(v))
            return v;
    } catch (const CalcError &) {
    }
    return std::nullopt;
}

QString invalidSettingText(const QString &key, const QString &defaultValue)
{
    return QStringLiteral("Ongeldige waarde voor ") + key + QStringLiteral(" in ZYM.ini! De standaard waarde ")
           + defaultValue + QStringLiteral(" wordt gebruikt.");
}

double zymNumber(const QString &section, const QString &key, const QString &defaultValue, const Limit &range,
                 bool *refused)
{
    const QString text = ReadINI(paths::zymIni(), section, key, defaultValue);
    if (const std::optional<double> v = numberInRange(text, range))
        return *v;
    if (refused)
        *refused = true;
    return numberInRange(defaultValue, range).value_or(0.0);
}

void keepZymSetting(const QString &section, const QString &key, QString value)
{
    if (!WriteINI(paths::zymIni(), section, key, value))
        showNotWritten(paths::zymIni());
}

namespace {

void appendEscaped(QString &out, char32_t code)
{
    out += u'<';
    out += QString::number(code, 16).toUpper().rightJustified(2, u'0');
    out += u'>';
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F');
}

// The code point of an escape at `at` ("<", two to six capital hexadecimal
// digits, ">"), and its length; nothing when no escape stands there.
std::optional<char32_t> escapeAt(QStringView text, qsizetype at, qsizetype &length)
{
    constexpr qsizetype MinDigits = 2;
    constexpr qsizetype MaxDigits = 6;
    if (text[at] != u'<')
        return std::nullopt;
    qsizetype end = at + 1;
    while (end < text.size() && end - at - 1 < MaxDigits && isHexDigit(text[end]))
        ++end;
    if (end - at - 1 < MinDigits || end >= text.size() || text[end] != u'>')
        return std::nullopt;
    const uint code = text.mid(at + 1, end - at - 1).toUInt(nullptr, 16);
    if (code == 0 || code > 0x10FFFF)
        return std::nullopt;
    length = end - at + 1;
    return char32_t(code);
}

}  // namespace

QString encodeSettingPath(QStringView path)
{
    QString out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        if (c.isHighSurrogate() && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            appendEscaped(out, QChar::surrogateToUcs4(c, path[i + 1]));
            ++i;
            continue;
        }
        const char16_t u = c.unicode();
        const bool atEnd = i == 0 || i == path.size() - 1;
        if (u == u'<' || u < 0x20 || u == 0x7F || !cp1252::canEncode(c) || (atEnd && c.isSpace()))
            appendEscaped(out, u);
        else
            out += c;
    }
    return out;
}

QString decodeSettingPath(QStringView stored)
{
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size();) {
        qsizetype length = 0;
        if (const std::optional<char32_t> code = escapeAt(stored, i, length)) {
            if (QChar::requiresSurrogates(*code)) {
                out += QChar(QChar::highSurrogate(*code));
                out += QChar(QChar::lowSurrogate(*code));
            } else {
                out += QChar(char16_t(*code));
            }
            i += length;
        } else {
            out += stored[i++];
        }
    }
    return out;
}

QString zymPath(const QString &section, const QString &key, const QString &defaultPath)
{
    return decodeSettingPath(ReadINI(paths::zymIni(), section, key, encodeSettingPath(defaultPath)));
}

void keepZymPath(const QString &section, const QString &key, const QString &path)
{
    keepZymSetting(section, key, encodeSettingPath(path));
}

}  // namespace mostarium
