#include "Regional.h"

#include <QHash>
#include <QLocale>

namespace mostarium {

namespace {
QHash<int, QString> &overrides()
{
    static QHash<int, QString> values;
    return values;
}
}  // namespace

QString GetRegionalSetting(int item)
{
    if (auto it = overrides().constFind(item); it != overrides().constEnd())
        return *it;
    const QLocale loc = QLocale::system();
    switch (item) {
    case LOCALE_SDECIMAL:
        return loc.decimalPoint();
    case LOCALE_STHOUSAND:
        return loc.groupSeparator();
    case LOCALE_SSHORTDATE:
        return loc.dateFormat(QLocale::ShortFormat);
    case LOCALE_STIMEFORMAT:
        return loc.timeFormat(QLocale::LongFormat);
    default:
        return {};
    }
}

void SetRegionalSetting(int item, const QString &value) { overrides().insert(item, value); }

void ClearRegionalOverrides() { overrides().clear(); }

}  // namespace mostarium
