#include "ZymSettings.h"

#include "CalcError.h"
#include "Ini.h"
#include "NumText.h"
#include "Paths.h"
#include "WholeFile.h"

#include <cmath>

namespace mostarium {

std::optional<double> numberInRange(const QString &text, const NumberRange &range)
{
    try {
        const double v = num::strictDouble(text);
        if (std::isfinite(v) && range.contains(v))
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

double zymNumber(const QString &section, const QString &key, const QString &defaultValue, const NumberRange &range,
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

}  // namespace mostarium
